#include "views/MatchingMethodsItem.h"

#include "controls/PropertyGrid.h"
#include "grid/DrawTextFormat.h"
#include "model/MethodNames.h"
#include "views/ViewDialogs.h"

#include <QPainter>

using namespace pelko_wave;

void CMatchingMethodsItem::SetMatchingMethods(int kind, const QList<quint32>& methods)
{
    m_nKind = kind;
    m_methods = methods;
}

QString CMatchingMethodsItem::GetMethodsText() const
{
    switch (m_nKind) {
    case QuestionMethods:
        return GetQuestionMatchingMethodsText(m_methods);
    case ResponseMethods:
        return GetResponseMatchingMethodsText(m_methods);
    default:
        return QString();
    }
}

int CMatchingMethodsItem::GetEditMode()
{
    return CPropertyGrid::EDIT_MODAL;
}

void CMatchingMethodsItem::DrawItem(QPainter& painter, const CRect& rect, bool)
{
    CRect text = rect;
    text.left += CPropertyGrid::GetTextMargin();
    DrawText(painter, GetMethodsText(), text,
             DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

bool CMatchingMethodsItem::OnEdit()
{
    IViewDialogs* dialogs = GetViewDialogs();
    if (!dialogs)
        return false;
    QList<quint32> methods = m_methods;
    {
        CModalDialogScope modal;
        if (dialogs->RunMatchingMethodDialog(m_pGrid, m_nKind, methods) != IDOK)
            return false;
    }
    m_methods = methods;
    return true;
}
