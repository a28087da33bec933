#pragma once

#include <ctime>
#include <string>
#include <vector>

// The process and its console: what a command-line program needs of the system, the same on every
// platform above this layer.
namespace vorn {

enum class StandardStream { Input, Output, Error };

// The command line in UTF-8 (Windows hands main() the ANSI code page; the wide command line is what
// the user typed).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Sets the standard streams up for a command-line program: a closed pipe is a failed write that the
// program reports rather than the end of the process; on Windows the console takes and shows UTF-8
// and the streams move bytes unchanged (no "\n" to "\r\n"), so output is the same on every platform.
void PrepareStandardStreams();

// True when the stream is a terminal (a console window), not a file or a pipe.
bool IsTerminal(StandardStream stream);

// This process's number, for the support trace.
unsigned long ProcessId();

// A time as UTC calendar fields.
std::tm UtcTime(std::time_t time);
// The time in the user's time zone.
std::tm LocalTime(std::time_t time);
// The calendar time of a broken-down UTC time (the inverse of UtcTime).
std::time_t FromUtc(std::tm utc);

// Milliseconds since this process was started, by the system's record of its start; -1 when unknown.
double MillisSinceProcessStart();
// This process's resident memory in kilobytes; -1 when unknown.
long ResidentKilobytes();

} // namespace vorn
