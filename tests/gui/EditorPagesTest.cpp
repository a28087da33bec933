#include "GuiProgram.h"
#include "GuiSupport.h"
#include "editor/Editor.h"
#include "gui/DevicePage.h"
#include "gui/DevicePictures.h"
#include "gui/FieldBinder.h"
#include "gui/TfrmEdit.h"
#include "lang/LanguageController.h"
#include "lang/TextCatalogue.h"
#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/Paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

using gui::TfrmEdit;

// The program's window with every page built, in the language a locale chooses.
struct PagesFixture {
    explicit PagesFixture(const std::string& locale) : gui(locale), window(gui.Start()) {}

    GuiProgram gui;
    TfrmEdit& window;
    Editor& editor = gui.Controller().GetEditor();
    const ListIni& texts = gui.Controller().Texts();
};

TEST(EditorPagesTest, EveryFieldOfTheThreeFamiliesHasItsWidget) {
    PagesFixture f("en_US.UTF-8");
    EXPECT_EQ(f.window.Binder()->UnboundFields(), std::vector<std::string>{});
    EXPECT_EQ(f.editor.Fields().Fields().size(),
              FieldRowsOf(Family::A).size() + FieldRowsOf(Family::B).size() + FieldRowsOf(Family::C).size());
}

TEST(EditorPagesTest, EveryControlTheLanguageCaptionsIsThere) {
    PagesFixture f("en_US.UTF-8");
    for (const ControlTextKey& key : MainWindowTextKeys()) {
        const QString name = QString::fromStdString(key.control);
        const bool found =
            f.window.findChild<QWidget*>(name) != nullptr || f.window.Action(key.control) != nullptr;
        EXPECT_TRUE(found) << key.control;
    }
    for (const ControlText& text : DecimalSeparatorTexts(U',')) {
        EXPECT_NE(f.window.findChild<QLabel*>(QString::fromStdString(text.control)), nullptr) << text.control;
    }
}

TEST(EditorPagesTest, TheLanguagesTextsReachTheControls) {
    PagesFixture f("de_DE.UTF-8");
    const ListIni& texts = f.texts;
    EXPECT_EQ(f.window.findChild<QLabel*>("lblUserEvent_1")->text().toStdString(),
              texts.Text("TAB_1", "LABEL-BUTTON_1"));
    EXPECT_EQ(f.window.findChild<QLabel*>("lblUserEvent_1")->toolTip().toStdString(),
              texts.Text("TAB_1", "HINT-BUTTON_1"));
    EXPECT_EQ(f.window.findChild<QGroupBox*>("gbGOFA_Rfid")->title().toStdString(),
              texts.Text("TAB_RFID_IO", "GROUP-RFID"));
    EXPECT_EQ(f.window.findChild<QCheckBox*>("cbAction_F_Auto")->text().toStdString(),
              texts.Text("TAB_3", "CHECKBOX-AUTOMATIC"));
    EXPECT_EQ(f.window.findChild<QLineEdit*>("edtRadioEvent_8_RadioId")->toolTip().toStdString(),
              texts.Text("TAB_2", "HINT-INSERT_WILDCARD"));
    EXPECT_EQ(f.window.Action("mnuFileOpen")->text().toStdString(), texts.Text("MENU", "FILE-OPEN"));
    EXPECT_EQ(f.window.Action("mnuFileOpen")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(f.window.PageControl()->tabText(6).toStdString(), texts.Text("TAB_RFID_IO", "TAB-RFID_IO"));
    EXPECT_EQ(f.window.findChild<QToolButton*>("bbtnDevice_12")->text(), "DADIDU");
    // Captions no language text names keep their design text.
    EXPECT_EQ(f.window.findChild<QLabel*>("lblAction_F")->text(), "15");
    EXPECT_EQ(f.window.findChild<QAbstractButton*>("btnRadioEvent_3_GetRadioCode")->text(), "...");
    EXPECT_EQ(f.window.Action("mnuFileSelectNewRegion")->text(), "Select new region...");
}

struct LayoutCase {
    const char* name;
    const char* locale; // chooses the language at a first start
};

class PageLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

// What an operator would call careless, checked on every page in every language: a control cut off
// by its page or its group, a caption cut short, controls lying over each other, a clipped tab.
TEST_P(PageLayoutTest, NothingIsCutOffOrOverlapsOnAnyPage) {
    PagesFixture f(GetParam().locale);
    QTabWidget* pages = f.window.PageControl();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setTabVisible(i, true);
    }
    // The service fields of the positioning unit take room too.
    f.editor.SetGofaServiceView(true);
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QWidget* page = pages->widget(i);
        QCoreApplication::processEvents();
        const std::string pageName = page->objectName().toStdString();
        const QRect tab = pages->tabBar()->tabRect(i);
        EXPECT_GE(tab.width(), pages->tabBar()->fontMetrics().horizontalAdvance(pages->tabText(i)))
            << pageName;
        EXPECT_LE(tab.right(), pages->tabBar()->width()) << pageName;
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(page) || widget->objectName().isEmpty() ||
                widget->objectName().startsWith(QLatin1String("qt_"))) {
                continue;
            }
            const std::string name = widget->objectName().toStdString();
            const QRect inPage(widget->mapTo(page, QPoint(0, 0)), widget->size());
            EXPECT_TRUE(page->rect().contains(inPage)) << pageName << ": " << name << " leaves the page";
            if (const auto* label = qobject_cast<QLabel*>(widget)) {
                if (label->wordWrap()) {
                    EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                        << name << " is cut short";
                } else {
                    EXPECT_GE(label->width(), label->sizeHint().width()) << name << " is cut short";
                }
            } else if (qobject_cast<QCheckBox*>(widget) != nullptr) {
                EXPECT_GE(widget->width(), widget->sizeHint().width()) << name << " is cut short";
            } else if (const auto* group = qobject_cast<QGroupBox*>(widget)) {
                EXPECT_GT(group->width(), group->fontMetrics().horizontalAdvance(group->title()) + 16)
                    << name;
            }
            // Siblings in one group or page lie side by side.
            if (qobject_cast<QGroupBox*>(widget->parentWidget()) == nullptr) {
                continue;
            }
            for (QWidget* sibling :
                 widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (sibling == widget || !sibling->isVisibleTo(page) || sibling->objectName().isEmpty()) {
                    continue;
                }
                EXPECT_FALSE(widget->geometry().intersects(sibling->geometry()))
                    << pageName << ": " << name << " overlaps " << sibling->objectName().toStdString();
            }
        }
    }
}

// The keyboard goes through a group's controls as an operator reads them: row by row, left to right.
TEST_P(PageLayoutTest, TheTabOrderFollowsTheRows) {
    PagesFixture f(GetParam().locale);
    QTabWidget* pages = f.window.PageControl();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setTabVisible(i, true);
        pages->setCurrentIndex(i);
        QCoreApplication::processEvents();
        for (QGroupBox* group : pages->widget(i)->findChildren<QGroupBox*>()) {
            QWidget* previous = nullptr;
            QWidget* first = nullptr;
            for (QWidget* w = group->nextInFocusChain(); w != group && w != first;
                 w = w->nextInFocusChain()) {
                if (first == nullptr) {
                    first = w;
                }
                if (w->parentWidget() != group || w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(group)) {
                    continue;
                }
                if (previous != nullptr) {
                    const QRect a = previous->geometry();
                    const QRect b = w->geometry();
                    const bool sameRow = b.center().y() == a.center().y();
                    EXPECT_TRUE(sameRow ? b.left() > a.left() : b.top() >= a.bottom())
                        << previous->objectName().toStdString() << " then " << w->objectName().toStdString();
                }
                previous = w;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, PageLayoutTest,
                         ::testing::Values(LayoutCase{"English", "en_US.UTF-8"},
                                           LayoutCase{"German", "de_DE.UTF-8"}),
                         CaseName{});

TEST(DevicePageTest, TwelveSquareButtonsWithTheirPicturesAndCaptionsAt14Points) {
    gui::DevicePage page;
    for (int n = 1; n <= 12; ++n) {
        const QToolButton* button = page.Button(n);
        ASSERT_NE(button, nullptr) << n;
        EXPECT_EQ(button->size(), QSize(146, 146));
        EXPECT_EQ(button->font().pointSize(), 14);
        EXPECT_EQ(button->iconSize(), QSize(100, 100));
        EXPECT_FALSE(button->icon().isNull());
    }
    // The presence units reuse the pictures of 3BODE and 3BODE+ZUMI, the positioning unit TARV's.
    EXPECT_EQ(gui::DeviceButtonPictures[9], 1008);
    EXPECT_EQ(gui::DeviceButtonPictures[10], 1009);
    EXPECT_EQ(gui::DeviceButtonPictures[11], 1001);
}

TEST(DevicePageTest, TheNinePicturesAreDrawnAndAllDiffer) {
    std::vector<QImage> pictures;
    for (int number = gui::FirstDevicePicture; number <= gui::LastDevicePicture; ++number) {
        const QPixmap picture = gui::DevicePicture(number);
        ASSERT_FALSE(picture.isNull()) << number;
        EXPECT_EQ(picture.size(), QSize(100, 100));
        for (const QImage& other : pictures) {
            EXPECT_NE(picture.toImage(), other) << number;
        }
        pictures.push_back(picture.toImage());
    }
    EXPECT_TRUE(gui::DevicePicture(1000).isNull());
    EXPECT_TRUE(gui::DevicePicture(1010).isNull());
    EXPECT_EQ(gui::DevicePicture(1004, 2.0).size(), QSize(200, 200));
}

TEST(DevicePageTest, TheTabOrderIsTheOrderOfTheButtonNumbers) {
    gui::DevicePage page;
    page.show();
    QWidget* w = page.Button(1);
    for (int n = 2; n <= 12; ++n) {
        do {
            w = w->nextInFocusChain();
        } while (qobject_cast<QToolButton*>(w) == nullptr);
        EXPECT_EQ(w, page.Button(n));
    }
}

TEST(DevicePageTest, ChoosingAButtonHandsOnItsNumber) {
    gui::DevicePage page;
    std::vector<int> chosen;
    page.SetChooseHandler([&](int button) { chosen.push_back(button); });
    page.Button(10)->click();
    page.Button(12)->click();
    EXPECT_EQ(chosen, (std::vector<int>{10, 12}));
}

} // namespace
} // namespace vorn::test
