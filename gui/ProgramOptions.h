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
    bool manual = false;                    // print the manual page's options in roff and exit
    std::string file;                       // a configuration file to open once the program has started
    std::vector<std::string> arguments;     // every argument, for the start-up's options
    std::string error;                      // a usage error (an option without its value, two files)
};

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);
std::string UsageText();
// The OPTIONS section of the manual page, from the same table as UsageText.
std::string ManualOptions();

} // namespace vorn::gui
