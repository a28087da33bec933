// The window's tests run Qt without a display: the offscreen platform, no platform theme, Qt's own
// file dialogs, and a private runtime folder. A warning Qt prints fails the test that caused it (as
// QTest::failOnWarning does in Qt's own test runner), except the offscreen platform's notices of what
// it does not support.
#include "GuiSupport.h"
#include "gui/HeadlessScreen.h"
#include "gui/VornApplication.h"

#include <cstdlib>

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void FailOnWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) {
        return;
    }
    if (message.contains(QLatin1String("does not support"))) {
        return;
    }
    ADD_FAILURE() << "Qt warned: " << message.toStdString();
}

// A wait for a modal window that a test set up but never saw ends with that test.
class StopModalWatches : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { vorn::test::StopWatchingModals(); }
};

} // namespace

int main(int argc, char** argv) {
    qunsetenv("QT_QPA_PLATFORMTHEME");
    QTemporaryDir runtime(QDir::tempPath() + QStringLiteral("/vorn-gui-runtime-XXXXXX"));
    // A screen that holds the whole window.
    qputenv("QT_QPA_PLATFORM", vorn::gui::OffscreenPlatform(runtime.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // The program's own application object, so that its handling of escaped exceptions is tested too.
    vorn::gui::VornApplication app(argc, argv);
    qInstallMessageHandler(FailOnWarning);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new StopModalWatches);
    const int result = RUN_ALL_TESTS();
    qInstallMessageHandler(nullptr);
    return result;
}
