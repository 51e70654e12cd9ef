#include "log/CLogPane.h"

#include "platform/GuiThread.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <utility>

CLogPane::CLogPane() : CLogPane(nullptr) {}

CLogPane::CLogPane(QPlainTextEdit *edit) : m_shared(std::make_shared<Shared>())
{
    m_shared->edit = edit;
}

void CLogPane::Append(const QString &text)
{
    if (!IsGuiThread()) {
        Queue(m_shared, [&text](Pending &pending) { pending.texts.append(text); });
        return;
    }
    ApplyPending(*m_shared);
    AppendTexts(*m_shared, QStringList{text});
}

void CLogPane::Clear()
{
    if (!IsGuiThread()) {
        Queue(m_shared, [](Pending &pending) {
            pending.texts.clear();
            pending.clearFirst = true;
        });
        return;
    }
    ApplyPending(*m_shared);
    if (m_shared->edit)
        m_shared->edit->clear();
}

QString CLogPane::Text() const
{
    QString result;
    const std::shared_ptr<Shared> shared = m_shared;
    RunOnGuiThread(
        [shared, &result] {
            ApplyPending(*shared);
            if (!shared->edit)
                return;
            // Joined block by block: toPlainText() would turn non-breaking
            // spaces into blanks.
            QStringList lines;
            for (QTextBlock block = shared->edit->document()->begin(); block.isValid(); block = block.next())
                lines.append(block.text());
            result = lines.join(QLatin1Char('\n'));
        },
        Blocking::Wait);
    return result;
}

void CLogPane::Queue(const std::shared_ptr<Shared> &shared, const std::function<void(Pending &)> &change)
{
    bool post = false;
    {
        const std::lock_guard lock(shared->mutex);
        change(shared->pending);
        post = !std::exchange(shared->applyQueued, true);
    }
    // Not waited for: a worker that logs must never block on a GUI thread
    // that may itself be waiting for that worker. One queued call applies
    // all that gathers until it runs, so a worker logging fast costs the GUI
    // thread one update of the pane per batch rather than one per line.
    if (post)
        RunOnGuiThread([shared] { ApplyPending(*shared); }, Blocking::NoWait);
}

void CLogPane::ApplyPending(Shared &shared)
{
    Pending pending;
    {
        const std::lock_guard lock(shared.mutex);
        pending = std::exchange(shared.pending, Pending{});
        shared.applyQueued = false;
    }
    if (!shared.edit)
        return;
    if (pending.clearFirst)
        shared.edit->clear();
    if (!pending.texts.isEmpty())
        AppendTexts(shared, pending.texts);
}

void CLogPane::SetEcho(std::function<void(const QString &)> echo)
{
    m_shared->echo = std::move(echo);
}

void CLogPane::AppendTexts(Shared &shared, const QStringList &texts)
{
    if (!shared.edit)
        return;
    QPlainTextEdit &edit = *shared.edit;
    // One insertion for all texts, separated exactly as if each had been
    // appended alone: a break before every text except while the pane is
    // still empty, so an empty text on an empty pane adds nothing.
    const bool documentEmpty = edit.document()->isEmpty();
    QString joined;
    bool any = false;
    for (const QString &text : texts) {
        QString line = text;
        line.remove(QLatin1Char('\r'));
        if (documentEmpty && !any && line.isEmpty())
            continue;
        if (any)
            joined += QLatin1Char('\n');
        joined += line;
        any = true;
    }
    if (!any)
        return;
    // appendPlainText inserts at the end without touching the text before,
    // and adds a paragraph break only when the document is not empty, which
    // is exactly the separator rule above.
    edit.appendPlainText(joined);
    // Echoed exactly as shown, so the terminal and the pane hold the same lines.
    if (shared.echo)
        shared.echo(joined);
    QScrollBar *bar = edit.verticalScrollBar();
    bar->setValue(bar->maximum());
}
