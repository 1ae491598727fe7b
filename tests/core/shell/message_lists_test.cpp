// Texts picked by number: " ID n" labels and batch failure codes.
#include "shell/catalog.h"
#include "shell/message_lists.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimo::shell {
namespace {

std::string english(std::optional<Msg> id)
{
    return id ? Catalog::instance().text(*id, Language::English) : "<none>";
}

TEST(MessageLists, IdLabels)
{
    for (int id = 0; id < 8; ++id)
        EXPECT_EQ(english(idLabel(id)), " ID " + std::to_string(id));
    EXPECT_EQ(idLabel(-1), std::nullopt);
    EXPECT_EQ(idLabel(8), std::nullopt);
}

TEST(MessageLists, FailureCodesPickTheirStep)
{
    EXPECT_EQ(english(sendFailureMessage(1)), "Fails in receipt of a message of sensor head type.\nSkip with this controller.");
    EXPECT_EQ(english(sendFailureMessage(2)), "Fails in a change of memory number.\nSkip with this controller.");
    EXPECT_EQ(english(sendFailureMessage(11)),
              "Fails in the transmission of a message of an application mode.\nSkip with this controller.");
    EXPECT_EQ(english(sendFailureMessage(25)), "Fails in the transmission of a message of hysteresis.\nSkip with this controller.");
    EXPECT_EQ(english(receiveFailureMessage(2)), "Fails in receipt of a message of memory number.\nSkip with this controller.");
    EXPECT_EQ(english(receiveFailureMessage(21)), "Fails in receipt of a message of search materials.\nSkip with this controller.");
    EXPECT_EQ(english(receiveFailureMessage(25)), "Fails in receipt of a message of hysteresis.\nSkip with this controller.");
}

TEST(MessageLists, CodesWithoutAStepTextGiveNothing)
{
    for (int code : {0, -1, 26, 98, 99, 100, 1000}) {
        EXPECT_EQ(sendFailureMessage(code), std::nullopt) << code;
        EXPECT_EQ(receiveFailureMessage(code), std::nullopt) << code;
    }
}

TEST(MessageLists, EveryCodeStaysInItsGroup)
{
    for (int code = 1; code <= kBatchFailureCodes; ++code) {
        ASSERT_TRUE(sendFailureMessage(code));
        ASSERT_TRUE(receiveFailureMessage(code));
        EXPECT_EQ(messageGroup(*sendFailureMessage(code)), MsgGroup::SendFailures);
        EXPECT_EQ(messageGroup(*receiveFailureMessage(code)), MsgGroup::ReceiveFailures);
    }
}

} // namespace
} // namespace tavimo::shell
