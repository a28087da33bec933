#include "GuiProgram.h"

#include "GuiSupport.h"
#include "sim/DemoUnit.h"
#include "support/Paths.h"

#include <filesystem>

namespace vorn::test {

GuiProgram::GuiProgram(const std::string& locale)
    // A search for the unit below empty folders finds none.
    : driver(SerialPortOptions{.SysRoot = root.Path() + "/sys", .DevRoot = root.Path() + "/dev"}) {
    std::filesystem::create_directories(root.Path() + "/data");
    std::filesystem::create_directories(root.Path() + "/docs");
    environment = {
        {"HOME", root.Path() + "/home"},
        {"XDG_DATA_HOME", root.Path() + "/data"},
        {"XDG_DOCUMENTS_DIR", root.Path() + "/docs"},
        {"XDG_CONFIG_HOME", root.Path() + "/config"},
        {"VORN_INSTALL_DIR", DataFolder()},
        {"LANG", locale},
    };
}

GuiProgram::~GuiProgram() {
    program.reset();
}

sim::SimulatedUnit& GuiProgram::UseDemoUnit() {
    demo = std::make_unique<sim::SimulatedUnit>(clock, sim::DemoScenario(DataFolder()));
    unit = demo.get();
    return *demo;
}

sim::RealTimeUnit& GuiProgram::UseRealTimeDemoUnit() {
    realTimeDemo = std::make_unique<sim::RealTimeUnit>(sim::DemoScenario(DataFolder()));
    unit = realTimeDemo.get();
    linkClock = &realClock;
    return *realTimeDemo;
}

gui::TfrmEdit& GuiProgram::Start(const std::vector<std::string>& arguments) {
    program = std::make_unique<gui::ProgramWindow>(ProgramPlatform{
        .driver = *unit,
        .clock = *linkClock,
        .trace = trace,
        .environment = [env = environment](const char* name) -> std::optional<std::string> {
            const auto found = env.find(name);
            return found == env.end() ? std::nullopt : std::optional<std::string>(found->second);
        },
        .executablePath = root.Path() + "/bin/vorn-programmer",
    });
    WhenModalShown([this](QWidget* modal) {
        if (modal->objectName() != QLatin1String("frmSelectRegion")) {
            return;
        }
        regionDialogShown = true;
        regionDialogHadClose = modal->findChild<QWidget*>(QStringLiteral("btnClose"))->isVisible();
        regionDialogTitle = modal->windowTitle();
        ClickButton(modal, "btnOk");
    });
    program->Start(arguments);
    // A later start asks nothing: the wait for the dialog ends here.
    StopWatchingModals();
    gui::TfrmEdit& window = program->Window();
    window.EnsurePagesBuilt();
    ShowActive(window);
    return window;
}

} // namespace vorn::test
