// The text catalog: every program text and every screen text in Japanese and
// English. The language is set once at start-up (loadLanguage); afterwards the
// catalog only answers look-ups and may be read from any thread.
#pragma once

#include "shell/language.h"
#include "shell/msg.h"

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimo::shell {

// One screen text of a window. The views point into the catalog and stay
// valid for the whole run.
struct ScreenEntry {
    std::string_view control;  // "" for the window itself
    std::string_view property; // see screen_keys.h
    std::string_view text;
};

class Catalog {
public:
    static Catalog& instance();

    Catalog(const Catalog&) = delete;
    Catalog& operator=(const Catalog&) = delete;

    void setLanguage(Language language);
    Language language() const;

    // Program texts. An identifier outside the enumeration gives "".
    const std::string& text(Msg id) const;
    const std::string& text(Msg id, Language language) const;

    // Screen texts; nullptr when the window has no such entry.
    const std::string* screenText(std::string_view form, std::string_view control,
                                  std::string_view property) const;
    const std::string* screenText(std::string_view form, std::string_view control,
                                  std::string_view property, Language language) const;

    // Every screen entry of one window, in the order the window assigns them;
    // empty for an unknown window.
    std::vector<ScreenEntry> screenEntries(std::string_view form) const;
    std::vector<ScreenEntry> screenEntries(std::string_view form, Language language) const;

    // The windows that have screen texts, in catalog order.
    std::vector<std::string_view> forms() const;

private:
    Catalog();

    struct FormRange {
        std::string_view form;
        std::size_t begin;
        std::size_t end;
    };

    const FormRange* findForm(std::string_view form) const;
    static std::size_t slot(Language language);

    std::atomic<Language> language_{Language::Japanese};
    std::vector<std::string> messages_[2];
    std::vector<std::string> screen_[2];
    std::vector<FormRange> forms_;
};

// Sets the catalog's language from the raw text of ENVIRONMENT/LANGUAGE
// (nullopt when the file or the key is missing) and returns it.
Language loadLanguage(std::optional<std::string_view> languageValue);

} // namespace tavimo::shell
