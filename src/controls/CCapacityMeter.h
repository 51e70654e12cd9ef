#pragma once

#include <QImage>
#include <QWidget>

// The capacity meter of the Burn group: a ruler with a bar that is green up
// to the yellow limit, yellow up to the red limit and red beyond, and the
// limits and the size in megabytes. Every pixel comes from the scale bitmap
// and the labels; the picture is composed off screen and copied in one go,
// and the background is never erased, so it does not flicker.
//
// Set-up: SetOwner, then LoadScale once the window has its geometry; the
// control then takes the size of the whole band it draws. The owner calls
// LoadScale again when its width changes, so the band follows it. Then
// SetYellowLimit, SetRedLimit and SetSize as the source changes.
class CCapacityMeter : public QWidget
{
    Q_OBJECT

public:
    explicit CCapacityMeter(QWidget *parent = nullptr);

    // The window whose width the band is centred in.
    void SetOwner(QWidget *owner);
    // Loads bitmap `bitmapId` (5010) and makes the drawing surface: the band
    // ends as far from the owner's right edge as it starts from its left.
    // 0 on success; 1 when the bitmap is missing or the band has no width,
    // leaving no bitmaps.
    int LoadScale(int bitmapId);

    // Store a limit in megabytes; the next paint shows it.
    void SetYellowLimit(int megabytes);
    void SetRedLimit(int megabytes);
    // Stores the size and repaints; 0 also clears both limits (Reset).
    void SetSize(int megabytes);
    // Clears both limits and repaints.
    void Reset();

    // The picture as the next paint shows it (empty before LoadScale).
    QImage Picture();

    QSize sizeHint() const override;
    // The scale bitmap's size, as the template gives it: the owner may be
    // made narrower than the band until the band is measured again.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int ScaleBitmapWidth = 28;

    QWidget *m_pOwner = nullptr;
    int m_nWidth = -1;
    int m_nYellow = 0;
    int m_nRed = 0;
    int m_nSize = -1;
    QImage m_surface; // the drawing surface, m_nWidth by 50
    QImage m_scale;   // the scale bitmap
};
