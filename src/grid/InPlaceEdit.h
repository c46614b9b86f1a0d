#pragma once

#include "grid/InPlaceEditor.h"
#include "grid/WinGeometry.h"

#include <QLineEdit>

class CGridCtrl;

// Edit styles of the text editor.
enum : unsigned
{
    ES_LEFT = 0x0,
    ES_CENTER = 0x1,
    ES_RIGHT = 0x2,
    ES_NUMBER = 0x2000,
};

// The single-line text editor a text cell opens over itself. The key that started the edit
// decides where the caret starts and whether the key is typed; Tab, Enter, Escape (which puts the
// old text back), focus loss and, after a key start or with Ctrl, Page Up, Page Down and the
// arrows end the edit. The editor widens to the right as text is typed, up to the grid's edge.
class CInPlaceEdit : public QLineEdit, public CInPlaceEditor
{
    Q_OBJECT

public:
    // Opens the editor over the rectangle (grid client coordinates, right and bottom just
    // outside it) and takes the keyboard focus.
    CInPlaceEdit(CGridCtrl* grid, const CRect& rect, unsigned style, unsigned id, int row, int col,
                 const QString& initialText, unsigned firstKey);

    // The editor's rectangle now, in grid client coordinates.
    CRect GetRect() const { return m_Rect; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QString EditedText() const override { return text(); }

private:
    // Widens the editor to hold its text and two spaces, up to the grid's right edge.
    void FitToText();

    QString m_sInitText;
    bool m_bExitOnArrows;
    CRect m_Rect;
};
