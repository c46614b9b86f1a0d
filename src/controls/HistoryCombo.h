#pragma once

#include <QComboBox>

class CArchive;

// A combo box that keeps a bounded most-recent-first list: an added text goes to the top,
// replaces an equal one (ignoring case) further down, and the oldest fall off past the maximum.
// It writes itself to and reads itself from an archive record: the item count (16 bits), each
// item, then the edit text, as archive strings.
class CHistoryCombo : public QComboBox
{
    Q_OBJECT

public:
    // allowSort 0: the list is never sorted, whatever style the owner asks for.
    explicit CHistoryCombo(bool allowSort = false, QWidget* parent = nullptr);

    // Adds the text, trimmed of spaces, at the top and selects it; returns its index (0).
    int AddString(const QString& text);
    int GetMaxHistoryItems() const { return m_maxItems; }
    bool GetAllowSort() const { return m_allowSort; }

    // Storing: with addCurrentText, a non-empty edit text is first added. Loading: the list is
    // replaced; false for a truncated or malformed record (the items read before stay).
    bool Serialize(CArchive& archive, bool addCurrentText = true);

private:
    int m_maxItems = 10;
    bool m_allowSort;
};
