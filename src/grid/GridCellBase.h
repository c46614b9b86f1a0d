#pragma once

#include "grid/CellID.h"
#include "grid/ColorRef.h"
#include "grid/LogFont.h"
#include "grid/WinGeometry.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <memory>

class CGridCellBase;
class CGridCtrl;
class CGridDefaultCell;
class QPainter;
class QWidget;

// The run-time class record of the grid's classes: its name, its base and, for a cell class
// that can be made by the grid, the function that makes one.
struct CRuntimeClass
{
    const char* m_lpszClassName = nullptr;
    const CRuntimeClass* m_pBaseClass = nullptr;
    std::unique_ptr<CGridCellBase> (*m_pfnCreateObject)() = nullptr;

    bool IsDerivedFrom(const CRuntimeClass* base) const;
    // A new object of the class, or none when the class cannot be made.
    std::unique_ptr<CGridCellBase> CreateObject() const;
};

// The make function of a cell class's run-time class record.
template <class Cell> std::unique_ptr<CGridCellBase> MakeCell()
{
    return std::make_unique<Cell>();
}

// The abstract grid cell: state bits and merge data, and the drawing, measuring and mouse hooks,
// written in terms of the accessors that a concrete cell implements. The cell only reads its
// state bits; the grid sets them.
class CGridCellBase
{
public:
    static const CRuntimeClass classCGridCellBase;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCGridCellBase; }

    CGridCellBase();
    virtual ~CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = delete;

    virtual void SetText(const QString& text) = 0;
    virtual void SetImage(int image) = 0;
    virtual void SetData(std::intptr_t data) = 0;
    virtual void SetState(unsigned state) { m_nState = state; }
    virtual void SetFormat(unsigned format) = 0;
    virtual void SetTextColour(COLORREF colour) = 0;
    virtual void SetBackColour(COLORREF colour) = 0;
    // None frees the cell's own font, so it takes its default cell's.
    virtual void SetFont(const LOGFONT* logFont) = 0;
    virtual void SetMargin(unsigned margin) = 0;
    virtual void SetGrid(CGridCtrl* grid) = 0;
    virtual void SetCoords(int row, int col) {}

    virtual QString GetText() const = 0;
    virtual QString GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual std::intptr_t GetData() const = 0;
    virtual unsigned GetState() const { return m_nState; }
    virtual unsigned GetFormat() const = 0;
    virtual COLORREF GetTextColour() const = 0;
    virtual COLORREF GetBackColour() const = 0;
    // The cell's own font, else its default cell's; none without either.
    virtual const LOGFONT* GetFont() const = 0;
    // The font the cell draws with.
    virtual QFont GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual QWidget* GetEditWnd() const = 0;
    virtual unsigned GetMargin() const = 0;
    virtual CGridDefaultCell* GetDefaultCell() const;

    virtual bool IsDefaultFont() const = 0;
    virtual bool IsEditing() const = 0;
    virtual bool IsFocused() const { return (m_nState & 0x1) != 0; }
    virtual bool IsFixed() const { return (m_nState & 0x10) != 0; }
    virtual bool IsFixedCol() const { return (m_nState & 0x40) != 0; }
    virtual bool IsFixedRow() const { return (m_nState & 0x20) != 0; }
    virtual bool IsSelected() const { return (m_nState & 0x2) != 0; }
    virtual bool IsReadOnly() const { return (m_nState & 0x8) != 0; }
    virtual bool IsModified() const { return (m_nState & 0x80) != 0; }
    virtual bool IsDropHighlighted() const { return (m_nState & 0x4) != 0; }

    // Copies every attribute of the other cell through the setters.
    virtual CGridCellBase& operator=(const CGridCellBase& other);
    virtual void Reset();

    // Draws the cell into the rectangle (right and bottom are the cell's last pixels); false
    // when it cannot draw.
    virtual bool Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd = true);
    virtual bool GetTextRect(CRect& rect);
    virtual bool GetTipTextRect(CRect& rect) { return GetTextRect(rect); }
    // Narrows the cell's rectangle to the room Draw leaves the text of the cell at (row, col)
    // before GetTextRect: inside the frame of a heading or of the focus cell and inside the
    // margins. A text wider than that room (after GetTextRect) is drawn cut.
    void InsetForText(int row, int col, CRect& rect) const;
    // The size the cell gives the text; measured on the painter when one is given.
    virtual CSize GetTextExtent(const QString& text, QPainter* painter = nullptr);
    virtual CSize GetCellExtent(QPainter* painter);

    // Editing: the cell opens its own in-place editor; the base cell cannot be edited.
    virtual bool Edit(int row, int col, CRect rect, CPoint point, unsigned id, unsigned ch)
    {
        return false;
    }
    virtual bool ValidateEdit(const QString& text) { return true; }
    virtual void EndEdit() {}
    // Prints the cell into the rectangle of a printer page (logical units, right and bottom the
    // cell's last pixels): a border, then with a shaded print-out its colours, then its text.
    virtual bool PrintCell(QPainter* dc, int row, int col, CRect rect);
    virtual void OnEndEdit() {}

    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint pointCellRelative) {}
    virtual void OnClickDown(CPoint pointCellRelative) {}
    virtual void OnRClick(CPoint pointCellRelative) {}
    virtual void OnDblClick(CPoint pointCellRelative) {}
    // Sets the cursor over the cell (the widget's cursor); true when it did.
    virtual bool OnSetCursor(QWidget* widget);

    virtual bool IsShow() const { return !m_Hide; }
    virtual CCellIDRange GetMergeRange() const { return m_MergeRange; }
    virtual bool IsMergeWithOthers() const { return m_IsMergeWithOthers; }
    virtual CCellID GetMergeCellID() const { return m_MergeCellID; }
    virtual void SetMergeCellID(int row, int col);

    bool IsMerged() const { return m_MergeRange.IsValid() && m_MergeRange.Count() > 1; }
    void SetShow(bool show) { m_Hide = !show; }
    void SetMergeRange(int minRow, int minCol, int maxRow, int maxCol)
    {
        m_MergeRange.Set(minRow, minCol, maxRow, maxCol);
    }

protected:
    unsigned m_nState = 0;
    CCellIDRange m_MergeRange;
    bool m_IsMergeWithOthers = false;
    CCellID m_MergeCellID;
    bool m_Hide = false;
};
