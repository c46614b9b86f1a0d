#pragma once

#include "menus/NewDialog.h"

class CHyperLink;
class CVersionInfo;

// The About box: the program's name, version and copyright, and two links, to the wiki and to
// the documentation. OK closes it.
class CAboutDlg : public CNewDialog
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 100,
        IDC_WIKI_LINK = 1195,
        IDC_HELP_LINK = 1196
    };

    CAboutDlg(const CVersionInfo& version, QWidget* parent = nullptr);

    CHyperLink* GetWikiLink() const { return m_wiki; }
    CHyperLink* GetHelpLink() const { return m_help; }

private:
    CHyperLink* m_wiki = nullptr;
    CHyperLink* m_help = nullptr;
};
