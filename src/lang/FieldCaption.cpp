#include "lang/FieldCaption.h"

#include "lang/ListIni.h"
#include "lang/TextCatalogue.h"
#include "model/EditorLayout.h"

#include <algorithm>
#include <map>

namespace vorn {

namespace {

// The captions of the controls, by name: the catalogue's caption key of each.
const std::map<std::string, ControlTextKey, std::less<>>& CaptionKeys() {
    static const auto keys = [] {
        std::map<std::string, ControlTextKey, std::less<>> map;
        for (ControlTextKey& key : MainWindowTextKeys()) {
            if (key.property == ControlProperty::Caption) {
                map.emplace(key.control, std::move(key));
            }
        }
        return map;
    }();
    return keys;
}

// A caption as part of a name: its lines joined, without the label's trailing colon and blanks.
std::string AsName(std::string text) {
    for (char& ch : text) {
        if (ch == '~') {
            ch = ' ';
        }
    }
    while (!text.empty() && (text.back() == ':' || text.back() == ' ')) {
        text.pop_back();
    }
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace

std::string ControlCaption(const ListIni& texts, std::string_view control, std::string_view fixed) {
    if (!fixed.empty()) {
        return std::string(fixed);
    }
    const auto& keys = CaptionKeys();
    const auto key = keys.find(control);
    return key == keys.end() ? std::string(control) : texts.Text(key->second.section, key->second.key);
}

std::string FieldCaption(const ListIni& texts, std::string_view field) {
    for (const LayoutGroup& group : EditorLayout()) {
        for (const LayoutRow& row : group.rows) {
            for (std::size_t column = 0; column < row.fields.size(); ++column) {
                if (row.fields[column] != field) {
                    continue;
                }
                std::string caption = AsName(ControlCaption(texts, row.label, row.caption));
                if (!caption.empty() && caption.find_first_not_of("0123456789") == std::string::npos) {
                    caption = AsName(ControlCaption(texts, group.group)) + " " + caption;
                }
                // A row of one field needs no column to tell which.
                const auto filled = std::count_if(row.fields.begin(), row.fields.end(),
                                                  [](const std::string& name) { return !name.empty(); });
                std::string part;
                if (filled < 2) {
                } else if (CaptionKeys().contains(field)) {
                    part = AsName(ControlCaption(texts, field)); // a check box names itself
                } else if (column < group.headers.size() && !group.headers[column].empty()) {
                    part = AsName(ControlCaption(texts, group.headers[column]));
                }
                if (!part.empty() && part != caption) {
                    caption += caption.empty() ? part : ": " + part;
                }
                return caption.empty() ? std::string(field) : caption;
            }
        }
    }
    return std::string(field);
}

} // namespace vorn
