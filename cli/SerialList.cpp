#include "SerialList.h"

#include "base/Utf8.h"
#include "platform/Files.h"

#include <algorithm>
#include <unordered_map>

namespace vorn::cli {

namespace {

bool IsSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A decimal number of at most nine digits (anything longer is out of range as it stands).
bool ParseNumber(std::string_view text, std::uint64_t& value) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
        return false;
    }
    const std::string_view digits = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    if (digits.size() > 9) {
        value = UINT64_MAX;
        return true;
    }
    value = 0;
    for (const char ch : digits) {
        value = value * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    return true;
}

std::string Shown(std::string_view text) {
    constexpr std::size_t MaxShown = 40;
    const std::string quoted = "\"" + EscapeControlCharacters(text.substr(0, MaxShown)) + "\"";
    return text.size() > MaxShown ? quoted + "..." : quoted;
}

std::string RangeText() {
    return "(" + std::to_string(SerialList::MinSerial) + " to " + std::to_string(SerialList::MaxSerial) + ")";
}

// Collects the serial numbers of the entries in order, refusing the first bad one.
class Collector {
public:
    // An entry: a serial number or a range; where names it for a message ("entry 3", "list.txt line 7").
    bool Add(std::string_view entry, const std::string& where, std::string& error) {
        entry = Trimmed(entry);
        if (entry.empty()) {
            error = where + " is empty";
            return false;
        }
        const auto dash = entry.find('-');
        const std::string_view firstText =
            dash == std::string_view::npos ? entry : Trimmed(entry.substr(0, dash));
        const std::string_view lastText =
            dash == std::string_view::npos ? entry : Trimmed(entry.substr(dash + 1));
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        if (!ParseNumber(firstText, first) || !ParseNumber(lastText, last)) {
            error = where + ": " + Shown(entry) + " is not a serial number " + RangeText() +
                    " or a range such as 1005-1009";
            return false;
        }
        for (const auto& [value, text] : {std::pair{first, firstText}, std::pair{last, lastText}}) {
            if (value < SerialList::MinSerial || value > SerialList::MaxSerial) {
                // Only digits here; a very long number is cut short.
                const std::string digits(text.substr(0, 12));
                error = where + ": the serial number " + digits + (text.size() > 12 ? "..." : "") +
                        " is out of range " + RangeText();
                return false;
            }
        }
        if (last < first) {
            error = where + ": the range " + Shown(entry) + " runs backwards";
            return false;
        }
        if (last - first + 1 > SerialList::MaxEntries - serials_.size()) {
            error = where + ": more than " + std::to_string(SerialList::MaxEntries) +
                    " serial numbers in one batch";
            return false;
        }
        for (std::uint64_t value = first; value <= last; ++value) {
            const auto serial = static_cast<std::uint32_t>(value);
            const auto [seen, added] = places_.emplace(serial, where);
            if (!added) {
                error = "the serial number " + std::to_string(serial) + " is listed twice (" + seen->second +
                        " and " + where + ")";
                return false;
            }
            serials_.push_back(serial);
        }
        return true;
    }

    std::vector<std::uint32_t> Take(std::string& error) {
        if (serials_.empty() && error.empty()) {
            error = "the list names no serial number";
        }
        return error.empty() ? std::move(serials_) : std::vector<std::uint32_t>{};
    }

private:
    std::vector<std::uint32_t> serials_;
    std::unordered_map<std::uint32_t, std::string> places_;
};

} // namespace

std::vector<std::uint32_t> SerialList::Parse(std::string_view text, std::string& error) {
    error.clear();
    Collector collector;
    int index = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = std::min(text.find(',', start), text.size());
        if (!collector.Add(text.substr(start, comma - start), "entry " + std::to_string(++index), error)) {
            return {};
        }
        start = comma + 1;
    }
    return collector.Take(error);
}

std::vector<std::uint32_t> SerialList::FromArgument(std::string_view argument, std::string& error) {
    error.clear();
    if (argument.empty() || argument.front() != '@') {
        return Parse(argument, error);
    }
    const std::string path(argument.substr(1));
    FileError fileError = FileError::None;
    const auto content = ReadWholeFile(path, MaxFileBytes, fileError);
    if (!content) {
        error = "cannot read the serial number list " + path + ": " +
                (fileError == FileError::FileTooLarge
                     ? "larger than " + std::to_string(MaxFileBytes / 1024) + " KiB"
                     : std::string(FileErrorText(fileError)));
        return {};
    }
    Collector collector;
    std::string_view rest = *content;
    for (int line = 1; !rest.empty() || line == 1; ++line) {
        const auto newline = std::min(rest.find('\n'), rest.size());
        std::string_view text = rest.substr(0, newline);
        rest.remove_prefix(std::min(newline + 1, rest.size()));
        text = Trimmed(text.substr(0, std::min(text.find('#'), text.size())));
        if (text.empty()) {
            if (rest.empty()) {
                break;
            }
            continue;
        }
        // A line may hold a comma list as well.
        std::size_t start = 0;
        while (start <= text.size()) {
            const auto comma = std::min(text.find(',', start), text.size());
            if (!collector.Add(text.substr(start, comma - start), path + " line " + std::to_string(line),
                               error)) {
                return {};
            }
            start = comma + 1;
        }
    }
    return collector.Take(error);
}

} // namespace vorn::cli
