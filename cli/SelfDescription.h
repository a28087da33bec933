#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

// What vornctl says about itself, from the same definitions its --help prints: the commands and
// options of its manual page, and the words its shell completion offers.
namespace vorn::cli {

// The manual page's lists of global options and of commands, as roff text.
std::string ManualPageBody(const CLI::App& app);

// The names of the commands a user may type (hidden ones left out).
std::vector<std::string> CommandNames(const CLI::App& app);
// The options of a command, or the global ones for an empty command name.
std::vector<std::string> OptionNames(const CLI::App& app, const std::string& command);
// Every field name of the three families, as set takes them.
std::vector<std::string> FieldNames();

} // namespace vorn::cli
