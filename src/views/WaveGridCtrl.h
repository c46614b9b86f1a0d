#pragma once

#include "grid/GridCtrl.h"

#include <QString>

#include <optional>

// The grid of the reconciliation page and of the difference dialogs: the general grid with a
// typed drag and drop whose payload is only a marker (the owner knows what is dragged from the
// cell the drag started on), four more reports to the owner (veto a drag, refuse a drop cell,
// the drag left, the drop happened), a one-pixel frame in the theme's edit-border colour, a
// right click that first selects the cell under the pointer, and cells whose background can fade
// from one colour to another.

// Reports added to the grid's own (GRIDNOTIFY records).
enum : int
{
    WGN_DROPPED = -132,        // after a drop; the drag's source cell
    WGN_BEGINDRAGQUERY = -133, // a drag is about to start from the focus cell; < 0 vetoes it
    WGN_DRAGOVERQUERY = -134,  // a drag is over the cell; < 0 refuses a drop there
    WGN_DRAGLEAVE = -135,      // the drag left the grid, is over no cell, or was dropped; the
                               // drag's source cell
};

// How long a cell's highlight takes to fade, in milliseconds of the views' clock.
inline constexpr int kHighlightDuration = 2500;

// The colour a fade started at the start time shows at the time: each channel from the first
// colour towards the second in whole percent steps, the second from the duration on.
COLORREF BlendColour(qint64 start, qint64 now, COLORREF from, COLORREF to);

class CWaveGridCtrl : public CGridCtrl
{
    Q_OBJECT

public:
    enum EKind
    {
        QuestionGrid = 0,
        ResponseGrid = 1
    };
    // The formats of the drag payload of each kind.
    static const QString kQuestionFormat; // "PelkoQuestion"
    static const QString kResponseFormat; // "PelkoModality"

    explicit CWaveGridCtrl(int kind, QWidget* parent = nullptr);

    // The format this grid's drags carry and its drops accept.
    const QString& GetDragFormat() const { return m_nDragFormat; }
    // The cell the current or last drag started from; (-1, -1) before any and after a veto.
    CCellID GetDragSourceCell() const { return m_cellDragSource; }
    // The frame's colour, read from the theme at the first paint.
    COLORREF GetBorderColour() const { return m_crBorder; }
    // The pointer the owner shows over the cells while it waits for the user to pick one (none:
    // the cells' own); set on the viewport at once.
    void SetForcedCursor(std::optional<Qt::CursorShape> shape);
    std::optional<Qt::CursorShape> GetForcedCursor() const { return m_forcedCursor; }

    // Moves the focus and reports a selection change (-101) with the new focus cell, so that the
    // owner's selection handling runs for a move made by code; the previous focus cell.
    virtual CCellID SetFocusCellNotify(int row, int col);
    // Selects exactly the cell when the grid allows selection and it is a valid non-fixed cell.
    void SelectCell(int row, int col, bool forceRedraw, bool selectCells);
    // The height of the rows below the fixed ones.
    int GetBodyRowsHeight() const;
    // Makes the rows below the fixed ones the given number of rows of new, empty cells, with
    // the selection and the focus cleared. The cells the grid holds already are emptied and
    // taken again, so a grid filled over and over does not make and free every cell each time.
    void ResetDataRows(int count);
    // The size of the client area (inside the frame and the scroll bars) that the grid's size
    // gives, also before the grid has been shown at that size.
    QSize GetClientSize() const;
    // Exchanges the cells of two rows over the columns from first to last, whole: each cell
    // object moves with everything it holds (text, image, data, format, colours, font, margin,
    // state and a running highlight), so the selection follows the cells. The focus stays where
    // it is. Nothing happens unless both rows and the columns are valid and differ.
    void SwapRowCells(int rowA, int rowB, int firstCol, int lastCol);

    // The drag: the owner may veto it (-133); the payload is a marker in the grid's format.
    void StartDrag() override;
    DROPEFFECT OnDragEnter(const QMimeData* data, Qt::KeyboardModifiers keyState,
                           CPoint point) override;
    DROPEFFECT OnDragOver(const QMimeData* data, Qt::KeyboardModifiers keyState,
                          CPoint point) override;
    void OnDragLeave() override;
    bool OnDrop(const QMimeData* data, DROPEFFECT dropEffect, CPoint point) override;

    void DrawGrid(QPainter& painter, const CRect& clipBox) override;

protected:
    std::unique_ptr<QMimeData> MakeDragDataSource() override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_nDragFormat;
    COLORREF m_crBorder = 0;
    bool m_bBorderColourRead = false;
    CCellID m_cellDragSource;
    bool m_bSingleCellSelect = true;
    std::optional<Qt::CursorShape> m_forcedCursor;
};

// The cell of the campaign grids: a background that can fade from one colour to another over
// kHighlightDuration, and images drawn in the middle of a cell without text.
class CWaveGridCell : public CGridCell
{
public:
    static const CRuntimeClass classCWaveGridCell;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCWaveGridCell; }

    void Reset() override;

    // Starts a fade from the first colour to the second, which becomes the cell's own
    // background; the grid is repainted.
    virtual void StartHighlight(COLORREF from, COLORREF to);
    virtual void StopHighlight();
    // Whether a fade started less than kHighlightDuration ago and was not stopped.
    bool IsHighlighting() const;
    // While fading, the colour of the moment; else the cell's own background.
    COLORREF GetBackColour() const override;
    // A fading cell in the last column asks for the next paint, so the fade runs on until it
    // ends.
    bool Draw(QPainter* painter, int row, int col, CRect rect, bool eraseBkgnd = true) override;
    // The grid's forced pointer when it has one.
    bool OnSetCursor(QWidget* widget) override;

private:
    std::optional<qint64> m_clockStart;
    COLORREF m_crFrom = CLR_DEFAULT;
    COLORREF m_crTo = CLR_DEFAULT;
};
