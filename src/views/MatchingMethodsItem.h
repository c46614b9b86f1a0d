#pragma once

#include "controls/CustomItem.h"

#include <QList>
#include <QString>

// A volume's ordered question or response matching methods as an item of the property pane: it
// shows the method names in trial order and, from its "..." button, runs the matching-method
// dialog, keeping the list the user confirmed there for the pane to apply.
class CMatchingMethodsItem final : public ICustomItem
{
public:
    enum EKind
    {
        QuestionMethods = 0,
        ResponseMethods = 1
    };

    CMatchingMethodsItem() = default;

    // Keeps the kind and a copy of the method ids, in trial order.
    void SetMatchingMethods(int kind, const QList<quint32>& methods);
    const QList<quint32>& GetMatchingMethods() const { return m_methods; }
    int GetKind() const { return m_nKind; }
    // The names of the methods in order, joined by "; "; empty for an unknown kind.
    QString GetMethodsText() const;

    int GetEditMode() override;
    void DrawItem(QPainter& painter, const CRect& rect, bool focused) override;
    // Runs the matching-method dialog on the kept list; true, keeping the new list, when it was
    // confirmed.
    bool OnEdit() override;

private:
    int m_nKind = QuestionMethods;
    QList<quint32> m_methods;
};
