#include "base/CodeList.h"

#include "base/NumberText.h"

namespace vorn {

std::string_view NamePart(std::string_view item) {
    const auto eq = item.find('=');
    return eq == std::string_view::npos ? std::string_view{} : item.substr(0, eq);
}

std::string_view ValuePart(std::string_view item) {
    const auto eq = item.find('=');
    return eq == std::string_view::npos ? std::string_view{} : item.substr(eq + 1);
}

int CodeOfItem(std::string_view item) {
    return IntOrZero(NamePart(item));
}

std::vector<std::string> DisplayTexts(const CodeList& list) {
    std::vector<std::string> texts;
    texts.reserve(list.size());
    for (const auto& item : list) {
        texts.emplace_back(ValuePart(item));
    }
    return texts;
}

int CodeOfText(const CodeList& list, std::string_view displayText) {
    for (const auto& item : list) {
        if (ValuePart(item) == displayText) {
            return CodeOfItem(item);
        }
    }
    return 0;
}

std::string NameOfText(const CodeList& list, std::string_view displayText) {
    for (const auto& item : list) {
        if (ValuePart(item) == displayText) {
            return std::string(NamePart(item));
        }
    }
    return {};
}

int IndexOfCode(const CodeList& list, int code) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (CodeOfItem(list[i]) == code) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int IndexOfName(const CodeList& list, std::string_view name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (NamePart(list[i]) == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int NextCode(const CodeList& list, int code) {
    if (list.empty()) {
        return 0;
    }
    const int first = CodeOfItem(list.front());
    const int index = IndexOfCode(list, code);
    if (list.size() <= 1 || index < 0 || static_cast<std::size_t>(index) + 1 == list.size()) {
        return first;
    }
    return CodeOfItem(list[static_cast<std::size_t>(index) + 1]);
}

std::string FindContaining(const std::vector<std::string>& list, std::string_view text) {
    for (const auto& item : list) {
        if (item.find(text) != std::string::npos) {
            return item;
        }
    }
    return {};
}

std::string MakeItem(int code, std::string_view displayText) {
    std::string item = std::to_string(code);
    item += '=';
    item += displayText;
    return item;
}

} // namespace vorn
