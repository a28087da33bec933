#include "platform/Locale.h"

#include "base/AsciiText.h"

#include <array>

namespace vorn {

namespace {

struct LocaleCode {
    std::string_view locale; // language, or language_TERRITORY
    int code;
};

// Language and territory first; a bare language stands for its main territory.
constexpr std::array<LocaleCode, 58> LocaleCodes{{
    {"da_DK", 1030}, {"de_AT", 3079},  {"de_CH", 2055},  {"de_DE", 1031}, {"de_LI", 5127}, {"de_LU", 4103},
    {"en_AU", 3081}, {"en_CA", 4105},  {"en_GB", 2057},  {"en_IE", 6153}, {"en_NZ", 5129}, {"en_US", 1033},
    {"en_ZA", 7177}, {"es_AR", 11274}, {"es_CL", 13322}, {"es_ES", 3082}, {"es_MX", 2058}, {"fi_FI", 1035},
    {"fr_BE", 2060}, {"fr_CA", 3084},  {"fr_CH", 4108},  {"fr_FR", 1036}, {"it_CH", 2064}, {"it_IT", 1040},
    {"nb_NO", 1044}, {"nl_BE", 2067},  {"nl_NL", 1043},  {"nn_NO", 2068}, {"pl_PL", 1045}, {"pt_BR", 1046},
    {"pt_PT", 2070}, {"sv_FI", 2077},  {"sv_SE", 1053},  {"zh_CN", 2052}, {"zh_HK", 3076}, {"zh_TW", 1028},
    {"cs", 1029},    {"da", 1030},     {"de", 1031},     {"el", 1032},    {"en", 1033},    {"es", 3082},
    {"et", 1061},    {"fi", 1035},     {"fr", 1036},     {"hu", 1038},    {"is", 1039},    {"it", 1040},
    {"ja", 1041},    {"nb", 1044},     {"nl", 1043},     {"nn", 2068},    {"no", 1044},    {"pl", 1045},
    {"pt", 2070},    {"ru", 1049},     {"sv", 1053},     {"zh", 2052},
}};

std::optional<int> Lookup(std::string_view name) {
    for (const auto& entry : LocaleCodes) {
        if (entry.locale == name) {
            return entry.code;
        }
    }
    return std::nullopt;
}

} // namespace

std::string LocaleOfLanguageCode(int code) {
    for (const auto& entry : LocaleCodes) {
        if (entry.code == code) {
            return std::string(entry.locale);
        }
    }
    return {};
}

std::string UserMessagesLocale(const EnvironmentLookup& environment) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const auto value = environment(name);
        if (value && !value->empty()) {
            return *value;
        }
    }
    return {};
}

std::optional<int> LanguageCodeOfLocale(std::string_view locale) {
    // "language[_TERRITORY][.codeset][@modifier]"; a "-" is taken as "_".
    locale = locale.substr(0, locale.find_first_of(".@"));
    const std::size_t separator = locale.find_first_of("_-");
    std::string language;
    for (const char c : locale.substr(0, separator)) {
        language += LowerAscii(c);
    }
    if (language.empty() || language == "c" || language == "posix") {
        return std::nullopt;
    }
    if (separator != std::string_view::npos) {
        std::string full = language + "_";
        for (const char c : locale.substr(separator + 1)) {
            full += UpperAscii(c);
        }
        if (const auto code = Lookup(full)) {
            return code;
        }
    }
    return Lookup(language);
}

int LanguageOfCode(int code) {
    // The low ten bits are the language, the bits above them its country or script.
    constexpr int Chinese = 0x04;
    constexpr int TraditionalChinese = 0x7C04;
    if (code <= 0 || code > 0xFFFF) {
        return 0;
    }
    const int language = code & 0x3FF;
    if (language != Chinese) {
        return language;
    }
    switch (code >> 10) {
    case 0x00: // Simplified without a country
    case 0x02: // China
    case 0x04: // Singapore
    case 0x1E: // Chinese without a country
        return Chinese;
    default: return TraditionalChinese;
    }
}

} // namespace vorn
