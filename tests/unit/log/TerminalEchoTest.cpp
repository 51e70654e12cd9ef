#include "log/TerminalEcho.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

// One memory stream standing in for standard output and standard error at
// once, so that the order of what both receive shows.
class Terminal
{
public:
    explicit Terminal(TerminalEcho::ProgressStyle style) : m_echo(m_file, m_file, style)
    {
        m_echo.SetProgressFormat(u"%s %s, %s left"_s);
        m_echo.SetPhase(u"Burning"_s);
        m_echo.SetTimeLeftText(u"01:00"_s);
    }
    ~Terminal()
    {
        std::fclose(m_file);
        std::free(m_bytes);
    }
    Terminal(const Terminal &) = delete;
    Terminal &operator=(const Terminal &) = delete;

    QByteArray Written()
    {
        std::fflush(m_file);
        return QByteArray(m_bytes, static_cast<qsizetype>(m_size));
    }
    TerminalEcho &Echo() { return m_echo; }

private:
    char *m_bytes = nullptr;
    size_t m_size = 0;
    std::FILE *m_file = open_memstream(&m_bytes, &m_size);
    TerminalEcho m_echo;
};

// Without a terminal, one line for each tenth the bar reaches, however many
// updates carry it there; a bar that starts again counts again.
TEST(TerminalEcho, WritesOneLinePerTenth)
{
    const struct
    {
        int high;
        std::vector<int> positions;
        std::vector<int> shown;
    } cases[] = {
        {100, {0, 3, 9, 10, 15, 27, 100}, {0, 10, 27, 100}},
        {100, {50, 100, 0, 10}, {50, 100, 0, 10}}, // the verify starts again
        {20, {0, 1, 2, 3, 19, 20, 25}, {0, 10, 95, 100}},
        {0, {0, 5}, {0}},
    };
    for (const auto &c : cases) {
        Terminal terminal(TerminalEcho::ProgressStyle::EveryTenPercent);
        terminal.Echo().SetRange(0, c.high);
        QByteArray expected;
        for (int position : c.positions)
            terminal.Echo().SetPosition(position);
        for (int percent : c.shown)
            expected += "Burning " + QByteArray::number(percent) + " %, 01:00 left\n";
        EXPECT_EQ(terminal.Written().toStdString(), expected.toStdString()) << c.high;
    }
}

// On a terminal the progress line is rewritten in place; a log line or the
// final reason first removes it, so neither lands behind it. Each log text
// is whole lines without carriage returns.
TEST(TerminalEcho, InPlaceLineGivesWayToLogLinesAndTheFinalReason)
{
    Terminal terminal(TerminalEcho::ProgressStyle::InPlace);
    terminal.Echo().SetPercentText(u"5 %"_s);
    terminal.Echo().SetPercentText(u"6 %"_s);
    terminal.Echo().LogText(u"=> Writing\r\nnext"_s);
    terminal.Echo().LogText(QString());
    terminal.Echo().LogText(u"\u00e9t\u00e9"_s);
    terminal.Echo().SetPercentText(u"7 %"_s);
    terminal.Echo().Final(u"Exit status 8"_s);
    EXPECT_EQ(terminal.Written(), QByteArray("\rBurning 5 %, 01:00 left\x1b[K\rBurning 6 %, 01:00 left\x1b[K"
                                             "\r\x1b[K=> Writing\nnext\n\n\xc3\xa9t\xc3\xa9\n"
                                             "\rBurning 7 %, 01:00 left\x1b[K\r\x1b[KExit status 8\n"));
}

TEST(TerminalEcho, EndedJobLeavesNoLineAndCountsAgain)
{
    Terminal terminal(TerminalEcho::ProgressStyle::EveryTenPercent);
    terminal.Echo().SetPosition(40);
    terminal.Echo().EndProgress();
    terminal.Echo().SetPosition(40);
    EXPECT_EQ(terminal.Written(), QByteArray("Burning 40 %, 01:00 left\nBurning 40 %,  left\n"));
}

} // namespace
