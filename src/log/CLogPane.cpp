#include "log/CLogPane.h"

#include "platform/GuiThread.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

CLogPane::CLogPane(QPlainTextEdit *edit) : m_edit(edit) {}

void CLogPane::Append(const QString &text)
{
    // Queued, not waited for: a worker that logs must never block on a GUI
    // thread that may itself be waiting for that worker.
    QPointer<QPlainTextEdit> edit = m_edit;
    RunOnGuiThread(
        [edit, text] {
            if (edit)
                AppendTo(*edit, text);
        },
        Blocking::NoWait);
}

void CLogPane::AppendTo(QPlainTextEdit &edit, const QString &text)
{
    QString line = text;
    line.remove(QLatin1Char('\r'));
    // appendPlainText adds a paragraph break only when the document is not
    // empty, which is exactly the pane's separator rule.
    edit.appendPlainText(line);
    QScrollBar *bar = edit.verticalScrollBar();
    bar->setValue(bar->maximum());
}

void CLogPane::Clear()
{
    QPointer<QPlainTextEdit> edit = m_edit;
    RunOnGuiThread(
        [edit] {
            if (edit)
                edit->clear();
        },
        Blocking::NoWait);
}

QString CLogPane::Text() const
{
    QString result;
    QPointer<QPlainTextEdit> edit = m_edit;
    RunOnGuiThread(
        [edit, &result] {
            if (!edit)
                return;
            // Joined block by block: toPlainText() would turn non-breaking
            // spaces into blanks.
            QStringList lines;
            for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
                lines.append(block.text());
            result = lines.join(QLatin1Char('\n'));
        },
        Blocking::Wait);
    return result;
}

int CLogPane::LineCount() const
{
    int count = 0;
    QPointer<QPlainTextEdit> edit = m_edit;
    RunOnGuiThread(
        [edit, &count] {
            if (edit)
                count = edit->document()->blockCount();
        },
        Blocking::Wait);
    return count;
}
