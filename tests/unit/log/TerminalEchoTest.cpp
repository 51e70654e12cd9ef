#include "log/TerminalEcho.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// A temporary file standing in for standard output and standard error at
// once, so that the order of what both receive shows.
class Terminal
{
public:
    explicit Terminal(TerminalEcho::ProgressStyle style)
        : m_file(std::tmpfile()), m_echo(m_file.get(), m_file.get(), style)
    {
        m_echo.SetProgressFormat(QStringLiteral("%s %s, %s left"));
        m_echo.SetPhase(QStringLiteral("Burning"));
        m_echo.SetTimeLeftText(QStringLiteral("01:00"));
    }

    QByteArray Written()
    {
        std::fflush(m_file.get());
        std::rewind(m_file.get());
        QByteArray bytes;
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, m_file.get())) > 0)
            bytes.append(buffer, static_cast<qsizetype>(n));
        return bytes;
    }

    TerminalEcho &Echo() { return m_echo; }

private:
    struct FileClose
    {
        void operator()(std::FILE *file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileClose> m_file;
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

TEST(TerminalEcho, LogTextIsOneLineEachWithoutCarriageReturns)
{
    Terminal terminal(TerminalEcho::ProgressStyle::EveryTenPercent);
    terminal.Echo().LogText(QStringLiteral("first\r\nsecond"));
    terminal.Echo().LogText(QString());
    terminal.Echo().LogText(QStringLiteral("\u00e9t\u00e9"));
    EXPECT_EQ(terminal.Written(), QByteArray("first\nsecond\n\n\xc3\xa9t\xc3\xa9\n"));
}

// On a terminal the progress line is rewritten in place; a log line or the
// final reason first removes it, so neither lands behind it.
TEST(TerminalEcho, InPlaceLineGivesWayToLogLinesAndTheFinalReason)
{
    Terminal terminal(TerminalEcho::ProgressStyle::InPlace);
    terminal.Echo().SetPercentText(QStringLiteral("5 %"));
    terminal.Echo().SetPercentText(QStringLiteral("6 %"));
    terminal.Echo().LogText(QStringLiteral("=> Writing"));
    terminal.Echo().LogText(QStringLiteral("next"));
    terminal.Echo().SetPercentText(QStringLiteral("7 %"));
    terminal.Echo().Final(QStringLiteral("Exit status 8"));
    EXPECT_EQ(terminal.Written(), QByteArray("\rBurning 5 %, 01:00 left\x1b[K\rBurning 6 %, 01:00 left\x1b[K"
                                             "\r\x1b[K=> Writing\nnext\n"
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
