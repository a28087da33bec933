#pragma once

#include "platform/FileError.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Transfer state of one image byte during a read or write flow.
enum class ByteState : std::uint8_t {
    Idle = 0,
    ToWrite = 1,
    Written = 2,
    ToRead = 3,
    Read = 4,
};

// Where the image being edited came from; the caption and File > Save depend on it.
enum class Origin : std::int32_t {
    None = 0,
    Default = 1,
    Opened = 2,
    Saved = 3,
    ReadFromDevice = 4,
};

// A run of consecutive addresses in one state, as moved by one memory job.
struct Block {
    int start = 0;
    int length = 0;
    friend bool operator==(const Block&, const Block&) = default;
};

// One device memory image with the per-byte transfer states, the copies of the unsaved-changes check,
// and the file it belongs to. A new object is all zeros.
class ProgData {
public:
    static constexpr int ImageSize = 256;
    static constexpr int MaxBlockLength = 64;
    using Bytes = std::array<std::uint8_t, ImageSize>;
    using States = std::array<ByteState, ImageSize>;

    std::int32_t ScanPosition = 0; // where NextBlock goes on
    Bytes Image{};
    States State{};
    Bytes SavedCopy{};      // the image at the last load or save
    Bytes ComparisonCopy{}; // the editor converted just before an unsaved-changes check
    std::string CurrentFilePath;
    Origin ConfigOrigin = Origin::None;

    void ClearStates();
    // Addresses outside 0-255 are ignored; nothing happens when first > last.
    void MarkRange(int first, int last, ByteState state);
    void MarkByte(int address, ByteState state);

    std::optional<Block> FirstBlock(ByteState state);
    std::optional<Block> NextBlock(ByteState state);
    // Addresses from the scan position to 255 in the state.
    int CountState(ByteState state) const;

    void Snapshot();
    bool IsUnchanged() const { return SavedCopy == ComparisonCopy; }

    // Stores one read record of a presence unit: characters 5-6 the count, 7-8 the start address,
    // then the data bytes as hexadecimal pairs. Addresses beyond 255 and pairs that the record does
    // not hold are skipped.
    void StoreReadRecord(std::string_view record, ByteState state);

    // True only when 256 bytes were read (a longer file gives its first 256); on failure the image
    // keeps its previous content.
    bool ReadImageFile(const std::string& path);
    bool ReadImageFile(const std::string& path, FileError& error);
    // Replaces the file atomically with the 256 bytes of the image; on failure the old file is whole.
    bool WriteImageFile(const std::string& path) const;
    bool WriteImageFile(const std::string& path, FileError& error) const;
    // Size of an existing regular file, 0 when it cannot be opened or is no regular file.
    static std::uint64_t ImageFileSize(const std::string& path);
};

} // namespace vorn
