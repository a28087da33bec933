#include "support/EditorHarness.h"

#include "base/Utf8.h"
#include "lang/TextFormat.h"
#include "support/Paths.h"

namespace vorn::test {

EditorHarness::EditorHarness(char32_t separator) : lists(EnglishLists()) {
    texts.LoadFile(DataFolder() + "English-1033.lang");
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
