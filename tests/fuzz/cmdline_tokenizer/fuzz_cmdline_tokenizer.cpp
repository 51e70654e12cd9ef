// Feeds arbitrary bytes as a command line through the tokenizer and the
// option parser; both must hold their limits whatever the input.
#include "cmdline/CommandLineOptions.h"
#include "cmdline/CommandLineTokenizer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList tokens = cmdline::SplitCommandLine(line);
    if (tokens.size() > cmdline::MaxTokens)
        std::abort();
    for (const QString &token : tokens) {
        if (token.isEmpty())
            std::abort();
    }
    const cmdline::ParsedCommandLine parsed = cmdline::ParseCommandLine(tokens);
    if (parsed.steps.size() > static_cast<size_t>(tokens.size()))
        std::abort();
    return 0;
}
