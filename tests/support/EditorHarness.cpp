#include "support/EditorHarness.h"

#include "lang/TextFormat.h"
#include "model/Utf8.h"

namespace vorn::test {

namespace {

// The texts the editor rules read, worded as in the English language file.
constexpr const char* EditorTexts = R"([COMMON]
MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N=The entered value must be between %s and %s.
TEXT-NO_ACTION=No action
TEXT-RELAY_1=Relay 1:
TEXT-RELAY_2=Relay 2:
CAPTION-ERROR=Error
BUTTON-OK=OK
[TAB_4]
LABEL-UNIT_ID_CODE=Unit ID code
)";

} // namespace

EditorHarness::EditorHarness(char32_t separator) : lists(EnglishLists()) {
    texts.LoadBytes(EditorTexts);
    editor = std::make_unique<Editor>(lists, texts, view);
    editor->SetDecimalSeparator(separator);
}

std::vector<std::string> EditorHarness::TakeMessages() {
    std::vector<std::string> messages;
    for (; seen_ < view.Dialogs().size(); ++seen_) {
        messages.push_back(view.Dialogs()[seen_].text);
    }
    return messages;
}

std::vector<std::string> EditorHarness::Type(const std::string& field, const std::string& text) {
    TakeMessages();
    fields().Clear(field);
    for (char32_t key : DecodeUtf8(text)) {
        fields().TypeKey(field, key); // a refused key does not stop the operator
    }
    return TakeMessages();
}

std::string EditorHarness::RangeMessage(const std::string& lowest, const std::string& highest) const {
    return FormatText(texts.Text("COMMON", "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N"),
                      {lowest, highest});
}

} // namespace vorn::test
