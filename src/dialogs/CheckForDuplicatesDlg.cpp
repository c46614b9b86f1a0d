#include "dialogs/CheckForDuplicatesDlg.h"

#include "commands/DuplicateCommands.h"
#include "commands/MetaCommands.h"
#include "controls/XListCtrl.h"
#include "dialogs/DialogControls.h"
#include "dialogs/ProgressDlg.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "platform/AppServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <class T, class Id> T* Lowest(const QList<T*>& items, Id id)
{
    T* lowest = items.first();
    for (T* item : items)
        if ((item->*id)() < (lowest->*id)())
            lowest = item;
    return lowest;
}

bool IsTickedAndEnabled(const CXListCtrl& list, int row)
{
    return list.GetEnabled(row) && list.GetCheckbox(row, 0) == 1;
}

} // namespace

// Carries the worker's reports to the interface thread: it lives there, and the worker only
// emits its signals, which reach the dialog queued.
class CDuplicateSearchRelay : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void RangeSet(int range);
    void Advanced(int steps);
    void Finished(const SDuplicateSearchResults& results);
};

CCheckForDuplicatesDlg::CCheckForDuplicatesDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Duplicates"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setProperty("controlId", int(IDD));
    setSizeGripEnabled(true);

    m_questionList = MakeControl<CXListCtrl>(IDC_QUESTION_GROUPS);
    m_questionList->SetGridLines(true);
    m_questionList->InsertColumn(QuestionColumnCheck, QString());
    m_questionList->InsertColumn(QuestionColumnName, tr("Question"));
    m_questionList->InsertColumn(QuestionColumnCount, LoadString(IDS_COUNT));
    m_questionList->SetColumnWidthPercents({10, 78});
    m_responseList = MakeControl<CXListCtrl>(IDC_RESPONSE_GROUPS);
    m_responseList->SetGridLines(true);
    m_responseList->InsertColumn(ResponseColumnCheck, QString());
    m_responseList->InsertColumn(ResponseColumnCaption, tr("Response"));
    m_responseList->InsertColumn(ResponseColumnQuestion, tr("Question"));
    m_responseList->InsertColumn(ResponseColumnCount, LoadString(IDS_COUNT));
    m_responseList->SetColumnWidthPercents({10, 40, 38});

    auto* questionsLabel = new QLabel(tr("Duplicate &questions:"));
    questionsLabel->setBuddy(m_questionList);
    auto* responsesLabel = new QLabel(tr("Duplicate &responses:"));
    responsesLabel->setBuddy(m_responseList);
    m_consolidate = MakeControl<QPushButton>(IDC_CONSOLIDATE, tr("C&onsolidate"));
    m_consolidate->setAutoDefault(false);
    m_close = MakeControl<QPushButton>(IDC_CLOSE, tr("Close"));
    m_close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_consolidate);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(questionsLabel);
    layout->addWidget(m_questionList, 1);
    layout->addSpacing(4);
    layout->addWidget(responsesLabel);
    layout->addWidget(m_responseList, 1);
    m_outcome = new QLabel;
    m_outcome->setObjectName(QStringLiteral("OutcomeLine"));
    m_outcome->hide();
    layout->addWidget(m_outcome);
    layout->addWidget(MakeSeparator(IDC_STATUS_LINE));
    layout->addLayout(buttons);
    resize(560, 480);

    connect(m_close, &QPushButton::clicked, this, &CCheckForDuplicatesDlg::accept);
    connect(m_consolidate, &QPushButton::clicked, this, &CCheckForDuplicatesDlg::OnConsolidate);
    for (CXListCtrl* list : {m_questionList, m_responseList}) {
        connect(list, &CXListCtrl::CheckboxClicked, this,
                &CCheckForDuplicatesDlg::UpdateConsolidateButton);
        connect(list, &CXListCtrl::HeaderClicked, this,
                &CCheckForDuplicatesDlg::UpdateConsolidateButton);
    }

    m_relay = new CDuplicateSearchRelay(this);
    connect(
        m_relay, &CDuplicateSearchRelay::RangeSet, this,
        [this](int range) {
            if (m_progress)
                m_progress->SetRange(range);
        },
        Qt::QueuedConnection);
    connect(
        m_relay, &CDuplicateSearchRelay::Advanced, this,
        [this](int steps) {
            if (m_progress)
                m_progress->OffsetPos(steps);
        },
        Qt::QueuedConnection);
    connect(m_relay, &CDuplicateSearchRelay::Finished, this,
            &CCheckForDuplicatesDlg::OnSearchFinished, Qt::QueuedConnection);

    m_questionList->setEnabled(false);
    m_close->setEnabled(false);
    m_consolidate->setEnabled(false);
}

CCheckForDuplicatesDlg::~CCheckForDuplicatesDlg()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

void CCheckForDuplicatesDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    // The search counts from now on, so that nothing ends the dialog before it is over; it
    // starts once the dialog is up.
    m_started = true;
    m_searching = true;
    QTimer::singleShot(0, this, &CCheckForDuplicatesDlg::StartSearch);
}

void CCheckForDuplicatesDlg::StartSearch()
{
    m_waitCursor.emplace();
    m_progress = CreateProgressDlg(LoadString(IDS_CHECKING_FOR_DUPLICATES),
                                   LoadString(IDS_CHECKING_DUPLICATE_QUESTIONS), 100, this);
    const IWaveApp* app = GetWaveApp();
    const pelko_wave::CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    CDuplicateSearchRelay* relay = m_relay;
    const std::atomic<bool>* stop = &m_stop;
    m_worker = std::thread([campaign, relay, stop] {
        SDuplicateSearchResults results;
        if (campaign) {
            SDuplicateSearchProgress progress;
            progress.SetRange = [relay](int range) { Q_EMIT relay->RangeSet(range); };
            progress.Advance = [relay](int steps) { Q_EMIT relay->Advanced(steps); };
            results = FindDuplicates(*campaign, progress, stop);
        }
        Q_EMIT relay->Finished(results);
    });
}

void CCheckForDuplicatesDlg::OnSearchFinished(const SDuplicateSearchResults& results)
{
    if (m_progress) {
        m_progress->SetPosToLast();
        m_progress->DestroyWindow();
        m_progress = nullptr;
    }
    m_results = results;
    FillLists();
    // Empty lists alone would leave the user wondering whether the search ran at all.
    if (m_results.Questions.empty() && m_results.Responses.empty()) {
        m_outcome->setText(tr("No duplicate questions or responses were found."));
        m_outcome->show();
    }
    // The worker's last act was to report; it ends at once.
    if (m_worker.joinable())
        m_worker.join();
    m_waitCursor.reset();
    m_searching = false;
    m_questionList->setEnabled(true);
    m_close->setEnabled(true);
    UpdateConsolidateButton();
}

void CCheckForDuplicatesDlg::FillLists()
{
    const QString tip = LoadString(IDS_REMOVE_LEAVE_DUPLICATES);
    const auto addRow = [&tip](CXListCtrl& list) {
        const int row = list.InsertItem(list.GetItemCount(), QString());
        list.SetCheckbox(row, 0, 1);
        list.SetItemToolTipText(row, 0, tip);
        return row;
    };
    m_questionList->DeleteAllItems();
    for (const SQuestionDuplicates& group : m_results.Questions) {
        const int row = addRow(*m_questionList);
        m_questionList->SetItemText(row, QuestionColumnName, group.Name);
        m_questionList->SetItemText(row, QuestionColumnCount,
                                    QString::number(group.Questions.size()));
    }
    const pelko_wave::CCampaign* campaign = GetWaveApp() ? GetWaveApp()->GetCampaign() : nullptr;
    const int language = campaign ? campaign->GetDefaultLanguageId() : 0;
    m_responseList->DeleteAllItems();
    for (const SResponseDuplicates& group : m_results.Responses) {
        const int row = addRow(*m_responseList);
        m_responseList->SetItemText(row, ResponseColumnCaption,
                                    group.Responses.first()->GetShortCaption(language));
        m_responseList->SetItemText(row, ResponseColumnQuestion, group.Question->GetShortcut());
        m_responseList->SetItemText(row, ResponseColumnCount,
                                    QString::number(group.Responses.size()));
    }
}

void CCheckForDuplicatesDlg::UpdateConsolidateButton()
{
    bool ticked = false;
    for (const CXListCtrl* list : {m_questionList, m_responseList})
        for (int row = 0; row < list->GetItemCount() && !ticked; ++row)
            ticked = IsTickedAndEnabled(*list, row);
    m_consolidate->setEnabled(ticked && !m_searching);
}

void CCheckForDuplicatesDlg::OnConsolidate()
{
    IWaveApp* app = GetWaveApp();
    pelko_wave::CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    if (m_searching || !campaign || campaign->GetWaveCount() == 0)
        return;
    auto composite = std::make_unique<CMetaRemoveDuplicatesCmd>(IDS_REMOVE_DUPLICATES);
    QList<int> questionRows;
    QList<int> responseRows;
    QList<const pelko_wave::CQuestion*> removed;
    for (int row = 0; row < m_questionList->GetItemCount(); ++row) {
        if (!IsTickedAndEnabled(*m_questionList, row))
            continue;
        const QList<pelko_wave::CQuestion*>& group = m_results.Questions[size_t(row)].Questions;
        pelko_wave::CQuestion* kept = Lowest(group, &pelko_wave::CQuestion::GetQuestionId);
        for (pelko_wave::CQuestion* duplicate : group) {
            if (duplicate == kept)
                continue;
            composite->AddCmd(
                std::make_unique<CCmdRemoveDuplicateQuestion>(campaign, kept, duplicate));
            removed.append(duplicate);
        }
        m_questionList->SetEnabled(row, false);
        questionRows.append(row);
    }
    for (int row = 0; row < m_responseList->GetItemCount(); ++row) {
        if (!IsTickedAndEnabled(*m_responseList, row))
            continue;
        const SResponseDuplicates& group = m_results.Responses[size_t(row)];
        m_responseList->SetEnabled(row, false);
        responseRows.append(row);
        // Responses of a question that is gone, or goes in this step, go with it.
        if (removed.contains(group.Question) ||
            campaign->GetQuestionById(group.Question->GetQuestionId()) != group.Question)
            continue;
        pelko_wave::CModality* kept =
            Lowest(group.Responses, &pelko_wave::CModality::GetModalityId);
        for (pelko_wave::CModality* duplicate : group.Responses) {
            if (duplicate != kept)
                composite->AddCmd(std::make_unique<CCmdRemoveDuplicateModality>(
                    campaign, campaign->GetWave(0), nullptr, 0, kept, duplicate));
        }
    }
    if (composite->GetCmdCount() > 0) {
        std::unique_ptr<CCmdVirtual> command = std::move(composite);
        if (!app->ExecuteCommand(command, m_callBacks, nullptr, nullptr, true)) {
            // Nothing was consolidated: the groups can be tried again.
            for (const int row : questionRows)
                m_questionList->SetEnabled(row, true);
            for (const int row : responseRows)
                m_responseList->SetEnabled(row, true);
            GetWindowServices().MessageBox(command->GetErrorText(), MB_OK | MB_ICONWARNING);
        }
    }
    UpdateConsolidateButton();
}

void CCheckForDuplicatesDlg::accept()
{
    if (!m_searching)
        QDialog::accept();
}

void CCheckForDuplicatesDlg::reject()
{
    // Escape and the close box end the dialog as Close does, and only once the search is over.
    if (!m_searching)
        QDialog::accept();
}

#include "CheckForDuplicatesDlg.moc"
