#include "jobs/setup/SpeedText.h"

namespace jobs {
namespace {

QString factor(int kBs, int rate1x)
{
    const double value = rate1x != 0 ? static_cast<double>(kBs) / rate1x : 0.0;
    return QString::number(value, 'f', 1) + QLatin1Char('x');
}

} // namespace

QString SpeedListEntry(int kBs, int rate1x)
{
    return QStringLiteral("%1 (%2 kB/s)").arg(factor(kBs, rate1x)).arg(kBs);
}

QString SpeedLogText(int kBs, int rate1x)
{
    return QStringLiteral("%1 (%2kB/s)").arg(factor(kBs, rate1x)).arg(kBs);
}

} // namespace jobs
