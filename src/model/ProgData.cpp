#include "model/ProgData.h"

#include "base/Utf8.h"
#include "model/ValueHelpers.h"
#include "platform/Files.h"

#include <algorithm>

namespace vorn {

void ProgData::ClearStates() {
    State.fill(ByteState::Idle);
}

void ProgData::MarkRange(int first, int last, ByteState state) {
    first = std::max(first, 0);
    last = std::min(last, ImageSize - 1);
    for (int a = first; a <= last; ++a) {
        State[static_cast<std::size_t>(a)] = state;
    }
}

void ProgData::MarkByte(int address, ByteState state) {
    if (address >= 0 && address < ImageSize) {
        State[static_cast<std::size_t>(address)] = state;
    }
}

std::optional<Block> ProgData::FirstBlock(ByteState state) {
    ScanPosition = 0;
    return NextBlock(state);
}

std::optional<Block> ProgData::NextBlock(ByteState state) {
    std::optional<Block> block;
    for (int p = std::max(ScanPosition, 0); p < ImageSize; ++p) {
        if (State[static_cast<std::size_t>(p)] == state) {
            if (!block) {
                block = Block{p, 1};
            } else {
                ++block->length;
            }
            if (block->length == MaxBlockLength) {
                ScanPosition = p + 1;
                return block;
            }
        } else if (block) {
            ScanPosition = p;
            return block;
        }
    }
    if (block) {
        ScanPosition = ImageSize;
    }
    return block;
}

int ProgData::CountState(ByteState state) const {
    const auto from = static_cast<std::size_t>(std::clamp(ScanPosition, 0, ImageSize));
    return static_cast<int>(
        std::count(State.begin() + static_cast<std::ptrdiff_t>(from), State.end(), state));
}

void ProgData::Snapshot() {
    SavedCopy = Image;
    ComparisonCopy = Image;
}

void ProgData::StoreReadRecord(std::string_view record, ByteState state) {
    const int count = HexPairAt(record, 5);
    const int start = HexPairAt(record, 7);
    const std::size_t length = Utf8Length(record);
    for (int i = 0; i < count; ++i) {
        const int address = start + i;
        const auto position = static_cast<std::size_t>(9 + 2 * i);
        if (address >= ImageSize || length < position + 1) {
            break;
        }
        Image[static_cast<std::size_t>(address)] = HexPairAt(record, position);
        State[static_cast<std::size_t>(address)] = state;
    }
}

bool ProgData::ReadImageFile(const std::string& path) {
    FileError error = FileError::None;
    return ReadImageFile(path, error);
}

bool ProgData::ReadImageFile(const std::string& path, FileError& error) {
    Bytes buffer{};
    const FileStart read = ReadFileStart(path, buffer.data(), buffer.size());
    error = read.error;
    if (!read.complete) {
        return false;
    }
    Image = buffer;
    return true;
}

bool ProgData::WriteImageFile(const std::string& path) const {
    FileError error = FileError::None;
    return WriteImageFile(path, error);
}

bool ProgData::WriteImageFile(const std::string& path, FileError& error) const {
    return WriteFileAtomically(path, Image.data(), Image.size(), error);
}

std::uint64_t ProgData::ImageFileSize(const std::string& path) {
    return RegularFileSize(path);
}

} // namespace vorn
