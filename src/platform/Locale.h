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
// The other way round: the locale name of a language code ("de_DE" for 1031), for the toolkit's own
// translations; empty for a code the table lacks.
std::string LocaleOfLanguageCode(int code);

// The language of a numeric language code whatever its country, as one number: equal for Spanish of
// Chile (13322) and of Spain (3082), for French of France (1036) and of Belgium (2060). Chinese counts
// as two languages by its writing: Simplified (China, Singapore) and Traditional (Taiwan, Hong Kong,
// Macao). 0 for a code that is no language.
int LanguageOfCode(int code);

} // namespace vorn
