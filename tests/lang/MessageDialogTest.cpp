#include "lang/ListIni.h"
#include "lang/TranslatedDialog.h"
#include "support/ScriptedOperator.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

// Every caption key answered by its own name, so a test sees which key fed which button.
ListIni CommonCaptions() {
    std::string file = "[COMMON]\n";
    for (const auto& kind : MessageKinds()) {
        file += std::string(kind.captionKey) + "=<" + std::string(kind.captionKey) + ">\n";
    }
    for (const auto& button : DialogButtonTable()) {
        file += std::string(button.captionKey) + "=<" + std::string(button.captionKey) + ">\n";
    }
    ListIni reader;
    reader.LoadBytes(file);
    return reader;
}

std::vector<std::string> Captions(const MessageDialog& dialog) {
    std::vector<std::string> captions;
    for (const auto& b : dialog.buttons) {
        captions.push_back(b.caption);
    }
    return captions;
}

TEST(MessageDialogTest, ConfirmationWithYesNoCancel) {
    const ListIni reader = CommonCaptions();
    for (const DialogResult answer : {DialogResult::Yes, DialogResult::No, DialogResult::Cancel}) {
        test::ScriptedOperator view;
        view.AnswerDialog(answer);
        EXPECT_EQ(ShowMessageDialog(reader, view, "Save?", MessageKind::Confirmation, 0x00B), answer);
        ASSERT_EQ(view.Dialogs().size(), 1u);
        const MessageDialog& dialog = view.Dialogs()[0];
        EXPECT_EQ(dialog.caption, "<CAPTION-CONFIRMATION>");
        EXPECT_EQ(dialog.icon, MessageIcon::Question);
        EXPECT_EQ(dialog.text, "Save?");
        EXPECT_EQ(Captions(dialog),
                  (std::vector<std::string>{"<BUTTON-YES>", "<BUTTON-NO>", "<BUTTON-CANCEL>"}));
        EXPECT_EQ(dialog.escapeResult, DialogResult::Cancel);
        EXPECT_EQ(dialog.defaultButton, 0);
    }
}

TEST(MessageDialogTest, EachButtonBitGivesItsCaptionAndResult) {
    const ListIni reader = CommonCaptions();
    struct Case {
        DialogButtons mask;
        const char* caption;
        DialogResult result;
    };
    const Case cases[] = {
        {0x001, "<BUTTON-YES>", DialogResult::Yes},
        {0x002, "<BUTTON-NO>", DialogResult::No},
        {0x004, "<BUTTON-OK>", DialogResult::Ok},
        {0x008, "<BUTTON-CANCEL>", DialogResult::Cancel},
        {0x010, "<BUTTON-ABORT>", DialogResult::Abort},
        {0x020, "<BUTTON-RETRY>", DialogResult::Retry},
        {0x040, "<BUTTON-IGNORE>", DialogResult::Ignore},
        {0x080, "<BUTTON-ALL>", DialogResult::All},
        {0x100, "<BUTTON-NO_TO_ALL>", DialogResult::NoToAll},
        {0x200, "<BUTTON-YES_TO_ALL>", DialogResult::YesToAll},
        {0x800, "<BUTTON-CLOSE>", DialogResult::Close},
    };
    for (const Case& c : cases) {
        const MessageDialog dialog = BuildMessageDialog(reader, "t", MessageKind::Error, c.mask);
        ASSERT_EQ(dialog.buttons.size(), 1u) << c.caption;
        EXPECT_EQ(dialog.buttons[0].caption, c.caption);
        EXPECT_EQ(dialog.buttons[0].result, c.result);
        test::ScriptedOperator view;
        view.AnswerDialog(c.result);
        EXPECT_EQ(ShowMessageDialog(reader, view, "t", MessageKind::Error, c.mask), c.result) << c.caption;
    }
    // All twelve at once, in bit order; Help is a button that does not close the dialog.
    const MessageDialog all = BuildMessageDialog(reader, "t", MessageKind::Error, 0xFFF);
    ASSERT_EQ(all.buttons.size(), 12u);
    EXPECT_EQ(all.buttons[10].caption, "<BUTTON-HELP>");
    EXPECT_FALSE(all.buttons[10].closes);
    EXPECT_EQ(all.buttons[11].caption, "<BUTTON-CLOSE>");
    EXPECT_EQ(all.defaultButton, 2) << "OK";
    EXPECT_EQ(BuildMessageDialog(reader, "t", MessageKind::Error, 0xF000 | 0x004).buttons.size(), 1u)
        << "bits above 11 add nothing";
}

TEST(MessageDialogTest, KindsGiveCaptionAndIcon) {
    const ListIni reader = CommonCaptions();
    struct Case {
        int kind;
        const char* caption;
        MessageIcon icon;
    };
    for (const Case c :
         {Case{0, "<CAPTION-WARNING>", MessageIcon::Warning}, Case{1, "<CAPTION-ERROR>", MessageIcon::Error},
          Case{2, "<CAPTION-INFORMATION>", MessageIcon::Information},
          Case{3, "<CAPTION-CONFIRMATION>", MessageIcon::Question}, Case{4, "", MessageIcon::None},
          Case{255, "", MessageIcon::None}}) {
        const MessageDialog dialog =
            BuildMessageDialog(reader, "t", static_cast<MessageKind>(c.kind), Buttons::Ok);
        EXPECT_EQ(dialog.caption, c.caption) << c.kind;
        EXPECT_EQ(dialog.icon, c.icon) << c.kind;
    }
}

TEST(MessageDialogTest, MissingCaptionShowsTheMarker) {
    ListIni reader;
    reader.LoadBytes("[COMMON]\nBUTTON-YES=Ja\n");
    const MessageDialog dialog = BuildMessageDialog(reader, "t", MessageKind::Information, Buttons::Ok);
    ASSERT_EQ(dialog.buttons.size(), 1u);
    EXPECT_EQ(dialog.buttons[0].caption, "[COMMON] 'BUTTON-OK' IS UNDEFINED");
    EXPECT_EQ(dialog.caption, "[COMMON] 'CAPTION-INFORMATION' IS UNDEFINED");
}

TEST(MessageDialogTest, DialogThatNoButtonClosesGetsOk) {
    const ListIni reader = CommonCaptions();
    for (const DialogButtons set : {DialogButtons{0}, Buttons::Help}) {
        const MessageDialog dialog = BuildMessageDialog(reader, "t", MessageKind::Error, set);
        ASSERT_FALSE(dialog.buttons.empty());
        EXPECT_EQ(dialog.buttons.back().result, DialogResult::Ok);
        EXPECT_EQ(dialog.buttons[static_cast<std::size_t>(dialog.defaultButton)].result, DialogResult::Ok);
    }
}

TEST(MessageDialogTest, EscapeAnswers) {
    const ListIni reader = CommonCaptions();
    struct Case {
        DialogButtons set;
        DialogResult escape;
    };
    for (const Case c :
         {Case{Buttons::Ok, DialogResult::Ok}, Case{Buttons::YesNo, DialogResult::None},
          Case{Buttons::YesCancel, DialogResult::Cancel}, Case{Buttons::YesNoCancel, DialogResult::Cancel},
          Case{Buttons::YesNoAbort, DialogResult::Abort},
          Case{Buttons::Ok | Buttons::Help, DialogResult::Ok}}) {
        EXPECT_EQ(BuildMessageDialog(reader, "t", MessageKind::Information, c.set).escapeResult, c.escape)
            << c.set;
    }
}

TEST(MessageDialogTest, AnswerThatTheDialogCannotGiveCountsAsNoChoice) {
    const ListIni reader = CommonCaptions();
    test::ScriptedOperator view;
    view.AnswerDialog(DialogResult::Yes);
    EXPECT_EQ(ShowMessageDialog(reader, view, "t", MessageKind::Error, Buttons::Ok), DialogResult::None);
    view.AnswerDialog(static_cast<DialogResult>(99));
    EXPECT_EQ(ShowMessageDialog(reader, view, "t", MessageKind::Error, Buttons::YesNo), DialogResult::None);
}

TEST(MessageDialogTest, TextLinesSplitAtEveryBreak) {
    EXPECT_EQ(SplitLineBreaks("a\nb\r\nc\n\rd\re"), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(SplitLineBreaks("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLineBreaks("one"), (std::vector<std::string>{"one"}));
}

TEST(MessageDialogTest, CentresOverTheOwnerTruncatingTowardZero) {
    struct Case {
        int left, top, width, height, w, h;
        WindowOrigin expected;
    };
    for (const Case c :
         {Case{100, 50, 1144, 646, 400, 151, {472, 297}}, Case{0, 0, 301, 101, 100, 100, {100, 0}},
          Case{-900, -20, 300, 200, 701, 401, {-1100, -120}}, // larger: -401/2 = -200
          Case{1800, 1000, 1144, 646, 400, 150, {2172, 1248}}}) {
        EXPECT_EQ(CentreOver(c.left, c.top, c.width, c.height, c.w, c.h), c.expected) << c.left;
    }
}

} // namespace
} // namespace vorn
