#include "shell/WaveDoc.h"

#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QFileInfo>

QString UpdateTitleMark(const QString& title, bool modified)
{
    // Only the end of the title is looked at: a "*" inside a file's name is the name's own.
    const bool marked = title.endsWith(QLatin1Char('*'));
    if (modified && !marked)
        return title + QStringLiteral(" *");
    if (!modified && marked) {
        QString plain = title;
        while (plain.endsWith(QLatin1Char('*')) || plain.endsWith(QLatin1Char(' ')))
            plain.chop(1);
        return plain;
    }
    return title;
}

CWaveDoc::CWaveDoc() : m_title(LoadString(IDS_UNTITLED)) {}

void CWaveDoc::OnNewDocument()
{
    m_pathName.clear();
    m_modified = false;
    SetTitle(LoadString(IDS_UNTITLED));
}

void CWaveDoc::SetPathName(const QString& path)
{
    m_pathName = path;
    SetTitle(UpdateTitleMark(QFileInfo(path).fileName(), m_modified));
}

void CWaveDoc::SetTitle(const QString& title)
{
    m_title = title;
    if (m_titleListener)
        m_titleListener(m_title);
}

void CWaveDoc::SetModifiedFlag(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    SetTitle(UpdateTitleMark(m_title, modified));
}
