// Item lists and file-dialog filters taken apart.
#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "shell/text_lists.h"

#include <gtest/gtest.h>

namespace tavimo::shell {
namespace {

using Items = std::vector<std::string>;

TEST(TextLists, Items)
{
    EXPECT_EQ(splitItems("None\nExternal\nInternal\nCyclic"), (Items{"None", "External", "Internal", "Cyclic"}));
    EXPECT_EQ(splitItems("comma ',' \nsemicolon ';' \ntab"), (Items{"comma ',' ", "semicolon ';' ", "tab"}));
    EXPECT_EQ(splitItems(" ID 0\n ID 1"), (Items{" ID 0", " ID 1"}));
    EXPECT_EQ(splitItems("Detect the distance."), (Items{"Detect the distance."}));
    EXPECT_EQ(splitItems("a\n"), (Items{"a"}));
    EXPECT_EQ(splitItems("a\n\nb"), (Items{"a", "", "b"}));
    EXPECT_EQ(splitItems("a\r\nb"), (Items{"a", "b"}));
    EXPECT_TRUE(splitItems("").empty());
}

TEST(TextLists, FiltersDropBlanksAroundBars)
{
    std::vector<FileFilter> f = splitFilter("Quarlo measurement data(*.TMD)|*.TMD | measurement data CSV file (*.CSV)|*.CSV");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].description, "Quarlo measurement data(*.TMD)");
    EXPECT_EQ(f[0].pattern, "*.TMD");
    EXPECT_EQ(f[1].description, "measurement data CSV file (*.CSV)");
    EXPECT_EQ(f[1].pattern, "*.CSV");

    EXPECT_EQ(splitFilter("only a description").size(), 0u);
    EXPECT_EQ(splitFilter("a|*.A|dangling").size(), 1u);
    EXPECT_TRUE(splitFilter("").empty());
}

TEST(TextLists, EveryCatalogFilterGivesPatterns)
{
    const Catalog& catalog = Catalog::instance();
    int filters = 0;
    for (std::string_view formName : catalog.forms())
        for (Language language : {Language::Japanese, Language::English})
            for (const ScreenEntry& e : catalog.screenEntries(formName, language)) {
                if (e.property != property::kFilter)
                    continue;
                ++filters;
                std::vector<FileFilter> f = splitFilter(e.text);
                ASSERT_FALSE(f.empty()) << e.text;
                for (const FileFilter& one : f) {
                    EXPECT_EQ(one.pattern.substr(0, 2), "*.") << e.text;
                    EXPECT_EQ(one.pattern.find(' '), std::string::npos) << e.text;
                }
            }
    EXPECT_EQ(filters, 2 * 7);
}

} // namespace
} // namespace tavimo::shell
