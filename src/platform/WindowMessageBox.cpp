#include "platform/WindowMessageBox.h"

#include "platform/MessageBoxType.h"

#include <QGuiApplication>
#include <QMessageBox>

#include <atomic>
#include <cstdio>

namespace {

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & mb::IconMask) {
    case mb::IconStop:
        return QMessageBox::Critical;
    case mb::IconQuestion:
        return QMessageBox::Question;
    case mb::IconWarning:
        return QMessageBox::Warning;
    case mb::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonSet
{
    QMessageBox::StandardButton first;
    QMessageBox::StandardButton second; // NoButton when there is none
    QMessageBox::StandardButton third;
};

ButtonSet ButtonsOf(unsigned type)
{
    switch (type & mb::ButtonsMask) {
    case mb::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::NoButton};
    case mb::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case mb::YesNo:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::NoButton};
    default:
        return {QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton};
    }
}

int AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return mb::IdYes;
    case QMessageBox::No:
        return mb::IdNo;
    case QMessageBox::Cancel:
        return mb::IdCancel;
    default:
        return mb::IdOk;
    }
}

} // namespace

namespace {

std::atomic<bool> g_echoBoxes{true};

} // namespace

void SetMessageBoxEcho(bool echo)
{
    g_echoBoxes = echo;
}

bool HasDisplay()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

int DefaultMessageBoxAnswer(unsigned type)
{
    const ButtonSet buttons = ButtonsOf(type);
    const bool secondIsDefault = (type & mb::DefaultButton2) != 0 && buttons.second != QMessageBox::NoButton;
    return AnswerOf(secondIsDefault ? buttons.second : buttons.first);
}

int RunMessageBox(QWidget *owner, const QString &text, const QString &caption, unsigned type)
{
    if (!HasDisplay()) {
        if (g_echoBoxes) {
            std::fprintf(stderr, "[%s] %s\n", caption.toLocal8Bit().constData(),
                         text.toLocal8Bit().constData());
        }
        return DefaultMessageBoxAnswer(type);
    }
    const ButtonSet buttons = ButtonsOf(type);
    QMessageBox box(IconOf(type), caption, text, buttons.first | buttons.second | buttons.third, owner);
    const bool secondIsDefault = (type & mb::DefaultButton2) != 0 && buttons.second != QMessageBox::NoButton;
    box.setDefaultButton(secondIsDefault ? buttons.second : buttons.first);
    return AnswerOf(box.exec());
}
