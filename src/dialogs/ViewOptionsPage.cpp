#include "dialogs/ViewOptionsPage.h"

#include "dialogs/DialogControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A check box of the page and the view setting it shows.
struct SViewFlag
{
    int Id;
    const char* Text;
    int (CViewSettings::*Get)() const;
    void (CViewSettings::*Set)(int);
};

// The report flag, the question group and the response group, in the order shown.
constexpr SViewFlag kReportFlag = {
    CViewOptionsPage::IDC_CREATE_REPORT,
    QT_TRANSLATE_NOOP("CViewOptionsPage", "Create report for each reconciliation"),
    &CViewSettings::GetCreateReconciliationReport, &CViewSettings::SetCreateReconciliationReport};
constexpr SViewFlag kQuestionFlags[] = {
    {CViewOptionsPage::IDC_SHOW_IMPERFECT_QUESTIONS,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show imperfect question matches"),
     &CViewSettings::GetShowImperfectQuestionMatches,
     &CViewSettings::SetShowImperfectQuestionMatches},
    {CViewOptionsPage::IDC_SHOW_PERFECT_QUESTIONS,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show perfect question matches"),
     &CViewSettings::GetShowPerfectQuestionMatches, &CViewSettings::SetShowPerfectQuestionMatches},
    {CViewOptionsPage::IDC_SHOW_UNMATCHED_CAMPAIGN_QUESTIONS,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show unmatched campaign questions"),
     &CViewSettings::GetShowUnmatchedCampaignQuestions,
     &CViewSettings::SetShowUnmatchedCampaignQuestions},
    {CViewOptionsPage::IDC_SHOW_UNMATCHED_SOURCE_QUESTIONS,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show unmatched source questions"),
     &CViewSettings::GetShowUnmatchedSourceQuestions,
     &CViewSettings::SetShowUnmatchedSourceQuestions},
};
constexpr SViewFlag kResponseFlags[] = {
    {CViewOptionsPage::IDC_SHOW_IMPERFECT_RESPONSES,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show imperfect response matches"),
     &CViewSettings::GetShowImperfectResponseMatches,
     &CViewSettings::SetShowImperfectResponseMatches},
    {CViewOptionsPage::IDC_SHOW_PERFECT_RESPONSES,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show perfect response matches"),
     &CViewSettings::GetShowPerfectResponseMatches, &CViewSettings::SetShowPerfectResponseMatches},
    {CViewOptionsPage::IDC_SHOW_UNMATCHED_CAMPAIGN_RESPONSES,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show unmatched campaign responses"),
     &CViewSettings::GetShowUnmatchedCampaignResponses,
     &CViewSettings::SetShowUnmatchedCampaignResponses},
    {CViewOptionsPage::IDC_SHOW_UNMATCHED_SOURCE_RESPONSES,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show unmatched source responses"),
     &CViewSettings::GetShowUnmatchedSourceResponses,
     &CViewSettings::SetShowUnmatchedSourceResponses},
    {CViewOptionsPage::IDC_SHOW_NEW_RESPONSES,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "Show newly added campaign responses"),
     &CViewSettings::GetShowNewCampaignResponses, &CViewSettings::SetShowNewCampaignResponses},
    {CViewOptionsPage::IDC_VIEW_ENTRY_CODES,
     QT_TRANSLATE_NOOP("CViewOptionsPage", "View entry codes"), &CViewSettings::GetViewEntryCodes,
     &CViewSettings::SetViewEntryCodes},
};
// The radios of the question text, by the setting's value.
constexpr int kTextRadios[] = {CViewOptionsPage::IDC_VIEW_SHORTCUTS,
                               CViewOptionsPage::IDC_VIEW_SHORT_CAPTIONS,
                               CViewOptionsPage::IDC_VIEW_LONG_CAPTIONS};

} // namespace

CViewOptionsPage::CViewOptionsPage(CViewSettings& view, QWidget* parent)
    : COptionsPage(tr("Environment::Reconciliation"), parent), m_view(view)
{
    setProperty("controlId", int(IDD));
    const auto addCheck = [this](QVBoxLayout& layout, const SViewFlag& flag) {
        layout.addWidget(MakeControl<QCheckBox>(flag.Id, tr(flag.Text), this));
    };

    auto* reports = new QGroupBox(tr("Reconciliation"), this);
    auto* reportsLayout = new QVBoxLayout(reports);
    addCheck(*reportsLayout, kReportFlag);

    auto* questions = new QGroupBox(tr("Questions"), this);
    auto* questionsLayout = new QVBoxLayout(questions);
    for (const SViewFlag& flag : kQuestionFlags)
        addCheck(*questionsLayout, flag);
    auto* texts = new QButtonGroup(this);
    const char* textNames[] = {QT_TR_NOOP("View shortcuts"), QT_TR_NOOP("View short captions"),
                               QT_TR_NOOP("View long captions")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = MakeControl<QRadioButton>(kTextRadios[i], tr(textNames[i]), this);
        texts->addButton(radio, i);
        questionsLayout->addWidget(radio);
    }

    auto* responses = new QGroupBox(tr("Responses"), this);
    auto* responsesLayout = new QVBoxLayout(responses);
    for (const SViewFlag& flag : kResponseFlags)
        addCheck(*responsesLayout, flag);

    // The question and the response groups side by side, under the report's.
    questionsLayout->addStretch(1);
    responsesLayout->addStretch(1);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(reports, 0, 0, 1, 2);
    layout->addWidget(questions, 1, 0);
    layout->addWidget(responses, 1, 1);
    layout->setRowStretch(2, 1);
}

void CViewOptionsPage::OnInitDialog()
{
    const auto load = [this](const SViewFlag& flag) {
        FindControl<QCheckBox>(*this, flag.Id)->setChecked((m_view.*flag.Get)() != 0);
    };
    load(kReportFlag);
    for (const SViewFlag& flag : kQuestionFlags)
        load(flag);
    for (const SViewFlag& flag : kResponseFlags)
        load(flag);
    const int text = m_view.GetQuestionGridViewText();
    for (int i = 0; i < 3; ++i)
        FindControl<QRadioButton>(*this, kTextRadios[i])->setChecked(i == text);
}

bool CViewOptionsPage::OnKillActive()
{
    if (!IsInitialised())
        return true;
    CViewSettings& view = m_view;
    const auto save = [this, &view](const SViewFlag& flag) {
        const QCheckBox* box = FindControl<QCheckBox>(*this, flag.Id);
        (view.*flag.Set)(box->isChecked() ? 1 : 0);
    };
    save(kReportFlag);
    for (const SViewFlag& flag : kQuestionFlags)
        save(flag);
    for (const SViewFlag& flag : kResponseFlags)
        save(flag);
    // A value outside the three radios shows none of them, and stays as it is until one is
    // chosen.
    for (int i = 0; i < 3; ++i)
        if (FindControl<QRadioButton>(*this, kTextRadios[i])->isChecked())
            m_view.SetQuestionGridViewText(i);
    return true;
}
