#include "dialogs/NewVolumeMatchingPage.h"

#include "controls/XListCtrl.h"
#include "dialogs/DialogControls.h"
#include "dialogs/NewVolumeInheritsFromPage.h"
#include "dialogs/NewVolumeSheet.h"
#include "dialogs/NewVolumeSourcePage.h"
#include "model/Campaign.h"
#include "model/Matchings.h"
#include "model/Question.h"
#include "model/QuestionnaireLoading.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWizard>

#include <initializer_list>

using pelko_wave::CVolume;

namespace {

// Checked when the opener gives no methods.
constexpr quint32 kDefaultQuestionMethod = 1; // shortcut
constexpr quint32 kDefaultResponseMethod = 2; // short caption

// Open and numeric questions can line interviews up.
bool IsAlignmentQuestion(int elementType, int questionType)
{
    return elementType == qnr::ElementQuestion &&
           (questionType == qnr::QuestionOpen || questionType == qnr::QuestionNumeric);
}

void AddQuestionItem(QListWidget& list, const QString& shortcut, int data)
{
    auto* item = new QListWidgetItem(shortcut, &list);
    item->setData(Qt::UserRole, data);
}

} // namespace

CNewVolumeMatchingPage::CNewVolumeMatchingPage(QWidget* parent) : QWizardPage(parent)
{
    setProperty("controlId", int(IDD));

    const auto makeList = [](int id) {
        auto* list = MakeControl<CXListCtrl>(id);
        list->SetGridLines(true);
        list->SetRowDragging(true);
        list->InsertColumn(0, LoadString(IDS_ENABLE_COLUMN));
        list->InsertColumn(1, LoadString(IDS_METHOD_COLUMN));
        list->SetColumnToolTip(0, LoadString(IDS_ENABLE_TIP));
        list->SetColumnWidthPercents({20});
        return list;
    };
    m_questionList = makeList(IDC_QUESTION_METHODS);
    m_responseList = makeList(IDC_RESPONSE_METHODS);

    m_firstSuccess = MakeControl<QRadioButton>(IDC_FIRST_SUCCESS,
                                               tr("Match using &first successful matching method"));
    m_strictRadio =
        MakeControl<QRadioButton>(IDC_STRICT, tr("Match &strictly using all matching methods"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_firstSuccess);
    modes->addButton(m_strictRadio);
    m_firstSuccess->setChecked(true);
    m_caseSensitiveBox = MakeControl<QCheckBox>(IDC_CASE_SENSITIVE, tr("&Case-sensitive matching"));
    m_parentValuesBox = MakeControl<QCheckBox>(
        IDC_PARENT_VALUES, tr("Match using &parent volume question and response values"));

    auto* methods = MakeControl<QGroupBox>(IDC_METHODS, tr("Matching methods"));
    auto* methodsLayout = new QGridLayout(methods);
    auto* questionLabel = new QLabel(tr("&Question matching"));
    questionLabel->setBuddy(m_questionList);
    auto* responseLabel = new QLabel(tr("&Response matching"));
    responseLabel->setBuddy(m_responseList);
    methodsLayout->addWidget(questionLabel, 0, 0);
    methodsLayout->addWidget(responseLabel, 0, 1);
    methodsLayout->addWidget(m_questionList, 1, 0);
    methodsLayout->addWidget(m_responseList, 1, 1);
    methodsLayout->addWidget(m_firstSuccess, 2, 0, 1, 2);
    methodsLayout->addWidget(m_strictRadio, 3, 0, 1, 2);
    methodsLayout->addWidget(m_caseSensitiveBox, 4, 0, 1, 2);
    methodsLayout->addWidget(m_parentValuesBox, 5, 0, 1, 2);
    methodsLayout->setRowStretch(1, 1);

    m_alignment = MakeControl<QGroupBox>(IDC_ALIGNMENT, tr("Interview alignment"));
    m_byOrder = MakeControl<QRadioButton>(
        IDC_ALIGN_BY_ORDER,
        tr("Align interviews in this volume to the main volume by interview &order"));
    m_byQuestion = MakeControl<QRadioButton>(
        IDC_ALIGN_BY_QUESTION,
        tr("Align interviews in this volume to the main order using a common q&uestion"));
    auto* alignments = new QButtonGroup(this);
    alignments->addButton(m_byOrder);
    alignments->addButton(m_byQuestion);
    m_byOrder->setChecked(true);
    m_mainQuestions = MakeControl<QListWidget>(IDC_MAIN_QUESTIONS);
    m_thisQuestions = MakeControl<QListWidget>(IDC_THIS_QUESTIONS);
    auto* mainLabel = MakeControl<QLabel>(IDC_MAIN_QUESTIONS_LABEL, tr("Main volume questions"));
    auto* thisLabel = MakeControl<QLabel>(IDC_THIS_QUESTIONS_LABEL, tr("This volume questions"));
    auto* alignmentLayout = new QGridLayout(m_alignment);
    alignmentLayout->addWidget(m_byOrder, 0, 0, 1, 2);
    alignmentLayout->addWidget(m_byQuestion, 1, 0, 1, 2);
    alignmentLayout->addWidget(mainLabel, 2, 0);
    alignmentLayout->addWidget(thisLabel, 2, 1);
    alignmentLayout->addWidget(m_mainQuestions, 3, 0);
    alignmentLayout->addWidget(m_thisQuestions, 3, 1);
    const int listHeight = fontMetrics().lineSpacing() * 5;
    m_mainQuestions->setMinimumHeight(listHeight);
    m_thisQuestions->setMinimumHeight(listHeight);

    // The options' texts are long: the page is as wide as they need, rather than cutting them.
    for (QAbstractButton* button :
         std::initializer_list<QAbstractButton*>{m_firstSuccess, m_strictRadio, m_caseSensitiveBox,
                                                 m_parentValuesBox, m_byOrder, m_byQuestion})
        button->setSizePolicy(QSizePolicy::Minimum, button->sizePolicy().verticalPolicy());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(methods, 3);
    layout->addWidget(m_alignment, 2);

    const auto changed = [this] { Q_EMIT completeChanged(); };
    for (CXListCtrl* list : {m_questionList, m_responseList}) {
        connect(list, &CXListCtrl::CheckboxClicked, this, changed);
        connect(list, &CXListCtrl::HeaderClicked, this, changed);
        connect(list, &CXListCtrl::RowDropped, this, [this, list](int row, int ontoRow) {
            MoveDroppedRow(*list, row, ontoRow);
            Q_EMIT completeChanged();
        });
    }
    connect(alignments, &QButtonGroup::buttonClicked, this, [this] {
        UpdateAlignment();
        Q_EMIT completeChanged();
    });
    connect(m_mainQuestions, &QListWidget::itemSelectionChanged, this, changed);
    connect(m_thisQuestions, &QListWidget::itemSelectionChanged, this, changed);
}

CNewVolumeSheet* CNewVolumeMatchingPage::Sheet() const
{
    return qobject_cast<CNewVolumeSheet*>(wizard());
}

void CNewVolumeMatchingPage::SetCaseSensitive(bool caseSensitive)
{
    m_caseSensitive = caseSensitive;
    m_caseSensitiveBox->setChecked(caseSensitive);
}

void CNewVolumeMatchingPage::FillMethods(CXListCtrl& list, const QList<SMatchingInfo>& infos,
                                         const QList<quint32>& ordered, quint32 defaultMethod)
{
    FillMatchingRows(list, OrderMatchingRows(infos, ordered, defaultMethod));
    // Every method in sight, so that the order to try them in reads at a glance.
    list.setMinimumHeight(list.GetHeightForAllRows());
}

bool CNewVolumeMatchingPage::FillMainQuestions()
{
    m_mainQuestions->clear();
    CVolume* main = m_wave && m_wave->GetVolumeCount() > 0 ? m_wave->GetVolume(0) : nullptr;
    if (!main)
        return false;
    if (pelko_wave::EnsureVolumeQuestionnaire(*main)) {
        // Each question names the campaign question it is matched to, or, until the main volume
        // is reconciled, its own code negated.
        const qnr::CQuestionnaire& questionnaire = main->GetQuestionnaire();
        for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
            const qnr::CQuestion* question = questionnaire.GetQuestion(i);
            if (!IsAlignmentQuestion(question->GetTypeElement(), question->GetTypeQuestion()))
                continue;
            int questionId = -1;
            if (!main->FindQuestionIdBySource(main->GetVolumeId(),
                                              QString::number(question->GetCodeQuestion()),
                                              questionId, true) ||
                questionId < 0)
                questionId = -question->GetCodeQuestion();
            AddQuestionItem(*m_mainQuestions, question->GetShortcut(), questionId);
        }
        return true;
    }
    // Without its source, the campaign questions the main volume matched stand for its own.
    const pelko_wave::CCampaign* campaign = Sheet() ? Sheet()->GetCampaign() : nullptr;
    if (!campaign || main->GetQuestionMatchingCount() == 0)
        return false;
    for (int i = 0; i < main->GetQuestionMatchingCount(); ++i) {
        const pelko_wave::CQuestion* question =
            campaign->GetQuestionById(main->GetQuestionMatching(i)->GetQuestionId());
        if (question &&
            IsAlignmentQuestion(question->GetElementType(), question->GetQuestionType()))
            AddQuestionItem(*m_mainQuestions, question->GetShortcut(), question->GetQuestionId());
    }
    return true;
}

bool CNewVolumeMatchingPage::FillThisQuestions()
{
    m_thisQuestions->clear();
    const qnr::CQuestionnaire* source = Sheet() ? Sheet()->GetNewSource() : nullptr;
    if (!source)
        return false;
    for (int i = 0; i < source->GetNbreQuestion(); ++i) {
        const qnr::CQuestion* question = source->GetQuestion(i);
        if (IsAlignmentQuestion(question->GetTypeElement(), question->GetTypeQuestion()))
            AddQuestionItem(*m_thisQuestions, question->GetShortcut(), i);
    }
    return true;
}

void CNewVolumeMatchingPage::initializePage()
{
    if (!m_setUp) {
        m_setUp = true;
        FillMethods(*m_questionList, GetQuestionMatchingInfos(), m_questionMethods,
                    kDefaultQuestionMethod);
        FillMethods(*m_responseList, GetResponseMatchingInfos(), m_responseMethods,
                    kDefaultResponseMethod);
        m_mainListed = FillMainQuestions();
    }
    if (QWizard* sheet = wizard())
        sheet->setButtonText(QWizard::FinishButton, LoadString(IDS_DONE));
    const QString& path = Sheet() ? Sheet()->GetSourcePage()->GetQuestionSource() : QString();
    if (!m_thisListed || path != m_thisListedPath) {
        m_thisSourceRead = FillThisQuestions();
        m_thisListedPath = path;
        m_thisListed = true;
    }
    const bool ancestor = Sheet() && Sheet()->GetInheritsFromPage()->GetAncestorVolumeId() != -1;
    m_parentValuesBox->setEnabled(ancestor);
    if (!ancestor)
        m_parentValuesBox->setChecked(false);
    UpdateAlignment();
    Q_EMIT completeChanged();
}

void CNewVolumeMatchingPage::UpdateAlignment()
{
    // The first volume of a wave is its main volume: nothing to line up with.
    m_alignment->setEnabled(m_mainListed && m_thisSourceRead);
    const bool byQuestion = m_byQuestion->isChecked();
    m_mainQuestions->setEnabled(byQuestion);
    m_thisQuestions->setEnabled(byQuestion);
}

bool CNewVolumeMatchingPage::isComplete() const
{
    if (CheckedMatchingMethods(*m_questionList).isEmpty() ||
        CheckedMatchingMethods(*m_responseList).isEmpty())
        return false;
    if (!m_alignment->isEnabled() || m_byOrder->isChecked())
        return true;
    return m_mainQuestions->currentItem() && m_mainQuestions->currentItem()->isSelected() &&
           m_thisQuestions->currentItem() && m_thisQuestions->currentItem()->isSelected();
}

bool CNewVolumeMatchingPage::validatePage()
{
    if (!isComplete())
        return false;
    m_questionMethods = CheckedMatchingMethods(*m_questionList);
    m_responseMethods = CheckedMatchingMethods(*m_responseList);
    m_strict = m_strictRadio->isChecked();
    m_caseSensitive = m_caseSensitiveBox->isChecked();
    m_parentValues = m_parentValuesBox->isEnabled() && m_parentValuesBox->isChecked();
    m_alignmentKind = m_alignment->isEnabled() && m_byQuestion->isChecked() ? 1 : 0;
    m_mainVolumeQuestion = 0;
    m_commonQuestionCode.clear();
    if (m_alignmentKind == 1) {
        m_mainVolumeQuestion = m_mainQuestions->currentItem()->data(Qt::UserRole).toInt();
        const int position = m_thisQuestions->currentItem()->data(Qt::UserRole).toInt();
        const qnr::CQuestionnaire* source = Sheet() ? Sheet()->GetNewSource() : nullptr;
        if (source && source->GetQuestion(position))
            m_commonQuestionCode =
                QString::number(source->GetQuestion(position)->GetCodeQuestion());
    }
    return true;
}
