#include "gui/ProgramOptions.h"

namespace vorn::gui {

namespace {

// The options as --help and the manual page describe them; "\n" starts another line of the text.
struct OptionHelp {
    const char* option;
    const char* text;
};
constexpr OptionHelp Options[] = {
    {"-selectnewregion", "show File > Select new region..."},
    {"-gofaviewall", "show the four service fields of the positioning unit"},
    {"--port PATH", "use the interface unit at PATH instead of searching for it\n(also VORN_KDU_PORT)"},
    {"--simulate", "use the demo unit, a simulated interface unit with one device of\nevery family, in real "
                   "time, instead of the interface unit"},
    {"--debug", "write the debug trace to stderr (also VORN_DEBUG=1)"},
    {"--screenshots DIR",
     "start as on a new machine (temporary folders) and write a picture\nof every page and "
     "window in every language to DIR, then exit"},
    {"--startup-benchmark",
     "exit once the window is painted, printing the time since the\nprocess started and "
     "the resident memory\n(both run without a display unless QT_QPA_PLATFORM is set)"},
    {"--version", "print the version and exit"},
    {"--help", "print this help and exit"},
};

std::string Roff(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '-') {
            out += "\\-";
        } else if (c == '\n') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

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
        } else if (argument == "--manual") {
            options.manual = true;
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
        } else if (!argument.empty() && argument.front() != '-') {
            // The file the desktop opens with the program (its menu entry's %f).
            if (!options.file.empty()) {
                options.error =
                    "only one configuration file can be opened: " + options.file + ", " + argument;
            }
            options.file = argument;
        }
    }
    if (options.error.empty() && options.simulate && !options.port.empty()) {
        options.error = "--simulate and --port exclude each other";
    }
    return options;
}

std::string UsageText() {
    std::string text = "Usage: vorn-programmer [OPTION...] [FILE]\n"
                       "The VORN Family Programmer: configure the devices of the VORN family.\n"
                       "FILE, a configuration file (.vorn), is opened once the program has started.\n"
                       "\n";
    constexpr std::size_t Column = 25;
    for (const OptionHelp& option : Options) {
        std::string name = std::string("  ") + option.option;
        name.resize(Column, ' ');
        std::string line = name;
        for (const char c : std::string(option.text)) {
            line += c;
            if (c == '\n') {
                line += std::string(Column, ' ');
            }
        }
        text += line + "\n";
    }
    return text + "\n"
                  "The two options with one dash are read in any letter case. Settings, language files and\n"
                  "default configurations: see vorn-programmer(1).\n";
}

std::string ManualOptions() {
    std::string roff = ".SH OPTIONS\n";
    for (const OptionHelp& option : Options) {
        roff += ".TP\n.B " + Roff(option.option) + "\n" + Roff(option.text) + ".\n";
    }
    return roff;
}

} // namespace vorn::gui
