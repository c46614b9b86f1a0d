#pragma once

#include <QList>
#include <QString>

class CXListCtrl;

// One row of a matching-method list: the method's name, its description (the row's tool tip),
// its id and whether it is used.
struct SMatchingInfo
{
    QString Name;
    QString Description;
    quint32 MethodId = 0;
    bool Enabled = false;
};

// The six question methods and the six response methods, by id.
QList<SMatchingInfo> GetQuestionMatchingInfos();
QList<SMatchingInfo> GetResponseMatchingInfos();

// The rows of a list of methods in trial order: the given methods first, ticked, in their order
// (unknown ids and repeats left out), then the others by id, unticked, except the default method,
// which is ticked when no method is given.
QList<SMatchingInfo> OrderMatchingRows(const QList<SMatchingInfo>& infos,
                                       const QList<quint32>& ordered, quint32 defaultMethod);

// Fills the list (emptied first) with the rows, each ticked in the first column as it is used
// and named in the second; both cells show the description as their tool tip, but the tick's
// own tip when one is given.
void FillMatchingRows(CXListCtrl& list, const QList<SMatchingInfo>& rows,
                      const QString& tickTip = QString());

// The ids of the ticked rows, from the top.
QList<quint32> CheckedMatchingMethods(const CXListCtrl& list);

// Moves a row dropped onto another row in front of it (below the last row: to the end), selects
// it and returns where it is now.
int MoveDroppedRow(CXListCtrl& list, int row, int ontoRow);
