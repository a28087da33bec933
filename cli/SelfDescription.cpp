#include "SelfDescription.h"

#include "base/AsciiText.h"
#include "model/Conversion.h"

#include <CLI/CLI.hpp>

namespace vorn::cli {

namespace {

// Text as roff prints it: backslashes and hyphens escaped, no line starting with a control character.
std::string Roff(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
        if (c == '\n') {
            out += "\\&";
        }
    }
    return (out.starts_with('.') || out.starts_with('\'')) ? "\\&" + out : out;
}

bool Visible(const CLI::App* sub) {
    return !sub->get_group().empty();
}

bool IsHelp(const CLI::Option* option) {
    return option->get_name() == "--help";
}

// "-o, --output FILE" or "FILE" for a positional.
std::string Synopsis(const CLI::Option* option) {
    if (option->get_positional()) {
        return option->get_name(true);
    }
    std::string names;
    for (const std::string& s : option->get_snames()) {
        names += (names.empty() ? "-" : ", -") + s;
    }
    for (const std::string& l : option->get_lnames()) {
        names += (names.empty() ? "--" : ", --") + l;
    }
    // A flag takes no value; an option's value is named after the option ("--serial SERIAL").
    if (option->get_items_expected_max() > 0 && !option->get_lnames().empty()) {
        names += " " + UpperCase(option->get_lnames().front());
    }
    return names;
}

// One item per option of the command (--help and positionals left out); the number written.
std::size_t OptionItems(std::string& out, const CLI::App& app) {
    std::size_t written = 0;
    for (const CLI::Option* option : app.get_options()) {
        if (IsHelp(option) || option->get_positional()) {
            continue;
        }
        out += ".TP\n.B " + Roff(Synopsis(option)) + "\n" + Roff(option->get_description()) +
               (option->get_required() ? " (required)" : "") + "\n";
        ++written;
    }
    return written;
}

std::vector<const CLI::App*> Commands(const CLI::App& app) {
    std::vector<const CLI::App*> commands;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
        if (Visible(sub)) {
            commands.push_back(sub);
        }
    }
    return commands;
}

} // namespace

std::string ManualPageBody(const CLI::App& app) {
    std::string out = ".SH GLOBAL OPTIONS\nThey may stand before or after the command.\n";
    OptionItems(out, app);
    out += ".SH COMMANDS\n";
    for (const CLI::App* command : Commands(app)) {
        std::string usage = command->get_name();
        for (const CLI::Option* option : command->get_options()) {
            if (option->get_positional()) {
                usage += " " + option->get_name(true);
            }
        }
        out += ".SS " + Roff(usage) + "\n" + Roff(command->get_description()) + ".\n";
        std::string items;
        if (OptionItems(items, *command) > 0) {
            out += ".RS\n" + items + ".RE\n";
        }
        if (const std::string footer = command->get_footer(); !footer.empty()) {
            out += ".PP\n.nf\n" + Roff(footer) + "\n.fi\n";
        }
    }
    return out;
}

std::vector<std::string> CommandNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* command : Commands(app)) {
        names.push_back(command->get_name());
    }
    return names;
}

std::vector<std::string> OptionNames(const CLI::App& app, const std::string& command) {
    const CLI::App* owner = &app;
    if (!command.empty()) {
        owner = nullptr;
        for (const CLI::App* sub : Commands(app)) {
            if (sub->get_name() == command) {
                owner = sub;
            }
        }
    }
    std::vector<std::string> names;
    if (owner == nullptr) {
        return names;
    }
    for (const CLI::Option* option : owner->get_options()) {
        for (const std::string& s : option->get_snames()) {
            names.push_back("-" + s);
        }
        for (const std::string& l : option->get_lnames()) {
            names.push_back("--" + l);
        }
    }
    return names;
}

std::vector<std::string> FieldNames() {
    std::vector<std::string> names;
    for (const Family family : {Family::A, Family::B, Family::C}) {
        for (const FieldRow& row : FieldRowsOf(family)) {
            names.push_back(row.name);
        }
    }
    return names;
}

} // namespace vorn::cli
