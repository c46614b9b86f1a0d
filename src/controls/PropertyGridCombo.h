#pragma once

#include "grid/ColorRef.h"
#include "grid/WinGeometry.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

// The property grid's drop-down list of choices: a pop-up below the value (above it, or shifted,
// where the screen ends), one line per choice, chosen by a click or by the arrow keys and Enter.
// Escape, a click outside and the loss of the focus close it without a report.
class CPropertyGridCombo : public QWidget
{
    Q_OBJECT

public:
    explicit CPropertyGridCombo(QWidget* owner);

    // Places the list at the rectangle given in the owner's client coordinates; Show keeps its
    // width, and its position unless the screen ends there.
    void Create(const CRect& rect);
    // The field the list drops from (global coordinates): Show opens the list above it when
    // there is no room on the screen below.
    void SetAnchor(const QRect& anchor) { m_anchor = anchor; }
    void AddString(const QString& text);
    void SetCurSel(int index) { m_selected = index; }
    int GetCurSel() const { return m_selected; }
    void SetColors(COLORREF back, COLORREF text, COLORREF selectedBack, COLORREF selectedText);
    void SetFont(const QFont& font);
    // Takes the height of its lines, moves wholly onto the screen, shows itself and takes the
    // keyboard focus.
    void Show();
    // The height of one line: the text height of the font + 4.
    int RowHeight() const;
    const QStringList& GetLines() const { return m_lines; }

Q_SIGNALS:
    // The user chose the line (always an index of a line).
    void ListDone(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int IndexAt(int y) const;

    QWidget* m_owner;
    QRect m_anchor;
    QStringList m_lines;
    int m_selected = -1;
    bool m_tracking = false;
    COLORREF m_back;
    COLORREF m_text;
    COLORREF m_selectedBack;
    COLORREF m_selectedText;
};
