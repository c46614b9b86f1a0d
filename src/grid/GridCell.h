#pragma once

#include "grid/GridCellBase.h"

#include <QPointer>
#include <QWidget>

// The text cell: stores every attribute, and takes format, font and margin from its default
// cell while its own are the markers. The base of every other cell type.
class CGridCell : public CGridCellBase
{
public:
    static const CRuntimeClass classCGridCell;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGridCell; }

    CGridCell();
    // A cell that goes while it is edited closes its editor without a report.
    ~CGridCell() override;
    using CGridCellBase::operator=;

    void SetText(const QString& text) override { m_strText = text; }
    void SetImage(int image) override { m_nImage = image; }
    void SetData(std::intptr_t data) override { m_lParam = data; }
    void SetFormat(unsigned format) override { m_nFormat = format; }
    void SetTextColour(COLORREF colour) override { m_crFgClr = colour; }
    void SetBackColour(COLORREF colour) override { m_crBkClr = colour; }
    void SetFont(const LOGFONT* logFont) override;
    void SetMargin(unsigned margin) override { m_nMargin = margin; }
    void SetGrid(CGridCtrl* grid) override { m_pGrid = grid; }

    QString GetText() const override { return m_strText; }
    // The stored text itself, for reading many cells without a copy of each.
    const QString& GetStoredText() const { return m_strText; }
    int GetImage() const override { return m_nImage; }
    std::intptr_t GetData() const override { return m_lParam; }
    unsigned GetFormat() const override;
    COLORREF GetTextColour() const override { return m_crFgClr; }
    COLORREF GetBackColour() const override { return m_crBkClr; }
    const LOGFONT* GetFont() const override;
    QFont GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    QWidget* GetEditWnd() const override { return m_pEditWnd; }
    unsigned GetMargin() const override;

    bool IsDefaultFont() const override { return !m_plfFont; }
    // An editor is open: one that went without the cell being told leaves it free to edit.
    bool IsEditing() const override { return m_bEditing && m_pEditWnd; }

    void Reset() override;

    bool Edit(int row, int col, CRect rect, CPoint point, unsigned id, unsigned ch) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    QString m_strText;
    std::intptr_t m_lParam = 0;
    int m_nImage = -1;
    unsigned m_nFormat = 0xFFFFFFFF;
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    // The cell's own font, made on first use; none takes the default cell's.
    std::unique_ptr<LOGFONT> m_plfFont;
    unsigned m_nMargin = 0xFFFFFFFF;
    bool m_bEditing = false;
    CGridCtrl* m_pGrid = nullptr;
    // The open in-place editor: not owned (it deletes itself when it closes).
    QPointer<QWidget> m_pEditWnd;
};

// One of the grid's four default cells: never shown; it gives the cells of its kind their
// format, font, margin and colours, and new rows and columns their size.
class CGridDefaultCell : public CGridCell
{
public:
    static const CRuntimeClass classCGridDefaultCell;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGridDefaultCell; }

    CGridDefaultCell();

    int GetStyle() const { return m_dwStyle; }
    void SetStyle(int style) { m_dwStyle = style; }
    int GetWidth() const { return m_Size.cx; }
    int GetHeight() const { return m_Size.cy; }
    void SetWidth(int width) { m_Size.cx = width; }
    void SetHeight(int height) { m_Size.cy = height; }

    void SetData(std::intptr_t) override {}
    void SetState(unsigned) override {}
    unsigned GetState() const override { return CGridCell::GetState() | 0x8; }
    // Takes the font and sizes the margin and the default size from it.
    void SetFont(const LOGFONT* logFont) override;
    const LOGFONT* GetFont() const override;
    QFont GetFontObject() const override { return m_Font; }

private:
    CSize m_Size{30, 10};
    QFont m_Font;
    int m_dwStyle = 0;
};
