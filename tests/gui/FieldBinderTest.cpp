#include "gui/FieldBinder.h"

#include "GuiSupport.h"
#include "model/PulseTime.h"

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

using gui::FieldBinder;
using gui::ShownText;

// A small window with one widget per kind of field, bound to a model of its own.
class FieldBinderTest : public ::testing::Test {
protected:
    FieldBinderTest() {
        model.Add({.name = "edtCode", .maxLength = 4, .keyFilter = KeyFilterKind::HexCode});
        model.Add({.name = "edtNumber", .maxLength = 3, .keyFilter = KeyFilterKind::Number});
        model.Add({.name = "medtTime", .maxLength = 6, .inputMask = PulseTimeMask('.')});
        model.Add({.name = "cbbxChoice", .kind = FieldKind::Choice});
        model.Add({.name = "cbCheck", .kind = FieldKind::Check});
        model.Add({.name = "edtNowhere"});
        auto* layout = new QVBoxLayout(&window);
        code = Add<QLineEdit>(layout, "edtCode");
        number = Add<QLineEdit>(layout, "edtNumber");
        time = Add<QLineEdit>(layout, "medtTime");
        choice = Add<QComboBox>(layout, "cbbxChoice");
        check = Add<QCheckBox>(layout, "cbCheck");
        other = Add<QLineEdit>(layout, "edtUnbound");
        model.SetItems("cbbxChoice", {"Always", "Day mode", "Night mode"});
        binder = std::make_unique<FieldBinder>(model, window);
        for (const char* name : {"edtCode", "edtNumber", "medtTime", "cbbxChoice", "cbCheck"}) {
            const std::string field = name;
            model.On(field, FieldEvent::Change,
                     [this, field](const Field&) { events.push_back(field + " change"); });
            model.On(field, FieldEvent::Click,
                     [this, field](const Field&) { events.push_back(field + " click"); });
            model.On(field, FieldEvent::Exit,
                     [this, field](const Field&) { events.push_back(field + " exit"); });
        }
        ShowActive(window);
    }

    template <typename W>
    W* Add(QVBoxLayout* layout, const char* name) {
        auto* widget = new W(&window);
        widget->setObjectName(QLatin1String(name));
        layout->addWidget(widget);
        return widget;
    }

    // The widget and its field agree on text and caret.
    void ExpectInStep(QLineEdit* edit) {
        const Field& field = model.Get(edit->objectName().toStdString());
        EXPECT_EQ(ShownText(*edit).toStdString(), field.Text());
        EXPECT_EQ(static_cast<std::size_t>(edit->cursorPosition()), field.Caret());
    }

    FieldModel model;
    QWidget window;
    QLineEdit* code = nullptr;
    QLineEdit* number = nullptr;
    QLineEdit* time = nullptr;
    QComboBox* choice = nullptr;
    QCheckBox* check = nullptr;
    QLineEdit* other = nullptr;
    std::unique_ptr<FieldBinder> binder;
    std::vector<std::string> events;
};

TEST_F(FieldBinderTest, EveryFieldWithAWidgetOfItsNameIsBound) {
    EXPECT_EQ(binder->WidgetOf("edtCode"), code);
    EXPECT_EQ(binder->WidgetOf("cbCheck"), check);
    EXPECT_EQ(binder->WidgetOf("edtUnbound"), nullptr);
    EXPECT_EQ(binder->UnboundFields(), std::vector<std::string>{"edtNowhere"});
}

TEST_F(FieldBinderTest, TypedKeysGoThroughTheFieldsKeyFilter) {
    code->setFocus();
    QTest::keyClicks(code, "a1g*b");
    EXPECT_EQ(model.Get("edtCode").Text(), "A1B");
    ExpectInStep(code);
    // One change per key that reached the field.
    EXPECT_EQ(std::count(events.begin(), events.end(), "edtCode change"), 3);
}

TEST_F(FieldBinderTest, TheCoreKeepsTheMaximumLengthNotTheWidget) {
    code->setFocus();
    QTest::keyClicks(code, "123456");
    EXPECT_EQ(model.Get("edtCode").Text(), "1234");
    ExpectInStep(code);
    // A longer text the program shows stays whole.
    model.SetText("edtNumber", "65535");
    EXPECT_EQ(number->text(), "65535");
}

TEST_F(FieldBinderTest, ARefusedKeyLeavesTextAndCaretAsTheyWere) {
    number->setFocus();
    QTest::keyClicks(number, "12");
    QTest::keyClick(number, Qt::Key_Left);
    QTest::keyClicks(number, "x-");
    EXPECT_EQ(number->text(), "12");
    EXPECT_EQ(number->cursorPosition(), 1);
    ExpectInStep(number);
    QTest::keyClicks(number, "5");
    EXPECT_EQ(model.Get("edtNumber").Text(), "152");
    ExpectInStep(number);
}

TEST_F(FieldBinderTest, SelectionAndDeletingFollowTheLineEdit) {
    code->setFocus();
    QTest::keyClicks(code, "ABCD");
    QTest::keyClick(code, Qt::Key_Home);
    QTest::keyClick(code, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(code, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(model.Get("edtCode").SelectionLength(), 2u);
    QTest::keyClicks(code, "f");
    EXPECT_EQ(model.Get("edtCode").Text(), "FCD");
    ExpectInStep(code);
    QTest::keyClick(code, Qt::Key_Delete);
    EXPECT_EQ(model.Get("edtCode").Text(), "FD");
    QTest::keyClick(code, Qt::Key_Backspace);
    EXPECT_EQ(model.Get("edtCode").Text(), "D");
    ExpectInStep(code);
}

TEST_F(FieldBinderTest, APasteIsNotFilteredByKeyButIsCutAtTheMaximumLength) {
    number->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("98765"));
    QTest::keyClick(number, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model.Get("edtNumber").Text(), "987");
    ExpectInStep(number);
    code->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("x*"));
    QTest::keyClick(code, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model.Get("edtCode").Text(), "x*");
}

TEST_F(FieldBinderTest, TheMaskedFieldTypesOverItsBlanksAsTheCoreDoes) {
    // The line edit has the field's mask (it reports it without the blank when that is a space).
    EXPECT_EQ(time->inputMask().toStdString() + "; ", PulseTimeMask('.'));
    EXPECT_EQ(ShownText(*time).toStdString(), model.Get("medtTime").Text());
    time->setFocus();
    QTest::keyClick(time, Qt::Key_Home);
    // Each key keeps the widget and the field in step: digits overwrite, the separator jumps the literal.
    for (const char key : std::string("12.3")) {
        QTest::keyClicks(time, QString(QLatin1Char(key)));
        ExpectInStep(time);
    }
    EXPECT_EQ(model.Get("medtTime").Text(), "12  .3");
    QTest::keyClick(time, Qt::Key_Backspace);
    ExpectInStep(time);
    EXPECT_EQ(model.Get("medtTime").Text(), "12  . ");
}

TEST_F(FieldBinderTest, AMaskedTextSetByTheProgramShowsWithItsBlanks) {
    model.SetText("medtTime", "3.0");
    EXPECT_EQ(model.Get("medtTime").Text(), "3   .0");
    EXPECT_EQ(ShownText(*time).toStdString(), "3   .0");
    model.SetText("medtTime", "   3.0");
    EXPECT_EQ(ShownText(*time).toStdString(), "   3.0");
}

TEST_F(FieldBinderTest, ProgramSetStateReachesTheWidgets) {
    model.SetText("edtCode", "12AB");
    EXPECT_EQ(code->text(), "12AB");
    model.SetEnabled("edtCode", false);
    EXPECT_FALSE(code->isEnabled());
    model.SetVisible("cbCheck", false);
    EXPECT_TRUE(check->isHidden());
    model.SetChecked("cbCheck", true);
    EXPECT_TRUE(check->isChecked());
    model.SetIndex("cbbxChoice", 2);
    EXPECT_EQ(choice->currentIndex(), 2);
    model.SetItems("cbbxChoice", {"Yes", "No"});
    EXPECT_EQ(choice->count(), 2);
    EXPECT_EQ(choice->currentIndex(), -1);
    // Program-side changes are no operator acts: no change event from the choice.
    EXPECT_EQ(std::count(events.begin(), events.end(), "cbbxChoice change"), 0);
}

TEST_F(FieldBinderTest, TheFieldsHintReplacesTheStaticHintWhileShown) {
    binder->SetStaticHint("cbbxChoice", QStringLiteral("static"));
    EXPECT_EQ(choice->toolTip(), "static");
    model.SetHint("cbbxChoice", "Any alarm type except battery and test", true);
    EXPECT_EQ(choice->toolTip(), "Any alarm type except battery and test");
    model.SetHint("cbbxChoice", "Always", false);
    EXPECT_EQ(choice->toolTip(), "static");
}

TEST_F(FieldBinderTest, TheOperatorsChoiceAndClickReachTheModel) {
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_Down);
    EXPECT_EQ(model.Get("cbbxChoice").Index(), 0);
    QTest::keyClick(choice, Qt::Key_Down);
    EXPECT_EQ(model.Get("cbbxChoice").Index(), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "cbbxChoice change"), 2);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    EXPECT_TRUE(model.Get("cbCheck").Checked());
    EXPECT_EQ(std::count(events.begin(), events.end(), "cbCheck click"), 1);
}

TEST_F(FieldBinderTest, ADisabledFieldRefusesTheWidgetsEdits) {
    model.SetEnabled("cbCheck", false);
    check->setEnabled(true); // as if the widget were enabled behind the model's back
    check->click();
    EXPECT_FALSE(model.Get("cbCheck").Checked());
    EXPECT_FALSE(check->isChecked());
}

TEST_F(FieldBinderTest, MovingTheFocusOnLeavesTheFieldOnce) {
    code->setFocus();
    QTest::keyClicks(code, "1");
    number->setFocus();
    EXPECT_EQ(std::count(events.begin(), events.end(), "edtCode exit"), 1);
    EXPECT_EQ(model.FocusedName(), "edtNumber");
    // The focus the model moves reaches the widget, and the field it left is left once only.
    model.SetFocus("edtCode");
    EXPECT_TRUE(code->hasFocus());
    EXPECT_EQ(std::count(events.begin(), events.end(), "edtNumber exit"), 1);
}

TEST_F(FieldBinderTest, AListWhoseTextIsTooWideOverflows) {
    model.SetItems("cbbxChoice", {"Yes", "Any alarm type except battery and test, and a good deal more"});
    choice->setFixedWidth(120);
    model.SetIndex("cbbxChoice", 0);
    EXPECT_FALSE(model.TextOverflows("cbbxChoice"));
    model.SetIndex("cbbxChoice", 1);
    EXPECT_TRUE(model.TextOverflows("cbbxChoice"));
}

} // namespace
} // namespace vorn::test
