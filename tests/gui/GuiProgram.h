#pragma once

#include "gui/ProgramWindow.h"
#include "link/SerialUnitDriver.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"
#include "sim/RealTimeUnit.h"
#include "sim/SimulatedUnit.h"
#include "support/TempDir.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QString>

namespace vorn::test {

// The window program as the operator starts it, on temporary folders and with no interface unit:
// empty data and documents folders, the staged installation, a locale. A first start answers the
// region dialog with OK (the first region, Europe) and notes how the dialog looked.
class GuiProgram {
public:
    explicit GuiProgram(const std::string& locale = "en_US.UTF-8");
    ~GuiProgram();

    // Creates and starts the program (FormCreate, show, FormShow) with its editor pages built, and
    // makes its window the active one.
    gui::TfrmEdit& Start(const std::vector<std::string>& arguments = {});
    // Ends the program as at the end of a run (its folders stay).
    void Stop() { program.reset(); }
    // Before Start: the demo unit of --simulate stands in for the interface unit, on the test's
    // virtual clock (a session takes no time; a presence unit's button is pressed once the test moves
    // the clock on) or, as in the program, in real time on the real clock.
    sim::SimulatedUnit& UseDemoUnit();
    sim::RealTimeUnit& UseRealTimeDemoUnit();

    gui::TfrmEdit& Window() { return program->Window(); }
    ProgramController& Controller() { return program->Controller(); }

    TempDir root;
    std::map<std::string, std::string> environment;
    TraceSink trace;
    VirtualClock clock; // the link never waits in real time in a test, but with the real-time unit
    SerialUnitDriver driver;
    std::unique_ptr<sim::SimulatedUnit> demo;
    std::unique_ptr<sim::RealTimeUnit> realTimeDemo;
    std::unique_ptr<gui::ProgramWindow> program;

    // What the program's link works with.
    UnitDriver* unit = &driver;
    RealClock realClock;
    Clock* linkClock = &clock;

    // How the first start's region dialog looked; answered with OK.
    bool regionDialogShown = false;
    bool regionDialogHadClose = true;
    QString regionDialogTitle;
};

} // namespace vorn::test
