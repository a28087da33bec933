#include "GuiSupport.h"

#include <QAbstractButton>
#include <QApplication>
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

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace vorn::test
