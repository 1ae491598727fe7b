// The user-interface language, chosen once per run from ENVIRONMENT/LANGUAGE
// of the application configuration, and the fixed data that follows it.
#pragma once

#include <optional>
#include <string_view>

namespace tavimo::shell {

enum class Language { Japanese, English };

// Caption of every message box, in both languages.
inline constexpr std::string_view kMessageCaption = "Tavimo";

// The language for the raw text of ENVIRONMENT/LANGUAGE: the key is an integer
// with default 0; 0 selects Japanese and any other integer English. A missing
// key, an empty value or a value that is no integer reads as the default 0.
// Blanks around the value are ignored.
Language languageFromValue(std::optional<std::string_view> raw);
// The same for a value already read as an integer.
Language languageFromInteger(std::optional<long long> value);

// Help file in the program's folder: "TAVIMO_J.chm" or "TAVIMO_E.chm".
std::string_view helpFileName(Language language);

} // namespace tavimo::shell
