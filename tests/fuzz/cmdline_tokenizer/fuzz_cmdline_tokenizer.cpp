// Feeds arbitrary bytes into the option parser as an argv (arguments
// separated by NUL bytes), the way the program receives it. The parser must
// hold its limits whatever the input, and argv values must arrive unchanged.
#include "cmdline/CommandLineOptions.h"
#include "cmdline/CommandLineTokenizer.h"
#include "cmdline/EarlyOptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// Every value is one of the tokens, whole.
void CheckParsed(const QStringList &tokens)
{
    const cmdline::ParsedCommandLine parsed = cmdline::ParseCommandLine(tokens);
    Check(parsed.steps.size() <= static_cast<size_t>(tokens.size()));
    for (const cmdline::Step &step : parsed.steps)
        Check(step.value.isEmpty() || tokens.contains(step.value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // As an argv: argv[0] is the program, NUL bytes separate the arguments.
    std::vector<std::string> strings{"orvane-burn", ""};
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
    const QStringList arguments = cmdline::ArgumentsFromArgv(int(strings.size()), argv.data());
    Check(size_t(arguments.size()) == strings.size() - 1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        // Text that is valid in the locale's encoding arrives exactly.
        const QByteArray bytes(strings[size_t(i + 1)].c_str());
        Check(QString::fromUtf8(bytes).toUtf8() != bytes || arguments[i].toLocal8Bit() == bytes);
    }
    cmdline::FindEarlyOption(arguments);
    CheckParsed(arguments.mid(0, cmdline::MaxTokens));
    return 0;
}
