#include "sim/FaultRule.h"

#include "base/NumberText.h"

#include <array>
#include <charconv>

namespace vorn::sim {

namespace {

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

enum class Argument { None, Bytes, Text, Gap, PositionAndGap, PositionAndOptionalGap, BytesAndGap, Address };

struct KindRow {
    std::string_view name;
    FaultKind kind;
    Argument argument;
};

constexpr std::array<KindRow, 13> Kinds{{
    {"silence", FaultKind::Silence, Argument::None},
    {"raw", FaultKind::Raw, Argument::Bytes},
    {"payload", FaultKind::Payload, Argument::Text},
    {"checksum", FaultKind::WrongChecksum, Argument::None},
    {"lowercase", FaultKind::LowerCaseChecksum, Argument::None},
    {"split", FaultKind::Split, Argument::PositionAndGap},
    {"stray", FaultKind::StrayBefore, Argument::Bytes},
    {"stray-after", FaultKind::StrayAfter, Argument::BytesAndGap},
    {"delay", FaultKind::Delay, Argument::Gap},
    {"unplug", FaultKind::Unplug, Argument::PositionAndOptionalGap},
    {"drop", FaultKind::DropByte, Argument::Address},
    {"drip", FaultKind::Drip, Argument::Gap},
    {"lowercase-data", FaultKind::LowerCaseData, Argument::None},
}};

// Takes a trailing "<mark><integer>" off the text when there is one.
bool TakeSuffix(std::string_view& text, char mark, int& value) {
    const auto at = text.rfind(mark);
    if (at == std::string_view::npos) {
        return true;
    }
    const auto number = ParseInt(text.substr(at + 1));
    if (!number) {
        return false;
    }
    value = *number;
    text = text.substr(0, at);
    return true;
}

} // namespace

bool FaultRule::Matches(std::string_view payload) const {
    if (match == "*") {
        return true;
    }
    if (!match.empty() && match.back() == '$') {
        return payload == std::string_view(match).substr(0, match.size() - 1);
    }
    return payload.starts_with(match);
}

std::optional<std::string> ParseHexBytes(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const auto value = HexValue(text.substr(i, 2));
        if (!value) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*value);
    }
    return bytes;
}

std::optional<FaultRule> ParseFaultRule(std::string_view text, std::string& error) {
    FaultRule rule;
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) {
        error = "a fault is MATCH:KIND[=ARG][@SKIP][*TIMES]";
        return std::nullopt;
    }
    rule.match = std::string(text.substr(0, colon));
    std::string_view rest = text.substr(colon + 1);
    std::string_view argument;
    const auto equals = rest.find('=');
    std::string_view name = rest.substr(0, equals);
    if (equals != std::string_view::npos) {
        argument = rest.substr(equals + 1);
    } else if (!TakeSuffix(name, '*', rule.times) || !TakeSuffix(name, '@', rule.skip)) {
        error = "bad repeat count in fault \"" + std::string(text) + "\"";
        return std::nullopt;
    }
    if (!argument.empty() &&
        (!TakeSuffix(argument, '*', rule.times) || !TakeSuffix(argument, '@', rule.skip))) {
        error = "bad repeat count in fault \"" + std::string(text) + "\"";
        return std::nullopt;
    }
    const KindRow* row = nullptr;
    for (const auto& candidate : Kinds) {
        if (candidate.name == name) {
            row = &candidate;
        }
    }
    if (row == nullptr) {
        error = "unknown fault kind \"" + std::string(name) + "\"";
        return std::nullopt;
    }
    rule.kind = row->kind;
    const auto bad = [&] {
        error = "bad argument for fault \"" + std::string(text) + "\"";
        return std::nullopt;
    };
    const auto slash = argument.find('/');
    switch (row->argument) {
    case Argument::None:
        if (!argument.empty()) {
            return bad();
        }
        break;
    case Argument::Text:
        if (argument.empty()) {
            return bad();
        }
        rule.bytes = std::string(argument);
        break;
    case Argument::Bytes: {
        const auto bytes = ParseHexBytes(argument);
        if (!bytes || bytes->empty()) {
            return bad();
        }
        rule.bytes = *bytes;
        break;
    }
    case Argument::Address: {
        const auto address = ParseInt(argument);
        if (!address || *address < 0 || *address > 255) {
            return bad();
        }
        rule.position = *address;
        break;
    }
    case Argument::Gap: {
        const auto gap = ParseInt(argument);
        if (!gap || *gap < 0) {
            return bad();
        }
        rule.gap = Millis{*gap};
        break;
    }
    case Argument::PositionAndGap:
    case Argument::PositionAndOptionalGap: {
        // An unplug without a gap comes a little after its bytes, so the host has read them.
        const std::optional<int> defaultGap =
            row->argument == Argument::PositionAndOptionalGap ? std::optional<int>(10) : std::nullopt;
        const auto position = ParseInt(argument.substr(0, slash));
        const auto gap = slash == std::string_view::npos ? defaultGap : ParseInt(argument.substr(slash + 1));
        if (!position || !gap || *position < 0 || *gap < 0) {
            return bad();
        }
        rule.position = *position;
        rule.gap = Millis{*gap};
        break;
    }
    case Argument::BytesAndGap: {
        const auto bytes = ParseHexBytes(argument.substr(0, slash));
        const auto gap =
            slash == std::string_view::npos ? std::optional<int>(0) : ParseInt(argument.substr(slash + 1));
        if (!bytes || bytes->empty() || !gap || *gap < 0) {
            return bad();
        }
        rule.bytes = *bytes;
        rule.gap = Millis{*gap};
        break;
    }
    }
    return rule;
}

} // namespace vorn::sim
