#pragma once

#include <QPointer>
#include <QString>

class CGridCtrl;
class QEvent;
class QFocusEvent;
class QKeyEvent;
class QWidget;

// Virtual-key codes of the keys that start or end an in-place edit, as the edit protocol passes
// them (the first key of an edit, the key that ended one).
enum : unsigned
{
    VK_LBUTTON = 0x01,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
};

// A typed character whose code is also a navigation key's (0x21 to 0x28, "!" to "(") starts an
// edit with this bit added, so that the editor types it instead of taking it for the key.
inline constexpr unsigned FIRSTKEY_TYPED = 0x10000;

// The virtual-key code of a Qt key among those above; 0 for another key.
unsigned VirtualKeyOf(int qtKey);
// The character a first key types (the typed bit dropped).
inline unsigned TypedCharOf(unsigned firstKey)
{
    return firstKey & ~FIRSTKEY_TYPED;
}
// True when the first key is one of Page Up, Page Down, End, Home and the arrows (not a
// character typed with the same code).
inline bool IsNavigationKey(unsigned firstKey)
{
    return firstKey >= VK_PRIOR && firstKey <= VK_DOWN;
}
// The press of Tab or Shift+Tab in the event, which an editor takes for itself instead of
// moving the focus along the window's chain; null for any other event.
QKeyEvent* TabKeyPress(QEvent* event);
// Sends the widget the key as typed: Backspace as the key, any other code as its character.
void TypeKey(QWidget* widget, unsigned key);

// What the grid's in-place editors share: the cell they edit, the key that ended the edit, and
// the end of the edit, which reports the edited text and that key to the grid (code -176 from
// the editor's control id) and closes the editor. An editor is a child of the grid's client
// area and deletes itself once closed; a grid that is gone gets no report.
class CInPlaceEditor
{
public:
    virtual ~CInPlaceEditor() = default;

    // Reports the end of the edit to the grid and closes the editor; an end while another one
    // is under way, or of an editor already ended, does nothing.
    void EndEdit();
    // Closes the editor without a report: its cell is gone, and the text typed has no place.
    void Abandon();

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    unsigned GetLastKey() const { return m_nLastChar; }
    bool IsEnded() const { return m_bEnded; }

protected:
    CInPlaceEditor(CGridCtrl* grid, QWidget* self, unsigned id, int row, int col);

    // The text the edit ends with.
    virtual QString EditedText() const = 0;
    // After the report: the grid has kept the edited text, or put the old one back.
    virtual void OnEnded() {}

    // Ends the edit by a key: keeps the key, reports, and gives the grid the keyboard focus
    // when no new edit took it.
    void EndEditByKey(unsigned key);
    // The keys every editor ends on: Tab, Enter and Escape always; Page Up, Page Down and the
    // arrows when the editor exits on arrows or Ctrl is held. Returns true when it ended the edit;
    // Escape first calls the restore function.
    template <class Restore>
    bool EndOnKey(const QKeyEvent& event, bool exitOnArrows, Restore restore);
    // A focus loss ends the edit, unless a pop-up of the editor took the focus.
    void EndOnFocusOut(const QFocusEvent& event);

    CGridCtrl* Grid() const;

    unsigned m_nLastChar = 0;

private:
    QPointer<CGridCtrl> m_pGrid;
    QWidget* m_pSelf;
    unsigned m_nID;
    int m_nRow;
    int m_nColumn;
    bool m_bEnded = false;
};

// Implementation of the shared key rule.
bool EndsEditOnKey(const QKeyEvent& event, bool exitOnArrows, unsigned& key);

template <class Restore>
bool CInPlaceEditor::EndOnKey(const QKeyEvent& event, bool exitOnArrows, Restore restore)
{
    unsigned key = 0;
    if (!EndsEditOnKey(event, exitOnArrows, key))
        return false;
    if (key == VK_ESCAPE)
        restore();
    EndEditByKey(key);
    return true;
}
