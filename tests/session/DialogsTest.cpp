// The logic of the select-device, wait and receive-radio windows, driven by the operator's acts.
#include "lang/TextFormat.h"
#include "session/ReceiveRadioDialog.h"
#include "session/SelectDeviceDialog.h"
#include "session/WaitWindow.h"
#include "support/CaseName.h"
#include "support/Paths.h"
#include "support/TestLists.h"

#include <ostream>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using D = SelectDeviceDialog;

struct SelectDeviceFixture : ::testing::Test {
    SelectDeviceFixture() : lists(test::EnglishLists()) {
        texts.LoadFile(test::DataFolder() + "English-1033.lang");
    }

    void Open(std::uint8_t type, D::Mode mode = D::Mode::Read) {
        dialog.SetUp(mode, type, texts, lists);
        dialog.FormShow();
    }
    void TypeSerial(const std::string& text) {
        dialog.Fields().Clear(D::SerialField);
        for (const char ch : text) {
            dialog.KeyPress(D::SerialField, static_cast<char32_t>(ch));
        }
    }

    ListIni texts;
    CodeLists lists;
    SelectDeviceDialog dialog;
};

TEST_F(SelectDeviceFixture, SetUpForAFamilyAModel) {
    Open(0x24, D::Mode::Write);
    EXPECT_EQ(dialog.Caption(), texts.Text("COMMUNICATION", "TITLE-WRITE_TO_DEVICE"));
    const Field& products = dialog.Fields().Get(D::ProductsField);
    EXPECT_EQ(products.Items(), DisplayTexts(lists.DeviceNamesA));
    EXPECT_EQ(products.Text(), "BODE");
    EXPECT_EQ(dialog.Instructions(), SplitLines(FormatText(texts.Text("COMMUNICATION", "MEMO-INSTRUCTIONS"),
                                                           {texts.Text("COMMUNICATION", "BUTTON-WRITE")})));
    EXPECT_EQ(dialog.Fields().Get(D::BandField).Items(), DisplayTexts(lists.ReceiveBands));
    EXPECT_EQ(dialog.Fields().Get(D::BandField).Index(), 0);
    const std::vector<ControlText> expected{
        {"gbSelectDeviceInfo", ControlProperty::Caption,
         texts.Text("COMMUNICATION", "GROUP-DEVICE_INFORMATION")},
        {"lblDeviceName", ControlProperty::Caption, texts.Text("COMMUNICATION", "LABEL-DEVICE_NAME")},
        {"lblSerialNumber", ControlProperty::Caption,
         texts.Text("COMMUNICATION", "LABEL-DEVICE_SERIAL_NUMBER")},
        {"lblPrimaryFrequencyBand", ControlProperty::Caption,
         texts.Text("COMMUNICATION", "LABEL-PRIMARY_FREQUENCY_BAND")},
        {"btnWriteOrRead", ControlProperty::Caption, texts.Text("COMMUNICATION", "BUTTON-WRITE")},
        {"btnCancel", ControlProperty::Caption, texts.Text("COMMON", "BUTTON-CANCEL")}};
    EXPECT_EQ(dialog.ControlTexts(), expected);
    EXPECT_EQ(dialog.Fields().FocusedName(), D::SerialField); // a model is selected
}

TEST_F(SelectDeviceFixture, SetUpForAPositioningUnitAndForNoListedModel) {
    Open(0x4B);
    EXPECT_EQ(dialog.Fields().Get(D::ProductsField).Text(), "DADIDU");
    EXPECT_EQ(dialog.Instructions(),
              SplitLines(FormatText(texts.Text("COMMUNICATION", "MEMO-POS_INSTRUCTIONS"),
                                    {texts.Text("COMMUNICATION", "BUTTON-READ")})));
    Open(0x2A);
    EXPECT_TRUE(dialog.Fields().Get(D::ProductsField).Items().empty());
    EXPECT_EQ(dialog.Fields().Get(D::ProductsField).Index(), -1);
    EXPECT_TRUE(dialog.Instructions().empty());
    EXPECT_EQ(dialog.Fields().FocusedName(), D::ProductsField);
}

struct SerialCase {
    const char* name;
    std::string typed;
    std::string text; // what the field holds afterwards
    bool valid;
    friend void PrintTo(const SerialCase& c, std::ostream* os) { *os << c.name; }
};

class SerialNumberTest : public SelectDeviceFixture, public ::testing::WithParamInterface<SerialCase> {};

TEST_P(SerialNumberTest, ConfirmIsEnabledExactlyForOneTo16777215) {
    const SerialCase& c = GetParam();
    Open(0x23);
    TypeSerial(c.typed);
    EXPECT_EQ(dialog.Fields().Get(D::SerialField).Text(), c.text);
    EXPECT_EQ(dialog.ConfirmEnabled(), c.valid);
    dialog.btnWriteOrReadClick();
    EXPECT_EQ(dialog.Closed(), c.valid);
    EXPECT_EQ(dialog.Result(), c.valid ? D::ResultConfirm : D::ResultNone);
}

INSTANTIATE_TEST_SUITE_P(Serials, SerialNumberTest,
                         ::testing::Values(SerialCase{"Zero", "0", "0", false},
                                           SerialCase{"One", "1", "1", true},
                                           SerialCase{"Largest", "16777215", "16777215", true},
                                           SerialCase{"OneAbove", "16777216", "16777216", false},
                                           SerialCase{"LeadingZeros", "00001234", "00001234", true},
                                           SerialCase{"LettersAreDropped", "12ab34", "1234", true},
                                           SerialCase{"AtMostEightCharacters", "123456789", "12345678", true},
                                           SerialCase{"Empty", "", "", false}),
                         test::CaseName{});

TEST_F(SelectDeviceFixture, APastedTextThatIsNoNumberKeepsConfirmDisabled) {
    Open(0x23);
    dialog.Fields().Paste(D::SerialField, "12 34");
    EXPECT_FALSE(dialog.ConfirmEnabled());
    EXPECT_EQ(D::SerialNumberOf("12 34"), -1);
    EXPECT_EQ(D::SerialNumberOf("-5"), -1);
    EXPECT_EQ(D::SerialNumberOf("99999999999999999999999"), -1);
}

TEST_F(SelectDeviceFixture, EnterConfirmsOnlyWithAModelSelected) {
    Open(0x23);
    TypeSerial("1001");
    dialog.Fields().SetIndex(D::ProductsField, -1);
    EXPECT_EQ(dialog.KeyPress(D::SerialField, D::EnterKey), KeyResult::Accepted);
    EXPECT_FALSE(dialog.Closed());
    dialog.Fields().Select(D::ProductsField, 2);
    dialog.KeyPress(D::SerialField, D::EnterKey);
    EXPECT_TRUE(dialog.Closed());
    EXPECT_EQ(dialog.Result(), D::ResultConfirm);
}

TEST_F(SelectDeviceFixture, EscapeInAnyControlAndCancelAndTheCloseBoxCancel) {
    for (std::string_view control : {D::ProductsField, D::SerialField, D::BandField, D::InstructionsField,
                                     std::string_view("TfrmSelectDevice")}) {
        Open(0x23);
        dialog.KeyPress(control, D::EscapeKey);
        EXPECT_TRUE(dialog.Closed()) << control;
        EXPECT_EQ(dialog.Result(), D::ResultCancel) << control;
    }
    Open(0x23);
    dialog.btnCancelClick();
    EXPECT_EQ(dialog.Result(), D::ResultCancel);
    Open(0x23);
    dialog.FormClose();
    EXPECT_EQ(dialog.Result(), D::ResultCancel);
}

TEST_F(SelectDeviceFixture, TheTargetFollowsTheFamilyRules) {
    Open(0x25);
    TypeSerial("77");
    dialog.Fields().SelectText(D::BandField, "868.4125 MHz");
    DeviceTarget target = dialog.Target(lists, 0x25, "Unknown");
    EXPECT_EQ(target.band, 9);
    EXPECT_EQ(target.productTypeNumber, 0x25);
    EXPECT_EQ(target.serialNumber, 77);
    EXPECT_EQ(target.productName, "ZUMI");
    // The operator may choose another family A model than the image's.
    dialog.Fields().SelectText(D::ProductsField, "PLOM");
    EXPECT_EQ(dialog.Target(lists, 0x25, "Unknown").productTypeNumber, 0x29);

    Open(0x4B);
    EXPECT_EQ(dialog.Target(lists, 0x4B, "Unknown").productTypeNumber, 0x4B);
    EXPECT_EQ(dialog.Target(lists, 0x4B, "Unknown").productName, "DADIDU");
    // A positioning unit the language does not list is addressed with type 0.
    CodeLists without = lists;
    without.DeviceNamesC.clear();
    dialog.SetUp(D::Mode::Read, 0x4B, texts, without);
    EXPECT_EQ(dialog.Target(without, 0x4B, "Unknown").productTypeNumber, 0);
    EXPECT_EQ(dialog.Target(without, 0x4B, "Unknown").productName, "Unknown");
    EXPECT_EQ(dialog.Target(without, 0x4B, "").productName, "");
}

TEST_F(SelectDeviceFixture, ARegionWithFewerBandsFallsBackToTheFirst) {
    Open(0x23);
    dialog.Fields().Select(D::BandField, 4);
    CodeLists china = lists;
    china.ReceiveBands = {"12=866.2125 MHz", "13=866.4125 MHz"};
    dialog.SetUp(D::Mode::Read, 0x23, texts, china);
    EXPECT_EQ(dialog.Fields().Get(D::BandField).Index(), 0);
    dialog.Fields().Select(D::BandField, 1);
    dialog.SetUp(D::Mode::Read, 0x23, texts, china);
    EXPECT_EQ(dialog.Fields().Get(D::BandField).Index(), 1);
}

TEST_F(SelectDeviceFixture, TheObserverHearsOfTheButtonAndOfClosing) {
    Open(0x23);
    int calls = 0;
    dialog.SetStateObserver([&] { ++calls; });
    TypeSerial("5");
    EXPECT_EQ(calls, 1); // enabled
    dialog.KeyPress(D::SerialField, '5');
    EXPECT_EQ(calls, 1); // still enabled: nothing to tell
    dialog.btnWriteOrReadClick();
    EXPECT_EQ(calls, 2);
}

// --- Wait window ------------------------------------------------------------------------------------

TEST(WaitWindowTest, TheArmedKeyIsConsumedOnceAndOnlyItself) {
    SilentWaitView view;
    WaitWindow wait(view);
    EXPECT_FALSE(wait.FormKeyPress(27)); // nothing armed after creation
    wait.SetAbortKey(27);
    EXPECT_FALSE(wait.FormKeyPress(13));
    EXPECT_EQ(wait.AbortKey(), 27);
    EXPECT_TRUE(wait.FormKeyPress(27));
    EXPECT_EQ(wait.AbortKey(), 0);
    EXPECT_FALSE(wait.FormKeyPress(27));
}

TEST(WaitWindowTest, ShowsTextAndProgress) {
    SilentWaitView view;
    WaitWindow wait(view);
    wait.Show("Reading");
    wait.SetProgress(true, 60, 42);
    EXPECT_TRUE(wait.Shown());
    EXPECT_EQ(wait.Text(), "Reading");
    EXPECT_TRUE(wait.ProgressVisible());
    EXPECT_EQ(wait.ProgressPosition(), 42);
    wait.Close();
    EXPECT_FALSE(wait.Shown());
}

// --- Receive-radio dialog ---------------------------------------------------------------------------

class WidthView : public SilentReceiveRadioView {
public:
    explicit WidthView(int width) : width_(width) {}
    int ActionGroupWidth() const override { return width_; }
    void Show(ReceiveRadioDialog& dialog) override {
        shownWithCaption = dialog.Caption();
        dialog.Tick();
        dialog.Tick();
    }
    std::string shownWithCaption;

private:
    int width_;
};

TEST(ReceiveRadioDialogTest, TheActionLabelTakesFiftyEightHundredthsOfTheGroupTruncated) {
    for (const auto& [group, label] :
         std::vector<std::pair<int, int>>{{400, 232}, {401, 232}, {417, 241}, {0, 0}}) {
        WidthView view(group);
        ReceiveRadioDialog dialog(view);
        dialog.SetActionText("Press the button");
        EXPECT_EQ(dialog.ActionLabelWidth(), label) << group;
        EXPECT_EQ(dialog.ActionText(), "Press the button");
    }
}

TEST(ReceiveRadioDialogTest, PicturesByTypeAndTextsStartEmpty) {
    WidthView view(400);
    ReceiveRadioDialog dialog(view);
    EXPECT_EQ(dialog.Caption(), "");
    EXPECT_EQ(dialog.GroupCaption(), "");
    EXPECT_EQ(dialog.ActionText(), "");
    dialog.ChoosePicture(2);
    EXPECT_FALSE(dialog.Picture1Visible());
    EXPECT_TRUE(dialog.Picture2Visible());
    dialog.ChoosePicture(3);
    EXPECT_TRUE(dialog.Picture2Visible());
    dialog.ChoosePicture(1);
    EXPECT_TRUE(dialog.Picture1Visible());
    EXPECT_FALSE(dialog.Picture2Visible());
}

TEST(ReceiveRadioDialogTest, TheFirstResultClosesItAndLaterOnesChangeNothing) {
    WidthView view(400);
    ReceiveRadioDialog dialog(view);
    dialog.SetCaption("Write to device");
    int ticks = 0;
    const int result = dialog.ShowModal(
        [&] {
            ++ticks;
            dialog.SetResult(ticks == 1 ? ReceiveRadioDialog::ResultNoContact
                                        : ReceiveRadioDialog::ResultDone);
        },
        Millis{500});
    EXPECT_EQ(result, ReceiveRadioDialog::ResultNoContact);
    EXPECT_EQ(ticks, 1); // a closed dialog is not ticked
    EXPECT_EQ(view.shownWithCaption, "Write to device");
    dialog.btbtnAbortClick();
    EXPECT_EQ(dialog.Result(), ReceiveRadioDialog::ResultNoContact);
}

TEST(ReceiveRadioDialogTest, AViewThatReturnsWithoutAResultLeavesNone) {
    SilentReceiveRadioView view;
    ReceiveRadioDialog dialog(view);
    EXPECT_EQ(dialog.ShowModal([] {}, Millis{500}), ReceiveRadioDialog::ResultNone);
    EXPECT_TRUE(dialog.Closed());
}

} // namespace
} // namespace vorn
