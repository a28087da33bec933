#include "files/SupportLog.h"

#include "base/Utf8.h"
#include "files/ProgramFolders.h"
#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "platform/System.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace vorn {

namespace {

// The time of a line: "12:00:00.123"; of a header: "2024-05-01T12:00:00.123Z" (UTC).
std::string Now(bool withDate) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    const std::tm utc = UtcTime(seconds);
    char text[40];
    std::strftime(text, sizeof text, withDate ? "%Y-%m-%dT%H:%M:%S" : "%H:%M:%S", &utc);
    char full[48];
    std::snprintf(full, sizeof full, "%s.%03d%s", text, static_cast<int>(millis), withDate ? "Z" : "");
    return full;
}

std::string Numbered(const std::string& path, int n) {
    return n == 0 ? path : path + "." + std::to_string(n);
}

// Reads at most the last `limit` bytes of a regular file; a missing file reads as nothing.
bool ReadTail(const std::string& path, std::uint64_t limit, std::string& content, std::string& error) {
    FileError why = FileError::None;
    auto tail = ReadFileTail(path, limit, why);
    if (!tail) {
        if (why == FileError::NotRegularFile) {
            error = "cannot read " + path + ": not a regular file";
        } else if (why != FileError::NoSuchFile) {
            error = "cannot read " + path + ": " + std::string(FileErrorText(why));
        }
        return false;
    }
    content = std::move(*tail);
    return true;
}

// Each line escaped on its own, so line breaks stay and nothing else reaches the terminal raw.
std::string Printable(std::string_view text) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        out += EscapeControlCharacters(text.substr(start, end - start));
        out += '\n';
        start = end + 1;
    }
    return out;
}

} // namespace

SupportLog::SupportLog(std::string programData) : folder_(std::move(programData)) {
    if (!folder_.empty()) {
        path_ = folder_ + std::string(FileName);
    }
}

SupportLog::~SupportLog() = default;

void SupportLog::Fail(const std::string& why) {
    file_.Close();
    if (problem_.empty()) {
        problem_ = why;
        if (noteSink_) {
            noteSink_("note: the support trace cannot be written to " + path_ + ": " + why +
                      "; the command goes on without it");
        }
    }
}

void SupportLog::Open() {
    if (path_.empty()) {
        problem_ = "there is no program-data folder";
        return;
    }
    if (!MakeDirectories(folder_.substr(0, folder_.size() - 1))) {
        Fail("the folder " + folder_ + " cannot be made");
        return;
    }
    // Never waits on a pipe put in its place, never follows a link put there.
    const FileError error = file_.Open(path_);
    if (error == FileError::LinkLoop) {
        Fail("it is a symbolic link");
    } else if (error == FileError::NotRegularFile) {
        Fail("it is not a regular file");
    } else if (error != FileError::None) {
        Fail(std::string(FileErrorText(error)));
    }
}

void SupportLog::Rotate() {
    file_.Close();
    RemoveFile(Numbered(path_, KeptFiles));
    for (int n = KeptFiles - 1; n >= 0; --n) {
        const FileError error = RenameFile(Numbered(path_, n), Numbered(path_, n + 1));
        if (error != FileError::None && error != FileError::NoSuchFile) {
            // A log that cannot be rotated would grow without bound: it is given up instead.
            Fail("it cannot be rotated (" + std::string(FileErrorText(error)) + ")");
            return;
        }
    }
    Open();
}

void SupportLog::Append(const std::string& text) {
    if (!file_.IsOpen()) {
        return;
    }
    if (const FileError error = file_.Append(text); error != FileError::None) {
        Fail(std::string(FileErrorText(error)));
    }
}

void SupportLog::Begin(const std::vector<std::string>& commandLine) {
    begun_ = true;
    program_ = commandLine.empty() ? std::string("vornctl") : FileNameOfPath(commandLine.front());
    commandLine_.clear();
    for (const std::string& argument : commandLine) {
        commandLine_ += (commandLine_.empty() ? "" : " ") + EscapeControlCharacters(argument);
    }
    Open();
    if (file_.IsOpen() && file_.Size() >= MaxFileBytes) {
        Rotate();
    }
    // A log cut short (a full disk, a crash) must not glue this header to its last line.
    if (const auto last = file_.LastByte(); last && *last != '\n') {
        Append("\n");
    }
    Append(std::string(Header) + EscapeControlCharacters(program_) + " " + Now(true) + " pid " +
           std::to_string(ProcessId()) + ": " + commandLine_ + "\n");
}

void SupportLog::Write(char kind, std::string_view text) {
    if (!file_.IsOpen()) {
        return;
    }
    if (file_.Size() >= MaxFileBytes) {
        // One long command: its trace goes on in a fresh file, under a header of its own.
        Rotate();
        Append(std::string(Continued) + Now(true) + " pid " + std::to_string(ProcessId()) + ": " +
               commandLine_ + "\n");
    }
    std::string line = Now(false) + " " + kind + " " + EscapeControlCharacters(text) + "\n";
    Append(line);
}

void SupportLog::End(int status) {
    End("exit status " + std::to_string(status));
}

void SupportLog::End(std::string_view result) {
    Write(Line, "end of the command, " + std::string(result));
    begun_ = false;
    file_.Close();
}

std::vector<std::string> SupportLog::Files(const std::string& programData) {
    std::vector<std::string> files;
    if (programData.empty()) {
        return files;
    }
    const std::string path = programData + std::string(FileName);
    for (int n = KeptFiles; n >= 0; --n) {
        if (PathExists(Numbered(path, n))) {
            files.push_back(Numbered(path, n));
        }
    }
    return files;
}

std::string SupportLog::Read(const std::string& programData, bool lastOnly, std::string& error) {
    error.clear();
    std::string log;
    for (const std::string& file : Files(programData)) {
        std::string content;
        std::string problem;
        // A file grown far beyond the bound by something else is read from its end only; one that
        // cannot be read is named, and the others are still shown.
        if (!ReadTail(file, 2 * MaxFileBytes, content, problem)) {
            error += (error.empty() || problem.empty() ? "" : "; ") + problem;
            continue;
        }
        if (!content.empty() && content.back() != '\n') {
            content += '\n';
        }
        log += content;
    }
    if (lastOnly) {
        // The last command's header, of whichever program: at the start of the log or of a line, and
        // not the header a rotation repeats in the middle of a command.
        std::size_t at = std::string::npos;
        for (std::size_t line = 0; line < log.size(); line = log.find('\n', line) + 1) {
            const std::string_view rest = std::string_view(log).substr(line);
            if (rest.starts_with(Header) && !rest.starts_with(Continued)) {
                at = line;
            }
            if (log.find('\n', line) == std::string::npos) {
                break;
            }
        }
        if (at == std::string::npos) {
            return {};
        }
        log.erase(0, at);
    }
    return Printable(log);
}

} // namespace vorn
