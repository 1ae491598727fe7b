#include "window/number_field.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace tavimo::window {
namespace {

NumberFieldSpec integerField() { return NumberFieldSpec::make(100, 500, 250, "0", true); }
NumberFieldSpec decimalField() { return NumberFieldSpec::make(-99.9999, 99.9999, 0, "0.0000"); }
NumberFieldSpec plusField() { return NumberFieldSpec::make(0, 10, 1, "0.00", false, true); }

TEST(NumberFieldSpec, NormalisesRangeAndDefault)
{
    const NumberFieldSpec a = NumberFieldSpec::make(0, 10, 20);
    EXPECT_EQ(a.defaultValue, 10);
    const NumberFieldSpec b = NumberFieldSpec::make(5, 1, 3);
    EXPECT_EQ(b.max, 5);
    EXPECT_EQ(b.defaultValue, 5);
    NumberFieldSpec c;
    c.min = 1;
    c.max = 2;
    c.defaultValue = -7; // a default set on its own is pulled into the range too
    c.normalise();
    EXPECT_EQ(c.defaultValue, 2);
}

TEST(NumberFieldFormat, FigureDecimalsRoundingAndSign)
{
    const NumberFieldSpec d = decimalField();
    EXPECT_EQ(formatNumber(d, 1.23456), "1.2346");
    EXPECT_EQ(formatNumber(d, 0.00005), "0.0001");
    EXPECT_EQ(formatNumber(d, -0.00001), "0.0000");
    EXPECT_EQ(formatNumber(d, -0.25), "-0.2500");
    EXPECT_EQ(formatNumber(integerField(), 300.9), "300");
    EXPECT_EQ(formatNumber(NumberFieldSpec::make(0, 9, 0, "0.00"), 2.5), "2.50");
}

TEST(NumberFieldFormat, SetValueFallsBackToDefaultOutsideTheRange)
{
    EXPECT_EQ(textForValue(integerField(), 50), "250");
    EXPECT_EQ(textForValue(integerField(), 500.7), "500"); // truncated, then inside
    EXPECT_EQ(textForValue(decimalField(), 100), "0.0000");
    EXPECT_EQ(textForValue(decimalField(), 12.5), "12.5000");
}

TEST(NumberFieldParse, AcceptsOnlyNumberTexts)
{
    struct Case {
        const char* text;
        bool integer;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1.5", false, 1.5},  {"-0.25", false, -0.25}, {"1.", false, 1.0},  {".5", false, 0.5},
        {"-.5", false, -0.5}, {"300", true, 300.0},     {"1.5", true, {}},    {"", false, {}},
        {"-", false, {}},     {"1.2.3", false, {}},     {"1e5", false, {}},   {" 1", false, {}},
        {"inf", false, {}},   {"0.00-", false, {}},     {"--1", false, {}},   {"1,5", false, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseNumber(c.text, c.integer), c.value) << c.text;
    EXPECT_EQ(valueOfText(integerField(), "abc"), 250);
    EXPECT_EQ(valueOfText(integerField(), "1000"), 1000); // GetValue is not range-checked
}

TEST(NumberFieldParse, IgnoresTheGlobalLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(parseNumber("1.5", false), 1.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberFieldText, StateByRange)
{
    const NumberFieldSpec i = integerField();
    EXPECT_EQ(classifyText(i, ""), TextState::Empty);
    EXPECT_EQ(classifyText(i, "-"), TextState::Empty);
    EXPECT_EQ(classifyText(i, "50"), TextState::OutOfRange);
    EXPECT_EQ(classifyText(i, "300"), TextState::InRange);
    EXPECT_EQ(classifyText(i, "3.5"), TextState::Unreadable);
}

TEST(NumberFieldKeys, FilterTable)
{
    struct Case {
        NumberFieldSpec spec;
        const char* text;
        Selection sel;
        char key;
        KeyAction action;
        char inserted;
    };
    const NumberFieldSpec d = decimalField();
    const Case cases[] = {
        {d, "1", {1, 0}, ',', KeyAction::Insert, '.'},   // comma typed as point
        {d, "1.5", {3, 0}, '.', KeyAction::Refuse, 0},   // second point
        {d, "1.5", {1, 1}, '.', KeyAction::Insert, '.'}, // the point itself selected
        {integerField(), "1", {1, 0}, '.', KeyAction::Refuse, 0},
        {d, "", {0, 0}, '-', KeyAction::Insert, '-'},            // empty counts as all selected
        {d, "12", {0, 2}, '-', KeyAction::Insert, '-'},          // all selected
        {d, "12", {0, 0}, '-', KeyAction::Refuse, 0},            // not the figure, not selected
        {d, "0.0000", {0, 0}, '-', KeyAction::Insert, '-'},      // the figure itself
        {d, "0.0000", {6, 0}, '-', KeyAction::Refuse, 0},        // would read "0.0000-"
        {plusField(), "", {0, 0}, '-', KeyAction::Refuse, 0},
        {d, "1", {1, 0}, '7', KeyAction::Insert, '7'},
        {d, "1", {1, 0}, 'a', KeyAction::Refuse, 0},
        {d, "1", {1, 0}, '\b', KeyAction::Refuse, 0},
        {d, "1", {1, 0}, '\r', KeyAction::FocusNext, 0},
        {d, "1", {1, 0}, 0x1b, KeyAction::Clear, 0},
    };
    for (const Case& c : cases) {
        const KeyDecision k = filterKey(c.spec, c.text, c.sel, c.key);
        EXPECT_EQ(k.action, c.action) << c.text << " key " << int(c.key);
        if (c.action == KeyAction::Insert) {
            EXPECT_EQ(k.character, c.inserted);
        }
    }
}

TEST(NumberFieldPaste, SameRulesAsTyping)
{
    const NumberFieldSpec d = decimalField();
    EXPECT_TRUE(pasteAllowed(d, "", {0, 0}, "1.5"));
    EXPECT_TRUE(pasteAllowed(d, "", {0, 0}, "1,5"));
    EXPECT_FALSE(pasteAllowed(d, "", {0, 0}, "abc"));
    EXPECT_FALSE(pasteAllowed(d, "", {0, 0}, "150"));     // outside the range
    EXPECT_FALSE(pasteAllowed(d, "1.", {2, 0}, "0.5"));   // a second point
    EXPECT_FALSE(pasteAllowed(d, "12", {1, 0}, "-1"));    // a minus in the middle
    EXPECT_TRUE(pasteAllowed(d, "12", {0, 2}, "-1"));     // replacing all of it
    EXPECT_FALSE(pasteAllowed(plusField(), "", {0, 0}, "-1"));
    EXPECT_FALSE(pasteAllowed(integerField(), "", {0, 0}, "300.5"));
}

TEST(NumberFieldLeave, AcceptsReformatsOrFallsBack)
{
    struct Case {
        NumberFieldSpec spec;
        const char* text;
        const char* shown;
        bool accepted;
    };
    const Case cases[] = {
        {integerField(), "50", "250", false},
        {integerField(), "300", "300", true},
        {decimalField(), "1.23456", "1.2346", true},
        {decimalField(), "", "0.0000", true}, // empty takes the default, which is valid
        {decimalField(), "-", "0.0000", true},
        {decimalField(), "0.00-", "0.0000", false}, // unreadable is treated like out of range
        {NumberFieldSpec::make(0, 99.99996, 1, "0.0000"), "99.99995", "99.9999", true},
        {decimalField(), "99.99995", "0.0000", false},
    };
    for (const Case& c : cases) {
        const LeaveResult r = leaveField(c.spec, c.text);
        EXPECT_EQ(r.text, c.shown) << c.text;
        EXPECT_EQ(r.accepted, c.accepted) << c.text;
    }
}

TEST(NumberFieldLeave, TheFallbackIsAlwaysAccepted)
{
    // Whatever range and default a screen sets, the text put back on an
    // out-of-range exit is itself accepted, so the focus is never trapped.
    const double values[][3] = {{0, 10, 20}, {5, 1, 0}, {-3, -1, 7}, {0.5, 0.5, 9}};
    for (const auto& v : values) {
        const NumberFieldSpec s = NumberFieldSpec::make(v[0], v[1], v[2], "0.0000");
        const LeaveResult bad = leaveField(s, "12345");
        EXPECT_TRUE(leaveField(s, bad.text).accepted) << v[0] << ".." << v[1];
    }
}

TEST(NumberFieldSettle, ReportsOnTheThirdTickAfterTheLastValidChange)
{
    SettleCounter c;
    c.textChanged(TextState::InRange);
    EXPECT_FALSE(c.tick());
    EXPECT_FALSE(c.tick());
    c.textChanged(TextState::InRange); // a further change restarts the count
    EXPECT_FALSE(c.tick());
    EXPECT_FALSE(c.tick());
    EXPECT_TRUE(c.tick());
    EXPECT_FALSE(c.tick());

    c.textChanged(TextState::InRange);
    c.tick();
    c.textChanged(TextState::OutOfRange); // an invalid change cancels it
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(c.tick());

    c.textChanged(TextState::InRange);
    c.textChanged(TextState::Empty); // empty text changes nothing
    c.tick();
    c.tick();
    EXPECT_TRUE(c.tick());
}

} // namespace
} // namespace tavimo::window
