#pragma once

#include <QTreeWidget>

#include <functional>

// The marker of a cell whose text the list asks its owner for each time it shows it.
struct STextCallback
{
};
inline constexpr STextCallback LPSTR_TEXTCALLBACK{};

// A flat list of rows and columns whose cells can carry a check box (-1 none, 0 unchecked,
// 1 checked) and a tool tip, whose rows carry a caller's value and can be disabled (greyed, and
// neither selected nor checked), and whose texts may come from the owner. It reports the check
// boxes the user changes, clicks on its header and, when row dragging is on, a row dropped on
// another one. Rows are addressed by their index from the top.
class CXListCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    // The owner's text of a cell inserted with LPSTR_TEXTCALLBACK: (row, column, row's value).
    using TextCallback = std::function<QString(int row, int column, quintptr data)>;

    explicit CXListCtrl(QWidget* parent = nullptr);
    ~CXListCtrl() override;

    // Columns. A width of -1 leaves the column its default width.
    int InsertColumn(int column, const QString& heading, int width = -1);
    int GetColumns() const { return columnCount(); }
    void SetColumnToolTip(int column, const QString& text);
    // Sizes the columns but the last in percentages of the list's inner width (less 2 pixels)
    // whenever the list is resized; the last column takes the rest. Columns are added first.
    void SetColumnWidthPercents(const QList<int>& percents);
    // Lines between the rows and the columns.
    void SetGridLines(bool gridLines);
    bool GetGridLines() const { return m_gridLines; }

    // Rows. InsertItem returns the new row's index; a row below 0 or beyond the end is appended.
    int GetItemCount() const { return topLevelItemCount(); }
    // The height that shows the heading and every row, none scrolled away.
    int GetHeightForAllRows() const;
    int InsertItem(int row, const QString& text);
    int InsertItem(int row, STextCallback);
    bool DeleteItem(int row);
    bool DeleteAllItems();
    bool SetItemText(int row, int column, const QString& text);
    bool SetItemText(int row, int column, STextCallback);
    // The text shown, the owner's for a callback cell.
    QString GetItemText(int row, int column) const;
    void SetTextCallback(TextCallback callback) { m_textCallback = std::move(callback); }

    // The cell's check box: -1 takes it away, 0 unchecked, 1 checked. Not reported.
    bool SetCheckbox(int row, int column, int check);
    int GetCheckbox(int row, int column) const;
    bool SetItemData(int row, quintptr data);
    quintptr GetItemData(int row) const;
    // A disabled row is greyed, loses its selection and can be neither selected nor checked.
    bool SetEnabled(int row, bool enabled);
    bool GetEnabled(int row) const;
    bool SetItemToolTipText(int row, int column, const QString& text);
    QString GetItemToolTipText(int row, int column) const;

    // The first selected row, -1 when none; SetCurSel(-1) clears the selection.
    int GetCurSel() const;
    bool SetCurSel(int row);

    // Moves a row, with its texts, check boxes, value, tool tips and enabled state, so that it
    // ends at the index `to`.
    bool MoveItem(int from, int to);

    // With row dragging on, a row dragged with the left button and let go over another row, or
    // below the last row, is reported by RowDropped; the list itself moves nothing.
    void SetRowDragging(bool dragging) { m_rowDragging = dragging; }

    // Starts editing the first column's text of the row; the edit ends with EndLabelEdit.
    bool EditLabel(int row);

Q_SIGNALS:
    // The user changed a check box (a click or the space key).
    void CheckboxClicked(int row, int column, int check);
    void HeaderClicked(int column);
    // The row let go onto another; ontoRow is GetItemCount() below the last row.
    void RowDropped(int row, int ontoRow);
    // A label edit ended with a text; the row's text stays as it is unless the owner sets it.
    void EndLabelEdit(int row, const QString& text);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class CItem;
    class CLabelDelegate;
    friend class CItem;
    friend class CLabelDelegate;

    CItem* Row(int row) const;
    int InsertRow(int row);
    void OnItemChanged(QTreeWidgetItem* item, int column);
    void ApplyColumnPercents();
    // The row a drag let go at the point would drop onto: GetItemCount() below the last row,
    // -1 outside the rows.
    int DropRowAt(const QPoint& at) const;
    void EndDrag();

    TextCallback m_textCallback;
    QList<int> m_columnPercents;
    bool m_gridLines = false;
    bool m_rowDragging = false;
    // Changes made through the calls, not reported as the user's.
    int m_quiet = 0;
    // The drag under way: the row pressed, where, and whether the mouse has moved far enough.
    int m_pressedRow = -1;
    QPoint m_pressPoint;
    bool m_dragging = false;
    int m_dropRow = -1;
};
