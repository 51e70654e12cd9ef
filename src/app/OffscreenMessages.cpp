#include "app/OffscreenMessages.h"

#include <QGuiApplication>
#include <QString>

namespace {

QtMessageHandler g_previousHandler = nullptr;

// The offscreen plugin's words for a window feature it does not offer.
bool IsOffscreenPluginNotice(QtMsgType type, const QString &message)
{
    return type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"));
}

void FilterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (IsOffscreenPluginNotice(type, message))
        return;
    if (g_previousHandler != nullptr)
        g_previousHandler(type, context, message);
    else
        qt_message_output(type, context, message);
}

} // namespace

void QuietOffscreenPluginWarnings()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen") || g_previousHandler != nullptr)
        return;
    g_previousHandler = qInstallMessageHandler(FilterMessage);
}
