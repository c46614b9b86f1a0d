#pragma once

#include <QString>

#include <functional>

// The title rule of the document: a modified document's title ends in " *". Marks a title when
// modified and it does not end in "*" yet; when not modified, takes the "*" marks and the blanks
// before them off the end of the title. A "*" elsewhere in the title (a file's own name) stays.
QString UpdateTitleMark(const QString& title, bool modified);

// The document of the window program. It holds nothing of the campaign (the application object
// does): only the campaign file's path, the title the main window shows, and the modified flag
// that puts " *" into that title.
class CWaveDoc
{
public:
    // Told the new title whenever it changes.
    using TitleListener = std::function<void(const QString& title)>;

    CWaveDoc();

    void SetTitleListener(TitleListener listener) { m_titleListener = std::move(listener); }

    // A fresh, untitled document, not modified.
    void OnNewDocument();
    // The document takes the path; its title becomes the file's name (marked when modified).
    void SetPathName(const QString& path);
    const QString& GetPathName() const { return m_pathName; }

    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);

    bool IsModified() const { return m_modified; }
    // A change of the flag marks or unmarks the title.
    void SetModifiedFlag(bool modified);

private:
    QString m_pathName;
    QString m_title;
    bool m_modified = false;
    TitleListener m_titleListener;
};
