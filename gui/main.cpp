// Temporary composition: the window over the editor and the language, until the program controller
// is there.
#include "editor/Editor.h"
#include "gui/ProgramOptions.h"
#include "gui/QtDialogView.h"
#include "gui/Screenshots.h"
#include "gui/StartupBenchmark.h"
#include "gui/TfrmEdit.h"
#include "gui/VornApplication.h"
#include "lang/LanguageController.h"
#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "platform/Folders.h"
#include "platform/Registry.h"

#include <cstdio>

#include <QApplication>
#include <QTabWidget>

using namespace vorn;

int main(int argc, char** argv) {
    gui::StartupBenchmark bench;
    gui::VornApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const gui::ProgramOptions options = gui::ParseProgramOptions(args);
    gui::TfrmEdit window;
    gui::QtDialogView dialogs(&window);
    ListIni texts;
    CodeLists lists;
    Editor editor(lists, texts, dialogs);
    LanguageController language(texts, lists, editor.Fields(), dialogs, window);
    window.BindFields(editor.Fields());
    const std::string install = InstallationFolder();
    language.ChooseAtStartup(install, "English-1033.lang", {});
    language.ApplyAtFirstShow();
    const Registry registry = Registry::Load(install + "Registry.ini");
    auto bands = [&](const char* which) {
        return *registry.ValueNames(std::string(ProgramRegistryKey) + "Regions\\Europe\\" + which);
    };
    lists.ReceiveBands = bands("RxFrequencyBands");
    lists.TransmitBands = bands("TxFrequencyBands");
    for (const char* f : {"cbbxTxFrequencyBand", "cbbxGOFA_TxFrequencyBand"}) {
        FillDropDown(editor.Fields(), f, DisplayTexts(lists.TransmitBands));
    }
    for (const char* f : {"cbbxRxFrequencyBand", "cbbxGOFA_RxFrequencyBand"}) {
        FillDropDown(editor.Fields(), f, DisplayTexts(lists.ReceiveBands));
    }
    for (const char* page : {"tbsButtons", "tbsRadioEvents", "tbsActions", "tbsPreferences", "tbsHeskConfig",
                             "tbsGofaRfid", "tbsGofaRadio"}) {
        window.SetPageTabVisible(page, false);
    }
    auto choose = [&](int button) {
        const ProductInfo& product = Catalogue[static_cast<std::size_t>(button - 1)];
        ProgData data;
        data.ReadImageFile(install + "DefaultConfig/Europe/" + std::string(product.defaultFileName));
        for (Family f : {Family::A, Family::B, Family::C}) {
            for (auto page : PagesOfFamily(f)) {
                window.SetPageTabVisible(page, f == product.family);
            }
        }
        editor.ActionsPageVisible = product.family == Family::A;
        editor.ImageToFields(data.Image);
        editor.RebuildActionReferences();
    };
    window.SetHandlers({.deviceButton = choose, .tick = [&] { editor.RebuildActionReferences(); }});
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--screenshots" && i + 1 < argc) {
            gui::ScreenshotScript script;
            script.languages = static_cast<int>(language.LanguageFiles().size());
            script.languageName = [&](int tag) {
                return QString::fromStdString(
                    LanguageDisplayName(language.LanguageFiles()[static_cast<std::size_t>(tag)]));
            };
            script.chooseLanguage = [&](int tag) { language.ChangeLanguage(tag); };
            script.chooseDevice = [&](int button) { choose(button); };
            const QStringList files =
                gui::WriteScreenshots(window, script, QString::fromLocal8Bit(argv[i + 1]));
            for (const QString& f : files) {
                std::printf("%s\n", qPrintable(f));
            }
            window.UnbindFields();
            return files.isEmpty() ? 1 : 0;
        }
    }
    if (options.startupBenchmark)
        bench.Watch(window);
    window.show();
    const int code = QApplication::exec();
    window.UnbindFields();
    return code;
}
