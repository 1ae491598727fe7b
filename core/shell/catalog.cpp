#include "shell/catalog.h"

#include <iterator>

namespace tavimo::shell {

namespace {

struct MessageRow {
    MsgGroup group;
    std::string_view english;
    std::string_view japanese;
};

constexpr MessageRow kMessageRows[] = {
#define TAVIMO_MSG(group, id, en, ja) {MsgGroup::group, en, ja},
#include "shell/catalog_messages.inc"
#undef TAVIMO_MSG
};
static_assert(std::size(kMessageRows) == kMsgCount);

struct ScreenRow {
    std::string_view form;
    std::string_view control;
    std::string_view property;
    std::string_view english;
    std::string_view japanese;
};

constexpr ScreenRow kScreenRows[] = {
#define TAVIMO_SCREEN(form, control, property, en, ja) {form, control, property, en, ja},
#include "shell/catalog_screen.inc"
#undef TAVIMO_SCREEN
};

const std::string kEmpty;

} // namespace

MsgGroup messageGroup(Msg id)
{
    auto i = static_cast<std::size_t>(id);
    return i < kMsgCount ? kMessageRows[i].group : MsgGroup::Supplement;
}

std::size_t messageCount(MsgGroup group)
{
    std::size_t n = 0;
    for (const MessageRow& row : kMessageRows)
        n += row.group == group ? 1 : 0;
    return n;
}

Catalog& Catalog::instance()
{
    static Catalog catalog;
    return catalog;
}

Catalog::Catalog()
{
    for (const MessageRow& row : kMessageRows) {
        messages_[slot(Language::Japanese)].emplace_back(row.japanese);
        messages_[slot(Language::English)].emplace_back(row.english);
    }
    for (std::size_t i = 0; i < std::size(kScreenRows); ++i) {
        const ScreenRow& row = kScreenRows[i];
        screen_[slot(Language::Japanese)].emplace_back(row.japanese);
        screen_[slot(Language::English)].emplace_back(row.english);
        // The rows of one window stand together.
        if (forms_.empty() || forms_.back().form != row.form)
            forms_.push_back({row.form, i, i + 1});
        else
            forms_.back().end = i + 1;
    }
}

std::size_t Catalog::slot(Language language)
{
    return language == Language::English ? 1 : 0;
}

void Catalog::setLanguage(Language language)
{
    language_.store(language);
}

Language Catalog::language() const
{
    return language_.load();
}

const std::string& Catalog::text(Msg id) const
{
    return text(id, language());
}

const std::string& Catalog::text(Msg id, Language language) const
{
    auto i = static_cast<std::size_t>(id);
    const auto& texts = messages_[slot(language)];
    return i < texts.size() ? texts[i] : kEmpty;
}

const Catalog::FormRange* Catalog::findForm(std::string_view form) const
{
    for (const FormRange& range : forms_)
        if (range.form == form)
            return &range;
    return nullptr;
}

const std::string* Catalog::screenText(std::string_view form, std::string_view control,
                                       std::string_view property) const
{
    return screenText(form, control, property, language());
}

const std::string* Catalog::screenText(std::string_view form, std::string_view control,
                                       std::string_view property, Language language) const
{
    const FormRange* range = findForm(form);
    if (!range)
        return nullptr;
    for (std::size_t i = range->begin; i < range->end; ++i)
        if (kScreenRows[i].control == control && kScreenRows[i].property == property)
            return &screen_[slot(language)][i];
    return nullptr;
}

std::vector<ScreenEntry> Catalog::screenEntries(std::string_view form) const
{
    return screenEntries(form, language());
}

std::vector<ScreenEntry> Catalog::screenEntries(std::string_view form, Language language) const
{
    std::vector<ScreenEntry> entries;
    const FormRange* range = findForm(form);
    if (!range)
        return entries;
    entries.reserve(range->end - range->begin);
    for (std::size_t i = range->begin; i < range->end; ++i)
        entries.push_back({kScreenRows[i].control, kScreenRows[i].property, screen_[slot(language)][i]});
    return entries;
}

std::vector<std::string_view> Catalog::forms() const
{
    std::vector<std::string_view> names;
    for (const FormRange& range : forms_)
        names.push_back(range.form);
    return names;
}

Language loadLanguage(std::optional<std::string_view> languageValue)
{
    Language language = languageFromValue(languageValue);
    Catalog::instance().setLanguage(language);
    return language;
}

} // namespace tavimo::shell
