#pragma once

#include "grid/GridCell.h"

#include <QStringList>

class CInPlaceList;

// Combo-box styles kept for the owner; the editor is always a drop-down list.
enum : unsigned
{
    CBS_SIMPLE = 0x1,
    CBS_DROPDOWN = 0x2,
    CBS_DROPDOWNLIST = 0x3,
};

// A text cell edited with a drop-down list of options (items with check boxes). While the cell
// can be edited it shows a drop button at its right, and its text ends before it.
class CGridCellCombo : public CGridCell
{
public:
    static const CRuntimeClass classCGridCellCombo;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGridCellCombo; }

    void SetOptions(const QStringList& options) { m_Strings = options; }
    QStringList GetOptions() const { return m_Strings; }
    void SetStyle(unsigned style) { m_dwStyle = style; }
    unsigned GetStyle() const { return m_dwStyle; }

    bool Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd = true) override;
    bool GetTextRect(CRect& rect) override;
    bool Edit(int row, int col, CRect rect, CPoint point, unsigned id, unsigned ch) override;
    // A drop-down list has no edit part.
    QWidget* GetEditWnd() const override { return nullptr; }
    // Room for the drop button besides the text.
    CSize GetCellExtent(QPainter* painter) override;

protected:
    virtual CInPlaceList* MakeList(int row, int col, CRect rect, unsigned id);

    QStringList m_Strings;
    unsigned m_dwStyle = CBS_DROPDOWN;

private:
    // While the cell draws: where its drop button starts (the text ends there).
    int m_nButtonLeft = -1;
};

// The drop-down list cell under its own class name, with its own editor class.
class CGridCellCheckCombo : public CGridCellCombo
{
public:
    static const CRuntimeClass classCGridCellCheckCombo;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGridCellCheckCombo; }

protected:
    CInPlaceList* MakeList(int row, int col, CRect rect, unsigned id) override;
};
