#include "controls/PropertyGridDirectoryPicker.h"

#include "controls/ControlDialogs.h"

QString CPropertyGridDirectoryPicker::m_strTitle;

bool CPropertyGridDirectoryPicker::BrowseForFolder(QString& path, QWidget* owner)
{
    QString chosen = path;
    if (!GetControlDialogs().ChooseFolder(owner, m_strTitle, chosen) || chosen.isEmpty())
        return false;
    path = chosen;
    return true;
}
