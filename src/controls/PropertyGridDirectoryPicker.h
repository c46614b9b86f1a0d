#pragma once

#include <QString>

class QWidget;

// The property grid's folder chooser: a blocking call through the controls' dialogs. One title
// is shared by every use; the caller sets it before each use.
class CPropertyGridDirectoryPicker
{
public:
    static QString m_strTitle;

    // Shows the chooser starting at the path; true and the path replaced when the user chose a
    // folder, false and the path unchanged otherwise.
    static bool BrowseForFolder(QString& path, QWidget* owner);
};
