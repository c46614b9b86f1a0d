#pragma once

#include <QLabel>

// The etched separator line of the dialogs: a two-pixel bevel line across the middle of the
// window, horizontal or vertical by its shape, with the caption written over the line. On a
// vertical line the caption reads upwards, or downwards when it starts with "~".
class cdxCRotBevelLine : public QLabel
{
    Q_OBJECT

public:
    explicit cdxCRotBevelLine(QWidget* parent = nullptr);
    explicit cdxCRotBevelLine(const QString& caption, QWidget* parent = nullptr);

    // Sunken: shadow on the top-left edge, highlight on the bottom-right (the default).
    void SetSunken(bool sunken);
    bool IsSunken() const { return m_sunken; }

    // Where the line and the caption go in a window of the size (window coordinates).
    QRect LineRect() const;
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct SLayout
    {
        QRect Line;
        QRect Text;      // empty without a caption
        QString Caption; // with its padding
        int Angle = 0;   // 0, 90 or 270
    };
    SLayout Layout() const;

    bool m_sunken = true;
};
