#include "controls/HistoryCombo.h"

#include "controls/Archive.h"

namespace {
QString TrimSpaces(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}
} // namespace

CHistoryCombo::CHistoryCombo(bool allowSort, QWidget* parent)
    : QComboBox(parent), m_allowSort(allowSort)
{
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
}

int CHistoryCombo::AddString(const QString& text)
{
    const QString item = TrimSpaces(text);
    insertItem(0, item);
    for (int i = 1; i < count(); ++i) {
        if (itemText(i).compare(item, Qt::CaseInsensitive) == 0) {
            removeItem(i);
            break;
        }
    }
    while (count() > m_maxItems && m_maxItems >= 0)
        removeItem(m_maxItems);
    setCurrentIndex(0);
    return 0;
}

bool CHistoryCombo::Serialize(CArchive& archive, bool addCurrentText)
{
    if (archive.IsStoring()) {
        if (addCurrentText && !currentText().isEmpty())
            AddString(currentText());
        archive.WriteUInt16(std::uint16_t(count()));
        for (int i = 0; i < count(); ++i)
            archive.WriteString(itemText(i));
        archive.WriteString(currentText());
        return true;
    }
    clear();
    std::uint16_t items = 0;
    if (!archive.ReadUInt16(items))
        return false;
    for (int i = 0; i < items; ++i) {
        QString text;
        if (!archive.ReadString(text))
            return false;
        addItem(text);
    }
    QString text;
    if (!archive.ReadString(text))
        return false;
    const int found = findText(text, Qt::MatchFixedString);
    if (found >= 0)
        setCurrentIndex(found);
    else if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(-1);
    return true;
}
