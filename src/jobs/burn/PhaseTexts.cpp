#include "jobs/burn/PhaseTexts.h"

#include "TextIds.h"
#include "platform/TextFormat.h"

namespace jobs {
namespace {

struct KnownPhase
{
    const char *library;
    int textId;
};

// Word for word as the library words them.
constexpr KnownPhase WholePhases[] = {
    {"Writing the disc", textid::PhaseWriting},
    {"Simulating the write", textid::PhaseSimulating},
    {"Verifying the written data", textid::PhaseVerifying},
    {"Ejecting the disc", textid::PhaseEjecting},
    {"Burn process completed successfully", textid::PhaseCompleted},
};

// Followed by the recorder's name.
constexpr KnownPhase NamedPhases[] = {
    {"Quick erase of ", textid::PhaseQuickErase},
    {"Full erase of ", textid::PhaseFullErase},
};

} // namespace

QString PhaseText(const QString &libraryText, const std::function<QString(int textId)> &text)
{
    for (const KnownPhase &phase : WholePhases) {
        if (libraryText == QLatin1String(phase.library))
            return text(phase.textId);
    }
    for (const KnownPhase &phase : NamedPhases) {
        const QLatin1String prefix(phase.library);
        if (libraryText.startsWith(prefix) && libraryText.size() > prefix.size())
            return FormatText(text(phase.textId), {libraryText.mid(prefix.size())});
    }
    return libraryText;
}

} // namespace jobs
