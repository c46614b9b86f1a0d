#include "model/QuestionnaireLoading.h"

#include "model/SourcePath.h"
#include "model/Volume.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/VersionInfo.h"
#include "questionnaire/Questionnaire.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace pelko_wave {

namespace {

// The language of the program's own version information, with which questionnaires are read.
int ProgramLanguageId()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetVersionInfo().GetLanguageId() : 0;
}

void SetError(QString* errorText, const QString& text)
{
    if (errorText)
        *errorText = text;
}

} // namespace

bool IsReadableSourceType(int sourceType)
{
    return sourceType == qnr::DataBaseZoz || sourceType == qnr::DataBaseDimensions ||
           sourceType == qnr::DataBaseTripleS;
}

bool LoadQuestionnaire(qnr::CQuestionnaire& questionnaire, const CSourcePath& source,
                       int sourceType, int databaseType, QString* errorText)
{
    if (!source.IsFile()) {
        SetError(errorText, LoadString(IDS_QUESTIONNAIRE_NOT_A_FILE));
        return false;
    }
    return LoadQuestionnaireFromSource(questionnaire, source.SourceString, sourceType, databaseType,
                                       errorText);
}

bool LoadQuestionnaireFromSource(qnr::CQuestionnaire& questionnaire, const QString& path,
                                 int sourceType, int /*databaseType*/, QString* errorText)
{
    if (!IsReadableSourceType(sourceType)) {
        SetError(errorText, FormatString(LoadString(IDS_SOURCE_TYPE_NOT_SUPPORTED), {sourceType}));
        return false;
    }
    if (!questionnaire.Read(path, {}, sourceType, ProgramLanguageId())) {
        SetError(errorText, questionnaire.GetLastError());
        return false;
    }
    return true;
}

bool EnsureQuestionnaireLoaded(qnr::CQuestionnaire& questionnaire, const QString& path,
                               int sourceType, int databaseType, QString* errorText)
{
    if (questionnaire.GetNbreQuestion() != 0)
        return true;
    return LoadQuestionnaireFromSource(questionnaire, path, sourceType, databaseType, errorText);
}

bool EnsureVolumeQuestionnaire(CVolume& volume, int databaseType, QString* errorText)
{
    if (volume.GetQuestionnaire().GetNbreQuestion() != 0)
        return true;
    return LoadQuestionnaire(volume.GetQuestionnaire(), volume.GetMetaData(),
                             volume.GetSourceType(), databaseType, errorText);
}

int GetQuestionnaireQuestionCount(qnr::CQuestionnaire& questionnaire, int sourceType,
                                  const QString& path, int databaseType)
{
    if (!EnsureQuestionnaireLoaded(questionnaire, path, sourceType, databaseType))
        return 0;
    return questionnaire.GetNbreQuestion();
}

void IndexQuestionnaireByCode(const qnr::CQuestionnaire& questionnaire,
                              QHash<QString, const qnr::CQuestion*>& questions)
{
    questions.clear();
    for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
        const qnr::CQuestion* question = questionnaire.GetQuestion(i);
        questions.insert(QString::number(question->GetCodeQuestion()), question);
    }
}

} // namespace pelko_wave
