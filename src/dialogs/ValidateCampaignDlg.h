#pragma once

#include "menus/NewDialog.h"
#include "reconcile/SourceComparison.h"

#include <QSize>
#include <QString>

#include <chrono>

class CProgressDlg;
class QLabel;
class QPushButton;
class SimpleBrowser;
struct CValidationThreadParams;

// Shown after opening a campaign whose check against its sources found matching problems: the
// validation report, and Validate, which corrects the problems in one undoable step while a
// progress window shows how far it has come. The outcome is added to the report; saving the
// campaign is left to the user. The correction is built on a worker thread, and every command
// of it runs on the interface thread, which goes on handling its events meanwhile.
class CValidateCampaignDlg : public CNewDialog
{
    Q_OBJECT

public:
    // The dialog template and its controls.
    enum : int
    {
        IDD = 149,
        IDC_CLOSE = 1,
        IDC_VALIDATE = 1128,
        IDC_SAVE = 1129,
        IDC_BROWSER_PLACEHOLDER = 1197
    };
    // The window is never made smaller than this.
    static constexpr QSize kMinimumTrackSize{600, 300};

    explicit CValidateCampaignDlg(QWidget* parent = nullptr);

    // The validation report, shown at once.
    void SetHtml(const QString& html);
    const QString& GetHtml() const { return m_html; }
    // The check's findings (copied). With something the correction can handle, Close waits for
    // Validate; otherwise Validate is greyed.
    void SetIssueLists(const SSourceComparisonLists& lists);
    // How long the last progress text stays up (one second unless a test says otherwise).
    void SetFinalPause(std::chrono::milliseconds pause) { m_finalPause = pause; }

    // Validate: corrects the application's campaign and adds the outcome to the report. True
    // when the campaign was corrected.
    bool Validate();
    // The paragraph that tells the outcome.
    static QString ResultParagraph(bool validated, bool loopHierarchyProblems);
    // The HTML with the paragraph put before its last "</body>" (at its end when it has none).
    static QString WithParagraph(const QString& html, const QString& paragraph);

    SimpleBrowser* GetBrowser() const { return m_browser; }
    QPushButton* GetCloseButton() const { return m_close; }
    QPushButton* GetSaveButton() const { return m_save; }
    QPushButton* GetValidateButton() const { return m_validate; }
    // The progress window while Validate runs; null otherwise.
    CProgressDlg* GetProgressWindow() const { return m_progress; }

public Q_SLOTS:
    // Close, Escape and the close box end the dialog only while Close is enabled.
    void accept() override;
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Runs the worker and waits for it, handling events and moving the bar every 30 ms.
    static bool RunWorker(CValidationThreadParams& params, CProgressDlg& progress);
    void LayOut();

    QLabel* m_intro = nullptr;
    SimpleBrowser* m_browser = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_validate = nullptr;
    CProgressDlg* m_progress = nullptr;
    QString m_html;
    SSourceComparisonLists m_lists;
    std::chrono::milliseconds m_finalPause{1000};
    // The gaps the template leaves around the controls.
    int m_margin = 0;
    int m_gap = 0;
};
