#pragma once

#include <QDialog>
#include <QIcon>

class CNewMenu;
class QPushButton;
class QTreeWidget;

namespace pelko_wave {
class CCampaign;
}

// Lists the languages of a campaign and lets the user choose the campaign's default language and
// the current language (the one captions show in). Opened modally by the Languages command and
// by the property pane's languages item; each reads the two chosen positions after OK and applies
// them itself, so the campaign is never changed here.
class CLanguageDlg : public QDialog
{
    Q_OBJECT

public:
    // The dialog template and its controls.
    enum : int
    {
        IDD = 261,
        IDC_LANGUAGE_LIST = 1181,
        IDC_SET_DEFAULT = 1182,
        IDC_SET_CURRENT = 1186
    };
    // The columns of the list.
    enum EColumn : int
    {
        ColumnName,
        ColumnAbbreviation,
        ColumnState
    };

    // Lists the campaign's languages in campaign order; the current language's row is selected.
    // The default and current positions start at the campaign's own (-1 when it has none).
    explicit CLanguageDlg(const pelko_wave::CCampaign& campaign, QWidget* parent = nullptr);

    // Positions in the campaign's language list; -1 for none.
    void SetCurrentLanguage(int position);
    void SetDefaultLanguage(int position);
    int GetCurrentLanguage() const { return m_currentPosition; }
    int GetDefaultLanguage() const { return m_defaultPosition; }

    // "Default", "Current", "Default, current" or nothing: the text of the state column.
    static QString StateText(bool isDefault, bool isCurrent);

    // The selected row's language becomes the default or the current one; nothing without a
    // selected row.
    void OnSetDefault();
    void OnSetCurrent();

    // The context menu of the list, loaded into `menu` and prepared (the item that would change
    // nothing greyed): its pop-up, or null when no row is selected.
    CNewMenu* LoadContextMenu(CNewMenu& menu) const;

    QTreeWidget* GetList() const { return m_list; }
    QPushButton* GetSetDefaultButton() const { return m_setDefault; }
    QPushButton* GetSetCurrentButton() const { return m_setCurrent; }
    QPushButton* GetOkButton() const { return m_ok; }

private:
    int SelectedRow() const;
    // Brings the rows' images and state texts and the buttons up to date with the positions and
    // the selection.
    void RefreshRows();
    void UpdateButtons();
    void ShowContextMenu(const QPoint& globalPosition);

    QTreeWidget* m_list = nullptr;
    QPushButton* m_setDefault = nullptr;
    QPushButton* m_setCurrent = nullptr;
    QPushButton* m_ok = nullptr;
    // The list's images: the default language's, and every other's.
    QIcon m_defaultImage;
    QIcon m_otherImage;
    int m_currentPosition = -1;
    int m_defaultPosition = -1;
};
