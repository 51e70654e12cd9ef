#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

#include <functional>

// A static text that behaves like a web link: link colours (visited once
// opened), underlined while the mouse is over it (or always, or never), a
// pointing-hand cursor, its target as tooltip, and a click opens the target.
// A target that cannot be opened beeps and reports the reason.
class CUrlLabel : public QLabel
{
    Q_OBJECT

public:
    enum Underline { UnderlineNever = 0, UnderlineAlways = 1, UnderlineHover = -1 };
    // Shows the report for a target that could not be opened.
    using ErrorReporter = std::function<void(const QString &text)>;

    explicit CUrlLabel(QWidget *parent = nullptr);
    ~CUrlLabel() override;

    // Takes over the label's current text (an empty target becomes the text,
    // an empty text shows the target), sizes the label to its text and sets
    // up cursor and tooltip. Call once the label has its template text.
    void Attach();

    void SetTarget(const QString &target);
    QString Target() const { return m_strTarget; }
    void SetVisited(bool visited);
    void SetUnderline(int mode);
    void SetErrorReporter(ErrorReporter reporter) { m_reportError = std::move(reporter); }

    // Opens the target as a click does; the result code of linkopen.
    int Open();

    QColor CurrentColour() const;

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void FitToText();
    void ApplyFont();

    QColor m_clrLink{0, 0, 238};
    QColor m_clrVisited{85, 26, 139};
    QColor m_clrHover{255, 0, 0};
    bool m_bOver = false;
    bool m_bVisited = false;
    int m_nUnderline = UnderlineHover;
    QString m_strTarget;
    QFont m_fontNormal;
    QFont m_fontUnderlined;
    ErrorReporter m_reportError;
};
