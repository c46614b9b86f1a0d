#include "views/ReconColours.h"

#include "menus/UxThemeLoader.h"

COLORREF ReadEditBorderColour(QWidget* window)
{
    const CUxThemeLoader& themes = CUxThemeLoader::Instance();
    COLORREF colour = recon_colours::Black;
    if (!themes.IsAppThemed())
        return colour;
    menus::HTHEME theme = themes.OpenThemeData(window, QStringLiteral("Edit"));
    if (!theme)
        return colour;
    if (themes.GetThemeColor(theme, 1, 1, menus::TMT_BORDERCOLOR, &colour) != menus::S_OK)
        colour = recon_colours::Black;
    themes.CloseThemeData(theme);
    return colour;
}
