#include "shell/RecentFileList.h"

#include "app/CampaignFileNames.h"
#include "app/OptionsProfile.h"
#include "menus/CommandActions.h"
#include "platform/FormatString.h"
#include "res/CommandIds.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <algorithm>

namespace {

constexpr unsigned kFirstRecentId = ID_FILE_MRU_FILE1;
constexpr unsigned kLastRecentId = ID_FILE_MRU_LAST;

bool IsRecentFileCommand(unsigned id)
{
    return id >= kFirstRecentId && id <= kLastRecentId;
}

} // namespace

QString AbbreviateRecentPath(const QString& path, int maxLength, bool atLeastName)
{
    if (path.isEmpty())
        return QString();
    if (maxLength < 0 || path.size() <= maxLength)
        return path;

    const QString fileName = QFileInfo(path).fileName();
    if (maxLength < fileName.size())
        return atLeastName ? fileName : QString();
    // "<root>/.../<folders>/<name>": "/..." for an absolute path, "..." for a relative one,
    // then the path from one of its separators on.
    const QString ellipsis =
        path.startsWith(QLatin1Char('/')) ? QStringLiteral("/...") : QStringLiteral("...");
    if (maxLength < int(ellipsis.size()) + 1 + fileName.size())
        return fileName;
    qsizetype cut = 0;
    while (ellipsis.size() + (path.size() - cut) > maxLength) {
        cut = path.indexOf(QLatin1Char('/'), cut + 1);
        if (cut < 0)
            return fileName;
    }
    return ellipsis + path.mid(cut);
}

QString RecentFileMenuText(int position, int startIndex, const QString& displayName)
{
    QString name = displayName;
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const int number = (position + 1 + startIndex) % 16;
    QString prefix;
    if (number < 10)
        prefix = QStringLiteral("&%1 ").arg(number);
    else if (number == 10)
        prefix = QStringLiteral("1&0 ");
    else
        prefix = QStringLiteral("%1 ").arg(number);
    return prefix + name;
}

CRecentFileListEx::CRecentFileListEx(int startIndex, const QString& section,
                                     const QString& entryFormat, int size, int maxDisplayLength)
    : m_startIndex(startIndex), m_section(section), m_entryFormat(entryFormat),
      m_maxDisplayLength(maxDisplayLength)
{
    m_names.resize(std::clamp(size, 0, kMaxSize));
}

int CRecentFileListEx::GetCount() const
{
    return int(std::count_if(m_names.begin(), m_names.end(),
                             [](const QString& name) { return !name.isEmpty(); }));
}

void CRecentFileListEx::Add(const QString& path)
{
    if (m_names.isEmpty() || path.isEmpty())
        return;
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    int index = 0;
    while (index < m_names.size() - 1 &&
           !(!m_names[index].isEmpty() && IsSameFile(m_names[index], full)))
        ++index;
    // The files above the one found (or the oldest) move down one slot.
    for (; index > 0; --index)
        m_names[index] = m_names[index - 1];
    m_names[0] = full;
}

void CRecentFileListEx::Remove(int index)
{
    if (index < 0 || index >= m_names.size())
        return;
    m_names.removeAt(index);
    m_names.append(QString());
}

bool CRecentFileListEx::Resize(int size)
{
    if (size < 0 || size > kMaxSize)
        return false;
    m_names.resize(size);
    return true;
}

bool CRecentFileListEx::GetDisplayName(QString& name, int index, bool atLeastName) const
{
    const QString path = GetItem(index);
    if (path.isEmpty())
        return false;
    name = AbbreviateRecentPath(path, m_maxDisplayLength, atLeastName);
    return !name.isEmpty();
}

void CRecentFileListEx::ReadList()
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    profile->beginGroup(m_section);
    const int size = GetSize();
    // Files come first and each once, whatever a profile edited by hand holds.
    QStringList files;
    for (int i = 0; i < size; ++i) {
        const QString path = profile->value(FormatString(m_entryFormat, {i + 1})).toString();
        if (QDir::isAbsolutePath(path) &&
            std::none_of(files.begin(), files.end(),
                         [&](const QString& file) { return IsSameFile(file, path); }))
            files.append(path);
    }
    profile->endGroup();
    files.resize(size);
    m_names = files;
}

void CRecentFileListEx::WriteList() const
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    profile->remove(m_section);
    profile->beginGroup(m_section);
    for (int i = 0; i < m_names.size(); ++i) {
        if (!m_names[i].isEmpty())
            profile->setValue(FormatString(m_entryFormat, {i + 1}), m_names[i]);
    }
    profile->endGroup();
}

void CRecentFileListEx::Clear()
{
    for (QString& name : m_names)
        name.clear();
    WriteList();
    ReadList();
}

void CRecentFileListEx::UpdateMenu(QMenu& menu, CCommandActions& actions)
{
    // The section: from the first recent-file item, every recent-file item of the menu.
    const QList<QAction*> items = menu.actions();
    int position = -1;
    for (int i = 0; i < items.size(); ++i) {
        if (IsRecentFileCommand(CCommandActions::CommandId(items[i]))) {
            if (position < 0)
                position = i;
            menu.removeAction(items[i]);
        }
    }
    if (position < 0)
        return;
    QAction* first = actions.Action(kFirstRecentId);
    if (m_menuText.isEmpty())
        m_menuText = first->text();
    const auto insertAt = [&](QAction* action) {
        menu.insertAction(menu.actions().value(position), action);
        ++position;
    };

    if (GetCount() == 0) {
        first->setText(m_menuText);
        first->setStatusTip(QString());
        first->setEnabled(false);
        insertAt(first);
        return;
    }
    for (int i = 0; i < m_names.size(); ++i) {
        QString name;
        if (!GetDisplayName(name, i))
            break;
        QAction* action = actions.Action(kFirstRecentId + unsigned(i));
        action->setText(RecentFileMenuText(i, m_startIndex, name));
        action->setStatusTip(m_names[i]);
        action->setEnabled(true);
        insertAt(action);
    }
}
