#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QPushButton;
class SimpleBrowser;

// A resizable modeless window that shows one HTML report and saves it as an ".html" file. It
// is opened after a reconciliation, for a wave's reconciliation summary and after opening a
// campaign whose sources are missing; several may be open at once. It deletes itself when it
// is closed (Close, Escape or the close box).
class CReportDlg : public QDialog
{
    Q_OBJECT

public:
    // The dialog template and its controls.
    enum : int
    {
        IDD = 137,
        IDC_CLOSE = 1, // the default button
        IDC_REPORT_PLACEHOLDER = 1154,
        IDC_SAVE = 1155
    };
    // The window is never made smaller than this.
    static constexpr QSize kMinimumTrackSize{600, 300};

    explicit CReportDlg(QWidget* parent = nullptr);

    // What the report is (1 reconciliation summary, 2 reconciliation report, 3 missing source
    // files, 4 open and numeric question pairs): kept for the opener, nothing here depends on it.
    void SetReportKind(int kind) { m_reportKind = kind; }
    int GetReportKind() const { return m_reportKind; }
    // Keeps the HTML text and shows it.
    void SetReportHtml(const QString& html);
    const QString& GetReportHtml() const { return m_html; }

    SimpleBrowser* GetBrowser() const { return m_browser; }
    QPushButton* GetSaveButton() const { return m_save; }
    QPushButton* GetCloseButton() const { return m_close; }

    // Save...: the report saved as every report is (SaveHtmlReport).
    bool SaveReport();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    SimpleBrowser* m_browser = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
    QString m_html;
    int m_reportKind = 0;
    // The gaps the template leaves around the browser and the buttons, kept by each window.
    int m_margin = 0;
    int m_buttonGap = 0;
};

// How every report is saved: asks for an ".html" file and writes the HTML into it as UTF-8,
// replacing a file that is there only once the new one is written whole. False when the user
// cancelled or the file could not be written (which is shown).
bool SaveHtmlReport(const QString& html);

// Opens a report window the way every opener does: made on the main window, captioned with the
// title, given the kind and the HTML, centred on the main window and shown. The window looks
// after itself from then on.
CReportDlg* ShowReportDlg(const QString& title, int kind, const QString& html, QWidget* parent);
