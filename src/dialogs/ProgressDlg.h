#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;

// A small modeless window with one line of text over a progress bar, driven by its owner while
// the owner works on the interface thread (packaging, reconciliation, validation, the duplicate
// check). The user cannot close it: only its owner does, with DestroyWindow.
class CProgressDlg : public QDialog
{
    Q_OBJECT

public:
    // The dialog template and its controls.
    enum : int
    {
        IDD = 142,
        IDC_PROGRESS = 1178,
        IDC_MESSAGE = 1179
    };

    explicit CProgressDlg(QWidget* parent = nullptr);

    // The bar runs from 0 to the upper bound (any int; 0 gives a bar that never moves).
    void SetRange(int upper);
    int GetRangeUpper() const { return m_upper; }
    // Positions are kept within the range.
    void SetPos(int position);
    int GetPos() const { return m_pos; }
    void OffsetPos(int steps);
    // The upper bound less one.
    void SetPosToLast();
    void SetMessageText(const QString& text);
    QString GetMessageText() const { return m_message; }

    // Closes the window for good; the object deletes itself once the event loop runs again.
    void DestroyWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowMessage();

    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QString m_message;
    int m_upper = 0;
    int m_pos = 0;
    bool m_destroying = false;
};

// Makes, centres on the main window and shows a progress window with the caption, the text and
// the range 0..range, lets the window paint, and returns it. The caller destroys it
// (DestroyWindow), on every way out of its work.
CProgressDlg* CreateProgressDlg(const QString& caption, const QString& text, int range,
                                QWidget* parent);
