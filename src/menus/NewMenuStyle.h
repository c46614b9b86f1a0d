#pragma once

#include <QProxyStyle>

class QAction;

// The style that draws every menu, menu bar and toolbar of the program in the current menu
// theme (CNewMenu::SetDrawMode): it measures and paints menu items with the theme's routines,
// frames pop-ups, fills menu bars and toolbars with the theme brush, draws grippers, corners,
// separators and buttons of toolbars, and derives the shaded and disabled images of commands.
// Everything else is drawn by the base style (Fusion).
class CNewMenuStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit CNewMenuStyle(QStyle* base = nullptr);

    // Makes the application's style a CNewMenuStyle over Fusion, unless it is one already, and
    // installs the menu hook. Returns the style.
    static CNewMenuStyle* Install();

    // The name of the dynamic property that marks a menu bar whose background is the theme
    // brush (set by CNewMenu::SetMenuBackground).
    static constexpr const char* kThemeBrushProperty = "plimThemeBrush";
    // The name of the dynamic property of a pop-up that holds its image size (a QSize; 16 x 15
    // when unset).
    static constexpr const char* kIconSizeProperty = "plimMenuIconSize";

    void polish(QWidget* widget) override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                                const QStyleOption* option) const override;
};
