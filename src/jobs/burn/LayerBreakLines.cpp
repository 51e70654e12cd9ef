#include "jobs/burn/LayerBreakLines.h"

#include "TextIds.h"
#include "platform/TextFormat.h"

namespace jobs {
namespace {

using dvdvideo::BreakChoice;

long long Num(uint64_t value)
{
    return static_cast<long long>(value);
}

int CellKindText(const dvdvideo::BreakCandidate &c)
{
    if (c.seamless)
        return c.chapterStart ? textid::LayerCellSeamlessChapter : textid::LayerCellSeamless;
    return c.chapterStart ? textid::LayerCellNotSeamlessChapter : textid::LayerCellNotSeamless;
}

int ReasonText(BreakChoice choice)
{
    switch (choice) {
    case BreakChoice::NonSeamlessChapterStart:
        return textid::LayerReasonNonSeamlessChapter;
    case BreakChoice::NonSeamless:
        return textid::LayerReasonNonSeamless;
    case BreakChoice::ChapterStart:
        return textid::LayerReasonChapter;
    default:
        return textid::LayerReasonMiddle;
    }
}

} // namespace

QString TitleTime(uint64_t ms)
{
    const uint64_t seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString LayerBreakWarning(const dvdvideo::LayerBreakPlan &plan, const TextLookup &text)
{
    switch (plan.choice) {
    case BreakChoice::MidCell:
        return FormatText(text(textid::LayerBreakMidScene),
                          {plan.title, plan.chapter, TitleTime(plan.timeMs)});
    case BreakChoice::OutsideFilm:
        return FormatText(text(textid::LayerBreakOutsideFilm), {Num(plan.breakSector)});
    case BreakChoice::AddressesDisagree:
        return FormatText(text(textid::LayerBreakCellsDisagree), {plan.title});
    default:
        return {};
    }
}

QStringList LayerBreakLines(const dvdvideo::LayerBreakPlan &plan, uint64_t firstDvdSector,
                            const TextLookup &text)
{
    QStringList lines;
    if (plan.candidates.empty() && plan.choice == BreakChoice::NotNeeded)
        return lines;
    if (!plan.candidates.empty())
        lines << text(textid::LayerBreakHeading);
    for (const dvdvideo::BreakCandidate &c : plan.candidates)
        lines << FormatText(text(textid::LayerBreakCandidate),
                            {c.title, c.chapter, c.cell, TitleTime(c.timeMs), Num(c.sector - firstDvdSector),
                             text(CellKindText(c))});
    if (plan.chosen >= 0) {
        const dvdvideo::BreakCandidate &c = plan.candidates[size_t(plan.chosen)];
        lines << FormatText(text(textid::LayerBreakChosen),
                            {c.title, c.chapter, c.cell, Num(plan.padding), text(ReasonText(plan.choice))});
    }
    const QString warning = LayerBreakWarning(plan, text);
    if (!warning.isEmpty())
        lines << warning;
    return lines;
}

} // namespace jobs
