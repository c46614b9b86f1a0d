#pragma once

#include "controls/CustomItem.h"
#include "grid/ColorRef.h"
#include "grid/LogFont.h"
#include "grid/WinGeometry.h"

#include <QAbstractScrollArea>
#include <QDateTime>
#include <QFont>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <variant>
#include <vector>

// Handles of sections and items; all bits set means none.
using HSECTION = std::uint32_t;
using HITEM = std::uint32_t;

// A two-column list of named, typed values under collapsible section titles: names on the left,
// values on the right, edited in place, in a drop-down or in a dialog opened from a "..." button
// at the row's right end.
//
// The owner fills the grid with sections and items, and after every edit the user confirms the
// grid stores the value and emits PropertyItemChanged with the item's handle, at once. The owner
// reads the value back by the handle, may put the old one back with RestoreItemValue, and may
// even empty and refill the grid inside its handler. Values live in the grid, typed per item;
// items of type IT_CUSTOM draw and edit themselves through the owner's ICustomItem.
//
// Rows are arranged synchronously after every change (the rectangles that hit tests use are never
// older than the last change); painting only draws them.
class CPropertyGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr HSECTION NO_SECTION = 0xFFFFFFFF;
    static constexpr HITEM NO_ITEM = 0xFFFFFFFF;

    // Item types; each keeps its value in one field (see Value).
    enum EItemType : int
    {
        IT_CUSTOM = 0,   // ICustomItem*
        IT_STRING = 1,   // text, in-place edit
        IT_TEXT = 2,     // text with line breaks, multi-line dialog
        IT_INTEGER = 3,  // int, in-place edit; first option = format ("%d" by default)
        IT_DOUBLE = 4,   // double, in-place edit; first option = format ("%g" by default)
        IT_COMBO = 5,    // int: index of the chosen option; drop-down list of the options
        IT_BOOLEAN = 6,  // bool, drop-down list of the "True" and "False" texts
        IT_DATE = 7,     // QDateTime, drop-down calendar; first option = date format
        IT_DATETIME = 8, // QDateTime, date-and-time dialog; first option = date format
        IT_FILE = 9,     // path, file dialog; first option = file filter
        IT_FOLDER = 10,  // path, folder chooser; first option = its title
        IT_COLOR = 11,   // COLORREF, colour dialog
        IT_FONT = 12,    // LOGFONT, font dialog
    };
    enum EEditMode : int
    {
        EDIT_NONE = 0,
        EDIT_INPLACE = 1,
        EDIT_DROPDOWN = 2,
        EDIT_MODAL = 3,
    };
    enum EDisplayMode : int
    {
        DM_CATEGORIZED = 0,  // title rows, items of expanded sections
        DM_ALPHABETICAL = 1, // no titles, every item sorted by name
        DM_NOSORT = 2,       // no titles, every item in section order
    };

    // The value of an item, of the alternative its type keeps.
    using Value =
        std::variant<ICustomItem*, QString, int, double, bool, QDateTime, COLORREF, LOGFONT>;

    // The value fields of an item; an item keeps them twice: now, and as they were when it was
    // added (what changed values are compared with and RestoreItemValue puts back).
    struct SValues
    {
        bool Undefined = false;
        int Integer = 0;
        double Double = 0;
        QString Text;
        bool Bool = false;
        QDateTime DateTime; // invalid: no date
        COLORREF Colour = 0;
        LOGFONT Font;
    };

    struct CItem
    {
        HITEM m_hItem = NO_ITEM;
        bool m_editable = true;
        int m_type = IT_STRING;
        QString m_name;
        QStringList m_options;
        ICustomItem* m_pCustom = nullptr;
        SValues m_values;
        SValues m_saved;
        QDateTime m_minDate; // bounds of the calendar; invalid: none
        QDateTime m_maxDate;
        CRect m_rcName; // set by the last arrangement, client coordinates
        CRect m_rcValue;

        // EDIT_* of the type; the custom object's own for IT_CUSTOM; EDIT_NONE for unknown types.
        int GetEditMode() const;
        // The type's value field (or the undefined flag) differs from the saved copy.
        bool IsChanged() const;
    };

    struct CSection
    {
        HSECTION m_hSection = NO_SECTION;
        QString m_title;
        bool m_collapsed = false;
        std::vector<CItem> m_items;
        CRect m_rcSign; // the expand glyph
        CRect m_rcTitle;
    };

    explicit CPropertyGrid(QWidget* parent = nullptr);
    ~CPropertyGrid() override;

    // Filling and emptying. Every add operation takes a last "insert after" argument that callers
    // pass as -1: items are always appended to their section.
    //
    // Inserts a section before the one with the handle `before`, or at the end.
    HSECTION AddSection(const QString& title, bool collapsed = false, HSECTION before = NO_SECTION);
    // Adds an item of the type with its value; fails (NO_ITEM) when the section does not exist,
    // already holds an item of that name, or the value is not of the kind the type keeps (a
    // custom item needs a custom object).
    HITEM AddItem(HSECTION section, int type, const QString& name, const Value& value,
                  bool editable = true, bool undefined = false, HITEM after = NO_ITEM);
    HITEM AddStringItem(HSECTION section, const QString& name, const QString& value,
                        bool editable = true, HITEM after = NO_ITEM);
    HITEM AddMultilineTextItem(HSECTION section, const QString& name, const QString& value,
                               bool editable = true, HITEM after = NO_ITEM);
    HITEM AddIntegerItem(HSECTION section, const QString& name, int value,
                         const QString& format = {}, bool editable = true, bool undefined = false,
                         HITEM after = NO_ITEM);
    HITEM AddComboItem(HSECTION section, const QString& name, const QStringList& choices,
                       int chosen, bool editable = true, bool undefined = false,
                       HITEM after = NO_ITEM);
    HITEM AddBoolItem(HSECTION section, const QString& name, bool value, bool editable = true,
                      bool undefined = false, HITEM after = NO_ITEM);
    HITEM AddDateItem(HSECTION section, const QString& name, const QDateTime& value,
                      const QString& format = {}, bool editable = true, bool undefined = false,
                      HITEM after = NO_ITEM);
    HITEM AddFileItem(HSECTION section, const QString& name, const QString& path,
                      const QString& filter = {}, bool editable = true, HITEM after = NO_ITEM);
    // The grid does not own the object; it sets the object's m_pGrid.
    HITEM AddCustomItem(HSECTION section, const QString& name, ICustomItem* custom,
                        bool editable = true, HITEM after = NO_ITEM);
    // Removes every section and item; handles count from 0 again.
    void ResetContents();
    // Focuses nothing and closes the editor.
    void ResetSelection();

    // Reading values; false for an unknown item, an undefined value or another type.
    // Text of IT_STRING, IT_TEXT, IT_FILE and IT_FOLDER; the chosen option of IT_COMBO (false
    // when its index names none).
    bool GetStringValue(HITEM item, QString& value) const;
    // IT_INTEGER, and the index of IT_COMBO.
    bool GetIntegerValue(HITEM item, int& value) const;
    bool GetBoolValue(HITEM item, bool& value) const;
    // IT_DATE and IT_DATETIME.
    bool GetDateTimeValue(HITEM item, QDateTime& value) const;
    // The calendar bounds of an IT_DATE item (invalid: none).
    bool GetDateRange(HITEM item, QDateTime& minimum, QDateTime& maximum) const;
    // Sets them; a null pointer (or an invalid date) means no bound.
    bool SetDateRange(HITEM item, const QDateTime* minimum, const QDateTime* maximum);
    // Puts back the values the item had when it was added; the item, or null. The pointer is
    // valid until the grid's contents change.
    CItem* RestoreItemValue(HITEM item);
    // The item, or null; valid until the grid's contents change.
    const CItem* FindItem(HITEM item) const;
    const CSection* FindSection(HSECTION section) const;

    // Layout and view.
    void ExpandSection(HSECTION section, bool expand);
    void ExpandAll(bool expand);
    static int GetTextMargin() { return 4; }
    int GetLineHeight() const { return m_lineHeight; }
    int GetGutterWidth() const { return m_gutter; }
    void SetGutterWidth(int gutter);
    HSECTION GetFocusedSection() const { return m_focusedSection; }
    HITEM GetFocusedItem() const { return m_focusedItem; }
    // The "..." button, or the whole value area of an in-place item, of the focused row.
    CRect GetButtonRect() const { return m_rcButton; }
    // The open editor (in-place edit, list or calendar), or null.
    QWidget* GetEditor() const { return m_editor; }
    // The total height of the rows.
    int GetContentHeight() const;
    int GetScrollPos() const;

    // Settings.
    void SetDisplayMode(int mode);
    int GetDisplayMode() const { return m_displayMode; }
    void SetShadeTitles(bool on);
    void SetDrawLines(bool on);
    void SetDrawGutter(bool on);
    void SetFocusDisabled(bool on);
    void SetBoldModified(bool on);
    void SetBoldEditables(bool on);
    void SetTrueFalseStrings(const QString& trueText, const QString& falseText);
    void SetOkCancelStrings(const QString& okText, const QString& cancelText);
    void SetDateTimeStrings(const QString& dateText, const QString& timeText);
    void SetUndefinedString(const QString& text);
    void SetEmptyMessage(const QString& text);
    QString GetTrueText() const { return m_trueText; }
    QString GetFalseText() const { return m_falseText; }
    QString GetOkText() const { return m_okText; }
    QString GetCancelText() const { return m_cancelText; }

    // Colours: item names and frames, section titles, background, shaded strips and lines,
    // focused name background and text, values of enabled and of disabled items. Colours left
    // at their system colours follow palette changes.
    enum EColour
    {
        COLOUR_TEXT,
        COLOUR_TITLE,
        COLOUR_BACK,
        COLOUR_SHADE,
        COLOUR_FOCUS,
        COLOUR_HILITE_TEXT,
        COLOUR_EDITABLE,
        COLOUR_DISABLED,
        COLOUR_COUNT
    };
    void SetColour(EColour which, COLORREF colour);
    COLORREF GetColour(EColour which) const { return m_colours[which]; }

    // The text of an item's value as the grid shows it (the path as it fits the value column).
    QString GetValueText(const CItem& item) const;
    // The normal and bold fonts of names, values and titles.
    const QFont& GetNormalFont() const { return m_normalFont; }
    const QFont& GetBoldFont() const { return m_boldFont; }

Q_SIGNALS:
    // The user confirmed a new value of the item and the grid has stored it.
    void PropertyItemChanged(HITEM item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // A row in navigation order: a title row (item null) or an item row.
    struct SRow
    {
        CSection* Section = nullptr;
        CItem* Item = nullptr;
    };

    void Initialize();
    CItem* FindItemPtr(HITEM item);
    CSection* FindSectionPtr(HSECTION section);
    CItem* FocusedItem();
    // Recomputes the scroll range and arranges the rows.
    void RecalcLayout();
    // Sets every row's rectangles and the button rectangle, then asks for a paint.
    void Arrange();
    void ArrangeItem(CItem& item, int y, int width);
    int ClientWidth() const;
    int ClientHeight() const;
    std::vector<SRow> NavigationRows();
    void FocusRow(const SRow& row);
    void MoveFocus(bool next);
    void ScrollFocusedRowIntoView();
    void ScrollBy(int pixels);
    void TakeFocus();

    void DrawTitle(QPainter& painter, const CSection& section);
    void DrawItem(QPainter& painter, const CItem& item);
    void DrawButton(QPainter& painter, int editMode);

    // Editing.
    void OpenEditor();
    void OpenDropDown(CItem& item);
    // The focused row's value area on the screen (global coordinates): what a drop-down drops
    // from.
    QRect RowOnScreen() const;
    void OpenInPlaceEdit(CItem& item);
    void RunDialogEditor(CItem& item);
    bool RunTextDialog(const QString& caption, QString& text);
    bool RunDateTimeDialog(const QString& caption, QDateTime& value);
    void CloseEditor();
    // Closes the editor without taking what it reports.
    void DropEditor();
    void NotifyChanged(HITEM item);
    void OnListDone(int index);
    void OnEditDone(const QString& text);
    void OnDateDone();

    std::vector<CSection> m_sections;
    HSECTION m_nextSection = 0;
    HITEM m_nextItem = 0;
    HSECTION m_focusedSection = NO_SECTION;
    HITEM m_focusedItem = NO_ITEM;
    int m_displayMode = DM_CATEGORIZED;
    bool m_shadeTitles = true;
    bool m_drawLines = true;
    bool m_drawGutter = true;
    bool m_focusDisabled = true;
    bool m_boldModified = false;
    bool m_boldEditables = false;
    int m_gutter = 0;
    bool m_gutterSet = false; // half the width at the first size unless set before
    int m_lineHeight = 0;
    QFont m_normalFont;
    QFont m_boldFont;
    QString m_trueText = QStringLiteral("True");
    QString m_falseText = QStringLiteral("False");
    QString m_dateText = QStringLiteral("Date");
    QString m_timeText = QStringLiteral("Time");
    QString m_okText;
    QString m_cancelText;
    QString m_undefinedText;
    QString m_emptyMessage;
    COLORREF m_colours[COLOUR_COUNT];
    COLORREF m_systemColours[COLOUR_COUNT];
    CRect m_rcButton;
    bool m_buttonPushed = false;
    bool m_buttonDepressed = false;
    bool m_valueClicked = false;
    bool m_resizing = false;
    bool m_customCapture = false;
    CPoint m_dragPoint;
    QPointer<QWidget> m_editor;
};
