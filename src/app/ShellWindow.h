#pragma once

#include <QString>

struct SSourceComparisonLists;

// What the application's roads (New, Open, Save As) need of the window program beyond the
// window services: the document, its path and the recent-file list, and the views. The window
// program implements it; a batch run has none (the application then skips these steps); tests
// script it.
class IShellWindow
{
public:
    virtual ~IShellWindow() = default;

    // The framework's File > New: a fresh, untitled document.
    virtual void NewDocument() = 0;
    // The framework's open of a document for the path, before the campaign is read: the
    // document asks itself whether to save a modified campaign of another path. False when it
    // refused; the open then stops.
    virtual bool OpenDocument(const QString& path) = 0;
    // The document takes the path as its path name (and its title from it, with the modified
    // mark when the campaign is modified) and the path goes to the top of the recent-file list.
    virtual void SetDocumentPath(const QString& path, bool modified) = 0;
    // The campaign tree rebuilds itself and the right pane for the current campaign. False when
    // that failed.
    virtual bool ResetViewsAfterLoad() = 0;
    // The campaign validation dialog, modal, for an opened campaign whose check against its
    // sources found matching problems: the comparison's lists and the validation report.
    virtual void ShowValidationDialog(const SSourceComparisonLists& lists,
                                      const QString& report) = 0;
};
