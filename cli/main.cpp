// vornctl: shows, changes, compares and creates configuration files from the command line, and reads
// and writes devices through the interface unit.
#include "Commands.h"
#include "DeviceCommands.h"
#include "DidYouMean.h"
#include "SelfDescription.h"
#include "Version.h"
#include "base/CodeList.h"
#include "base/Utf8.h"
#include "model/Catalogue.h"
#include "platform/Interrupt.h"
#include "platform/System.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

namespace {

using namespace vorn::cli;

// The global options that take a value, so their value is not taken for a command's name.
constexpr std::string_view ValueOptions[] = {"--lang", "--region", "--port"};

// The first word that is neither an option nor an option's value: the command as typed.
std::string TypedCommand(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view word = arguments[i];
        if (word == "--") {
            return i + 1 < arguments.size() ? arguments[i + 1] : "";
        }
        if (word.starts_with("-")) {
            bool takesValue = false;
            for (const std::string_view option : ValueOptions) {
                takesValue = takesValue || word == option;
            }
            i += takesValue ? 1 : 0;
            continue;
        }
        return std::string(word);
    }
    return {};
}

int RunCommand(const std::vector<std::string>& arguments) {
    CLI::App app{"vornctl: configuration files of the VORN family and their devices from the command line"};
    app.set_version_flag("--version", std::string("vornctl ") + vorn::ProgramVersion);
    app.require_subcommand(1);
    // Options are written the same on every platform: on Windows "/x" would otherwise be an option,
    // not a path.
    app.allow_windows_style_options(false);
    // Global options may also follow the command ("vornctl show x.vorn --lang Deutsch-1031.lang").
    app.fallthrough();
    app.footer("Example: vornctl --simulate read --model TARV --serial 1001 -o tarv.vorn\n"
               "vornctl COMMAND --help shows a command's options and an example.");
    GlobalOptions global;
    app.add_option("--lang", global.languageFile,
                   "language file (default: the settings' language, else English)");
    app.add_option("--region", global.region,
                   "region by name for this command (default: the settings' region, else the first)");

    // An empty output path must not quietly mean "the input file".
    const CLI::Validator nonEmptyPath(
        [](std::string& value) {
            return value.empty() ? std::string("an empty path names no file") : std::string();
        },
        "PATH");
    std::string file, second, output, model, regionName;
    std::vector<std::string> assignments;
    bool json = false;

    auto* show = app.add_subcommand("show", "print every field of a configuration file");
    show->add_option("FILE", file, "configuration file")->required();
    show->add_flag("--json", json, "one JSON object");
    show->footer("Example: vornctl show tarv.vorn");

    auto* set = app.add_subcommand("set", "type values into fields and store the file");
    set->add_option("FILE", file, "configuration file")->required();
    set->add_option("ASSIGNMENTS", assignments,
                    "NAME=VALUE: text typed key by key, #CODE or a list text, 0 or 1")
        ->required();
    set->add_option("-o,--output", output, "file to write (default: FILE; - for standard output)")
        ->check(nonEmptyPath);
    set->footer("Example: vornctl set tarv.vorn edtBatteryCheckInterval=12 cbbxSendAck=#0 -o changed.vorn");

    auto* diff = app.add_subcommand("diff", "the fields and bytes in which two files differ");
    diff->add_option("A", file, "first file")->required();
    diff->add_option("B", second, "second file")->required();
    diff->add_flag("--json", json, "one JSON object");
    diff->footer("Example: vornctl diff tarv.vorn changed.vorn\n"
                 "Exit status: 0 the same, 1 different, as diff(1).");

    auto* sheet =
        app.add_subcommand("sheet", "the configuration sheet of a file, as HTML: every field as label "
                                    "and value, as the window prints it");
    sheet->add_option("FILE", file, "configuration file")->required();
    sheet->add_option("-o,--output", output, "file to write (default: - , standard output)")
        ->check(nonEmptyPath);
    sheet->footer("Example: vornctl sheet bode.vorn -o bode.html --lang Deutsch-1031.lang");

    auto* create = app.add_subcommand("new", "the region's default configuration of a model");
    create->add_option("MODEL", model, "model name or product-type byte")->required();
    create->add_option("-o,--output", output, "file to write; - for standard output")
        ->required()
        ->check(nonEmptyPath);
    create->footer("Example: vornctl new BODE -o bode.vorn");

    auto* models = app.add_subcommand("models", "the twelve models");
    models->add_flag("--json", json, "JSON");
    models->footer("Example: vornctl models --json");
    auto* regions = app.add_subcommand("regions", "the regions of the language file");
    regions->add_flag("--json", json, "JSON");
    regions->footer("Example: vornctl regions");
    auto* bands = app.add_subcommand("bands", "the frequency bands of the region");
    bands->add_flag("--json", json, "JSON");
    bands->footer("Example: vornctl --region USA bands");
    auto* region = app.add_subcommand(
        "region",
        "choose the program's region, as File > Select new region... does (stored in the settings)");
    region->add_option("NAME", regionName, "region name or its shown text")->required();
    region->footer("Example: vornctl region Europe");

    DeviceCommands device;
    device.Register(app, global);

    // For the shell completion and the manual page; not listed in --help.
    constexpr const char* CompletionKinds[] = {"commands", "options", "models", "regions", "fields"};
    std::string completionKind, completionCommand;
    auto* complete = app.add_subcommand("complete", "the words the shell completion offers, one a line");
    complete->group("");
    complete->add_option("KIND", completionKind, "commands, options, models, regions or fields")
        ->required()
        ->check(
            CLI::IsMember(std::vector<std::string>(std::begin(CompletionKinds), std::end(CompletionKinds))));
    complete->add_option("COMMAND", completionCommand, "options: the command's (default: the global ones)");
    auto* manual = app.add_subcommand("manual", "the manual page's options and commands, in roff");
    manual->group("");

    // A mistyped command gets the nearest names rather than CLI11's bare "not expected".
    if (const std::string typed = TypedCommand(arguments); !typed.empty()) {
        std::vector<std::string> names;
        for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
            names.push_back(sub->get_name());
        }
        if (std::find(names.begin(), names.end(), typed) == names.end()) {
            std::fprintf(stderr, "vornctl: unknown command: %s%s (see vornctl --help)\n",
                         vorn::EscapeControlCharacters(typed).c_str(), DidYouMean(typed, names).c_str());
            return ExitUsage;
        }
    }
    global.commandLine = arguments;

    try {
        std::vector<const char*> words;
        for (const std::string& argument : arguments) {
            words.push_back(argument.c_str());
        }
        app.parse(static_cast<int>(words.size()), words.data());
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? ExitSuccess : ExitUsage;
    }
    try {
        if (models->parsed()) {
            return Models(json);
        }
        if (manual->parsed()) {
            std::cout << ManualPageBody(app);
            return ExitSuccess;
        }
        if (complete->parsed() && completionKind != "regions") {
            std::vector<std::string> words;
            if (completionKind == "commands") {
                words = CommandNames(app);
            } else if (completionKind == "options") {
                words = OptionNames(app, completionCommand);
            } else if (completionKind == "fields") {
                words = FieldNames();
            } else {
                for (const vorn::ProductInfo& product : vorn::Catalogue) {
                    words.emplace_back(product.model);
                }
            }
            for (const std::string& word : words) {
                std::cout << word << "\n";
            }
            return ExitSuccess;
        }
        if (device.LocalParsed()) {
            return device.RunLocal(global);
        }
        global.deviceCommand = device.Parsed();
        if (global.deviceCommand) {
            // Ctrl+C and a termination request end a device command at its next safe point, with the
            // unit closed and its port free for the next command.
            vorn::CatchStopRequests();
        }
        global.regionToChoose = region->parsed() ? regionName : std::string();
        CliContext context(global);
        if (device.Parsed()) {
            return device.Run(context, global);
        }
        if (region->parsed()) {
            return ChooseRegion(context, regionName);
        }
        if (show->parsed() || set->parsed() || diff->parsed() || sheet->parsed()) {
            context.RequireConfigurationData();
        }
        if (show->parsed()) {
            return Show(context, file, json);
        }
        if (set->parsed()) {
            return Set(context, file, assignments, output);
        }
        if (sheet->parsed()) {
            return Sheet(context, file, output.empty() ? "-" : output);
        }
        if (diff->parsed()) {
            return Diff(context, file, second, json);
        }
        if (create->parsed()) {
            return New(context, model, output);
        }
        if (regions->parsed()) {
            return Regions(context, json);
        }
        if (complete->parsed()) {
            for (const std::string& item : context.lists.Regions) {
                std::cout << vorn::NamePart(item) << "\n";
            }
            return ExitSuccess;
        }
        context.RequireBands();
        return Bands(context, json);
    } catch (const CliError& error) {
        std::fprintf(stderr, "vornctl: %s\n", error.what());
        return error.status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vornctl: %s\n", error.what());
        return ExitFailed;
    }
}

} // namespace

int main(int argc, char** argv) {
    // A closed pipe and the file-size limit are reported (or, for the support trace, noted) like any
    // other failed write, instead of ending the program in the middle of a device command.
    vorn::IgnoreFileWriteSignals();
    vorn::PrepareStandardStreams();
    // A command's output is written once at the end, where a failure is seen with its reason.
    static char outputBuffer[1 << 20];
    if (!vorn::IsTerminal(vorn::StandardStream::Output)) {
        std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    }
    return vorn::cli::FinishOutput(RunCommand(vorn::ProgramArguments(argc, argv)));
}
