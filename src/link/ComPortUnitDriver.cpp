#include "link/ComPortUnitDriver.h"

#include "platform/Win32.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <windows.h>

namespace vorn {

namespace {

using SteadyClock = std::chrono::steady_clock;

// How often the receive queue is looked at on a port that cannot report a received character.
constexpr Millis QueuePollInterval{5};

// Flow-control values as the USB driver numbers them.
constexpr std::uint16_t FlowNone = 0x0000;
constexpr std::uint16_t FlowRtsCts = 0x0100;
constexpr std::uint16_t FlowXonXoff = 0x0400;

int StatusOfError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return DriverNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return DriverBusy;
    case ERROR_INVALID_PARAMETER: return DriverInvalidArgument;
    // The port went away with its USB device.
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_DEVICE_REMOVED:
    case ERROR_OPERATION_ABORTED: return DriverIoError;
    default: return DriverOtherError;
    }
}

int LastStatus() {
    return StatusOfError(::GetLastError());
}

// Changes the port's settings: the DCB read, changed and written back.
template <typename Change>
int ChangeState(HANDLE port, Change change) {
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (::GetCommState(port, &settings) == 0) {
        return LastStatus();
    }
    if (!change(settings)) {
        return DriverInvalidArgument;
    }
    return ::SetCommState(port, &settings) != 0 ? DriverOk : LastStatus();
}

} // namespace

ComPortUnitDriver::ComPortUnitDriver(std::string port)
    : port_(std::move(port)), handle_(INVALID_HANDLE_VALUE) {}

ComPortUnitDriver::~ComPortUnitDriver() {
    if (IsOpen()) {
        Close();
    }
    ReleaseReceiveEvent();
}

std::string ComPortUnitDriver::DevicePath(std::string_view port) {
    if (port.starts_with("\\\\")) {
        return std::string(port);
    }
    std::string path = "\\\\.\\";
    for (const char c : port) {
        path += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return path;
}

bool ComPortUnitDriver::IsOpen() const {
    return handle_ != INVALID_HANDLE_VALUE;
}

int ComPortUnitDriver::OpenByDescription(std::string_view, std::uint32_t flags) {
    lastOpenError_.clear();
    lastOpenStatus_ = DriverOk;
    if (IsOpen()) {
        return lastOpenStatus_ = DriverBusy;
    }
    if (flags != OpenByDescriptionFlag) {
        return lastOpenStatus_ = DriverInvalidArgument;
    }
    // Shared with nobody: a second program cannot talk to the unit at the same time.
    const HANDLE port = ::CreateFileW(Widen(DevicePath(port_)).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        lastOpenStatus_ = StatusOfError(error);
        lastOpenError_ =
            lastOpenStatus_ == DriverNotFound
                ? port_ + " does not exist: is the interface unit plugged in? Windows lists its " +
                      "port in the Device Manager under \"Ports (COM & LPT)\"."
            : lastOpenStatus_ == DriverBusy ? port_ + " is in use by another program."
                                            : "Cannot open " + port_ + ": " + SystemErrorText(error) + ".";
        return lastOpenStatus_;
    }
    handle_ = port;
    commEvents_ = true;
    io_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // Raw: binary, no parity check, no flow control, the modem lines up as after any open.
    const int status = ChangeState(port, [](DCB& settings) {
        settings.fBinary = TRUE;
        settings.fParity = FALSE;
        settings.fOutxCtsFlow = FALSE;
        settings.fOutxDsrFlow = FALSE;
        settings.fDsrSensitivity = FALSE;
        settings.fDtrControl = DTR_CONTROL_ENABLE;
        settings.fRtsControl = RTS_CONTROL_ENABLE;
        settings.fOutX = FALSE;
        settings.fInX = FALSE;
        settings.fErrorChar = FALSE;
        settings.fNull = FALSE;
        settings.fAbortOnError = FALSE;
        return true;
    });
    if (io_ == nullptr || status != DriverOk || ApplyTimeouts() != DriverOk) {
        const DWORD error = ::GetLastError();
        Close();
        lastOpenError_ = port_ + " is not a serial port that can be set up: " + SystemErrorText(error) + ".";
        return lastOpenStatus_ = DriverNotFound;
    }
    ::PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    return DriverOk;
}

int ComPortUnitDriver::Close() {
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (io_ != nullptr) {
        ::CloseHandle(io_);
        io_ = nullptr;
    }
    return DriverOk;
}

int ComPortUnitDriver::SetBaudRate(std::uint32_t baud) {
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    return ChangeState(handle_, [baud](DCB& settings) {
        settings.BaudRate = baud;
        return baud > 0;
    });
}

int ComPortUnitDriver::SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                              std::uint8_t parity) {
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    return ChangeState(handle_, [=](DCB& settings) {
        settings.ByteSize = wordLength;
        settings.StopBits = stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
        // The USB driver's parity numbers: 0 none, 1 odd, 2 even.
        settings.Parity = parity == 1 ? ODDPARITY : parity == 2 ? EVENPARITY : NOPARITY;
        return (wordLength == 7 || wordLength == 8) && (stopBits == 1 || stopBits == 2) && parity <= 2;
    });
}

int ComPortUnitDriver::SetFlowControl(std::uint16_t flowControl, std::uint8_t xon, std::uint8_t xoff) {
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    return ChangeState(handle_, [=](DCB& settings) {
        const bool hardware = flowControl == FlowRtsCts;
        const bool software = flowControl == FlowXonXoff;
        settings.fOutxCtsFlow = hardware ? TRUE : FALSE;
        settings.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
        settings.fOutX = software ? TRUE : FALSE;
        settings.fInX = software ? TRUE : FALSE;
        settings.XonChar = static_cast<char>(xon);
        settings.XoffChar = static_cast<char>(xoff);
        return flowControl == FlowNone || hardware || software;
    });
}

int ComPortUnitDriver::ModemLine(bool pulse) {
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    if (::EscapeCommFunction(handle_, pulse ? SETDTR : CLRDTR) != 0) {
        return DriverOk;
    }
    // A port without modem lines (Wine's COM port on a pseudo-terminal): nothing to drive, nothing failed.
    const DWORD error = ::GetLastError();
    return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ? DriverOk : StatusOfError(error);
}

int ComPortUnitDriver::SetModemLinePulse() {
    return ModemLine(true);
}

int ComPortUnitDriver::SetModemLineRest() {
    return ModemLine(false);
}

int ComPortUnitDriver::ApplyTimeouts() {
    // A read waits for all the bytes asked for, at most the read time-out; a write, the write time-out.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadTotalTimeoutConstant = std::max<DWORD>(readTimeoutMs_, 1);
    timeouts.WriteTotalTimeoutConstant = std::max<DWORD>(writeTimeoutMs_, 1);
    return ::SetCommTimeouts(handle_, &timeouts) != 0 ? DriverOk : LastStatus();
}

int ComPortUnitDriver::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    readTimeoutMs_ = readMs;
    writeTimeoutMs_ = writeMs;
    return ApplyTimeouts();
}

int ComPortUnitDriver::GetQueueStatus(std::uint32_t& waiting) {
    waiting = 0;
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    DWORD errors = 0;
    COMSTAT state{};
    if (::ClearCommError(handle_, &errors, &state) == 0) {
        return LastStatus();
    }
    waiting = state.cbInQue;
    return DriverOk;
}

bool ComPortUnitDriver::CreateReceiveEvent() {
    ReleaseReceiveEvent();
    event_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event_ != nullptr;
}

void ComPortUnitDriver::ReleaseReceiveEvent() {
    if (event_ != nullptr) {
        ::CloseHandle(event_);
        event_ = nullptr;
    }
}

int ComPortUnitDriver::SetEventNotification(std::uint32_t mask) {
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    if (event_ == nullptr) {
        return DriverInvalidArgument;
    }
    const DWORD events = (mask & EventReceiveCharacter) != 0 ? EV_RXCHAR : 0;
    return ::SetCommMask(handle_, events) != 0 ? DriverOk : LastStatus();
}

std::optional<WaitOutcome> ComPortUnitDriver::WaitForCharacter(Millis timeout) {
    OVERLAPPED wait{};
    wait.hEvent = event_;
    ::ResetEvent(event_);
    DWORD events = 0;
    if (::WaitCommEvent(handle_, &events, &wait) != 0) {
        return WaitOutcome::Signalled;
    }
    if (::GetLastError() != ERROR_IO_PENDING) {
        return std::nullopt;
    }
    const auto ms = static_cast<DWORD>(std::clamp<Millis::rep>(timeout.count(), 0, INFINITE - 1));
    const DWORD waited = ::WaitForSingleObject(event_, ms);
    bool cancelled = false;
    if (waited != WAIT_OBJECT_0) {
        ::CancelIoEx(handle_, &wait);
        cancelled = true;
    }
    DWORD unused = 0;
    if (::GetOverlappedResult(handle_, &wait, &unused, TRUE) != 0) {
        return (events & EV_RXCHAR) != 0 ? WaitOutcome::Signalled : WaitOutcome::TimedOut;
    }
    if (cancelled) {
        return WaitOutcome::TimedOut;
    }
    // Ended by the port itself, not by a character and not by us: it cannot report characters.
    return ::GetLastError() == ERROR_OPERATION_ABORTED ? std::nullopt : std::optional(WaitOutcome::Failed);
}

WaitOutcome ComPortUnitDriver::WaitReceiveEvent(Millis timeout) {
    if (!IsOpen() || event_ == nullptr) {
        return WaitOutcome::Failed;
    }
    const auto deadline = SteadyClock::now() + std::max(timeout, Millis{0});
    for (;;) {
        // Bytes waiting already: nothing to wait for (a character may have come before the wait began).
        std::uint32_t waiting = 0;
        const int status = GetQueueStatus(waiting);
        if (status != DriverOk) {
            return WaitOutcome::Failed;
        }
        if (waiting > 0) {
            return WaitOutcome::Signalled;
        }
        const auto left = std::chrono::duration_cast<Millis>(deadline - SteadyClock::now());
        if (left <= Millis{0}) {
            return WaitOutcome::TimedOut;
        }
        if (commEvents_) {
            const auto outcome = WaitForCharacter(left);
            if (!outcome) {
                commEvents_ = false;
            } else if (*outcome != WaitOutcome::TimedOut || SteadyClock::now() >= deadline) {
                return *outcome;
            }
            // Ended early without a character (another event): the queue is looked at again.
            continue;
        }
        std::this_thread::sleep_for(std::min(left, QueuePollInterval));
    }
}

int ComPortUnitDriver::Transfer(bool reading, void* buffer, std::uint32_t count, std::uint32_t& done) {
    done = 0;
    if (!IsOpen()) {
        return DriverInvalidHandle;
    }
    if (count == 0) {
        return DriverOk;
    }
    OVERLAPPED transfer{};
    transfer.hEvent = io_;
    ::ResetEvent(io_);
    DWORD moved = 0;
    BOOL finished = reading ? ::ReadFile(handle_, buffer, count, &moved, &transfer)
                            : ::WriteFile(handle_, buffer, count, &moved, &transfer);
    if (finished == 0 && ::GetLastError() == ERROR_IO_PENDING) {
        finished = ::GetOverlappedResult(handle_, &transfer, &moved, TRUE);
    }
    done = std::min<std::uint32_t>(moved, count);
    // The time-out ended the transfer with what had come by then: Windows says so with success, Wine
    // with ERROR_TIMEOUT.
    if (finished != 0 || ::GetLastError() == ERROR_TIMEOUT) {
        return DriverOk;
    }
    return done > 0 ? DriverOk : LastStatus();
}

int ComPortUnitDriver::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) {
    return Transfer(true, buffer, count, done);
}

int ComPortUnitDriver::Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) {
    return Transfer(false, const_cast<std::uint8_t*>(data), count, done);
}

} // namespace vorn
