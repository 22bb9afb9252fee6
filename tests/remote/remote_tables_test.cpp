#include "remote/ExchangeTables.h"
#include "remote/ReplyBuffer.h"

#include <gtest/gtest.h>

namespace {

struct DialCase {
    const char *name;
    DialParameters dial;
    QByteArray number;    // step 4
    QByteArray select;    // step 5
    QByteArray password;  // step 8
};

TEST(RemoteTables, DialTableCarriesTheTrimmedDialFields)
{
    const DialCase cases[] = {
        {"plain", {"0123", "3", "1234", false, false}, "ATDE0123\r\n", "ATDE3B\r\n", "ATDE#1234\r\n"},
        {"empty parallel number", {"0123", "", "1234", false, false}, "ATDE0123\r\n", "ATDEB\r\n", "ATDE#1234\r\n"},
        {"add # right after the trimmed number", {" 0123 ", " 2 ", " 9876 ", false, true}, "ATDE0123#\r\n",
         "ATDE2B\r\n", "ATDE#9876\r\n"},
        {"dial codes kept", {"P0*12#R", "1", "0000", true, false}, "ATDEP0*12#R\r\n", "ATDE1B\r\n",
         "ATDE#0000\r\n"},
    };
    for (const DialCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ExchangeStep> table = buildDialTable(c.dial);
        ASSERT_EQ(table.size(), size_t(DialStep::Count));
        EXPECT_EQ(table[4].command, c.number);
        EXPECT_EQ(table[5].command, c.select);
        EXPECT_EQ(table[8].command, c.password);
    }
}

TEST(RemoteTables, FixedStepsOfBothTables)
{
    const std::vector<ExchangeStep> dial = buildDialTable({"1", "", "1234", false, false});
    const QByteArray fixed[][2] = {
        {"AT@RESET\r\n", "RESET"}, {"AT@DEFAULT\r\n", "OK"}, {"AT@NORM\r\n", "OK"}, {"ATA\r\n", "OK"},
        {"AT@RECE\r\n", "OK"},     {"AT@RECN\r\n", "AOK"},   {"ATDE8A\r\n", "OK"}, {"AT@RECE\r\n", "OK"},
        {"AT@RECN\r\n", "BOK"},
    };
    const int steps[] = {0, 1, 2, 3, 6, 7, 9, 10, 11};
    for (size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(dial[size_t(steps[i])].command, fixed[i][0]) << steps[i];
        EXPECT_EQ(dial[size_t(steps[i])].expectedReply, fixed[i][1]) << steps[i];
    }
    const std::vector<ExchangeStep> keepAlive = buildKeepAliveTable();
    ASSERT_EQ(keepAlive.size(), size_t(KeepAliveStepCount));
    EXPECT_EQ(keepAlive[0].command, "ATDE8A\r\n");
    EXPECT_EQ(keepAlive[1].command, "AT@RECE\r\n");
    EXPECT_EQ(keepAlive[2].command, "AT@RECN\r\n");
    EXPECT_EQ(keepAlive[2].expectedReply, "BOK");
}

TEST(RemoteTables, ResetIsRecognisedAtTheEndOfAnyLine)
{
    const ExchangeStep reset = buildDialTable({"1", "", "1234", false, false})[0];
    EXPECT_TRUE(reset.accepts("RESET"));
    EXPECT_TRUE(reset.accepts("garbage\r\nBOOT RESET"));
    EXPECT_FALSE(reset.accepts("RESET OK"));
    const ExchangeStep ok = buildDialTable({"1", "", "1234", false, false})[1];
    EXPECT_TRUE(ok.accepts("OK"));
    EXPECT_FALSE(ok.accepts("OK\r\nOK"));
}

TEST(RemoteTables, PausesBeforeEachDialStep)
{
    const int expected[] = {50, 50, 550, 550, 2050, 550, 50, 550, 50, 2050, 50, 550};
    for (int step = 1; step < DialStep::Count; ++step)
        EXPECT_EQ(pauseBeforeDialStep(step).count(), expected[step]) << step;
    EXPECT_EQ(dialWait(false).count(), 1500);
    EXPECT_EQ(dialWait(true).count(), 5000);
}

TEST(ReplyBuffer, CompleteOnlyAtAFinalLineEnd)
{
    ReplyBuffer buffer;
    buffer.append("O");
    EXPECT_FALSE(buffer.reply());
    buffer.append("K\r");
    EXPECT_FALSE(buffer.reply());
    buffer.append("\nOK\r\n");
    ASSERT_TRUE(buffer.reply());
    EXPECT_EQ(buffer.reply()->text, "OK\r\nOK");
    EXPECT_FALSE(buffer.reply()->overflow);
}

TEST(ReplyBuffer, AFloodWithoutLineEndOverflows)
{
    ReplyBuffer buffer;
    buffer.append(QByteArray(ReplyBuffer::MaxLength, 'x'));
    EXPECT_FALSE(buffer.reply());
    buffer.append("x");
    ASSERT_TRUE(buffer.reply());
    EXPECT_TRUE(buffer.reply()->overflow);
}

}  // namespace
