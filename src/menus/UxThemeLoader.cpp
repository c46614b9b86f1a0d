#include "menus/UxThemeLoader.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace menus {
struct CThemeData
{
    QString ClassName; // upper case
    QWidget* Window = nullptr;
};
} // namespace menus

using namespace menus;

CUxThemeLoader& CUxThemeLoader::Instance()
{
    static CUxThemeLoader loader;
    return loader;
}

bool CUxThemeLoader::HasEntry(const char* name) const
{
    return m_bAvailable && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
           !m_missingEntries.contains(QString::fromLatin1(name));
}

int CUxThemeLoader::IsAppThemed() const
{
    return HasEntry("IsAppThemed") ? 1 : 0;
}

int CUxThemeLoader::IsThemeActive() const
{
    return HasEntry("IsThemeActive") ? 1 : 0;
}

HTHEME CUxThemeLoader::OpenThemeData(QWidget* window, const QString& classList) const
{
    if (!HasEntry("OpenThemeData"))
        return nullptr;
    static const QStringList known = {QStringLiteral("BUTTON"), QStringLiteral("EDIT"),
                                      QStringLiteral("WINDOW")};
    for (const QString& name : classList.split(u';', Qt::SkipEmptyParts)) {
        const QString upper = name.trimmed().toUpper();
        if (known.contains(upper))
            return new CThemeData{upper, window};
    }
    return nullptr;
}

HRESULT CUxThemeLoader::CloseThemeData(HTHEME theme) const
{
    if (!HasEntry("CloseThemeData"))
        return E_FAIL;
    delete theme;
    return S_OK;
}

HRESULT CUxThemeLoader::GetThemeColor(HTHEME theme, int part, int state, int property,
                                      COLORREF* colour) const
{
    if (!HasEntry("GetThemeColor") || !theme || !colour)
        return E_FAIL;
    if (theme->ClassName == u"EDIT" && property == TMT_BORDERCOLOR) {
        const QPalette palette = theme->Window ? theme->Window->palette() : QApplication::palette();
        *colour = FromQColor(palette.color(QPalette::Mid));
        return S_OK;
    }
    if (theme->ClassName == u"WINDOW" && property == TMT_FILLCOLORHINT) {
        *colour = kBlueCaptionHint;
        return S_OK;
    }
    return E_PROP_ID_UNSUPPORTED;
}

HRESULT CUxThemeLoader::DrawThemeBackground(HTHEME theme, QPainter* dc, int part, int state,
                                            const QRect& rect, const QRect* clip) const
{
    if (!HasEntry("DrawThemeBackground") || !theme || !dc)
        return E_FAIL;
    if (theme->ClassName != u"BUTTON" || part != BP_CHECKBOX || state < 1 || state > 12)
        return E_FAIL;
    // States 1-4 unchecked, 5-8 checked, 9-12 mixed; within each: normal, hot, pressed,
    // disabled.
    const int group = (state - 1) / 4;
    const int kind = (state - 1) % 4;
    QStyleOptionButton option;
    option.rect = rect;
    option.palette = theme->Window ? theme->Window->palette() : QApplication::palette();
    option.state = group == 0   ? QStyle::State_Off
                   : group == 1 ? QStyle::State_On
                                : QStyle::State_NoChange;
    if (kind != 3)
        option.state |= QStyle::State_Enabled;
    if (kind == 1)
        option.state |= QStyle::State_MouseOver;
    if (kind == 2)
        option.state |= QStyle::State_Sunken;
    dc->save();
    if (clip)
        dc->setClipRect(*clip, Qt::IntersectClip);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, dc, theme->Window);
    dc->restore();
    return S_OK;
}

HRESULT CUxThemeLoader::DrawThemeEdge(HTHEME theme, QPainter* dc, int part, int state,
                                      const QRect& destination, unsigned edge, unsigned flags,
                                      QRect* content) const
{
    // The table holds no themed edges: every caller draws its own.
    return E_FAIL;
}

void CUxThemeLoader::SetAvailable(bool available)
{
    m_bAvailable = available;
}

bool CUxThemeLoader::IsAvailable() const
{
    return m_bAvailable;
}

void CUxThemeLoader::SetEntryAvailable(const QString& name, bool available)
{
    if (available)
        m_missingEntries.remove(name);
    else
        m_missingEntries.insert(name);
}
