#pragma once

#include "grid/WinGeometry.h"

#include <QDateTime>
#include <QDialog>
#include <QFont>
#include <QString>

#include <memory>
#include <variant>
#include <vector>

// A dialog whose controls are declared in code: the caller sets a caption and a font, adds
// controls by window class name (or class code) with a caption, style bits, a rectangle in dialog
// units, an id and optionally a variable to exchange with, and runs DoModal. The controls are
// Qt widgets chosen by class; their variables are moved into them when the dialog starts and
// back out of them on OK only. DoModal returns the id of the button that ended the dialog (IDOK
// 1, IDCANCEL 2, Escape gives IDCANCEL).
//
// Classes with a Qt widget: "BUTTON" (push button, check box, three-state check box, radio
// button, group box by the style's kind), "EDIT" (multi-line with ES_MULTILINE), "STATIC",
// "LISTBOX", "SCROLLBAR", "COMBOBOX", "msctls_updown32", "msctls_progress32",
// "msctls_trackbar32", "msctls_hotkey32", "SysListView32", "SysTreeView32", "SysTabControl32",
// "RICHEDIT", "SysDateTimePick32" (a time edit with DTS_TIMEFORMAT), "SysMonthCal32",
// "SysIPAddress32", "ComboBoxEx32". Any other class is reported ("Failed to create DlgItem.")
// and left out.
//
// Variables by class (others are not exchanged; the widget of any control is GetDlgItem):
// automatic radio button: int, index of the checked button of its group; check box: int, check
// state; "EDIT", "STATIC": QString; "SCROLLBAR", "msctls_trackbar32": int position;
// "SysDateTimePick32", "SysMonthCal32": QDateTime (date, or time of day in time format).
class CDynDialogEx : public QDialog
{
    Q_OBJECT

public:
    // Class codes of the window classes, in the order of their names.
    enum : unsigned short
    {
        DYN_BUTTON = 128,
        DYN_EDIT,
        DYN_STATIC,
        DYN_LISTBOX,
        DYN_SCROLLBAR,
        DYN_COMBOBOX,
        DYN_UPDOWN,
        DYN_PROGRESS,
        DYN_TRACKBAR,
        DYN_HOTKEY,
        DYN_LISTVIEW,
        DYN_TREEVIEW,
        DYN_TABCONTROL,
        DYN_ANIMATE,
        DYN_RICHEDIT,
        DYN_DATETIMEPICKER,
        DYN_MONTHCALENDAR,
        DYN_IPADDRESS,
        DYN_COMBOBOXEX,
    };

    // The variable a control exchanges its value with (not owned).
    using Data = std::variant<std::monostate, QString*, int*, QDateTime*>;

    explicit CDynDialogEx(QWidget* parent = nullptr);
    ~CDynDialogEx() override;

    void SetWindowTitle(const QString& caption);
    // The font of the dialog and its controls; without one the parent's, else the application's.
    void SetFont(const QFont& font);
    // Adds an OK and a Cancel button below the controls before running (on by default).
    void SetUseSystemButtons(bool use) { m_useSystemButtons = use; }
    // The texts of those two buttons ("OK", "Cancel").
    void SetSystemButtonTexts(const QString& okText, const QString& cancelText);
    QWidget* GetParentWnd() const { return m_parent; }

    // Declares a control; a null rectangle places it 12 units below the previous one at
    // (10, y, 270, y + 12). An id of 0 takes the next automatic id (from 1024, shared by the
    // whole program). Returns the id.
    int AddDlgControl(const QString& className, const QString& caption, unsigned style,
                      unsigned exStyle, const CRect* rect = nullptr, Data data = {}, int id = 0);
    // The same by class code; its default rectangle is (10, y, 120, y + 12).
    int AddDlgControl(unsigned short classCode, const QString& caption, unsigned style,
                      unsigned exStyle, const CRect* rect = nullptr, Data data = {}, int id = 0);
    // Declares a control without a variable.
    int AddSubclassedDlgControl(const QString& className, const QString& caption, unsigned style,
                                unsigned exStyle, const CRect* rect = nullptr, int id = 0);

    // Creates the controls, runs the dialog and returns the id of the button that ended it.
    int DoModal();

    // The widget of a control once the dialog has created them, or null.
    QWidget* GetDlgItem(int id) const;
    // The dialog's rectangle in dialog units, grown by every control added.
    CRect GetDialogRect() const { return m_dialogRect; }
    // The font the controls are measured and drawn with.
    QFont DialogFont() const;

    // The class name of a code (empty for a code outside the table), and the code of a name: the
    // first table name that the name starts with, 0 for none.
    static QString ClassNameOfCode(unsigned short code);
    static unsigned short ClassCodeOfName(const QString& className);

Q_SIGNALS:
    // A button other than OK and Cancel was clicked (code BN_CLICKED).
    void Command(int id, int code);

public Q_SLOTS:
    void accept() override;
    void reject() override;

private:
    struct SItem
    {
        QString ClassName;
        unsigned short ClassCode = 0;
        int Id = 0;
        unsigned Style = 0;
        unsigned ExStyle = 0;
        CRect Rect;
        QString Caption;
        Data Value;
        QWidget* Widget = nullptr;
    };

    int AddItem(const QString& className, unsigned short classCode, const QString& caption,
                unsigned style, unsigned exStyle, const CRect& rect, Data data, int id);
    void CreateControls();
    QWidget* CreateWidget(SItem& item);
    void ExchangeIn(SItem& item);
    void ExchangeOut(SItem& item);
    // The radio buttons of the group that starts at the item.
    std::vector<SItem*> RadioGroup(size_t first);

    QWidget* m_parent;
    QFont m_font;
    bool m_hasFont = false;
    bool m_useSystemButtons = true;
    QString m_okText = QStringLiteral("OK");
    QString m_cancelText = QStringLiteral("Cancel");
    int m_nextY = 10;
    CRect m_dialogRect;
    std::vector<SItem> m_items;
    bool m_created = false;
};
