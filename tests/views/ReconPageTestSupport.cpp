#include "ReconPageTestSupport.h"

#include "model/Campaign.h"
#include "model/Language.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "questionnaire/Language.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsOptions.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;

namespace recon_test {

CQuestion* AddQuestion(CCampaign& campaign, int questionId, int order, const QString& shortcut,
                       const QString& caption, int appearanceVolumeId, int questionType,
                       int elementType)
{
    CQuestion* question =
        view_test::AddQuestion(campaign, questionId, order, 1, shortcut, elementType, questionType);
    question->SetAppearanceVolumeId(appearanceVolumeId);
    question->SetShortCaption(kLanguage, caption);
    question->SetLongCaption(kLanguage, caption + QStringLiteral(" (long)"));
    return question;
}

CModality* AddResponse(CCampaign& campaign, CQuestion& question, int responseId,
                       const QString& caption, const QString& entryCode)
{
    auto response = std::make_unique<CModality>();
    response->SetModalityId(responseId);
    response->SetQuestionId(question.GetQuestionId());
    response->SetModalityOrder(question.GetModalityCount() + 1);
    response->SetEntryCode(entryCode);
    response->SetAppearanceVolumeId(question.GetAppearanceVolumeId());
    response->SetDeletionWaveId(NO_WAVE_ID);
    response->SetShortCaption(kLanguage, caption);
    CModality* raw = response.get();
    campaign.AddModality(std::move(response));
    question.InsertModality(raw);
    return raw;
}

qnr::CQuestion* AddSourceQuestion(CVolume& volume, int code, const QString& shortcut,
                                  const QString& caption, int questionType, int elementType)
{
    // The panes' volumes come without a questionnaire language.
    qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
    if (questionnaire.GetLanguageCount() == 0) {
        questionnaire.AddLanguage(qnr::CLanguage(kLanguage));
        questionnaire.SetDefaultLanguageId(kLanguage);
    }
    qnr::CQuestion* question =
        engine_test::AddSourceQuestion(volume, code, shortcut, caption, questionType, elementType);
    question->SetCaptions(kLanguage, caption + QStringLiteral(" (long)"), caption);
    return question;
}

void MatchResponse(CVolume& volume, const CQuestion& question, int responseId, int sourceCode)
{
    engine_test::MatchResponse(volume, question.GetQuestionId(), responseId, sourceCode);
}

} // namespace recon_test

CReconPageTest::CReconPageTest()
{
    Campaign().AddLanguage(
        MakeLanguage(recon_test::kLanguage, 1, QStringLiteral("English"), QStringLiteral("ENU")));
    Campaign().SetDefaultLanguageId(recon_test::kLanguage);
    Campaign().SetCurrentLanguageId(recon_test::kLanguage);
    CQuestionDiffsOptions questions;
    for (int kind = 0; kind <= 28; ++kind)
        questions.SetEnabled(kind, kind == 23 || kind == 25);
    app.SetQuestionDiffsOptions(questions);
    CModalityDiffsOptions responses;
    responses.SetEnabled(9, true);
    app.SetModalityDiffsOptions(responses);
    page.resize(1000, 600);
    page.show();
}

QString CReconPageTest::QText(int row, int col) const
{
    return page.GetQuestionGrid()->GetCellText(row, col);
}

QString CReconPageTest::RText(int row, int col) const
{
    return page.GetResponseGrid()->GetCellText(row, col);
}

QString CReconPageTest::QRow(int row, std::initializer_list<int> columns) const
{
    QStringList texts;
    for (int col : columns)
        texts << QText(row, col);
    return texts.join(u'|');
}

QString CReconPageTest::RRow(int row, std::initializer_list<int> columns) const
{
    QStringList texts;
    for (int col : columns)
        texts << RText(row, col);
    return texts.join(u'|');
}

int CReconPageTest::QDataRows() const
{
    return page.GetQuestionGrid()->GetRowCount() - kFirst;
}

int CReconPageTest::RDataRows() const
{
    return page.GetResponseGrid()->GetRowCount() - kFirst;
}
