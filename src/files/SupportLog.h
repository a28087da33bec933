#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The support trace: every device command, of vornctl and of the window alike, appends what it sent
// to the interface unit and what came back, and the session traces, each line timestamped, to one log
// in the program-data folder, so that a supporter can see what happened (`vornctl trace --last`). The
// log is bounded: a full file is renamed to ".1" (".1" to ".2", ...) and the oldest dropped, so it
// never holds more than KeptFiles + 1 files of about MaxFileBytes. A log that cannot be written (a full
// disk, a file that is no regular file) never stops a command: the trace is then left out, with one
// note.
namespace vorn {

class SupportLog {
public:
    static constexpr std::string_view FileName = "vornctl-trace.log";
    static constexpr std::uint64_t MaxFileBytes = 1024 * 1024;
    static constexpr int KeptFiles = 3;
    // A command's header line starts with this and the program's name ("=== vornctl ..."); a header
    // repeated after a rotation, with Continued.
    static constexpr std::string_view Header = "=== ";
    static constexpr std::string_view Continued = "=== continued: ";

    // Line kinds.
    static constexpr char Sent = '>';
    static constexpr char Received = '<';
    static constexpr char Line = '=';    // the port: open, close, the modem line
    static constexpr char Session = ':'; // the program's own trace
    static constexpr char Note = '!';

    // The log in the program-data folder (separator-terminated); an empty folder logs nothing.
    explicit SupportLog(std::string programData);
    SupportLog(const SupportLog&) = delete;
    SupportLog& operator=(const SupportLog&) = delete;
    ~SupportLog();

    const std::string& Path() const { return path_; }
    // Where a note goes when the log cannot be written (stderr in vornctl).
    void SetNoteSink(std::function<void(const std::string&)> sink) { noteSink_ = std::move(sink); }

    // Starts a command's trace: the header with the program (the file name of the command line's
    // first word), the time and the command line.
    void Begin(const std::vector<std::string>& commandLine);
    // One line of the kind, with the time.
    void Write(char kind, std::string_view text);
    // Ends the command's trace with its exit status, or with what became of it (the window's).
    void End(int status);
    void End(std::string_view result);
    bool Active() const { return file_.IsOpen(); }
    // Between Begin and End, whether or not the log could be written.
    bool Begun() const { return begun_; }
    // Why the log is not written; empty while it is.
    const std::string& Problem() const { return problem_; }

    // The files of the log, oldest first (those that exist).
    static std::vector<std::string> Files(const std::string& programData);
    // The whole kept log, or only the last command's trace; control characters and bytes that are no
    // UTF-8 are escaped, so a damaged log prints harmlessly. What could be read is returned; error
    // names each file that could not be and why.
    static std::string Read(const std::string& programData, bool lastOnly, std::string& error);

private:
    void Open();
    void Rotate();
    void Fail(const std::string& why);
    void Append(const std::string& text);

    std::string folder_;
    std::string path_;
    std::function<void(const std::string&)> noteSink_;
    std::string program_;
    std::string commandLine_;
    AppendFile file_;
    std::string problem_;
    bool begun_ = false;
};

} // namespace vorn
