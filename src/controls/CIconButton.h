#pragma once

#include <QColor>
#include <QCursor>
#include <QPixmap>
#include <QPushButton>

#include <optional>

class CThemeApi;
struct IconButtonLayout;

// A push button with an image beside (or, without a caption, instead of) its
// text. In its flat face it shows no border until the mouse is over it, a
// raised edge while it is and a sunken edge while pressed; image and caption
// move by the press offset while pressed; disabled, both are drawn greyed.
// It carries a tooltip, a hover cursor and an optional link that a click
// opens. A double click counts as two clicks, and disabling the button moves
// the keyboard focus on to the next control of its window.
class CIconButton : public QPushButton
{
    Q_OBJECT

public:
    enum SetterResult { Done = 0, NoImageSize = 1, NoMask = 2, NoCursor = 1, BadArgument = 6 };
    static constexpr int MaxLinkLength = 260;

    explicit CIconButton(QWidget *parent = nullptr);
    ~CIconButton() override;

    // Images: an icon resource, or a bitmap with a transparent colour. Each
    // replaces the previous image; the button repaints.
    void LoadIconImage(int iconId);
    void SetIconImage(const QPixmap &icon);
    int LoadBitmapImage(int bitmapId, const QColor &transparent);
    int SetBitmapImage(const QPixmap &bitmap, const QColor &transparent);

    // A cursor resource shown while the mouse is over the button (0: none).
    // NoCursor when the resource does not exist.
    int SetHoverCursor(int cursorId, bool repaint = true);
    // The tooltip text (a null text keeps the current one), shown or not.
    void SetTip(const QString &text, bool activate);
    // Opened when the button is clicked; at most 260 characters are kept.
    void SetLinkTarget(const QString &target);
    // Resizes the button to its image and drops the image margins.
    void FitToImage();
    // Back to the style's button colours.
    void ResetColours(bool repaint = true);
    // The theme the face is drawn with. Without one, or with no visual
    // style active, the flat face shows its border while hovered.
    void BindTheme(CThemeApi *theme);

    bool IsHovered() const { return m_bHovered; }
    QSize ImageSize() const;
    CThemeApi *Theme() const { return m_pTheme; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // The drawing steps, in the order they run.
    virtual void PaintBackground(QPainter &painter, const QRect &rect);
    virtual void PaintBorder(QPainter &painter, const QRect &rect);
    virtual void PaintIcon(QPainter &painter, const QRect &rect);
    virtual void PaintBitmap(QPainter &painter, const QRect &rect);
    virtual void PaintCaption(QPainter &painter, const QRect &rect);

    // Plain versions the themed button falls back to.
    void PaintPlainBackground(QPainter &painter, const QRect &rect);
    void PaintPlainBorder(QPainter &painter, const QRect &rect);

    bool IsPressedNow() const { return m_bPressed; }
    bool IsDisabledNow() const { return m_bDisabled; }

    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void SetHovered(bool hovered);
    void MoveFocusOn();
    void OnClicked();
    QColor BackgroundColour() const;
    QColor TextColour() const;

    bool m_bFlat = true;
    bool m_bHoverBorder = true;
    bool m_bTrackAlways = true;
    bool m_bHovered = false;
    bool m_bPressed = false;
    bool m_bFocused = false;
    bool m_bDisabled = false;
    QPoint m_ptPressOffset{1, 1};
    QPoint m_ptImageMargins{3, 3};
    QColor m_clrHotBack, m_clrHotText, m_clrFocusBack, m_clrFocusText, m_clrBack, m_clrText;
    QPixmap m_icon;
    QPixmap m_bitmap;
    std::optional<QCursor> m_hoverCursor;
    QString m_strTip;
    bool m_bTipActive = false;
    QString m_strLink;
    CThemeApi *m_pTheme = nullptr;
};
