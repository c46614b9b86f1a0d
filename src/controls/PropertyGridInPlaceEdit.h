#pragma once

#include "grid/ColorRef.h"
#include "grid/WinGeometry.h"

#include <QLineEdit>

// The property grid's in-place edit, laid over the value column. It reports its text once, when
// it loses the keyboard focus (Tab, Enter, Ctrl with an arrow or page key, a click elsewhere);
// Escape first puts back the text it started with. The grid stores the value and deletes the
// edit while handling the report.
class CPropertyGridInPlaceEdit : public QLineEdit
{
    Q_OBJECT

public:
    // Made as a child of the parent (the grid) at the rectangle, with the parent's font, the
    // whole text, the focus and the caret at the end.
    CPropertyGridInPlaceEdit(QWidget* parent, const CRect& rect, const QString& initialText);

    void SetColors(COLORREF back, COLORREF text);
    QString GetInitialText() const { return m_initialText; }

Q_SIGNALS:
    // The edit ended with this text.
    void EditDone(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Gives the focus back to the grid, which ends the edit.
    void LeaveToParent();
    void Report();

    QString m_initialText;
    bool m_reported = false;
};
