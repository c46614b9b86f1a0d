#pragma once

#include "grid/GridCtrl.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <vector>

// A grid owner that records every report and answers as the test says.
class CRecordingOwner : public IGridOwner
{
public:
    struct SReport
    {
        int Code;
        int Row;
        int Col;
        bool operator==(const SReport&) const = default;
    };

    LRESULT OnNotify(NMHDR& header) override
    {
        if (header.code == GVN_ODCACHEHINT) {
            const auto& hint = static_cast<GV_CACHEHINT&>(header);
            Hints.push_back(hint.range);
            return 0;
        }
        if (header.code == GVN_GETDISPINFO) {
            auto& info = static_cast<GV_DISPINFO&>(header);
            ++TextRequests;
            if (FillText)
                FillText(info.item);
            return 0;
        }
        const auto& notify = static_cast<GRIDNOTIFY&>(header);
        if (header.code != GVN_HOVER || KeepHover)
            Reports.push_back({notify.code, notify.iRow, notify.iColumn});
        return Answer ? Answer(notify.code) : 0;
    }

    // The codes only, in order.
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const SReport& report : Reports)
            codes.push_back(report.Code);
        return codes;
    }

    std::vector<SReport> Reports;
    std::vector<CCellIDRange> Hints;
    int TextRequests = 0;
    bool KeepHover = false;
    std::function<LRESULT(int code)> Answer;
    std::function<void(GRIDCELLITEM&)> FillText;
};

// A shown, active grid of rows x columns, each row 20 and each column 60 pixels, reporting to a
// recording owner.
struct SShownGrid
{
    SShownGrid(int rows, int cols, int fixedRows, int fixedCols, QSize size = {400, 300})
        : grid(rows, cols, fixedRows, fixedCols)
    {
        for (int row = 0; row < rows; ++row)
            grid.SetRowHeight(row, 20);
        for (int col = 0; col < cols; ++col)
            grid.SetColumnWidth(col, 60);
        grid.SetOwner(&owner);
        grid.resize(size);
        grid.show();
        grid.activateWindow();
        QApplication::processEvents();
        grid.setFocus();
        grid.ResetScrollBars();
    }

    // The centre of a cell, in viewport coordinates.
    QPoint Centre(int row, int col) const
    {
        CRect rect;
        grid.GetCellRect(row, col, rect);
        return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void Click(int row, int col, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, Centre(row, col));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&grid, Qt::Key(key), modifiers);
    }
    // Types the characters, each into the widget that has the focus then (the grid, then the
    // editor it opened).
    void Type(const QString& text)
    {
        for (const QChar ch : text) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &grid, char(ch.toLatin1()));
        }
    }
    // The editor open on the cell, as the widget type asked for; null when none is.
    template <class Editor = QWidget> Editor* EditorOf(int row, int col) const
    {
        const CGridCellBase* cell = grid.GetCell(row, col);
        return cell && cell->IsEditing() ? qobject_cast<Editor*>(OpenEditor()) : nullptr;
    }
    // The in-place editor open in the grid, null when none is.
    QWidget* OpenEditor() const
    {
        for (QWidget* child : grid.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !child->isWindow())
                return child;
        return nullptr;
    }

    CRecordingOwner owner;
    CGridCtrl grid;
};
