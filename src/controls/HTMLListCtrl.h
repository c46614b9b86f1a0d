#pragma once

#include "grid/ColorRef.h"
#include "grid/NotifyOwner.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QList>

#include <memory>
#include <vector>

class QPainter;

// Draws (or with no painter only measures) text in a small subset of HTML: b, strong, i, em, u,
// sub, sup, font color="#rrggbb", br and p, word-wrapped inside the rectangle (on one line when
// asked). Returns the height the text takes.
int DrawHTMLSubset(QPainter* painter, const QFont& font, const QString& html, const QRect& rect,
                   bool singleLine, const QColor& colour);

// One row of the list.
struct HTMLLIST_ITEM
{
    enum : int
    {
        HTML_TEXT = 1,
        NORMAL_TEXT = 2,
        SINGLE_LINE_TEXT = 3
    }; // the last: a file path

    int nItemNo = 0;
    int nHeight = 0;
    int nStyle = NORMAL_TEXT;
    QString sItemText;
    quintptr lItemData = 0;
    QRect rcItem; // where it was last drawn
    bool bChecked = false;
    bool bHeightSpecified = false; // false: the height follows the text
    int uiImage = -1;
};

// What the list reports to its owner.
struct HTMLListNotification : NMHDR
{
    int nItemNo = -1;
    QString sItemText;
    quintptr lItemData = 0;
    bool bChecked = false;
};

// Report codes of the list.
enum : int
{
    HTMLLIST_SELECTIONCHANGED = 1,
    HTMLLIST_LBUTTONDOWN = 2,
    HTMLLIST_RBUTTONDOWN = 3,
    HTMLLIST_LBUTTONDBLCLICK = 4,
    HTMLLIST_ITEMCHECKED = 5,
};

// A vertically scrolling list whose rows have their own heights and whose text may be a small
// subset of HTML, a plain text or a file path; rows can carry a check box and an image.
class CHTMLListCtrl : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Style bits.
    enum : unsigned
    {
        HTMLLIST_STYLE_CHECKBOX = 0x1,
        HTMLLIST_STYLE_GRIDLINES = 0x2,
        HTMLLIST_STYLE_IMAGES = 0x4
    };
    static constexpr int kWheelStep = 40;
    static constexpr int kScrollStep = 50;

    explicit CHTMLListCtrl(QWidget* parent = nullptr, unsigned style = 0);
    ~CHTMLListCtrl() override;

    void SetStyle(unsigned style);
    void SetDlgCtrlID(int id) { m_id = id; }

    // Adds a row at the end; a height of 0 follows the text. Returns its index.
    int InsertItem(const QString& text, quintptr data = 0, int kind = HTMLLIST_ITEM::HTML_TEXT,
                   int height = 0, int image = -1);
    bool DeleteItem(int index);
    void DeleteAllItems();
    int GetItemCount() const { return int(m_items.size()); }
    const HTMLLIST_ITEM* GetItem(int index) const;
    bool SetItemText(int index, const QString& text);
    bool SetItemCheck(int index, bool checked);
    bool GetItemCheck(int index) const;
    int GetSelectedItem() const { return m_selected; }
    // Selects a row (-1: none) and scrolls it into view, without a report.
    void SetSelectedItem(int index);
    int GetTotalHeight() const { return m_totalHeight; }
    void SetImageList(const QList<QImage>& images);
    void SetSelectionColour(COLORREF colour);

Q_SIGNALS:
    void Notify(const HTMLListNotification& notification);

protected:
    // Draws one row in its rectangle.
    virtual void DrawItem(QPainter& painter, const QRect& rect, const HTMLLIST_ITEM& item,
                          bool selected);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int TextHeight(const HTMLLIST_ITEM& item) const;
    void Recalculate();
    void Send(int code, int index);
    void EnsureVisible(int index);
    int ImageWidth() const;
    QRect CheckBoxRect(const QRect& row) const;

    std::vector<std::unique_ptr<HTMLLIST_ITEM>> m_items;
    int m_totalHeight = 0;
    int m_id = 0;
    int m_selected = -1;
    unsigned m_style = 0;
    COLORREF m_selectionColour;
    QList<QImage> m_images;
    QImage m_checkImages[2];
};
Q_DECLARE_METATYPE(HTMLListNotification)
