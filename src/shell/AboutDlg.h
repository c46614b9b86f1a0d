#pragma once

#include "menus/NewDialog.h"

class CHyperLink;
class CVersionInfo;

// The About box: the program's name, version and copyright, and two links, to the wiki and to
// the documentation, both the program's user guide: a click on either closes the box and asks for
// the guide (IsGuideAsked), which its opener then opens. OK closes it.
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

    // The guide's address is what the links show as their target.
    CAboutDlg(const CVersionInfo& version, const QString& guideAddress, QWidget* parent = nullptr);

    CHyperLink* GetWikiLink() const { return m_wiki; }
    CHyperLink* GetHelpLink() const { return m_help; }
    // Whether a link closed the box.
    bool IsGuideAsked() const { return m_guideAsked; }

private:
    CHyperLink* m_wiki = nullptr;
    CHyperLink* m_help = nullptr;
    bool m_guideAsked = false;
};
