#pragma once

#include "grid/CheckComboBox.h"
#include "grid/InPlaceEditor.h"
#include "grid/WinGeometry.h"

#include <QStringList>

class CGridCtrl;

// The drop-down list a list cell opens over itself, open at once. Its items carry check boxes:
// those named in the cell's text start checked, and the field shows the cell's text until a check
// changes. Tab, Enter, Escape (which puts the old text back), focus loss and, with Ctrl, Page Up,
// Page Down and the arrows end the edit.
class CInPlaceList : public CCheckComboBox, public CInPlaceEditor
{
    Q_OBJECT

public:
    CInPlaceList(CGridCtrl* grid, const CRect& rect, unsigned style, unsigned id, int row, int col,
                 const QStringList& items, const QString& initialText, unsigned firstKey);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool OnListKey(QKeyEvent* event) override;
    QString EditedText() const override { return GetWindowText(); }

private:
    void Restore() { SetWindowText(m_sInitText); }

    QString m_sInitText;
    // Rows of the grid's height the open list takes.
    int m_nNumLines = 4;
};

// The editor of a check-list cell: the same list.
class CInPlaceCheckList : public CInPlaceList
{
    Q_OBJECT

public:
    using CInPlaceList::CInPlaceList;
};
