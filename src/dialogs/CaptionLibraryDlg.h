#pragma once

#include "controls/TreeCtrl.h"

#include <QDialog>
#include <QList>
#include <QStringList>

namespace pelko_wave {
class CCaptionLibraryBase;
class CResponseCaption;
class CResponseCaptionGroup;
class CResponseLibrary;
} // namespace pelko_wave

class CXHtmlTree;
class CXListCtrl;
class QPushButton;

// Edits the response caption libraries that reconciliation may apply: caption groups (response
// captions that mean the same, one of them the group's base caption) in the groups and labels
// lists, and libraries (named selections of groups, with a tick per caption) in the tree. The
// dialog works on a copy of the application's libraries: OK puts the copy in their place, Cancel
// throws it away. Libraries can be imported from and exported to a caption library file. Its
// mode names what OK goes on to do: edit (0, "OK"), apply to a wave (1, "Apply") or reconcile
// with the chosen libraries (2, "Reconcile").
//
// Ownership: the working groups and libraries, and every node made while the dialog is open,
// belong to the dialog until OK hands them to the application; the dialog frees whatever it
// still holds when it closes.
class CCaptionLibraryDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 150,
        IDC_OK = 1,
        IDC_CANCEL = 2,
        IDC_GROUPS = 1169,
        IDC_LIBRARIES = 1204,
        IDC_LABELS = 1205,
        IDC_ADD_GROUP_TO_LIBRARY = 1206,
        IDC_NEW_GROUP = 1207,
        IDC_REMOVE_GROUP = 1208,
        IDC_NEW_LABEL = 1209,
        IDC_REMOVE_LABEL = 1210,
        IDC_IMPORT = 1211,
        IDC_EXPORT = 1212,
        IDC_STATUS = 1213,
        IDC_NEW_LIBRARY = 1214,
        IDC_REMOVE_LIBRARY_OR_GROUP = 1216,
        IDC_ADD_CAPTIONS = 1218,
        IDC_MAKE_BASE = 1219
    };

    explicit CCaptionLibraryDlg(QWidget* parent = nullptr);
    ~CCaptionLibraryDlg() override;

    // 0 edit, 1 apply (the mode of a new dialog), 2 reconcile; set before the dialog is shown.
    void SetMode(int mode);
    int GetMode() const { return m_mode; }
    // Two response captions proposed as duplicates, which the add-captions button adds to the
    // selected group; set before the dialog is shown.
    void SetNewCaption(const QString& first, const QString& second);

    // The working copy, as edited so far.
    const QList<pelko_wave::CResponseCaptionGroup*>& GetGroups() const { return m_groups; }
    const QList<pelko_wave::CResponseLibrary*>& GetLibraries() const { return m_libraries; }

    CXHtmlTree* GetTree() const { return m_tree; }
    CXListCtrl* GetGroupsList() const { return m_groupsList; }
    CXListCtrl* GetLabelsList() const { return m_labelsList; }

    // The editing operations of the buttons, by the selection of the tree and the two lists;
    // one whose selection is missing does nothing.
    void OnNewLibrary();
    void OnRemoveLibraryOrGroup();
    void OnAddGroupToLibrary();
    void OnNewGroup();
    void OnRemoveGroup();
    void OnNewLabel();
    void OnRemoveLabel();
    void OnAddProposedCaptions();
    void OnMakeBaseCaption();
    void OnImport();
    void OnExport();

    // Shows the working copy anew: the tree, the groups list with its first row selected, and
    // that group's labels.
    void FillControls();

    // OK: the working copy replaces the application's libraries; the dialog ends with IDOK.
    void accept() override;
    // Cancel: the working copy is freed; the dialog ends with IDCANCEL.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The first showing: the working copy made and shown.
    void InitDialog();
    void FillTree();
    void FillGroupsList();
    void FillLabelsList();
    // A group's item with its captions' items, made apart from the tree; the captions the
    // library ticks are added to the list.
    HTREEITEM MakeGroupItems(pelko_wave::CResponseLibrary* library,
                             pelko_wave::CResponseCaptionGroup* group,
                             QList<HTREEITEM>& ticked) const;
    void TickItems(const QList<HTREEITEM>& items);
    // The items of a group (and its captions, ticked by the library) under a library's item.
    HTREEITEM InsertGroupItems(HTREEITEM libraryItem, pelko_wave::CResponseLibrary* library,
                               pelko_wave::CResponseCaptionGroup* group);
    // A caption's item, not ticked, at the end of a group's items.
    HTREEITEM InsertCaptionItem(HTREEITEM groupItem, pelko_wave::CResponseCaption* caption);
    void AddCaptions(const QStringList& texts);
    void UpdateButtons();
    void UpdateMakeBase();
    void RewriteRoles();

    // Selections: null when none.
    pelko_wave::CResponseCaptionGroup* SelectedGroup() const;
    pelko_wave::CResponseCaption* SelectedLabel() const;
    pelko_wave::CCaptionLibraryBase* SelectedTreeNode() const;
    static pelko_wave::CCaptionLibraryBase* NodeOf(const CXHtmlTree& tree, HTREEITEM item);
    // Every tree item that shows the node.
    QList<HTREEITEM> TreeItemsOf(const pelko_wave::CCaptionLibraryBase* node) const;
    // The library an item of the tree belongs to (the root above it).
    pelko_wave::CResponseLibrary* LibraryOfItem(HTREEITEM item) const;
    int RowOf(const CXListCtrl& list, const pelko_wave::CCaptionLibraryBase* node) const;

    void OnTreeCheck(HTREEITEM item, int checked);
    void OnTreeLabelEdited(HTREEITEM item, const QString& text);
    void OnListLabelEdited(CXListCtrl* list, int row, const QString& text);
    // Gives the node the name typed, and every item that shows it; refuses a blank name.
    void Rename(pelko_wave::CCaptionLibraryBase* node, const QString& text);
    // Gives every item that shows the node the node's name.
    void ShowNewName(const pelko_wave::CCaptionLibraryBase* node);
    void FreeWorkingCopy();

    CXHtmlTree* m_tree = nullptr;
    CXListCtrl* m_groupsList = nullptr;
    CXListCtrl* m_labelsList = nullptr;
    QPushButton* m_newLibrary = nullptr;
    QPushButton* m_removeLibraryOrGroup = nullptr;
    QPushButton* m_addGroupToLibrary = nullptr;
    QPushButton* m_newGroup = nullptr;
    QPushButton* m_removeGroup = nullptr;
    QPushButton* m_newLabel = nullptr;
    QPushButton* m_removeLabel = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_makeBase = nullptr;
    QPushButton* m_addCaptions = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;

    QList<pelko_wave::CResponseCaptionGroup*> m_groups;
    QList<pelko_wave::CResponseLibrary*> m_libraries;
    bool m_addCaption = false;
    int m_mode = 1;
    QString m_firstCaption;
    QString m_secondCaption;
    bool m_initialised = false;
    // While the tree or the lists are filled, their reports are not the user's.
    bool m_filling = false;
};
