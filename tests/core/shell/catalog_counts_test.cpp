// The catalog holds every text exactly once: the number of texts per group and
// per window, and keys that pick one entry each.
#include "shell/catalog.h"
#include "shell/screen_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace tavimo::shell {
namespace {

TEST(CatalogCounts, ProgramTextsPerGroup)
{
    const std::pair<MsgGroup, std::size_t> expected[] = {
        {MsgGroup::Words, 24},       {MsgGroup::ExportLabels, 51}, {MsgGroup::SendFailures, 25},
        {MsgGroup::ReceiveFailures, 25}, {MsgGroup::CsvHeaders, 2}, {MsgGroup::Notices, 53},
        {MsgGroup::Supplement, 8},
    };
    std::size_t total = 0;
    for (auto [group, count] : expected) {
        EXPECT_EQ(messageCount(group), count) << static_cast<int>(group);
        total += count;
    }
    EXPECT_EQ(kMsgCount, 188u);
    EXPECT_EQ(total, kMsgCount);
}

TEST(CatalogCounts, GroupsAreContiguous)
{
    // Numbered look-ups (failure codes, ID labels) rely on a group's texts
    // standing together.
    std::set<MsgGroup> closed;
    MsgGroup current = messageGroup(static_cast<Msg>(0));
    for (std::size_t i = 1; i < kMsgCount; ++i) {
        MsgGroup g = messageGroup(static_cast<Msg>(i));
        if (g != current) {
            closed.insert(current);
            EXPECT_EQ(closed.count(g), 0u) << "group " << static_cast<int>(g) << " resumes at " << i;
            current = g;
        }
    }
}

TEST(CatalogCounts, ScreenEntriesPerWindow)
{
    const std::pair<std::string_view, std::size_t> expected[] = {
        {form::kMain, 239},          {form::kMeasuredValues, 64},  {form::kWaveform, 97},
        {form::kDataBuffering, 81},  {form::kBufferingSettings, 21}, {form::kCalibration, 16},
        {form::kCalculation, 19},    {form::kCommunicationSettings, 15}, {form::kCsvSettings, 7},
        {form::kProgress, 1},        {form::kProgressWithCancel, 2}, {form::kAbout, 4},
    };
    const Catalog& catalog = Catalog::instance();
    std::size_t total = 0;
    for (auto [formName, count] : expected) {
        EXPECT_EQ(catalog.screenEntries(formName, Language::Japanese).size(), count) << formName;
        EXPECT_EQ(catalog.screenEntries(formName, Language::English).size(), count) << formName;
        total += count;
    }
    EXPECT_EQ(total, 566u);
    // Every window stands in one block, so the per-window lists are complete.
    std::vector<std::string_view> forms = catalog.forms();
    EXPECT_EQ(forms.size(), std::size(expected));
    EXPECT_EQ(std::set<std::string_view>(forms.begin(), forms.end()).size(), forms.size());
}

TEST(CatalogCounts, EveryScreenKeyPicksItsOwnEntry)
{
    const Catalog& catalog = Catalog::instance();
    for (std::string_view formName : catalog.forms()) {
        for (Language language : {Language::Japanese, Language::English}) {
            std::set<std::pair<std::string_view, std::string_view>> keys;
            for (const ScreenEntry& e : catalog.screenEntries(formName, language)) {
                EXPECT_TRUE(keys.insert({e.control, e.property}).second)
                    << formName << " " << e.control << " " << e.property << " twice";
                const std::string* found = catalog.screenText(formName, e.control, e.property, language);
                ASSERT_NE(found, nullptr);
                EXPECT_EQ(found->data(), e.text.data()) << formName << " " << e.control;
            }
        }
    }
}

} // namespace
} // namespace tavimo::shell
