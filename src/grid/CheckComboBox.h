#pragma once

#include <QComboBox>
#include <QString>

// A drop-down list whose items carry check boxes. A click on an item, or a blank typed in the
// open list, toggles its check without closing the list, and the list never takes a selection:
// the field shows the checked items' texts joined by the list separator and a blank.
class CCheckComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CCheckComboBox(QWidget* parent = nullptr);

    // Sets an item's check; the item's index, or -1 for no such item.
    int SetCheck(int index, bool checked);
    // The item's check (0 or 1), -1 for no such item.
    int GetCheck(int index) const;
    // The field's text: the checked items' texts, or the text last set.
    QString GetWindowText() const;
    // Shows the text in the field until a check changes.
    void SetWindowText(const QString& text);

    // The separator between the texts of the checked items: the locale's list separator (";"
    // where the locale gives none) with one blank after it.
    static QString ItemSeparator();

Q_SIGNALS:
    // A check was toggled in the open list.
    void CheckToggled(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A key pressed in the open list; true when taken.
    virtual bool OnListKey(QKeyEvent* event);
    void Toggle(int index);

private:
    mutable QString m_strText;
    mutable bool m_bTextUpdated = true;
};
