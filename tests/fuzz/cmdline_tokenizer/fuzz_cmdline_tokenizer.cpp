// Feeds arbitrary bytes through both ways into the option parser: as one
// command line through the tokenizer, and as an argv (arguments separated
// by NUL bytes) the way the program receives it. Both must hold their limits
// whatever the input, and argv values must arrive unchanged.
#include "cmdline/CommandLineOptions.h"
#include "cmdline/CommandLineTokenizer.h"
#include "cmdline/EarlyOptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void CheckParsed(const QStringList &tokens)
{
    const cmdline::ParsedCommandLine parsed = cmdline::ParseCommandLine(tokens);
    if (parsed.steps.size() > static_cast<size_t>(tokens.size()))
        std::abort();
    // Every value and every token an error names is one of the tokens, whole.
    for (const cmdline::Step &step : parsed.steps) {
        if (!step.value.isEmpty() && !tokens.contains(step.value))
            std::abort();
    }
}

void FuzzCommandLine(const uint8_t *data, size_t size)
{
    const QString line =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList tokens = cmdline::SplitCommandLine(line);
    if (tokens.size() > cmdline::MaxTokens)
        std::abort();
    for (const QString &token : tokens) {
        if (token.isEmpty())
            std::abort();
    }
    CheckParsed(tokens);
}

void FuzzArgv(const uint8_t *data, size_t size)
{
    // argv[0] is the program; the input's NUL bytes separate the arguments.
    std::vector<std::string> strings{"orvane-burn"};
    strings.emplace_back();
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            strings.emplace_back();
        else
            strings.back().push_back(static_cast<char>(data[i]));
    }
    std::vector<const char *> argv;
    for (const std::string &s : strings)
        argv.push_back(s.c_str());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(strings.size());
    const QStringList arguments = cmdline::ArgumentsFromArgv(argc, argv.data());
    if (arguments.size() != argc - 1)
        std::abort();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        // Text that is valid in the locale's encoding arrives exactly.
        const QByteArray bytes(strings[static_cast<size_t>(i + 1)].c_str());
        if (QString::fromUtf8(bytes).toUtf8() == bytes && arguments[i].toLocal8Bit() != bytes)
            std::abort();
    }
    cmdline::FindEarlyOption(arguments);
    CheckParsed(arguments.mid(0, cmdline::MaxTokens));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzCommandLine(data, size);
    FuzzArgv(data, size);
    return 0;
}
