#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QDialogButtonBox;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace TreePropSheet {

class CPropPageFrame;

// A page of a property sheet: a widget with a caption. The caption is the page's place in the
// sheet's tree, its levels separated by "::" ("Environment::General"); write "\::" for a "::"
// inside a level and "\\" for a backslash before a separator.
class CPropertyPage : public QWidget
{
    Q_OBJECT

public:
    explicit CPropertyPage(const QString& caption = QString(), QWidget* parent = nullptr);

    QString GetCaption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    // Asked before the page is left for another one, for a node without a page, or by OK;
    // false keeps the page (after telling the user why).
    virtual bool OnKillActive() { return true; }
};

// A property sheet that shows its pages through a tree at its left: every level of a page's
// caption path is a tree node, and choosing a node shows its page to the right inside a page
// frame whose caption bar carries the node's text. Nodes that exist only as levels of paths have
// no page: choosing one hides the current page and shows the empty-page message in the frame.
// Ctrl+Tab and Ctrl+Shift+Tab walk the tree. With tree mode off the sheet shows its pages on tabs.
//
// Ownership: the sheet owns its pages (they become its children when added), the tree and the
// frame.
class CTreePropSheet : public QDialog
{
    Q_OBJECT

public:
    // The tree's id and the width the tree takes at the sheet's left.
    static constexpr int IDC_PAGE_TREE = 32494;

    explicit CTreePropSheet(const QString& title, QWidget* parent = nullptr, int selectPage = 0);
    ~CTreePropSheet() override;

    // Adds a page at the end (the trailing argument is accepted for callers that pass -1).
    void AddPage(CPropertyPage* page, int insertAfter = -1);
    // Removes and deletes the page.
    void RemovePage(int index);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    // The shown page's index, -1 while a node without a page is chosen.
    int GetActiveIndex() const { return m_active; }
    // Shows the page when the current one may be left; false otherwise.
    bool SetActivePage(int index);

    // Before the sheet is first shown: tree mode (TRUE by default), with the page caption bar
    // and tree images. Pages have no images here, so tree images change nothing. Returns false,
    // changing nothing, once the sheet exists.
    bool SetTreeViewMode(bool treeMode, bool pageCaption = false, bool treeImages = false);
    // The message shown for nodes without a page: a format with one "%s" for the node's text.
    void SetEmptyPageText(const QString& format);
    QString GetEmptyPageText() const { return m_emptyPageText; }
    void SetTreeWidth(int width) { m_treeWidth = width; }

    // Shows the sheet modally; IDOK or IDCANCEL.
    int DoModal();

    // Tree navigation in pre-order, wrapping; empty parent nodes are visited too.
    void SelectNextTreePage();
    void SelectPreviousTreePage();

    QTreeWidget* GetPageTreeControl() const { return m_pageTree; }
    CPropPageFrame* GetFrame() const { return m_frame; }
    QDialogButtonBox* GetButtons() const { return m_buttons; }

    // Splits off the first level of a caption path: returns it (with "\::" read as "::" and
    // "\\" as "\") and leaves the rest in the path; the last level is returned as it stands.
    static QString SplitCaptionPath(QString& path);

    // The node's page index, -1 for a node without a page.
    static int PageIndexOf(const QTreeWidgetItem* node);

    // Builds the sheet's windows (done by the first show); nothing when they exist.
    void EnsureCreated();

public Q_SLOTS:
    void accept() override;
    void reject() override;

protected:
    virtual QString FormatEmptyPageMessage(const QString& format, const QString& caption);
    virtual QTreeWidget* CreatePageTreeControl();
    virtual CPropPageFrame* CreatePageFrameObject();

    void showEvent(QShowEvent* event) override;

private:
    void RebuildPageTree();
    QTreeWidgetItem* FindOrInsertTreeItem(QString path, QTreeWidgetItem* parent);
    QTreeWidgetItem* FindTreeItemForPage(int page, QTreeWidgetItem* start) const;
    void SelectTreeItemForPage(int page);
    void UpdatePageCaption();
    bool DeactivateCurrentPage();
    void ShowPage(int index);
    void OnTreeCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void SelectNode(QTreeWidgetItem* node);

    std::vector<CPropertyPage*> m_pages;
    bool m_treeMode = true;
    bool m_showPageCaption = false;
    bool m_treeImages = false;
    bool m_inSelChange = false;
    bool m_created = false;
    QString m_emptyPageText;
    int m_treeWidth = 200;
    int m_active = -1;
    int m_selectPage = 0;
    QTreeWidget* m_pageTree = nullptr;
    CPropPageFrame* m_frame = nullptr;
    QStackedWidget* m_stack = nullptr;
    QTabWidget* m_tabs = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace TreePropSheet
