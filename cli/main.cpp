// vornctl: shows, changes, compares and creates configuration files from the command line, and reads
// and writes devices through the interface unit.
#include "Commands.h"
#include "DeviceCommands.h"
#include "Version.h"

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int RunCommand(int argc, char** argv) {
    using namespace vorn::cli;
    CLI::App app{"vornctl: configuration files of the VORN family from the command line"};
    app.set_version_flag("--version", std::string("vornctl ") + vorn::ProgramVersion);
    app.require_subcommand(1);
    GlobalOptions global;
    app.add_option("--lang", global.languageFile,
                   "language file (default: the settings' language, else English)");
    app.add_option("--region", global.region,
                   "region by name (default: the settings' region, else the first)");

    // An empty output path must not quietly mean "the input file".
    const CLI::Validator nonEmptyPath(
        [](std::string& value) {
            return value.empty() ? std::string("an empty path names no file") : std::string();
        },
        "PATH");
    std::string file, second, output, model;
    std::vector<std::string> assignments;
    bool json = false;

    auto* show = app.add_subcommand("show", "print every field of a configuration file");
    show->add_option("FILE", file, "configuration file")->required();
    show->add_flag("--json", json, "one JSON object");

    auto* set = app.add_subcommand("set", "type values into fields and store the file");
    set->add_option("FILE", file, "configuration file")->required();
    set->add_option("ASSIGNMENTS", assignments,
                    "NAME=VALUE: text typed key by key, #CODE or a list text, 0 or 1")
        ->required();
    set->add_option("-o,--output", output, "file to write (default: FILE)")->check(nonEmptyPath);

    auto* diff = app.add_subcommand("diff", "the fields and bytes in which two files differ");
    diff->add_option("A", file, "first file")->required();
    diff->add_option("B", second, "second file")->required();
    diff->add_flag("--json", json, "one JSON object");

    auto* create = app.add_subcommand("new", "the region's default configuration of a model");
    create->add_option("MODEL", model, "model name or product-type byte")->required();
    create->add_option("-o,--output", output, "file to write")->required()->check(nonEmptyPath);

    auto* models = app.add_subcommand("models", "the twelve models");
    models->add_flag("--json", json, "JSON");
    auto* regions = app.add_subcommand("regions", "the regions of the language file");
    regions->add_flag("--json", json, "JSON");
    auto* bands = app.add_subcommand("bands", "the frequency bands of the region");
    bands->add_flag("--json", json, "JSON");
    DeviceCommands device;
    device.Register(app, global);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? ExitSuccess : ExitUsage;
    }
    try {
        if (models->parsed()) {
            return Models(json);
        }
        global.deviceCommand = device.Parsed();
        CliContext context(global);
        if (device.Parsed()) {
            return device.Run(context);
        }
        if (show->parsed() || set->parsed() || diff->parsed()) {
            context.RequireConfigurationData();
        }
        if (show->parsed()) {
            return Show(context, file, json);
        }
        if (set->parsed()) {
            return Set(context, file, assignments, output);
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
    // A closed pipe is reported like any other failed write, instead of ending the program silently.
    std::signal(SIGPIPE, SIG_IGN);
    // A command's output is written once at the end, where a failure is seen with its reason.
    static char outputBuffer[1 << 20];
    if (::isatty(STDOUT_FILENO) == 0) {
        std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    }
    return vorn::cli::FinishOutput(RunCommand(argc, argv));
}
