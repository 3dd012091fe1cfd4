#include "platform/Messages.h"

#include "support/FakeMessages.h"

#include <gtest/gtest.h>

#include <QApplication>

using namespace platform;
using testsupport::FakeMessages;

TEST(Messages, ErrorShowsErrorSignWithOk)
{
    FakeMessages fake;
    fake.error(nullptr, "Error! Project not Valid", "Caption");
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_EQ(fake.shown[0].text, "Error! Project not Valid");
    EXPECT_EQ(fake.shown[0].caption, "Caption");
    EXPECT_EQ(fake.shown[0].icon, MsgIcon::Error);
    EXPECT_EQ(fake.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(fake.lastText(), "Error! Project not Valid");
}

TEST(Messages, AskYesNoGoesOnOnlyOnYes)
{
    struct Case {
        MsgResult answer;
        bool goesOn;
    } cases[] = {
        {MsgResult::Yes, true},
        {MsgResult::No, false},
        {MsgResult::Cancel, false},
        {MsgResult::Ok, false},
    };
    for (const Case& c : cases) {
        FakeMessages fake;
        fake.answers.push_back(c.answer);
        EXPECT_EQ(fake.askYesNo(nullptr, "Overwrite?"), c.goesOn) << int(c.answer);
        ASSERT_EQ(fake.shown.size(), 1u);
        EXPECT_EQ(fake.shown[0].icon, MsgIcon::Question);
        EXPECT_EQ(fake.shown[0].buttons, MsgButtons::YesNo);
    }
}

TEST(Messages, ScriptedAnswersInOrderThenDefault)
{
    FakeMessages fake;
    fake.answers = {MsgResult::Yes, MsgResult::Cancel};
    EXPECT_TRUE(fake.askYesNo(nullptr, "first"));
    EXPECT_EQ(fake.askYesNoCancel(nullptr, "second"), MsgResult::Cancel);
    EXPECT_FALSE(fake.askYesNo(nullptr, "third")); // queue empty: default No
    fake.defaultAnswer = MsgResult::Yes;
    EXPECT_TRUE(fake.askYesNo(nullptr, "fourth"));
    fake.information(nullptr, "fifth"); // OK boxes need no script
    ASSERT_EQ(fake.shown.size(), 5u);
    EXPECT_EQ(fake.shown[1].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(fake.shown[1].icon, MsgIcon::Question);
    EXPECT_EQ(fake.shown[4].icon, MsgIcon::Information);
    EXPECT_EQ(fake.shown[4].buttons, MsgButtons::Ok);
    EXPECT_EQ(fake.lastText(), "fifth");
}

TEST(Messages, EmptyCaptionUsesApplicationName)
{
    const QString saved = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName("Quorvantis");
    FakeMessages fake;
    fake.error(nullptr, "text");
    fake.askYesNo(nullptr, "text", "Own caption");
    EXPECT_EQ(fake.shown[0].caption, "Quorvantis");
    EXPECT_EQ(fake.shown[1].caption, "Own caption");
    QApplication::setApplicationDisplayName(saved);
}

TEST(Messages, NothingShownGivesEmptyLastText)
{
    FakeMessages fake;
    EXPECT_EQ(fake.lastText(), "");
    EXPECT_TRUE(fake.shown.empty());
}
