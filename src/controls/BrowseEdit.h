#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A single-line edit joined with a square "..." button at its right. It does nothing with a click
// itself: the edit's changes (EN_CHANGE ...) and the button's click (BN_CLICKED) reach the owner
// through Command under the browse edit's own id, and the owner decides what browsing opens.
class CBrowseEdit : public QWidget
{
    Q_OBJECT

public:
    // The edit takes the edit bits of the style (ES_READONLY disables the button, ES_NUMBER takes
    // digits only, ...).
    explicit CBrowseEdit(unsigned style = 0, QWidget* parent = nullptr);

    void SetWindowText(const QString& text);
    QString GetWindowText() const;
    void SetDlgCtrlID(int id) { m_id = id; }
    int GetDlgCtrlID() const { return m_id; }
    QLineEdit* GetEdit() const { return m_edit; }
    QToolButton* GetButton() const { return m_button; }

Q_SIGNALS:
    // A command of a child, under the browse edit's id.
    void Command(int id, int code);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
    QToolButton* m_button;
    int m_id = 0;
};

// Applies the edit bits of a window style to a line edit: read-only, password, digits only and
// the alignment.
void ApplyEditStyle(QLineEdit& edit, unsigned style);
