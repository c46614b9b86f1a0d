#include "dialogs/NewVolumeSheet.h"

#include "dialogs/NewVolumeInheritsFromPage.h"
#include "dialogs/NewVolumeMatchingPage.h"
#include "dialogs/NewVolumeSourcePage.h"
#include "model/QuestionnaireLoading.h"
#include "questionnaire/Questionnaire.h"
#include "views/ViewDialogs.h"

#include <algorithm>

CNewVolumeSheet::CNewVolumeSheet(QWidget* parent)
    : QWizard(parent), m_source(new CNewVolumeSourcePage),
      m_inheritsFrom(new CNewVolumeInheritsFromPage), m_matching(new CNewVolumeMatchingPage)
{
    setWindowTitle(tr("Sheet"));
    setWizardStyle(QWizard::ClassicStyle);
    setPage(PAGE_SOURCE, m_source);
    setPage(PAGE_INHERITANCE, m_inheritsFrom);
    setPage(PAGE_MATCHING, m_matching);
    // The title bar names the page shown.
    const auto showCaption = [this](int id) {
        if (const QWizardPage* shown = page(id))
            setWindowTitle(shown->windowTitle());
    };
    m_source->setWindowTitle(tr("New Volume Source"));
    m_inheritsFrom->setWindowTitle(tr("New Volume Inheritance"));
    m_matching->setWindowTitle(tr("New Volume Matching"));
    connect(this, &QWizard::currentIdChanged, this, showCaption);
}

CNewVolumeSheet::~CNewVolumeSheet() = default;

void CNewVolumeSheet::showEvent(QShowEvent* event)
{
    // Every page is as wide as the widest needs, so that the wizard opens wide enough for all of
    // them: the window's minimum width, once set (to fit its title), no longer follows the pages.
    int width = 0;
    for (const int id : pageIds()) {
        page(id)->ensurePolished();
        width = std::max(width, page(id)->minimumSizeHint().width());
    }
    for (const int id : pageIds())
        page(id)->setMinimumWidth(width);
    QWizard::showEvent(event);
}

void CNewVolumeSheet::SetInput(const SNewVolumeWizardInput& input)
{
    m_campaign = input.Campaign;
    m_inheritsFrom->SetWave(input.Wave);
    m_matching->SetWave(input.Wave);
    m_matching->SetQuestionMethods(input.QuestionMethods);
    m_matching->SetResponseMethods(input.ResponseMethods);
    m_matching->SetCaseSensitive(input.CaseSensitive);
}

void CNewVolumeSheet::GetResult(SNewVolumeWizardResult& result) const
{
    result.Name = m_source->GetName();
    result.SourceType = m_source->GetSourceType();
    result.PathFormat = m_source->GetPathFormat();
    result.QuestionSource = m_source->GetQuestionSource();
    result.InterviewsWithQuestions = m_source->GetInterviewsWithQuestions();
    result.InterviewsFromDatabase = m_source->GetInterviewsFromDatabase();
    result.InterviewSource = m_source->GetInterviewSource();
    result.SurveyId = m_source->GetSurveyId();
    result.CopyQuestionSource = m_source->GetCopyQuestionSource();
    result.CopyInterviewSource = m_source->GetCopyInterviewSource();
    result.AncestorVolumeId = m_inheritsFrom->GetAncestorVolumeId();
    result.QuestionMethods = m_matching->GetQuestionMethods();
    result.ResponseMethods = m_matching->GetResponseMethods();
    result.Strict = m_matching->IsStrict();
    result.CaseSensitive = m_matching->IsCaseSensitive();
    result.MatchUsingParentValues = m_matching->IsMatchUsingParentValues();
    result.AlignmentKind = m_matching->GetAlignmentKind();
    result.MainVolumeQuestion = m_matching->GetMainVolumeQuestion();
    result.CommonQuestionCode = m_matching->GetCommonQuestionCode();
}

const qnr::CQuestionnaire* CNewVolumeSheet::GetNewSource()
{
    const QString& path = m_source->GetQuestionSource();
    const int type = m_source->GetSourceType();
    if (!m_newSourceRead || path != m_newSourcePath || type != m_newSourceType) {
        m_newSourceRead = true;
        m_newSourcePath = path;
        m_newSourceType = type;
        m_newSource = std::make_unique<qnr::CQuestionnaire>();
        m_newSourceLoaded = pelko_wave::LoadQuestionnaireFromSource(*m_newSource, path, type);
    }
    return m_newSourceLoaded ? m_newSource.get() : nullptr;
}

void CNewVolumeSheet::done(int result)
{
    QWizard::done(result == QDialog::Accepted ? int(ID_WIZFINISH) : result);
}
