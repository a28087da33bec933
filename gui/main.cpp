// vorn-programmer: the VORN Family Programmer's window.
#include "Version.h"
#include "gui/HeadlessScreen.h"
#include "gui/ProgramOptions.h"
#include "gui/ProgramWindow.h"
#include "gui/Screenshots.h"
#include "gui/StartupBenchmark.h"
#include "gui/VornApplication.h"
#include "link/UnitBackend.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"
#include "sim/DemoUnit.h"
#include "sim/RealTimeUnit.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace vorn;

int main(int argc, char** argv) {
    gui::StartupBenchmark benchmark;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const gui::ProgramOptions options = gui::ParseProgramOptions(arguments);
    if (!options.error.empty()) {
        std::fprintf(stderr, "vorn-programmer: %s\n%s", options.error.c_str(), gui::UsageText().c_str());
        return 1;
    }
    if (options.help) {
        std::fputs(gui::UsageText().c_str(), stdout);
        return 0;
    }
    if (options.manual) {
        std::fputs(gui::ManualOptions().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("vorn-programmer %s\n", ProgramVersion);
        return 0;
    }
    // Pictures and measurements need no display (nor a desktop session's runtime folder).
    std::optional<QTemporaryDir> runtime;
    std::optional<QTemporaryDir> platformFolder;
    if (options.screenshots || options.startupBenchmark) {
        // A screen large enough for the whole window; "offscreen:configfile=..." names another.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qgetenv("QT_QPA_PLATFORM") == "offscreen") {
            qputenv("QT_QPA_PLATFORM", gui::OffscreenPlatform(platformFolder.emplace().path()));
        }
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.emplace().isValid()) {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
        }
    }
    gui::VornApplication app(argc, argv);
    // The menu entry (vorn-programmer.desktop): desktops take the window's icon and name from it.
    QGuiApplication::setDesktopFileName(QStringLiteral("vorn-programmer"));
    try {
        TraceSink trace;
        trace.SetEcho(options.debug || TraceSink::EchoRequestedByEnvironment());
        RealClock clock;
        // The interface unit at its port, or with --simulate the demo unit in this process.
        sim::RealTimeUnit* demo = nullptr;
        std::unique_ptr<UnitDriver> unit;
        if (options.simulate) {
            auto made = std::make_unique<sim::RealTimeUnit>();
            demo = made.get();
            unit = std::move(made);
        } else {
            unit = MakeUnitDriver(options.port);
        }
        UnitDriver& driver = *unit;
        // The demo devices start from the installation's defaults, known once the program has started.
        const auto startDemo = [demo](gui::ProgramWindow& program) {
            if (demo != nullptr) {
                demo->Scenario() = sim::DemoScenario(program.Controller().Folders().installation);
                program.ShowDemoUnitNote();
            }
        };
        if (options.screenshots) {
            // A first start on folders of its own, in every language.
            QTemporaryDir folders;
            gui::ProgramWindow program({.driver = driver,
                                        .clock = clock,
                                        .trace = trace,
                                        .environment = gui::ScreenshotEnvironment(folders.path())});
            gui::AnswerFirstStartRegion();
            program.Start({});
            startDemo(program);
            const QStringList written =
                gui::WriteScreenshots(program, QString::fromLocal8Bit(options.screenshots->c_str()));
            for (const QString& file : written) {
                std::printf("%s\n", qPrintable(file));
            }
            if (written.isEmpty()) {
                std::fprintf(stderr, "vorn-programmer: could not write the screenshots to %s\n",
                             options.screenshots->c_str());
                return 1;
            }
            return 0;
        }
        gui::ProgramWindow program({.driver = driver, .clock = clock, .trace = trace});
        if (options.startupBenchmark) {
            benchmark.Watch(program.Window());
        }
        program.Start(options.arguments);
        startDemo(program);
        if (!options.file.empty()) {
            program.Controller().OpenCommandLineFile(options.file);
        }
        return QApplication::exec();
    } catch (const std::exception& error) {
        // An exception that escapes the start-up is shown; the program then ends.
        gui::VornApplication::ShowException(QString::fromStdString(error.what()));
        return 0;
    }
}
