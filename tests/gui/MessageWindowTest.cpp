#include "gui/MessageWindow.h"

#include "GuiSupport.h"
#include "gui/QtDialogView.h"
#include "lang/ListIni.h"
#include "lang/TranslatedDialog.h"
#include "support/CaseName.h"
#include "support/Paths.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

using gui::MessageWindow;

ListIni English() {
    ListIni reader;
    reader.LoadFile(DataFolder() + "English-1033.lang");
    return reader;
}

std::vector<QPushButton*> ButtonsInOrder(const QWidget& window) {
    std::vector<QPushButton*> buttons;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        buttons.push_back(button);
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const QPushButton* a, const QPushButton* b) { return a->x() < b->x(); });
    return buttons;
}

TEST(MessageWindowTest, EveryButtonOfTheSetIsShownInBitOrderWithItsTranslatedCaption) {
    const ListIni reader = English();
    const MessageDialog dialog = BuildMessageDialog(reader, "All of them", MessageKind::Warning, 0xFFF);
    MessageWindow window(dialog, nullptr);
    window.show();
    const auto buttons = ButtonsInOrder(window);
    ASSERT_EQ(buttons.size(), DialogButtonTable().size());
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const DialogButtonInfo& info = DialogButtonTable()[i];
        EXPECT_EQ(buttons[i]->objectName(), MessageWindow::ButtonName(info.mask));
        EXPECT_EQ(buttons[i]->text().toStdString(), reader.Text("COMMON", info.captionKey));
    }
    EXPECT_EQ(window.windowTitle().toStdString(), reader.Text("COMMON", "CAPTION-WARNING"));
}

struct Press {
    const char* name;
    const char* button;
    DialogResult result;
};

class YesNoCancelTest : public ::testing::TestWithParam<Press> {};

TEST_P(YesNoCancelTest, TheButtonPressedIsTheResult) {
    const ListIni reader = English();
    const MessageDialog dialog =
        BuildMessageDialog(reader, "Save the changes?", MessageKind::Confirmation, Buttons::YesNoCancel);
    MessageWindow window(dialog, nullptr);
    WhenModalShown([](QWidget* modal) { ClickButton(modal, GetParam().button); });
    EXPECT_EQ(window.Ask(), GetParam().result);
    EXPECT_EQ(window.windowTitle().toStdString(), reader.Text("COMMON", "CAPTION-CONFIRMATION"));
    EXPECT_EQ(MessageText(&window), "Save the changes?");
}

INSTANTIATE_TEST_SUITE_P(Buttons, YesNoCancelTest,
                         ::testing::Values(Press{"Yes", "btnYes", DialogResult::Yes},
                                           Press{"No", "btnNo", DialogResult::No},
                                           Press{"Cancel", "btnCancel", DialogResult::Cancel}),
                         CaseName{});

TEST(MessageWindowTest, EnterPressesTheDefaultButtonAndEscapeGivesTheEscapeResult) {
    const ListIni reader = English();
    MessageDialog dialog = BuildMessageDialog(reader, "Continue?", MessageKind::Confirmation, Buttons::YesNo);
    {
        MessageWindow window(dialog, nullptr);
        WhenModalShown([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
        EXPECT_EQ(window.Ask(), dialog.buttons[static_cast<std::size_t>(dialog.defaultButton)].result);
    }
    {
        MessageWindow window(dialog, nullptr);
        WhenModalShown([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        EXPECT_EQ(window.Ask(), dialog.escapeResult);
    }
}

TEST(MessageWindowTest, HelpDoesNotCloseTheDialog) {
    const ListIni reader = English();
    const MessageDialog dialog =
        BuildMessageDialog(reader, "Help?", MessageKind::Information, Buttons::Ok | Buttons::Help);
    MessageWindow window(dialog, nullptr);
    WhenModalShown([&window](QWidget* modal) {
        ClickButton(modal, "btnHelp");
        EXPECT_TRUE(window.isVisible());
        ClickButton(modal, "btnOK");
    });
    EXPECT_EQ(window.Ask(), DialogResult::Ok);
}

TEST(MessageWindowTest, TheDialogIsCentredOverItsOwnerEvenPastTheScreensEdge) {
    QWidget owner;
    owner.setGeometry(-300, 40, 500, 200);
    owner.show();
    const MessageDialog dialog =
        BuildMessageDialog(English(), "A message that takes a little room", MessageKind::Error, Buttons::Ok);
    MessageWindow window(dialog, &owner);
    window.CentreOverOwner();
    const QRect frame = owner.frameGeometry();
    EXPECT_EQ(window.x(), frame.left() + (frame.width() - window.width()) / 2);
    EXPECT_EQ(window.y(), frame.top() + (frame.height() - window.height()) / 2);
}

TEST(MessageWindowTest, ATextWithLineBreaksShowsOneLineEach) {
    const MessageDialog dialog =
        BuildMessageDialog(English(), "first\r\nsecond\rthird", MessageKind::Error, Buttons::Ok);
    MessageWindow window(dialog, nullptr);
    EXPECT_EQ(MessageText(&window), "first\nsecond\nthird");
}

TEST(FileDialogFilterTest, ThePatternIsAddedOnlyWhenTheDescriptionLacksIt) {
    FileDialogSetup setup{.filterDescription = "VORN configuration file (*.vorn)", .pattern = "*.vorn"};
    EXPECT_EQ(gui::FileDialogFilter(setup), "VORN configuration file (*.vorn)");
    setup.filterDescription = "VORN-Konfigurationsdatei";
    EXPECT_EQ(gui::FileDialogFilter(setup), "VORN-Konfigurationsdatei (*.vorn)");
}

} // namespace
} // namespace vorn::test
