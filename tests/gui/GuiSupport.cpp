#include "GuiSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vorn::test {

void WhenModalShown(std::function<void(QWidget* modal)> act) {
    auto* poll = new QTimer(qApp);
    poll->setObjectName(QStringLiteral("modalWatch"));
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

void StopWatchingModals() {
    for (QTimer* poll :
         qApp->findChildren<QTimer*>(QStringLiteral("modalWatch"), Qt::FindDirectChildrenOnly)) {
        poll->stop();
        delete poll;
    }
}

void ClickButton(QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << "no button " << name << " in " << window->objectName().toStdString();
    button->click();
}

QString MessageText(QWidget* window) {
    const auto* label = window->findChild<QLabel*>(QStringLiteral("lblMessage"));
    return label != nullptr ? label->text() : QString();
}

QString ShownCaption(const QWidget& window) {
    return window.windowTitle().replace(QStringLiteral("[*]"),
                                        window.isWindowModified() ? QStringLiteral("*") : QString());
}

WindowScript::~WindowScript() {
    qApp->removeEventFilter(this);
}

void WindowScript::Listen() {
    if (!listening_) {
        qApp->installEventFilter(this);
        listening_ = true;
    }
}

WindowScript& WindowScript::Then(const QString& window, Act act) {
    Listen();
    steps_.emplace_back(window, std::move(act));
    return *this;
}

void WindowScript::WatchShown(std::function<void(QWidget* window)> watch) {
    Listen();
    watch_ = std::move(watch);
}

bool WindowScript::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::Show || window == nullptr || !window->isWindow()) {
        return false;
    }
    shown_ << window->objectName();

    if (watch_) {
        watch_(window);
    }
    if (!window->isModal()) {
        return false;
    }
    if (steps_.empty() || steps_.front().first != window->objectName()) {
        ADD_FAILURE() << "the window " << window->objectName().toStdString() << " came out of turn (expected "
                      << (steps_.empty() ? std::string("none") : steps_.front().first.toStdString()) << ")";
        QTimer::singleShot(0, window, [window] {
            if (auto* dialog = qobject_cast<QDialog*>(window)) {
                dialog->reject();
            }
        });
        return false;
    }
    Act act = std::move(steps_.front().second);
    steps_.pop_front();
    // Once the window's own event loop runs and the window has the keyboard, as the operator sees it.
    QTimer::singleShot(0, window, [window, act = std::move(act)] {
        // (qWaitForWindowActive settles for an exposed window on the offscreen platform.)
        EXPECT_TRUE(QTest::qWaitFor([window] { return window->isActiveWindow(); }, 2000))
            << window->objectName().toStdString() << " never became the active window";
        act(window);
    });
    return false;
}

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace vorn::test
