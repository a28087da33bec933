#include "GuiSupport.h"
#include "gui/ProgramOptions.h"
#include "support/CaseName.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <stdexcept>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

using gui::ParseProgramOptions;

TEST(ProgramOptionsTest, TheWindowsOwnOptionsAndEverythingElseForTheStartUp) {
    const std::vector<std::string> arguments{"-SelectNewRegion", "--screenshots", "shots",         "--port",
                                             "/dev/pts/3",       "--debug",       "-gofaviewall=1"};
    const gui::ProgramOptions options = ParseProgramOptions(arguments);
    EXPECT_EQ(options.screenshots, "shots");
    EXPECT_EQ(options.port, "/dev/pts/3");
    EXPECT_TRUE(options.debug);
    EXPECT_FALSE(options.help);
    EXPECT_TRUE(options.error.empty());
    // The start-up sees every argument and picks its own options out of them.
    EXPECT_EQ(options.arguments, arguments);
    EXPECT_EQ(ParseProgramOptions({"--screenshots"}).error, "--screenshots needs a value");
    EXPECT_TRUE(ParseProgramOptions({"--help"}).help);
    // The file the desktop opens with the program, wherever it stands.
    EXPECT_EQ(ParseProgramOptions({"--port", "/dev/pts/3", "site.vorn", "-gofaviewall"}).file, "site.vorn");
    EXPECT_FALSE(ParseProgramOptions({"a.vorn", "b.vorn"}).error.empty());
}

TEST(ProgramEntryTest, HelpListsTheOptions) {
    const ProcessResult result = RunProcess(VORN_PROGRAMMER_PATH, {"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* option :
         {"-selectnewregion", "-gofaviewall", "--screenshots", "--startup-benchmark", "--port"}) {
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(RunProcess(VORN_PROGRAMMER_PATH, {"--screenshots"}).status, 1);
}

// The whole program without a display: a first start on folders of its own, then every page of every
// family and every window of the main window's issue, in each shipped language.
TEST(ProgramEntryTest, ScreenshotsOfEveryPageAndWindowInEveryLanguage) {
    TempDir folder;
    const ProcessResult result = RunProcess(VORN_PROGRAMMER_PATH, {"--screenshots", folder.File("shots")},
                                            {"QT_QPA_PLATFORM=offscreen"});
    ASSERT_EQ(result.status, 0) << result.err;
    const QDir shots(QString::fromStdString(folder.File("shots")));
    for (const char* language : {"english", "deutsch"}) {
        for (const char* page :
             {"tbsSelectDevice", "tbsButtons", "tbsRadioEvents", "tbsActions", "tbsPreferences",
              "tbsHeskConfig", "tbsGofaRfid", "tbsGofaRadio", "frmMessage", "frmAbout", "frmSelectRegion"}) {
            const QString name =
                QStringLiteral("%1-%2.png").arg(QLatin1String(language), QLatin1String(page));
            const QImage picture(shots.filePath(name));
            EXPECT_FALSE(picture.isNull()) << name.toStdString();
            if (QString(QLatin1String(page)).startsWith(QLatin1String("tbs"))) {
                EXPECT_EQ(picture.width(), 1144) << name.toStdString();
            }
        }
    }
}

} // namespace
} // namespace vorn::test

namespace vorn::test {
namespace {

// An object whose event handler fails, as a fault in a handler would.
class Failing : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            throw std::runtime_error("The handler failed.");
        }
        return QObject::event(event);
    }
};

TEST(ProgramEntryTest, AnExceptionFromAnEventHandlerIsShownAndTheProgramGoesOn) {
    Failing failing;
    QString shown;
    WhenModalShown([&shown](QWidget* modal) {
        shown = qobject_cast<QMessageBox*>(modal)->text();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    QEvent event(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&failing, &event));
    EXPECT_EQ(shown, "The handler failed.");
    // The event loop goes on serving events.
    bool served = false;
    QTimer::singleShot(0, &failing, [&served] { served = true; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(served);
}

} // namespace
} // namespace vorn::test
