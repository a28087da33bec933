#include "gui/ProgramOptions.h"

namespace vorn::gui {

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments) {
    ProgramOptions options;
    options.arguments = arguments;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::string& into) {
            if (i + 1 < arguments.size()) {
                into = arguments[++i];
            } else {
                options.error = argument + " needs a value";
            }
        };
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--debug") {
            options.debug = true;
        } else if (argument == "--startup-benchmark") {
            options.startupBenchmark = true;
        } else if (argument == "--screenshots") {
            std::string folder;
            value(folder);
            options.screenshots = folder;
        } else if (argument == "--port") {
            value(options.port);
        } else if (argument == "--simulate") {
            options.simulate = true;
        }
    }
    if (options.error.empty() && options.simulate && !options.port.empty()) {
        options.error = "--simulate and --port exclude each other";
    }
    return options;
}

std::string UsageText() {
    return "Usage: vorn-programmer [OPTION...]\n"
           "The VORN Family Programmer: configure the devices of the VORN family.\n"
           "\n"
           "  -selectnewregion       show File > Select new region...\n"
           "  -gofaviewall           show the four service fields of the positioning unit\n"
           "  --port PATH            use the interface unit at PATH instead of searching for it\n"
           "                         (also VORN_KDU_PORT)\n"
           "  --simulate             use the demo unit, a simulated interface unit with one device of\n"
           "                         every family, in real time, instead of the interface unit\n"
           "  --debug                write the debug trace to stderr (also VORN_DEBUG=1)\n"
           "  --screenshots DIR      start as on a new machine (temporary folders) and write a picture\n"
           "                         of every page and window in every language to DIR, then exit\n"
           "  --startup-benchmark    exit once the window is painted, printing the time since the\n"
           "                         process started and the resident memory\n"
           "                         (both run without a display unless QT_QPA_PLATFORM is set)\n"
           "  --version              print the version and exit\n"
           "  --help                 print this help and exit\n"
           "\n"
           "The two options with one dash are read in any letter case. Settings, language files and\n"
           "default configurations: see README.md (\"Where files live\").\n";
}

} // namespace vorn::gui
