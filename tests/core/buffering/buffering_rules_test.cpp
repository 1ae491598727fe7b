#include "buffering/buffering_config.h"
#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "shell/catalog.h"

#include <gtest/gtest.h>

namespace tavimo::buffering {
namespace {

TEST(BufferingRules, CapacityFromTheBnAnswer)
{
    struct Case {
        bool ok;
        long long answer;
        int expected;
    };
    for (const Case& c : {Case{true, 60000, 50000}, Case{true, 50000, 50000}, Case{true, 49999, 49999},
                          Case{true, 5000, 5000}, Case{true, 1, 1}, Case{true, 0, 50000}, Case{true, -3, 50000},
                          Case{false, 5000, 50000}})
        EXPECT_EQ(maxPointsFromAnswer(c.ok, c.answer), c.expected) << c.ok << " " << c.answer;
}

TEST(BufferingRules, RunSettingsAreClampedIntoTheirRanges)
{
    struct Case {
        RunSettings in;
        int capacity;
        RunSettings out;
    };
    const Case cases[] = {
        {{1, 10000, 4, 1}, 50000, {1, 10000, 4, 1}},
        {{1, 10000, 4, 1}, 5000, {1, 5000, 4, 1}},       // points above the capacity
        {{0, 100, 4, 80}, 50, {0, 50, 4, 50}},           // trigger point follows the points
        {{7, 0, 0, 0}, 50000, {1, 1, 1, 1}},             // everything below its range
        {{-1, 999999, 99999, 999999}, 50000, {1, 50000, 32767, 50000}},
        {{1, 100, 4, 5}, 0, {1, 1, 4, 1}},               // a capacity of 0 is taken as 1
    };
    for (const Case& c : cases) EXPECT_EQ(clampRunSettings(c.in, c.capacity), c.out);
}

TEST(BufferingRules, CompletionPeriodNeverBelowHundredMs)
{
    EXPECT_EQ(completionPeriodMs(4, 10000, 1), 1000);
    EXPECT_EQ(completionPeriodMs(1, 100, 100), 100); // computed 0
    EXPECT_EQ(completionPeriodMs(1, 4000, 1), 100);
    EXPECT_EQ(completionPeriodMs(1, 4001, 1), 100);   // 100.025 truncated
    EXPECT_EQ(completionPeriodMs(3, 10000, 5001), 375);
    EXPECT_EQ(completionPeriodMs(32767, 50000, 1), 40958750);
}

TEST(BufferingRules, PredictedTimeAndItsQuestionMark)
{
    EXPECT_EQ(predictedRunText(10000, 4), "1000");
    EXPECT_EQ(predictedRunText(1, 1), "?");
    EXPECT_EQ(predictedRunText(39, 1), "?");
    EXPECT_EQ(predictedRunText(40, 1), "1");
}

TEST(BufferingRules, SettleDelayFromTheAveragingCount)
{
    EXPECT_EQ(settleDelayMs(true, 0), 460);
    EXPECT_EQ(settleDelayMs(true, 6), 463);     // 64 samples: 463.2
    EXPECT_EQ(settleDelayMs(true, 10), 511);    // 1024: 511.2
    EXPECT_EQ(settleDelayMs(true, 14), 1279);   // 16384: 1279.2
    EXPECT_EQ(settleDelayMs(false, 14), 463);
    EXPECT_EQ(settleDelayMs(true, 15), 463);    // no such index
    EXPECT_EQ(settleDelayMs(true, -1), 463);
}

TEST(BufferingRules, ReadoutNeedsAStoppedTriggeredRunWithEnoughPoints)
{
    BufferingState s;
    s.runState = 0;
    s.triggerState = 1;
    s.storedCount = 10;
    s.controllerTriggerPoint = 10;
    s.bufferPoints = 8;
    EXPECT_TRUE(readoutPossible(s));
    EXPECT_EQ(readoutCount(s), 8);
    auto without = [&](auto change) {
        BufferingState t = s;
        change(t);
        return readoutPossible(t);
    };
    EXPECT_FALSE(without([](BufferingState& t) { t.runState = 1; }));
    EXPECT_FALSE(without([](BufferingState& t) { t.triggerState = 0; }));
    EXPECT_FALSE(without([](BufferingState& t) { t.storedCount = 0; }));
    EXPECT_FALSE(without([](BufferingState& t) { t.storedCount = 9; })); // below the trigger point
}

TEST(BufferingConfig, KeysReadClampedAndWrittenBack)
{
    auto doc = files::IniDocument::parse("[DATABUFF]\r\nAMOUNT_N=99999\r\nRATE=0\r\nTRIG_POINT=70000\r\n"
                                         "TRIG_MODE=5\r\nVERTICAL_MAX=1\r\nVERTICAL_MIN=2\r\nHORIZONTAL=500\r\n"
                                         "TIME_CURSOR=1\r\nCHART_DISP_WIDTH=1\r\n"
                                         "[ENVIRONMENT]\r\nDATABUFF_SAVEFOLDER=/data\r\nDATABUFF_TOP=12\r\n");
    const BufferScreenConfig c = readBufferConfig(doc);
    EXPECT_EQ(c.runSettings(), (RunSettings{1, 50000, 1, 50000}));
    EXPECT_EQ(c.VERTICAL_MAX, 5.0); // a minimum above the maximum gives both defaults
    EXPECT_EQ(c.VERTICAL_MIN, 0.0);
    EXPECT_EQ(c.HORIZONTAL, 90);
    EXPECT_TRUE(c.TIME_CURSOR);
    EXPECT_FALSE(c.MEASURE_CURSOR);
    EXPECT_TRUE(c.CHART_DISP_WIDTH);
    EXPECT_EQ(c.DATABUFF_SAVEFOLDER, "/data");
    EXPECT_EQ(c.DATABUFF_TOP, 12);

    const BufferScreenConfig defaults = readBufferConfig(files::IniDocument{});
    EXPECT_EQ(defaults, BufferScreenConfig{});
    EXPECT_EQ(defaults.runSettings(), (RunSettings{1, 10000, 4, 1}));

    files::IniDocument out = files::IniDocument::parse("[DATABUFF]\r\nFOREIGN=kept\r\n");
    writeBufferConfig(out, c);
    EXPECT_EQ(readBufferConfig(out), c);
    EXPECT_EQ(out.value("DATABUFF", "FOREIGN").value_or(""), "kept");
}

TEST(BufferingFailures, EachProcedureItsOwnMessage)
{
    using shell::Msg;
    struct Case {
        Procedure p;
        int code;
        std::optional<Msg> message;
        bool terminates;
    };
    const Case cases[] = {
        {Procedure::Selection, 201, Msg::IdChangeFailed, false},
        {Procedure::Toggle, 201, Msg::SharedBufferFailure, false},
        {Procedure::Readout, 201, Msg::SharedBufferFailure, false},
        {Procedure::Toggle, 402, Msg::SettingSendFailed, false},
        {Procedure::Closing, 402, Msg::BufferingEndFailed, false},
        {Procedure::Readout, 403, Msg::ReadoutNotPossible, false},
        {Procedure::Readout, 404, Msg::ReadoutFailed, false},
        {Procedure::Readout, 600, Msg::DataReceiveStopped, false},
        {Procedure::Readout, 500, Msg::WorkerPauseFailed, true},
        {Procedure::Toggle, 501, Msg::WorkerResumeFailed, true},
        {Procedure::Closing, 500, Msg::ProgramError, true},
        {Procedure::File, 300, Msg::FileNotFound, false},
        {Procedure::File, 301, Msg::FileReadFailed, false},
        {Procedure::File, 309, Msg::BackupFailed, false},
        {Procedure::File, 100, std::nullopt, false},
        {Procedure::Toggle, 404, Msg::ProgramError, true}, // not a code of that procedure
        {Procedure::Readout, kCodeRefused, std::nullopt, false},
    };
    for (const Case& c : cases) {
        const auto r = bufferingFailure(c.p, c.code);
        EXPECT_EQ(r.message, c.message) << c.code;
        EXPECT_EQ(r.terminates, c.terminates) << c.code;
    }
}

} // namespace
} // namespace tavimo::buffering
