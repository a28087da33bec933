#include "platform/Files.h"

#include "platform/ReadableFile.h"

#include <algorithm>
#include <vector>

namespace vorn {

long ReadableFile::Read(std::uint8_t* buffer, std::size_t size) {
    const long got = ReadUpTo(file_.Get(), buffer, size);
    if (got < 0) {
        error_ = LastError();
    }
    return got;
}

FileStart ReadFileStart(const std::string& path, std::uint8_t* buffer, std::size_t size) {
    FileStart result;
    ReadableFile file(path);
    if (!file.Opened()) {
        result.error = file.Error();
        return result;
    }
    result.opened = true;
    result.size = file.Size();
    std::vector<std::uint8_t> data(size);
    const long got = file.Read(data.data(), size);
    if (got != static_cast<long>(size)) {
        result.error = got < 0 ? file.Error() : FileError::FileTooShort;
        return result;
    }
    std::copy(data.begin(), data.end(), buffer);
    result.complete = true;
    return result;
}

bool ReadFilePrefix(const std::string& path, std::uint8_t* buffer, std::size_t size) {
    return ReadFileStart(path, buffer, size).complete;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    FileError error = FileError::None;
    return ReadWholeFile(path, maxBytes, error);
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes, FileError& error) {
    ReadableFile file(path);
    error = file.Error();
    if (!file.Opened()) {
        return std::nullopt;
    }
    if (file.Size() > maxBytes) {
        error = FileError::FileTooLarge;
        return std::nullopt;
    }
    // Read one byte more than allowed so that a file that grew since it was opened is still refused.
    std::string content(static_cast<std::size_t>(file.Size()) + 1, '\0');
    const long n = file.Read(reinterpret_cast<std::uint8_t*>(content.data()), content.size());
    if (n < 0 || static_cast<std::size_t>(n) > maxBytes) {
        error = n < 0 ? file.Error() : FileError::FileTooLarge;
        return std::nullopt;
    }
    content.resize(static_cast<std::size_t>(n));
    return content;
}

std::uint64_t RegularFileSize(const std::string& path) {
    const ReadableFile file(path);
    return file.Opened() ? file.Size() : 0;
}

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size, FileError& error) {
    error = ReplaceFileContent(path, static_cast<const std::uint8_t*>(data), size);
    return error == FileError::None;
}

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size) {
    FileError error = FileError::None;
    return WriteFileAtomically(path, data, size, error);
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    return WriteFileAtomically(path, content.data(), content.size());
}

} // namespace vorn
