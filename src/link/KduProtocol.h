#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The interface unit's protocol, written down once. Every exchange is a frame: STX, a payload of ASCII
// text, the payload's 8-bit sum as two upper-case hexadecimal digits, ETX. A payload is a command
// letter and its arguments; numbers in it are upper-case hexadecimal, two digits a byte. The unit
// answers with one bare byte or with a frame of its own. The link frames and classifies with this,
// the memory job builds its request and reads the reply by it, the simulated unit answers by it, and
// the support trace decodes the frames with it.
namespace vorn {

inline constexpr std::uint8_t Stx = 0x02;
inline constexpr std::uint8_t Etx = 0x03;

// Bare answer bytes of the unit.
inline constexpr std::uint8_t Ack = 0x06;
inline constexpr std::uint8_t JobRefusal = 0x04;   // StartRadioJob refused
inline constexpr std::uint8_t EntryRefusal = 0x1B; // AddWriteEntry refused
inline constexpr std::uint8_t Nak = 0x15;

// True when the collected bytes form one valid frame: STX first, ETX last, and the two digits before
// the ETX giving the 8-bit sum of the payload between them. Reads nothing outside the span.
bool IsValidFrame(std::span<const std::uint8_t> collected);

namespace kdu {

// STX, the two checksum digits and ETX around a payload.
inline constexpr std::size_t FrameOverhead = 4;

// The unit's value of a checksum digit: up to '9' the digit, above it 'A' counts 10 (so a lower-case
// digit never matches).
int ChecksumDigitValue(char ch);
// The frame around a payload.
std::string FrameOf(std::string_view payload);
// The payload of a frame (STX payload checksum ETX), whether or not its checksum holds; the bytes
// after STX of a frame too short to hold a checksum.
std::string_view PayloadOf(std::string_view frame);

// A run of characters in a payload.
struct TextField {
    std::size_t offset;
    std::size_t length;
};
// The field's characters; empty when the text is too short to hold them all.
std::string_view Cut(std::string_view text, TextField field);

// The command letters: the first character of every payload the host sends.
namespace command {
inline constexpr char Listen = 's';            // "1": capture transmitters' codes, "0": stop
inline constexpr char SetH = 'h';              // one raw byte
inline constexpr char CapturedCode = 'c';      // "1"
inline constexpr char RequestDeviceCode = 'a'; // two four-character texts
inline constexpr char PollDeviceCode = 'A';
inline constexpr char Version = 'v';
inline constexpr char WriteEntry = 'n'; // a write entry, or nothing to clear the list
inline constexpr char ReadEntry = 'm';  // a read entry, or nothing to clear the list
inline constexpr char WriteStatus = 'N';
inline constexpr char ReadStatus = 'M';
inline constexpr char ReadRecord = 'x';
inline constexpr char StartRadioJob = 'i';   // the device's radio code
inline constexpr char RadioParameters = 'q'; // band and the radio set-up, a byte each
inline constexpr char MemoryJob = 'Q';       // a job request, or nothing to poll for the reply
} // namespace command

inline constexpr char ListenOn = '1';
inline constexpr char ListenOff = '0';
inline constexpr char CapturedCodeArgument = '1';

// What every flow sends, as the unit expects it; what the values mean is the unit's own business.
inline constexpr std::uint8_t HValue = '1'; // with SetH
struct RadioSetup {
    std::uint8_t second;
    std::uint8_t third;
    std::uint8_t fourth;
};
inline constexpr RadioSetup JobRadioSetup{4, 0, 6}; // after the band, with RadioParameters
inline constexpr TextField RadioParametersBand{0, 2};
inline constexpr std::string_view DeviceCodeRequestFirst = "FFFF";
inline constexpr std::string_view DeviceCodeRequestSecond = "2E2F";

// The version reply: the firmware version in its first two characters, the unit type in the fourth.
inline constexpr std::size_t VersionLength = 11;
inline constexpr std::size_t VersionUnitType = 3;
inline constexpr std::string_view MinimumUnitVersion = "17-1";

// The reply to CapturedCode: the radio code, then four more characters; all zeros while no
// transmitter has been heard.
inline constexpr std::size_t CapturedCodeLength = 8;
inline constexpr TextField CapturedRadioCode{0, 4};
inline constexpr std::string_view NothingCaptured = "00000000";

// The replies to PollDeviceCode: still waiting, failed, or a unit's answer (its radio code, its type).
inline constexpr std::string_view DeviceCodeWaiting = "01";
inline constexpr std::string_view DeviceCodeFailed = "04";
inline constexpr std::size_t DeviceCodeAnswerLength = 12;
inline constexpr TextField AnswerRadioCode{0, 4};
inline constexpr TextField AnswerType{6, 2};
inline constexpr std::array<std::string_view, 2> PresenceUnitTypes{"13", "14"};

// The answers to WriteStatus and ReadStatus.
inline constexpr std::string_view StatusIdle = "00"; // the job has no part of this kind
inline constexpr std::string_view StatusRunning = "01";
inline constexpr std::string_view StatusDone = "03";
inline constexpr std::string_view StatusFailed = "04";
inline constexpr std::string_view StatusNoContact = "05";

// A family B entry: count and start address in the device memory, then for a write the data.
inline constexpr TextField EntryCount{0, 2};
inline constexpr TextField EntryAddress{2, 2};
inline constexpr std::size_t EntryDataOffset = 4;
std::string ReadEntryText(std::uint8_t count, std::uint8_t address);

// A read record: the unit's radio code, then an entry with its data.
inline constexpr TextField RecordRadioCode{0, 4};
inline constexpr std::size_t RecordEntryOffset = 4;
inline constexpr std::size_t RecordMinLength = 10;
inline constexpr std::size_t RecordMaxLength = 24;

// A memory job request after its letter: sequence counter, product type, serial number, direction,
// address, length; then for a write the data.
namespace job {
inline constexpr TextField Counter{0, 2};
inline constexpr TextField ProductType{2, 2};
inline constexpr TextField SerialNumber{4, 6};
inline constexpr TextField Direction{10, 2};
inline constexpr TextField Address{12, 4};
inline constexpr TextField Length{16, 2};
inline constexpr std::size_t HeaderLength = 18;
inline constexpr std::string_view Read = "00";
inline constexpr std::string_view Write = "01";
inline constexpr std::size_t MaxLength = 64; // bytes

// The poll replies: still pending, no answer from the device, or the device's reply, which repeats
// the request's header (so its fields sit where they sit in the request), then six zeros, its kind,
// six zeros and, for a read, the data.
inline constexpr std::string_view Pending = "02";
inline constexpr std::string_view NoAnswer = "05";
inline constexpr std::size_t ReplyMinLength = 10;
inline constexpr TextField ReplyKind{24, 2};
inline constexpr std::string_view ReadReply = "02";
inline constexpr std::string_view WriteReply = "03";
inline constexpr std::size_t ReplyDataOffset = 32;
} // namespace job

} // namespace kdu

} // namespace vorn
