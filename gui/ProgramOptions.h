#pragma once

#include <optional>
#include <string>
#include <vector>

// The window program's own command line. The program's two options ("-selectnewregion",
// "-gofaviewall") and any other argument go on to the program's start-up, which ignores what it does
// not know.
namespace vorn::gui {

struct ProgramOptions {
    bool help = false;
    bool version = false;
    bool debug = false;                     // the debug trace on stderr
    bool startupBenchmark = false;          // exit after the first paint, reporting time and memory
    std::optional<std::string> screenshots; // folder to write the pictures to, then exit
    std::string port;                       // the interface unit's port instead of searching
    bool simulate = false;                  // the demo unit instead of the interface unit
    std::vector<std::string> arguments;     // every argument, for the start-up's options
    std::string error;                      // a usage error (an option without its value)
};

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);
std::string UsageText();

} // namespace vorn::gui
