#pragma once

#include "grid/CellID.h"
#include "grid/ColorRef.h"
#include "grid/GridAxis.h"
#include "grid/GridCell.h"
#include "grid/GridDropTarget.h"
#include "grid/GridNotify.h"
#include "grid/GridSelectedCells.h"
#include "grid/LogFont.h"
#include "grid/WinGeometry.h"

#include <QAbstractScrollArea>
#include <QDateTime>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CPrintInfo;
class CTitleTip;
class QImage;
class QMimeData;
class QPainter;

// Scroll bars and their steps.
enum : int
{
    SB_HORZ = 0,
    SB_VERT = 1,
    SB_BOTH = 3
};
enum : int
{
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};

// Grid lines.
enum : int
{
    GVL_NONE = 0,
    GVL_HORZ = 1,
    GVL_VERT = 2,
    GVL_BOTH = 3
};

// The grid window: a table of cells whose first rows and columns may be fixed headings, with
// pixel scrolling, its own selection and focus, mouse and keyboard handling, and reports to its
// owner. It paints its cells itself; every cell draws itself.
//
// Ownership: the grid owns its cells (one per cell, none in virtual mode), its four default
// cells and its row arrays.
class CGridCtrl : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static const CRuntimeClass classCGridCtrl;

    // Mouse modes.
    enum eMouseModes
    {
        MOUSE_NOTHING = 0,
        MOUSE_SELECT_ALL = 1,
        MOUSE_SELECT_COL = 2,
        MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4,
        MOUSE_OVER_ROW_DIVIDE = 6,
        MOUSE_SIZING_ROW = 7,
        MOUSE_OVER_COL_DIVIDE = 8,
        MOUSE_SIZING_COL = 9,
        MOUSE_PREPARE_EDIT = 10,
        MOUSE_PREPARE_DRAG = 11,
        MOUSE_DRAGGING = 12,
    };

    // The auto-scroll timer's id while a drag-selection runs.
    static constexpr int AUTOSCROLL_TIMER_ID = 513;
    // The control id with which every in-place editor is started.
    static constexpr unsigned IDC_INPLACE_CONTROL = 8;

    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0,
                       QWidget* parent = nullptr);
    ~CGridCtrl() override;
    static std::unique_ptr<CGridCtrl> CreateObject();

    // The window that gets the reports (no owner: every answer is 0) and the grid's control id.
    void SetOwner(IGridOwner* owner) { m_pOwner = owner; }
    IGridOwner* GetOwner() const { return m_pOwner; }
    void SetDlgCtrlID(int id) { m_nCtrlID = id; }
    int GetDlgCtrlID() const { return m_nCtrlID; }

    // Counts and sizes.
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    bool SetRowCount(int nRows = 10);
    bool SetColumnCount(int nCols = 10);
    bool SetFixedRowCount(int nFixedRows = 1);
    bool SetFixedColumnCount(int nFixedCols = 1);
    int InsertRow(const QString& heading, int nRow = -1);
    bool DeleteRow(int nRow);
    bool DeleteAllCells();

    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    bool SetRowHeight(int row, int height);
    bool SetColumnWidth(int col, int width);
    int GetFixedRowsHeight() const;
    int GetFixedColumnsWidth() const;
    int GetVirtualHeight() const;
    int GetVirtualWidth() const;
    bool FitRowHeight(int nRow, bool bResetScroll = true);
    bool FitColumnWidth(int nCol, unsigned nAutoSizeStyle = 0, bool bResetScroll = true);
    // The width the widest cell of the column needs, among the rows the style names (0x1 the
    // fixed rows, 0x2 the others; 0 the grid's own style).
    int GetColumnExtent(int nCol, unsigned nAutoSizeStyle = 0);
    void EnableScrollBars(int nBar, bool bEnable = true);

    // Cells.
    CGridCellBase* GetCell(int nRow, int nCol) const;
    // Stores the cell at the place and hands back the cell it replaces (none on failure, when the
    // given cell is also handed back: test with the place's GetCell).
    std::unique_ptr<CGridCellBase> ReplaceCell(int nRow, int nCol,
                                               std::unique_ptr<CGridCellBase> cell);
    bool SetDefaultCellType(const CRuntimeClass* pRuntimeClass);
    const CRuntimeClass* GetDefaultCellType() const { return m_pRtcDefault; }
    CGridDefaultCell* GetDefaultCell(bool bFixedRow, bool bFixedCol) const;
    void ResetDefaultCells();

    bool IsValid(int nRow, int nCol) const;
    bool IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    bool IsValid(const CCellIDRange& range) const;
    bool IsCellFixed(int nRow, int nCol) const;
    bool IsCellEditable(int nRow, int nCol) const;
    bool IsCellEditable(const CCellID& cell) const { return IsCellEditable(cell.row, cell.col); }
    bool IsCellSelected(int nRow, int nCol) const;
    bool IsCellSelected(const CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }

    bool SetCellText(int nRow, int nCol, const QString& text);
    bool SetCellTextFormat(int nRow, int nCol, unsigned stringId,
                           std::initializer_list<QVariant> args);
    bool SetCellData(int nRow, int nCol, std::intptr_t data);
    bool SetCellState(int nRow, int nCol, unsigned state);
    bool SetCellFormat(int nRow, int nCol, unsigned format);
    bool SetCellTextColour(int nRow, int nCol, COLORREF colour);
    bool SetCellBackColour(int nRow, int nCol, COLORREF colour);
    bool SetCellFont(int nRow, int nCol, const LOGFONT* logFont);
    bool SetCellImage(int nRow, int nCol, int image);
    QString GetCellText(int nRow, int nCol) const;
    unsigned GetCellState(int nRow, int nCol) const;
    unsigned GetCellFormat(int nRow, int nCol) const;
    std::intptr_t GetCellData(int nRow, int nCol) const;
    COLORREF GetCellTextColour(int nRow, int nCol) const;
    COLORREF GetCellBackColour(int nRow, int nCol) const;

    bool SetCellFromRecord(const GRIDCELLITEM* item);
    bool GetCellIntoRecord(GRIDCELLITEM* item) const;

    void MergeCells(int nStartRow, int nStartCol, int nEndRow, int nEndCol);
    CCellID GetMergedOwner(int nRow, int nCol) const;
    int GetMergedHeight(int nRow, int nCol) const;
    int GetMergedWidth(int nRow, int nCol) const;

    bool GetCellRect(int nRow, int nCol, CRect& rect) const;
    bool GetCellIdRect(const CCellID& cell, CRect& rect) const
    {
        return GetCellRect(cell.row, cell.col, rect);
    }
    bool GetCellRangeRect(const CCellIDRange& range, CRect& rect) const;
    // The room the cell's text is drawn in (client coordinates): the cell's rectangle less the
    // grid line the paint leaves a cell of the scrolled area, the frame of a heading or of the
    // focus cell, the margins, and what GetTextRect keeps for an image, a check box or a button
    // (GetTipTextRect for the tip). A text wider than it is drawn cut. False without the cell.
    bool GetCellTextRoom(int nRow, int nCol, CRect& rect, bool tip = false);
    // The width a column needs so that the text, in the font, is drawn whole in any of its text
    // cells of the margin: the focus cell's, a heading's or a plain one's, without an image.
    static int ColumnWidthForText(const QFont& font, const QString& text, int margin);
    bool GetCellOrigin(int nRow, int nCol, CPoint& point) const;
    CCellID GetCellFromPoint(CPoint point, bool bAllowFixedCellCheck = true) const;
    CPoint GetPointInCell(int nRow, int nCol, CPoint point) const;
    CSize MeasureCellText(int nRow, int nCol, const QString& text);
    void ClearCells(const CCellIDRange& selection);

    // Modified flags: row or column < 0 gives the grid-wide flag.
    void SetModified(bool bModified = true, int nRow = -1, int nCol = -1);
    bool GetModified(int nRow = -1, int nCol = -1) const;

    // Virtual mode: the grid keeps no cells and asks the text callback, or else its owner, for
    // each cell it reads.
    using GRIDCALLBACK = bool (*)(GRIDCELLITEM* item, std::intptr_t param);
    void SetVirtualMode(bool bVirtual);
    bool GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GRIDCALLBACK callback, std::intptr_t param)
    {
        m_pfnCallback = callback;
        m_lParam = param;
    }

    // Colours and looks.
    void SetGridBkColor(COLORREF colour) { m_crGridBkColour = colour; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridLineColor(COLORREF colour) { m_crGridLineColour = colour; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetTitleTipBackClr(COLORREF colour) { m_crTTipBackClr = colour; }
    COLORREF GetTitleTipBackClr() const { return m_crTTipBackClr; }
    void SetTitleTipTextClr(COLORREF colour) { m_crTTipTextClr = colour; }
    COLORREF GetTitleTipTextClr() const { return m_crTTipTextClr; }
    void SetTextColor(COLORREF colour);
    void SetTextBkColor(COLORREF colour);
    void SetFixedTextColor(COLORREF colour);
    void SetFixedBkColor(COLORREF colour);
    void SetGridLines(int nWhichLines = GVL_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    // The font of all four default cells (what setting the window's font does).
    void SetGridFont(const LOGFONT& logFont);
    const LOGFONT* GetGridFont() const;
    void SetImageList(const std::vector<QImage>* images) { m_pImageList = images; }
    const std::vector<QImage>* GetImageList() const { return m_pImageList; }

    // Behaviour flags.
    void SetEditable(bool bEditable = true) { m_bEditable = bEditable; }
    bool IsEditable() const { return m_bEditable; }
    void SetListMode(bool bEnableListMode = true);
    bool GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(bool bSing = true) { m_bSingleRowSelection = bSing; }
    bool GetSingleRowSelection() const { return m_bSingleRowSelection && m_bListMode; }
    void SetSingleColSelection(bool bSing = true) { m_bSingleColSelection = bSing; }
    bool GetSingleColSelection() const { return m_bSingleColSelection; }
    void EnableSelection(bool bEnable = true);
    bool IsSelectable() const { return m_bEnableSelection; }
    void SetFixedColumnSelection(bool bSelect) { m_bFixedColumnSelection = bSelect; }
    bool GetFixedColumnSelection() const { return m_bFixedColumnSelection; }
    void SetFixedRowSelection(bool bSelect) { m_bFixedRowSelection = bSelect; }
    bool GetFixedRowSelection() const { return m_bFixedRowSelection; }
    void SetRowResize(bool bResize = true) { m_bAllowRowResize = bResize; }
    bool GetRowResize() const { return m_bAllowRowResize; }
    void SetColumnResize(bool bResize = true) { m_bAllowColumnResize = bResize; }
    bool GetColumnResize() const { return m_bAllowColumnResize; }
    void EnableHiddenColUnhide(bool bEnable = true) { m_bHiddenColUnhide = bEnable; }
    void EnableHiddenRowUnhide(bool bEnable = true) { m_bHiddenRowUnhide = bEnable; }
    void EnableColumnHide(bool bEnable = true) { m_bAllowColHide = bEnable; }
    void EnableRowHide(bool bEnable = true) { m_bAllowRowHide = bEnable; }
    void SetHandleTabKey(bool bHandle = true) { m_bHandleTabKey = bHandle; }
    bool GetHandleTabKey() const { return m_bHandleTabKey; }
    void EnableTitleTips(bool bEnable = true) { m_bTitleTips = bEnable; }
    bool GetTitleTips() const { return m_bTitleTips; }
    void EnableDragAndDrop(bool bAllow = true) { m_bAllowDragAndDrop = bAllow; }
    bool GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetDoubleBuffering(bool bBuffer = true) { m_bDoubleBuffer = bBuffer; }
    bool GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void SetTrackFocusCell(bool bTrack) { m_bTrackFocusCell = bTrack; }
    bool GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(bool bFrame) { m_bFrameFocus = bFrame; }
    bool GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetAutoSizeStyle(unsigned nStyle) { m_nAutoSizeColumnStyle = nStyle; }
    unsigned GetAutoSizeStyle() const { return m_nAutoSizeColumnStyle; }
    void SetHeaderSort(bool bSortOnClick = true) { m_bSortOnClick = bSortOnClick; }
    bool GetHeaderSort() const { return m_bSortOnClick; }
    // Stores the sort column; the headings of the old and the new one are drawn again.
    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(bool bAscending) { m_bAscending = bAscending; }
    bool GetSortAscending() const { return m_bAscending; }
    // Orders the rows below the fixed ones by two cells of a column: < 0, 0 or > 0, as the
    // first cell comes before, with or after the second (data is the caller's value).
    using PFNLVCOMPARE = int (*)(const CGridCellBase* cell1, const CGridCellBase* cell2,
                                 std::intptr_t data);
    // The default order: the cells' texts compared as UTF-16 strings, code unit by code unit;
    // a missing cell is equal to every cell.
    static int pfnCellTextCompare(const CGridCellBase* cell1, const CGridCellBase* cell2,
                                  std::intptr_t data);
    void SetCompareFunction(PFNLVCOMPARE compare) { m_pfnCompare = compare; }
    PFNLVCOMPARE GetCompareFunction() const { return m_pfnCompare; }
    // Sorts the rows below the fixed ones by the column, with the grid's compare function (the
    // text order when none is set); clears the selection and the focus first.
    bool SortByColumn(int nCol, bool bAscending = true, std::intptr_t data = 0);
    bool SortWithCompare(PFNLVCOMPARE compare, int nCol, bool bAscending, std::intptr_t data);
    // Sorts rows low to high (-1: the last row) in place: whole rows move, cells and heights;
    // rows with equal keys may change places. False for a column out of range, a range of fewer
    // than two rows, or a grid in virtual mode (it holds no cells).
    bool SortRange(PFNLVCOMPARE compare, int nCol, bool bAscending, std::intptr_t data, int low,
                   int high);

    bool GetShadedPrintOut() const { return m_bShadedPrintOut; }
    void SetShadedPrintOut(bool bEnable = true) { m_bShadedPrintOut = bEnable; }
    // Painting and invalidation happen only while drawing is allowed.
    void SetRedraw(bool bAllowDraw, bool bResetScrollBars = false);
    bool GetRedraw() const { return m_bAllowDraw; }
    int GetMouseMode() const { return m_MouseMode; }
    int GetMouseScrollLines() const;
    void SetMouseScrollLines(int lines) { m_nRowsPerWheelNotch = lines; }

    // Where the owner opens the context menu of an NM_RCLICK it is being told of (global
    // coordinates): at the mouse after a right click; at the focus cell when the menu was asked
    // for from the keyboard (the Menu key or Shift+F10, which report the focus cell).
    QPoint GetContextMenuPos() const;

    // Selection and focus.
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    CCellID SetFocusCell(CCellID cell);
    CCellID SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellID(nRow, nCol)); }
    void SetSelectedRange(const CCellIDRange& range, bool bForceRepaint = false,
                          bool bSelectCells = true);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                          bool bForceRepaint = false, bool bSelectCells = true);
    CCellIDRange GetSelectedRange() const;
    int GetSelectedCount() const { return int(m_SelectedCells.Count()); }
    bool IsValidRange(const CCellIDRange& range) const { return IsValid(range); }
    void ClearSelection();
    void SelectAllCells();
    void SelectColumnsTo(CCellID currentCell, bool bForceRedraw = true, bool bSelectCells = true);
    void SelectRowsTo(CCellID currentCell, bool bForceRedraw = true, bool bSelectCells = true);
    void SelectCellsTo(CCellID currentCell, bool bForceRedraw = true, bool bSelectCells = true);
    void ExtendSelection(CCellID currentCell);

    // Painting and scrolling.
    void Refresh();
    bool RedrawCell(int nRow, int nCol, QPainter* painter = nullptr);
    bool RedrawCellId(const CCellID& cell, QPainter* painter = nullptr)
    {
        return RedrawCell(cell.row, cell.col, painter);
    }
    bool RedrawRow(int row);
    bool InvalidateCellRect(int row, int col);
    bool InvalidateCellIdRect(const CCellID& cell)
    {
        return InvalidateCellRect(cell.row, cell.col);
    }
    void ResetScrollBars();
    int GetScrollPos32(int nBar, bool bGetTrackPos = false) const;
    bool SetScrollPos32(int nBar, int nPos, bool bRedraw = true);
    CCellID GetTopLeftNonFixedCell(bool bForceRecalculation = false) const;
    CCellIDRange GetVisibleNonFixedCellRange(CRect* pRect = nullptr,
                                             bool bForceRecalculation = false) const;
    bool IsCellVisible(int nRow, int nCol) const;
    bool IsCellIdVisible(const CCellID& cell) const { return IsCellVisible(cell.row, cell.col); }
    void EnsureVisible(int nRow, int nCol);
    void EnsureCellIdVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }
    // The scroll-bar steps: SB_* codes for the vertical and horizontal bars.
    void OnVScroll(int nSBCode);
    void OnHScroll(int nSBCode);
    // Turns a wheel delta into line or page steps.
    void OnMouseWheel(int zDelta);
    // Follows changed system colours (a palette change).
    void OnSysColorChange();
    // The client area (the viewport) in its own coordinates.
    CRect GetClientRect() const;
    // The width of a vertical scroll bar (and height of a horizontal one) in the grid's style.
    int ScrollBarExtent() const;
    // Paints the grid into the painter as the paint pass does, for the clip rectangle.
    virtual void DrawGrid(QPainter& painter, const CRect& clipBox);

    // Reports to the owner: each returns the owner's answer, 0 without an owner.
    LRESULT NotifyParent(int nRow, int nCol, int nMessage) const;
    LRESULT SendCacheHint(const CCellIDRange& range) const;
    LRESULT RequestCellText(GV_DISPINFO& record) const;

    // Editing protocol. The in-place editor and the notification of its end come with the
    // editor; these are the grid's hooks into it.
    virtual void StartCellEdit(int nRow, int nCol, CPoint point, unsigned nChar);
    virtual void FinishCellEdit(int nRow, int nCol, const QString& text);
    virtual bool ValidateCellEdit(int nRow, int nCol, const QString& text);
    virtual void StopEditing();
    // The in-place editor's end of edit (its record: the cell, the edited text and, as data,
    // the key that ended the edit): keeps or restores the text, and after Tab or a navigation
    // key moves on and edits the cell reached.
    void OnEndInPlaceEdit(const GV_DISPINFO& record);
    // The edit path of changes that do not come from the in-place editor (paste, clearing).
    bool ModifyCellText(int nRow, int nCol, const QString& text);

    // Clipboard, drag and drop. The data of both is plain text: a TAB between the columns and
    // a line feed between the rows; zero-width columns and zero-height rows take no part.

    // Empties the text of every selected cell that is shown (a hidden one is never copied),
    // through the edit path (the owner may refuse).
    virtual void ClearSelectedText();
    // The texts of the selected range (unselected cells give empty texts), or none when the
    // selection is not a range of the grid.
    virtual std::unique_ptr<QMimeData> CopySelectionToDataSource();
    // Sets the cells from the target cell on to the data's text, through the edit path: lines go
    // down and TAB-separated pieces right, each onto the next row or column that is shown; what
    // falls outside the grid is dropped. The cells set are selected, or the selection is
    // cleared. False when nothing was read.
    virtual bool PasteFromDataObject(const CCellID& target, const QMimeData* data,
                                     bool bSelectPasted);
    // Drags the selection's texts: a move empties the cells afterwards.
    virtual void StartDrag();
    virtual DROPEFFECT OnDragEnter(const QMimeData* data, Qt::KeyboardModifiers keyState,
                                   CPoint point);
    virtual DROPEFFECT OnDragOver(const QMimeData* data, Qt::KeyboardModifiers keyState,
                                  CPoint point);
    virtual void OnDragLeave();
    virtual bool OnDrop(const QMimeData* data, DROPEFFECT dropEffect, CPoint point);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    // The focus cell drawn as a picture for a drag, with its hot spot; a null picture when the
    // focus cell has no rectangle.
    virtual QPixmap MakeDragImage(QPoint* hotSpot);
    // The cell a drag is over now, (-1, -1) before any.
    CCellID GetLastDragOverCell() const { return m_LastDragOverCell; }

    // The edit commands (ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL): whether
    // one is enabled now, and running it through the grid's handler. Both answer false for any
    // other command.
    bool IsEditCommandEnabled(unsigned id) const;
    bool OnEditCommand(unsigned id);

    // A report of one of the grid's child windows: the end of an in-place edit (code -176 from
    // control id 8) keeps or restores the text and may go on editing. The answer is 0.
    LRESULT OnChildNotify(NMHDR& header);

    // Printing. A print job calls OnBeginPrinting, then OnPrint once per page with the page set in
    // the print information, then OnEndPrinting, on a painter of the printer (or of any paint
    // device standing for one). The rows are laid out on pages of the grid's width (or at
    // screen scale with WYSIWYG printing, several pages across), the headings repeated on each.
    virtual void OnBeginPrinting(QPainter* dc, CPrintInfo* info);
    virtual void OnPrint(QPainter* dc, CPrintInfo* info);
    virtual void OnEndPrinting(QPainter* dc, CPrintInfo* info);
    virtual void PrintFixedRowCells(int nStartColumn, int nStopColumn, int row, CRect& rect,
                                    QPainter* dc, bool& bFirst);
    virtual void PrintColumnHeadings(QPainter* dc, CPrintInfo* info);
    virtual void PrintHeader(QPainter* dc, CPrintInfo* info);
    virtual void PrintFooter(QPainter* dc, CPrintInfo* info);
    virtual void PrintRowButtons(QPainter* dc, CPrintInfo* info);
    // Header, footer, left, right, top and bottom margins and the gap below the header, in
    // character heights and widths of the printer font; a negative value keeps the margin.
    void SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                            int nTopMargin, int nBottomMargin, int nGap);
    void SetWysiwygPrinting(bool bEnable = true) { m_bWysiwygPrinting = bEnable; }
    bool GetWysiwygPrinting() const { return m_bWysiwygPrinting; }
    // The clock of the date in the footer (the current local time by default).
    void SetPrintClock(std::function<QDateTime()> clock) { m_PrintClock = std::move(clock); }

    virtual void OnClickFixedColumn(const CCellID& cell);
    virtual void OnClickFixedRow(const CCellID& cell);
    virtual bool SetupAfterAttach();

Q_SIGNALS:
    // After a left release on a cell: the grid's command to its owner (control id).
    void GridCommand(int controlId);

protected:
    virtual std::unique_ptr<CGridCellBase> CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);

    // The title tip over a cell whose text is cut off, and hiding it.
    virtual void ShowTitleTip(const CCellID& cell, const CRect& textRect, const QString& text);
    virtual void HideTitleTip();
    // The drag loop: offers the data to the window system's drag and drop with the allowed
    // effects and returns the effect the drop target chose.
    virtual DROPEFFECT DoDragDrop(std::unique_ptr<QMimeData> data, DROPEFFECT allowed);
    // The data a drag from the selection offers; the selection's texts by default. None
    // starts no drag.
    virtual std::unique_ptr<QMimeData> MakeDragDataSource();
    // For a grid that handles the drag-over itself: the cell the drag is over now.
    void SetLastDragOverCell(const CCellID& cell) { m_LastDragOverCell = cell; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A context menu asked for from the keyboard goes to the owner as a right click on the
    // focus cell; those of the mouse come from the button's release.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent* event) override;

    void OnLButtonDown(CPoint point, Qt::KeyboardModifiers modifiers);
    void OnMouseMove(CPoint point, Qt::MouseButtons buttons);
    void OnLButtonUp(CPoint point);
    void OnLButtonDblClk(CPoint point);
    void OnRButtonUp(CPoint point);
    // The Menu key or Shift+F10: NM_RCLICK on the focus cell, made visible, with the menu's
    // place at it.
    void OnContextMenuKey();
    // Handles a key; false when the grid leaves it to the default handling.
    bool OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void OnChar(const QString& text, Qt::KeyboardModifiers modifiers);
    void OnAutoScrollTimer();

private:
    using GRID_ROW = std::vector<std::unique_ptr<CGridCellBase>>;

    CGridCellBase* GetVirtualCell(int nRow, int nCol) const;
    // The cell whose in-place editor is open: the given one when it is, else wherever rows and
    // columns inserted since have moved it; the given one when no cell is being edited.
    CCellID FindEditedCell(const CCellID& start) const;
    // Puts an edited text in a cell and keeps it when the cell's validation and the owner
    // accept it (the cell is then marked modified); otherwise the cell is left as it was.
    bool ApplyEditedText(int nRow, int nCol, const QString& text);
    // Puts the rows from low on in the order given (entry i: the row now at low + order[i]),
    // whole: their cells and their heights.
    void MoveRows(int low, const std::vector<int>& order);
    // Prints a cell at its place on the page: a merged area whole, a cell it hides not at all.
    void PrintCellAt(QPainter* dc, int row, int col, const CRect& rect);
    // The fixed row count (rows) or fixed column count.
    bool SetFixedCount(bool rows, int count);
    void ForgetTopLeft() const { m_idTopLeftCell.row = -1; }
    void ResetSelectedRange();
    void RedrawFixedOfFocus(const CCellID& focus, const CCellID& other);
    bool MouseOverRowResizeArea(CPoint point) const;
    bool MouseOverColumnResizeArea(CPoint point) const;
    // Starts sizing the column or row whose divider the press is on.
    void StartSizing(CPoint point, bool columns);
    int ScrollTarget(int nBar, int nSBCode) const;
    void OnScroll(int nBar, int nSBCode);
    void OnScrollBarAction(int nBar, int action);
    void DrawCellAt(QPainter& painter, CGridCellBase* cell, int row, int col, CRect rect,
                    bool reduce);
    void EraseBkgnd(QPainter& painter, const CRect& clipBox);
    void InvalidateClient(const CRect& rect);
    // Sets the scroll bars' ranges and shows or hides them, when a reset asked for it.
    void FlushScrollBars() const;
    void ApplyScrollBars();
    void StartAutoScroll();
    void StopAutoScroll();
    void DrawTracker(QPainter& painter);

    // Notifications, owner, ids.
    IGridOwner* m_pOwner = nullptr;
    int m_nCtrlID = 0;

    // Colours.
    COLORREF m_crWindowText, m_crWindowColour, m_cr3DFace, m_crShadow;
    COLORREF m_crGridBkColour;
    COLORREF m_crGridLineColour = 0xC0C0C0;
    COLORREF m_crTTipBackClr = CLR_DEFAULT;
    COLORREF m_crTTipTextClr = CLR_DEFAULT;

    // Virtual mode.
    bool m_bVirtualMode = false;
    GRIDCALLBACK m_pfnCallback = nullptr;
    std::intptr_t m_lParam = 0;
    // The one cell that serves every read in virtual mode (valid until the next read).
    mutable std::unique_ptr<CGridCell> m_pVirtualCell;

    // Flags.
    int m_nGridLines = GVL_BOTH;
    bool m_bEditable = true;
    bool m_bModified = false;
    bool m_bAllowDragAndDrop = false;
    bool m_bListMode = false;
    bool m_bSingleRowSelection = false;
    bool m_bSingleColSelection = false;
    bool m_bAllowDraw = true;
    bool m_bEnableSelection = true;
    bool m_bFixedColumnSelection = true;
    bool m_bFixedRowSelection = true;
    bool m_bSortOnClick = false;
    bool m_bHandleTabKey = true;
    bool m_bDoubleBuffer = true;
    bool m_bTitleTips = true;
    int m_nBarState = 0;
    bool m_bHiddenColUnhide = true;
    bool m_bHiddenRowUnhide = true;
    bool m_bAllowColHide = true;
    bool m_bAllowRowHide = true;
    bool m_bAllowRowResize = true;
    bool m_bAllowColumnResize = true;
    bool m_bTrackFocusCell = true;
    bool m_bFrameFocus = true;
    unsigned m_nAutoSizeColumnStyle = 3;
    bool m_bShadedPrintOut = true;

    // Counts, sizes, cells.
    int m_nRows = 0, m_nFixedRows = 0, m_nCols = 0, m_nFixedCols = 0;
    CGridAxis m_arRowHeights;
    CGridAxis m_arColWidths;
    int m_nVScrollMax = 0, m_nHScrollMax = 0;
    bool m_bScrollBarsPending = false;
    bool m_bScrollBarsPosted = false;
    const CRuntimeClass* m_pRtcDefault;
    CGridDefaultCell m_cellDefault, m_cellFixedColDef, m_cellFixedRowDef, m_cellFixedRowColDef;
    const std::vector<QImage>* m_pImageList = nullptr;
    std::vector<std::unique_ptr<GRID_ROW>> m_RowData;

    // Mouse and selection.
    int m_MouseMode = MOUSE_NOTHING;
    bool m_bLMouseButtonDown = false, m_bRMouseButtonDown = false;
    // The place of the menu asked for from the keyboard, while its NM_RCLICK is being sent.
    std::optional<QPoint> m_keyboardMenuPos;
    CPoint m_LeftClickDownPoint, m_LastMousePoint;
    CCellID m_LeftClickDownCell, m_SelectionStartCell;
    CCellID m_idCurrentCell;
    mutable CCellID m_idTopLeftCell;
    int m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    int m_nRowsPerWheelNotch = 3;
    // The selected cells.
    CSelectedCells m_SelectedCells;
    // The resize tracking band while a row or column is sized (client coordinates).
    bool m_bTracking = false;
    CRect m_TrackBand;
    // A row or column being sized: its index.
    int m_nSizingIndex = -1;

    // Sorting.
    bool m_bAscending = true;
    int m_nSortColumn = -1;
    PFNLVCOMPARE m_pfnCompare = nullptr;

    // Title tip, drag and drop.
    QPointer<CTitleTip> m_pTitleTip;
    CCellID m_LastDragOverCell;
    CGridDropTarget m_DropTarget;

    // Printing: the settings, and the layout of the job under way (logical units: grid pixels).
    bool m_bWysiwygPrinting = false;
    int m_nHeaderHeight = 2, m_nFooterHeight = 2, m_nLeftMargin = 4, m_nRightMargin = 4;
    int m_nTopMargin = 1, m_nBottomMargin = 1, m_nGap = 1;
    std::function<QDateTime()> m_PrintClock;
    QFont m_PrinterFont;
    CSize m_CharSize;
    int m_nPageHeight = 0, m_nPageWidth = 0;
    CSize m_LogicalPageSize, m_PaperSize;
    int m_nCurrPrintRow = 0, m_nCurrPrintCol = 0;
    int m_nNumPages = 0, m_nPageMultiplier = 1;

    // Guard of the resize handling: one per grid.
    bool m_bInResize = false;
};
