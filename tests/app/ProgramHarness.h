#pragma once

#include "app/ProgramController.h"
#include "base/IniDocument.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"
#include "sim/SimulatedUnit.h"
#include "support/Paths.h"
#include "support/ScriptedOperator.h"
#include "support/TempDir.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorn::test {

// The program on temporary folders: a copy of the staged installation, empty XDG data and documents
// folders, an English locale, the scripted operator in every role and the simulated unit on a
// virtual clock. Nothing reaches the real home.
class ProgramHarness {
public:
    ProgramHarness();

    // On a memory file system when there is one: a first start syncs some thirty files.
    TempDir root{FastTemporaryFolder()};
    std::map<std::string, std::string> environment;
    ScriptedOperator view;
    VirtualClock clock;
    TraceSink trace;
    sim::SimulatedUnit unit{clock};
    // The device windows' roles and an event pump of a test's own, given to the next Construct (none:
    // the do-nothing windows and the scripted operator's pump).
    WaitView* wait = nullptr;
    SelectDeviceView* selectDevice = nullptr;
    ReceiveRadioView* receiveRadio = nullptr;
    ChangeCodeView* changeCode = nullptr;
    SheetView* sheet = nullptr;
    BackupsView* backups = nullptr;
    EventPump* pump = nullptr;
    std::unique_ptr<ProgramController> program;

    std::string Install() const { return Native(root.Path() + "/install/"); }
    std::string DataFolder() const { return Native(root.Path() + "/data/ORSK/VORN Programmer v2/"); }
    std::string ConfigFolder() const { return Native(root.Path() + "/docs/ORSK/VORN v2 Config/"); }
    std::string SettingsPath() const { return DataFolder() + "VornProg_v2.ini"; }

    // A new controller (the previous one is dropped, as at the end of a run).
    ProgramController& Construct(RunMode mode = RunMode::Program);
    // Construct, FormCreate and FormShow.
    ProgramController& Start(const std::vector<std::string>& arguments = {}, RunMode mode = RunMode::Program);
    // A first start that chooses the region with that index of the region list.
    ProgramController& StartWithRegion(int regionIndex = 0);
    // A started program with the default of a model loaded by its device button (1 to 12).
    ProgramController& StartWithModel(int button, int regionIndex = 0);

    // The settings file's values as the program would read them ("" when missing).
    std::string Setting(const std::string& key) const;
    // The settings file's text, for checks of its form.
    std::string SettingsText() const;
    void WriteSettings(const std::string& text);
    // The staged default of a model for a region.
    std::string InstalledDefault(const std::string& region, const std::string& fileName) const;
    // A copy of a staged default, written to a file in the temporary folder; its path.
    std::string CopyOfDefault(const std::string& region, const std::string& fileName,
                              const std::string& name);
};

// Replaces a whole section of an installed text file (a language file, Registry.ini); an empty body
// removes it.
void ReplaceSection(const std::string& file, const std::string& header, const std::string& body);

} // namespace vorn::test
