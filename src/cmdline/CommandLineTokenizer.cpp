#include "cmdline/CommandLineTokenizer.h"

namespace cmdline {
namespace {

// Tabs become blanks, one blank is appended (it ends the last token) and
// each pair of blanks becomes one, in a single left-to-right pass: a run of
// three blanks therefore leaves two.
QString normaliseBlanks(const QString &commandLine)
{
    QString text = commandLine;
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.append(QLatin1Char(' '));
    QString folded;
    folded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        folded.append(text[i]);
        if (text[i] == QLatin1Char(' ') && i + 1 < text.size() && text[i + 1] == QLatin1Char(' '))
            ++i;
    }
    return folded;
}

} // namespace

QStringList SplitCommandLine(const QString &commandLine)
{
    const QString buffer = normaliseBlanks(commandLine);
    QStringList tokens;
    bool inQuotes = false;
    bool inToken = false;
    qsizetype start = 0;
    auto keep = [&tokens](const QString &token) {
        if (tokens.size() < MaxTokens)
            tokens.append(token);
    };

    for (qsizetype i = 0; i < buffer.size(); ++i) {
        const QChar c = buffer[i];
        if (c == QLatin1Char(' ')) {
            if (!inQuotes && inToken) {
                keep(buffer.mid(start, i - start));
                inToken = false;
            }
        } else if (c == QLatin1Char('"')) {
            if (!inQuotes) {
                // Opening a quote drops an unquoted token gathered just before it.
                inQuotes = true;
                inToken = false;
            } else {
                // The token opened at the first non-blank after the opening quote;
                // a quoted part of blanks alone never opened one.
                if (inToken)
                    keep(buffer.mid(start, i - start));
                inQuotes = false;
                inToken = false;
            }
        } else if (!inToken) {
            inToken = true;
            start = i;
        }
    }
    return tokens;
}

QStringList ArgumentsFromArgv(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace cmdline
