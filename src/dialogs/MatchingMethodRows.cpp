#include "dialogs/MatchingMethodRows.h"

#include "controls/XListCtrl.h"
#include "res/StringTable.h"

#include <algorithm>

namespace {

constexpr int kMethodCount = 6;

QList<SMatchingInfo> Infos(const unsigned (&names)[kMethodCount],
                           const unsigned (&descriptions)[kMethodCount])
{
    QList<SMatchingInfo> infos;
    for (int id = 0; id < kMethodCount; ++id)
        infos.append({LoadString(names[id]), LoadString(descriptions[id]), quint32(id), false});
    return infos;
}

} // namespace

QList<SMatchingInfo> GetQuestionMatchingInfos()
{
    return Infos({63069, 63070, 63068, 63219, 63071, 63294},
                 {63081, 63082, 63080, 63220, 63083, 63295});
}

QList<SMatchingInfo> GetResponseMatchingInfos()
{
    return Infos({63073, 63074, 63072, 63079, 63075, 63292},
                 {63085, 63086, 63084, 63088, 63087, 63293});
}

QList<SMatchingInfo> OrderMatchingRows(const QList<SMatchingInfo>& infos,
                                       const QList<quint32>& ordered, quint32 defaultMethod)
{
    const auto listed = [](const QList<SMatchingInfo>& rows, quint32 id) {
        return std::any_of(rows.begin(), rows.end(),
                           [id](const SMatchingInfo& row) { return row.MethodId == id; });
    };
    QList<SMatchingInfo> rows;
    for (const quint32 id : ordered) {
        if (id < quint32(infos.size()) && !listed(rows, id)) {
            rows.append(infos[int(id)]);
            rows.last().Enabled = true;
        }
    }
    const bool none = rows.isEmpty();
    for (const SMatchingInfo& info : infos) {
        if (!listed(rows, info.MethodId)) {
            rows.append(info);
            rows.last().Enabled = none && info.MethodId == defaultMethod;
        }
    }
    return rows;
}

void FillMatchingRows(CXListCtrl& list, const QList<SMatchingInfo>& rows, const QString& tickTip)
{
    list.setUpdatesEnabled(false);
    list.DeleteAllItems();
    for (const SMatchingInfo& info : rows) {
        const int row = list.InsertItem(list.GetItemCount(), QString());
        list.SetCheckbox(row, 0, info.Enabled ? 1 : 0);
        list.SetItemToolTipText(row, 0, tickTip.isEmpty() ? info.Description : tickTip);
        list.SetItemData(row, info.MethodId);
        list.SetItemText(row, 1, info.Name);
        list.SetItemToolTipText(row, 1, info.Description);
    }
    list.setUpdatesEnabled(true);
}

QList<quint32> CheckedMatchingMethods(const CXListCtrl& list)
{
    QList<quint32> methods;
    for (int row = 0; row < list.GetItemCount(); ++row)
        if (list.GetCheckbox(row, 0) == 1)
            methods.append(quint32(list.GetItemData(row)));
    return methods;
}

int MoveDroppedRow(CXListCtrl& list, int row, int ontoRow)
{
    const int to = std::min(row < ontoRow ? ontoRow - 1 : ontoRow, list.GetItemCount() - 1);
    list.MoveItem(row, to);
    list.SetCurSel(to);
    return to;
}
