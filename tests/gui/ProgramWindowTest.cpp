#include "gui/ProgramWindow.h"

#include "GuiProgram.h"
#include "GuiSupport.h"
#include "gui/ElidedLabel.h"
#include "gui/TfrmAbout.h"
#include "gui/TfrmSelectRegion.h"
#include "lang/ListIni.h"
#include "lang/Shortcut.h"
#include "lang/TextCatalogue.h"
#include "link/SerialUnitDriver.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"
#include "support/Paths.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <map>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

using gui::ProgramWindow;
using gui::TfrmEdit;

const QString Title = QStringLiteral("VORN Family Programmer");

// The window program on temporary folders, in English.
class ProgramWindowTest : public ::testing::Test {
protected:
    TfrmEdit& Start(const std::vector<std::string>& arguments = {}) { return gui.Start(arguments); }

    TfrmEdit& Window() { return gui.Window(); }
    QAction* Action(const char* name) { return Window().Action(name); }
    template <typename W = QWidget>
    W* Control(const char* name) {
        return Window().findChild<W*>(QLatin1String(name));
    }
    std::vector<std::string> VisibleTabs() {
        std::vector<std::string> tabs;
        QTabWidget* pages = Window().PageControl();
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->isTabVisible(i)) {
                tabs.push_back(pages->widget(i)->objectName().toStdString());
            }
        }
        return tabs;
    }
    // The default of a model, copied to a file of the temporary folder.
    std::string CopyOfDefault(const std::string& fileName, const std::string& name) {
        const std::string path = root.File(name);
        std::filesystem::copy_file(DataFolder() + "DefaultConfig/Europe/" + fileName, path);
        return path;
    }
    // Files dropped on the main window from the desktop.
    void Drop(const std::vector<std::string>& paths) {
        QList<QUrl> urls;
        for (const std::string& path : paths) {
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        }
        QMimeData data;
        data.setUrls(urls);
        QWidget* target = Window().PageControl()->currentWidget();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        EXPECT_TRUE(drop.isAccepted());
    }
    // Runs an act that shows one message dialog, answers it with a button and returns its text.
    QString AnswerMessage(const std::function<void()>& act, const char* button) {
        QString text;
        WhenModalShown([&text, button](QWidget* modal) {
            text = MessageText(modal);
            ClickButton(modal, button);
        });
        act();
        // A deferred act (a drop) shows its message from the event loop.
        for (int i = 0; i < 50 && text.isEmpty(); ++i) {
            QTest::qWait(10);
        }
        return text;
    }
    std::string English(std::string_view section, std::string_view key) {
        ListIni reader;
        reader.LoadFile(DataFolder() + "English-1033.lang");
        return reader.Text(section, key);
    }

    GuiProgram gui;
    TempDir& root = gui.root;
};

TEST_F(ProgramWindowTest, AtStartOnlyTheDevicePageAndTheFileMenusFirstItemsAreThere) {
    TfrmEdit& window = Start();
    EXPECT_TRUE(gui.regionDialogShown);
    EXPECT_FALSE(gui.regionDialogHadClose) << "the first start's region dialog has no Close button";
    EXPECT_EQ(gui.regionDialogTitle, Title);
    EXPECT_EQ(VisibleTabs(), std::vector<std::string>{"tbsSelectDevice"});
    EXPECT_EQ(ShownCaption(window), Title);
    for (const char* disabled :
         {"mnuFileNew", "mnuFileSave", "mnuFileSaveAs", "mnuFileChangeDefaultConfig", "mnuComm"}) {
        EXPECT_FALSE(Action(disabled)->isEnabled()) << disabled;
    }
    for (const char* enabled : {"mnuFile", "mnuFileOpen", "mnuFileExit", "mnuFileLanguage", "mnuHelp",
                                "mnuHelpAbout", "mnuCommReadFromDevice", "mnuCommWriteToDevice"}) {
        EXPECT_TRUE(Action(enabled)->isEnabled()) << enabled;
    }
    EXPECT_FALSE(Action("mnuFileSelectNewRegion")->isVisible());
    EXPECT_TRUE(Action("mnuCommChangeIdCode")->isVisible());
    EXPECT_TRUE(Control("bbtnDevice_11")->isVisible());
    EXPECT_TRUE(Control("bbtnDevice_12")->isVisible());
    // The language menu: one radio item per language file, the current one checked.
    EXPECT_EQ(Action("Language_0")->text(), "Deutsch");
    EXPECT_TRUE(Action("Language_1")->isChecked());
    EXPECT_FALSE(Action("Language_0")->isChecked());
    EXPECT_EQ(window.size().width(), TfrmEdit::ClientWidth);
    EXPECT_EQ(window.PageControl()->height(), TfrmEdit::PageControlHeight);
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
}

TEST_F(ProgramWindowTest, TheOptionsShowTheRegionMenuAndTheServiceFields) {
    Start({"-SelectNewRegion", "-gofaviewall"});
    EXPECT_TRUE(Action("mnuFileSelectNewRegion")->isVisible());
    Control<QToolButton>("bbtnDevice_12")->click();
    for (const char* shown : {"edtGOFA_RadioProtocol", "lblGOFA_RadioProtocol", "edtGOFA_WatchdogReset",
                              "lblGOFA_WatchdogReset"}) {
        EXPECT_TRUE(Control(shown)->isVisibleTo(Window().PageControl()->widget(6))) << shown;
    }
}

TEST_F(ProgramWindowTest, WithoutTheOptionTheServiceFieldsAreHidden) {
    Start();
    Control<QToolButton>("bbtnDevice_12")->click();
    for (const char* hidden : {"edtGOFA_RadioTxPower", "lblGOFA_RadioTxPower", "lblGOFA_RfidProtocol"}) {
        EXPECT_TRUE(Control(hidden)->isHidden()) << hidden;
    }
}

TEST_F(ProgramWindowTest, TheHeskButtonShowsItsOnePageAndTheIdCodeCommand) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_10")->click();
    EXPECT_EQ(VisibleTabs(), (std::vector<std::string>{"tbsSelectDevice", "tbsHeskConfig"}));
    EXPECT_EQ(window.ActivePage(), "tbsHeskConfig");
    EXPECT_TRUE(Action("mnuCommChangeIdCode")->isVisible());
    for (const char* enabled :
         {"mnuFileNew", "mnuFileSave", "mnuFileSaveAs", "mnuFileChangeDefaultConfig", "mnuComm"}) {
        EXPECT_TRUE(Action(enabled)->isEnabled()) << enabled;
    }
    EXPECT_TRUE(Control("edtHESK_BatteryCheckInterval")->isEnabled());
    EXPECT_TRUE(Control("lblHESK_BatteryCheckInterval")->isEnabled());
    EXPECT_EQ(ShownCaption(window), "Default configuration - HESK - " + Title);
    EXPECT_EQ(window.StatusText(), "Configuration Default_HESK.vorn loaded.");
}

TEST_F(ProgramWindowTest, TheDadiduButtonAfterTarvHidesTheFamilyAPages) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_1")->click();
    EXPECT_EQ(VisibleTabs(), (std::vector<std::string>{"tbsSelectDevice", "tbsButtons", "tbsRadioEvents",
                                                       "tbsActions", "tbsPreferences"}));
    EXPECT_EQ(window.ActivePage(), "tbsButtons");
    EXPECT_FALSE(Action("mnuCommChangeIdCode")->isVisible());
    window.SetActivePage("tbsSelectDevice");
    Control<QToolButton>("bbtnDevice_12")->click();
    EXPECT_EQ(VisibleTabs(), (std::vector<std::string>{"tbsSelectDevice", "tbsGofaRfid", "tbsGofaRadio"}));
    EXPECT_EQ(window.ActivePage(), "tbsGofaRfid");
    EXPECT_EQ(Control<QLineEdit>("edtGOFA_ProductName")->text(), "DADIDU");
}

TEST_F(ProgramWindowTest, ReturningToTheDevicePageFocusesTheEditedModel) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_11")->click();
    window.PageControl()->setCurrentIndex(0);
    EXPECT_TRUE(Control("bbtnDevice_11")->hasFocus());
}

TEST_F(ProgramWindowTest, ABodeFileOpenedShowsItsNameInTheCaption) {
    TfrmEdit& window = Start();
    const std::string path = CopyOfDefault("Default_BODE.vorn", "MyConfig.vorn");
    WhenModalShown([&path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "odlgOpenBinFile");
        dialog->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    // File > Open... by its shortcut.
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(ShownCaption(window), "MyConfig.vorn - BODE - " + Title);
    EXPECT_EQ(window.StatusText(), "Configuration MyConfig.vorn loaded.");
    EXPECT_EQ(window.ActivePage(), "tbsButtons");
}

TEST_F(ProgramWindowTest, TheSheetIsExportedAsPdfAndCtrlPAsksForAPrinter) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_4")->click();
    const std::string path = root.File("bode-sheet.pdf");
    WhenModalShown([&path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Action("mnuFileExportSheet")->trigger();
    std::ifstream pdf(path, std::ios::binary);
    std::string start(5, '\0');
    pdf.read(start.data(), 5);
    EXPECT_EQ(start, "%PDF-");
    EXPECT_EQ(window.StatusText(), "Configuration sheet bode-sheet.pdf written.");

    QString asked;
    WhenModalShown([&asked](QWidget* modal) {
        asked = QString::fromLatin1(modal->metaObject()->className());
        QMetaObject::invokeMethod(modal, "reject");
    });
    EXPECT_EQ(Action("mnuFilePrint")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_TRUE(Action("mnuFilePrint")->isEnabled());
    Action("mnuFilePrint")->trigger();
    EXPECT_EQ(asked.toStdString(), "QPrintDialog");
}

TEST_F(ProgramWindowTest, ALanguageSwitchKeepsEveryListPositionAndChangesEveryText) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_4")->click();
    // Move some lists away from the default's positions, as an operator would.
    for (const char* list : {"cbbxUserEvent_2_Condition_B", "cbbxRadioEvent_3_AlarmType",
                             "cbbxAction_4_Relay_2", "cbbxSendAck", "cbbxRxFrequencyBand"}) {
        auto* combo = Control<QComboBox>(list);
        window.SetActivePage(combo->parentWidget()->parentWidget()->objectName().toStdString());
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
    }
    std::map<std::string, int> positions;
    for (QComboBox* combo : window.PageControl()->findChildren<QComboBox*>()) {
        positions[combo->objectName().toStdString()] = combo->currentIndex();
    }
    Action("Language_0")->trigger();
    for (QComboBox* combo : window.PageControl()->findChildren<QComboBox*>()) {
        EXPECT_EQ(combo->currentIndex(), positions[combo->objectName().toStdString()])
            << combo->objectName().toStdString();
    }
    ListIni german;
    german.LoadFile(DataFolder() + "Deutsch-1031.lang");
    for (const ControlTextKey& key : MainWindowTextKeys()) {
        const QString expected = QString::fromStdString(german.Text(key.section, key.key));
        const QString name = QString::fromStdString(key.control);
        if (key.property == ControlProperty::Shortcut) {
            EXPECT_EQ(
                Window().Action(key.control)->shortcut(),
                QKeySequence::fromString(QString::fromStdString(NormaliseShortcut(expected.toStdString())),
                                         QKeySequence::PortableText))
                << key.control;
            continue;
        }
        if (QAction* action = Window().Action(key.control); action != nullptr) {
            EXPECT_EQ(action->text(), expected) << key.control;
        } else if (auto* label = Window().findChild<QLabel*>(name); label != nullptr) {
            EXPECT_EQ(key.property == ControlProperty::Hint ? label->toolTip() : label->text(), expected)
                << key.control;
        } else if (auto* group = Window().findChild<QGroupBox*>(name); group != nullptr) {
            EXPECT_EQ(group->title(), expected) << key.control;
        } else if (auto* check = Window().findChild<QCheckBox*>(name); check != nullptr) {
            EXPECT_EQ(check->text(), expected) << key.control;
        }
    }
    // The lists were changed: the caption marks it.
    EXPECT_EQ(ShownCaption(Window()), "Standardkonfiguration* - BODE - VORN Family Programmer");
    EXPECT_TRUE(Action("Language_0")->isChecked());
    EXPECT_FALSE(Action("Language_1")->isChecked());
}

TEST_F(ProgramWindowTest, TypingAnOutOfRangeValueShowsTheMessageAndPutsBackTheValueBefore) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_4")->click();
    window.SetActivePage("tbsPreferences");
    auto* field = Control<QLineEdit>("edtBatteryCheckInterval");
    const QString before = field->text();
    ASSERT_FALSE(before.isEmpty());
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "25");
    const QString message = AnswerMessage([field] { QTest::keyClicks(field, "6"); }, "btnOK");
    EXPECT_EQ(message.toStdString(), "The entered value must be between 0 and 255.");
    EXPECT_EQ(field->text(), before);
    EXPECT_EQ(gui.Controller().GetEditor().Fields().Get("edtBatteryCheckInterval").Text(),
              before.toStdString());
}

TEST_F(ProgramWindowTest, LeavingAPulseTimeFieldWithoutATimeShowsTheMessageAndSetsThreeSeconds) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_4")->click();
    window.SetActivePage("tbsPreferences");
    auto* pulse = Control<QLineEdit>("medtPulseActivationTime");
    pulse->setFocus();
    pulse->selectAll();
    QTest::keyClick(pulse, Qt::Key_Delete);
    EXPECT_EQ(pulse->displayText(), "    . ");
    // Moving on with the keyboard leaves the field: the core's check runs and its message shows.
    const QString message = AnswerMessage([pulse] { QTest::keyClick(pulse, Qt::Key_Tab); }, "btnOK");
    EXPECT_EQ(message.toStdString(), "The entered value must be between 0.1 and 6553.5.");
    EXPECT_EQ(pulse->displayText(), "   3.0");
    EXPECT_EQ(gui.Controller().GetEditor().Fields().Get("medtPulseActivationTime").Text(), "   3.0");
}

TEST_F(ProgramWindowTest, SaveOnADefaultAsksForANameAndTheWindowThenShowsIt) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_4")->click();
    const std::string chosen = root.File("Saved");
    WhenModalShown([&chosen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "sdlgSaveBinFile");
        dialog->selectFile(QString::fromStdString(chosen));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    // File > Save on a default configuration is Save as...
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(chosen + ".vorn").size(), 256u);
    EXPECT_EQ(ShownCaption(window), "Saved.vorn - BODE - " + Title);
    EXPECT_EQ(window.StatusText(), "Configuration Saved.vorn saved.");
    // Saved: Exit asks nothing.
    Action("mnuFileExit")->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ProgramWindowTest, AnActionDescriptionTooLongForItsListShowsAsTheListsHint) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_4")->click();
    window.SetActivePage("tbsActions");
    auto* alarm = Control<QComboBox>("cbbxAction_1_AlarmType");
    alarm->setFocus();
    const int door = alarm->findText(
        QString::fromStdString(English("COMMON", "TEXT-ALARM_TYPE-DOOR_ALARM_WITH_USER_INFO")));
    ASSERT_GE(door, 0);
    while (alarm->currentIndex() != door) {
        QTest::keyClick(alarm, alarm->currentIndex() < door ? Qt::Key_Down : Qt::Key_Up);
    }
    auto* relay = Control<QComboBox>("cbbxAction_1_Relay_1");
    relay->setFocus();
    QTest::keyClick(relay, Qt::Key_Down);
    window.ActionListTimer()->setInterval(0);
    QTest::qWait(20);
    window.SetActivePage("tbsRadioEvents");
    auto* reference = Control<QComboBox>("cbbxRadioEvent_1_ActionReference");
    const QString description = reference->itemText(0);
    ASSERT_TRUE(description.startsWith("1. ")) << description.toStdString();
    // Chosen by the operator, the long description does not fit: the list shows it as its hint.
    reference->setFocus();
    while (reference->currentIndex() != 0) {
        QTest::keyClick(reference, Qt::Key_Up);
    }
    EXPECT_GT(reference->fontMetrics().horizontalAdvance(description), reference->width() - 30);
    EXPECT_EQ(reference->toolTip(), description);
}

TEST_F(ProgramWindowTest, DroppingOneConfigurationFileLoadsIt) {
    TfrmEdit& window = Start();
    const std::string path = CopyOfDefault("Default_HESK.vorn", "Dropped.VORN");
    Drop({path});
    QTest::qWait(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(ShownCaption(window), "Dropped.VORN - HESK - " + Title);
    EXPECT_EQ(window.ActivePage(), "tbsHeskConfig");
}

TEST_F(ProgramWindowTest, DroppingTwoFilesIsRefusedAndLoadsNothing) {
    TfrmEdit& window = Start();
    const std::string first = CopyOfDefault("Default_HESK.vorn", "one.vorn");
    const std::string second = CopyOfDefault("Default_BODE.vorn", "two.vorn");
    const QString message = AnswerMessage([&] { Drop({first, second}); }, "btnOK");
    EXPECT_EQ(message.toStdString(), English("FILE", "MESSAGE-CANNOT_DRAG_DROP_MORE_THAN_ONE_CONFIG_FILE"));
    EXPECT_EQ(ShownCaption(window), Title);
    EXPECT_EQ(VisibleTabs(), std::vector<std::string>{"tbsSelectDevice"});
}

TEST_F(ProgramWindowTest, DroppingAFileThatIsNoConfigurationIsRefused) {
    TfrmEdit& window = Start();
    const std::string text = root.File("notes.txt");
    WriteBytes(text, std::string(256, 'x'));
    const QString message = AnswerMessage([&] { Drop({text}); }, "btnOK");
    EXPECT_EQ(message.toStdString(), English("FILE", "MESSAGE-DROPPED_FILE_IS_NOT_A_VORN_CONFIG_FILE") +
                                         "\n" + English("FILE", "TEXT-NAME_DOES_NOT_END_IN_VORN"));
    EXPECT_EQ(ShownCaption(window), Title);
}

TEST_F(ProgramWindowTest, ExitWithUnsavedChangesAsksAndCancelKeepsTheProgram) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_4")->click();
    window.SetActivePage("tbsPreferences");
    auto* field = Control<QLineEdit>("edtMaxShortTx");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "4");
    const QString question = AnswerMessage([this] { Action("mnuFileExit")->trigger(); }, "btnCancel");
    EXPECT_EQ(question.toStdString(), English("FILE", "MESSAGE-DO_YOU_WANT_TO_SAVE_CHANGES"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(gui.Controller().Ended());
    // Closing the window asks the same, and Cancel refuses the close.
    AnswerMessage([&window] { window.close(); }, "btnCancel");
    EXPECT_TRUE(window.isVisible());
    // No: the program ends without saving.
    AnswerMessage([this] { Action("mnuFileExit")->trigger(); }, "btnNo");
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(gui.Controller().Ended());
}

TEST_F(ProgramWindowTest, ExitWithoutChangesEndsAtOnce) {
    TfrmEdit& window = Start();
    Control<QToolButton>("bbtnDevice_4")->click();
    Action("mnuFileExit")->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ProgramWindowTest, PagesFollowCtrlTabFromAFocusedListAndCtrlQQuits) {
    TfrmEdit& window = Start();
    ShowActive(window);
    Control<QToolButton>("bbtnDevice_4")->click();
    auto* list = Control<QComboBox>("cbbxUserEvent_1_Condition_A");
    list->setFocus();
    const int chosen = list->currentIndex();
    QTest::keyClick(list, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window.ActivePage(), "tbsRadioEvents");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window.ActivePage(), "tbsActions");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.ActivePage(), "tbsRadioEvents");
    EXPECT_EQ(list->currentIndex(), chosen) << "the list keeps its item";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible()) << "nothing unsaved: Ctrl+Q ends the program";
}

// On a small screen the window fits and its pages scroll; a long status text is cut clear of the demo
// note and shown whole as its tip.
TEST_F(ProgramWindowTest, ASmallScreenAndALongStatusTextLeaveEverythingInReach) {
    TfrmEdit& window = Start();
    const QSize full = window.size();
    auto* pages = Control<QScrollArea>("sbxEdit");
    window.FitTo(QSize(1024, 570));
    window.ShowDemoUnitNote(true);
    const QString text = QStringLiteral("A status text that goes on and on. ").repeated(8);
    window.SetStatusText(text.toStdString());
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(1024, 570));
    EXPECT_GT(pages->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(pages->verticalScrollBar()->maximum(), 0);
    auto* status = Control<gui::ElidedLabel>("sbStatusText");
    EXPECT_LE(status->geometry().right(), Control<QLabel>("lblDemoUnit")->geometry().left());
    EXPECT_TRUE(window.rect().contains(window.statusBar()->geometry()));
    EXPECT_EQ(status->toolTip(), text);
    window.FitTo(QSize(1920, 1080));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), full);
    EXPECT_EQ(pages->verticalScrollBar()->maximum(), 0) << "at full size nothing scrolls";
}

TEST_F(ProgramWindowTest, AShortcutOfADisabledMenuDoesNothing) {
    TfrmEdit& window = Start();
    int shown = 0;
    WhenModalShown([&shown](QWidget* modal) {
        ++shown;
        modal->close();
    });
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier); // File > New is disabled at start
    QTest::qWait(30);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(ShownCaption(window), Title);
}

TEST_F(ProgramWindowTest, TheArmedEscapeIsDiscardedOnceByTheMainWindow) {
    TfrmEdit& window = Start();
    gui.Controller().PendingKey() = ProgramController::EscapeKey;
    QTest::keyClick(window.PageControl()->currentWidget(), Qt::Key_Escape);
    EXPECT_EQ(gui.Controller().PendingKey(), 0);
}

TEST_F(ProgramWindowTest, TheActionListTimerRebuildsTheActionDescriptions) {
    TfrmEdit& window = Start();
    EXPECT_EQ(window.ActionListTimer()->interval(), 350);
    EXPECT_TRUE(window.ActionListTimer()->isActive());
    Control<QToolButton>("bbtnDevice_4")->click();
    window.SetActivePage("tbsActions");
    auto* alarm = Control<QComboBox>("cbbxAction_1_AlarmType");
    alarm->setFocus();
    QTest::keyClick(alarm, Qt::Key_Down);
    const QString chosen = alarm->currentText();
    // The timer's next tick, without waiting for it.
    window.ActionListTimer()->setInterval(0);
    QTest::qWait(20);
    const QString description = Control<QComboBox>("cbbxUserEvent_1_ActionReference")->itemText(0);
    EXPECT_TRUE(description.startsWith("1. " + chosen)) << description.toStdString();
}

TEST_F(ProgramWindowTest, TheAboutWindowShowsTheBuildAndNoUnit) {
    Start();
    bool checked = false;
    WhenModalShown([this, &checked](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), "frmAbout");
        EXPECT_EQ(modal->size(), QSize(gui::TfrmAbout::ClientWidth, gui::TfrmAbout::ClientHeight));
        EXPECT_EQ(modal->windowTitle().toStdString(), English("HELP-ABOUT", "FORM-CAPTION_ABOUT"));
        EXPECT_EQ(modal->findChild<QLabel*>("lblKduInfo")->text().toStdString(),
                  English("HELP-ABOUT", "TEXT-KDU_INFO") + " " + English("HELP-ABOUT", "TEXT-NOT_FOUND"));
        EXPECT_TRUE(modal->findChild<QLabel*>("lblApplicationVersion")->text().startsWith("Version "));
        EXPECT_TRUE(modal->findChild<QLabel*>("imgLogo")->isVisible());
        checked = true;
        ClickButton(modal, "btnOk");
    });
    Action("mnuHelpAbout")->trigger();
    EXPECT_TRUE(checked);
}

TEST_F(ProgramWindowTest, ASecondStartAsksNoRegionAndSelectNewRegionOffersClose) {
    Start();
    gui.Stop();
    gui.regionDialogShown = false;
    Start({"-selectnewregion"});
    EXPECT_FALSE(gui.regionDialogShown) << "a second start asks no region";
    bool closeShown = false;
    WhenModalShown([&closeShown](QWidget* modal) {
        closeShown = modal->findChild<QWidget*>(QStringLiteral("btnClose"))->isVisible();
        ClickButton(modal, "btnClose");
    });
    Action("mnuFileSelectNewRegion")->trigger();
    EXPECT_TRUE(closeShown);
}

// The program's undo, not the field's own: the rules' changes go back with it, and Redo follows.
TEST_F(ProgramWindowTest, CtrlZAndCtrlShiftZInAFieldUndoAndRedoTheEditBeforeIt) {
    TfrmEdit& window = Start();
    ShowActive(window);
    Control<QToolButton>("bbtnDevice_1")->click(); // TARV: its actions transmit under the unit's code
    window.SetActivePage("tbsPreferences");
    auto* unit = Control<QLineEdit>("edtUnitRadioIdCode");
    unit->setFocus();
    QTest::keyClicks(unit, "12ab");
    QTest::keyClick(unit, Qt::Key_Tab);
    ASSERT_EQ(Control<QLineEdit>("edtAction_2_RadioId")->text(), "12AB");
    unit->setFocus();
    QTest::keyClick(unit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(unit->text(), "");
    EXPECT_EQ(Control<QLineEdit>("edtAction_2_RadioId")->text(), "");
    EXPECT_TRUE(Action("mnuEditRedo")->isEnabled());
    QTest::keyClick(unit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Control<QLineEdit>("edtAction_2_RadioId")->text(), "12AB");
    EXPECT_EQ(Action("mnuEditUndo")->text(), "&Undo Unit ID code");
}

TEST_F(ProgramWindowTest, OpenRecentListsTheFilesOpenedAndOpensTheOneChosen) {
    Start();
    const std::string first = CopyOfDefault("Default_BODE.vorn", "first.vorn");
    ASSERT_TRUE(gui.Controller().LoadConfigFile(first));
    ASSERT_TRUE(gui.Controller().LoadConfigFile(CopyOfDefault("Default_TARV.vorn", "second.vorn")));
    ASSERT_TRUE(Action("mnuFileRecent")->isEnabled());
    EXPECT_TRUE(Action("mnuFileRecent_2")->text().endsWith("/first.vorn"));
    Action("mnuFileRecent_2")->trigger();
    EXPECT_EQ(gui.Controller().CurrentConfig().CurrentFilePath, first);
    Action("mnuFileRecentClear")->trigger();
    EXPECT_FALSE(Action("mnuFileRecent")->isEnabled());
}

} // namespace
} // namespace vorn::test
