#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Reads one environment variable; nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
// The process environment (values in UTF-8). On Windows, whose locale is no environment variable,
// an unset LANG reads as the user's regional settings ("de-DE"), so the locale is found the same way
// on every platform.
std::optional<std::string> ProcessEnvironment(const char* name);

// The user's locale for messages as the C library picks it: LC_ALL, then LC_MESSAGES, then LANG (the
// first that is set and not empty); empty when none is.
std::string UserMessagesLocale(const EnvironmentLookup& environment = ProcessEnvironment);

// The numeric language code (as the language files carry in their names) of a locale name such as
// "de_DE.UTF-8", "de-AT" or "en": the language and territory when the table has them, else the
// language alone; nullopt for "C", "POSIX" and languages the table lacks.
std::optional<int> LanguageCodeOfLocale(std::string_view locale);

} // namespace vorn
