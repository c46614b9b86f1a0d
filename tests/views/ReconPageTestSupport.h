#pragma once

#include "EngineFixtures.h"
#include "ViewTestSupport.h"

#include "views/RightReconciliationPage.h"

#include <QString>

namespace pelko_wave {
class CModality;
}
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

class CWaveGridCtrl;

// Campaigns of the reconciliation page's tests: campaign and source items with captions in one
// language, and the matchings between them, built directly in the model. The source responses
// and the question matchings are the engine tests' own.
namespace recon_test {

using engine_test::AddSourceResponse;
using engine_test::kLanguage;
using engine_test::MatchQuestion;

// A campaign question (closed unless said) at the order, appeared in the volume, with its short
// and long caption.
pelko_wave::CQuestion* AddQuestion(pelko_wave::CCampaign& campaign, int questionId, int order,
                                   const QString& shortcut, const QString& caption,
                                   int appearanceVolumeId, int questionType = 1,
                                   int elementType = 1);
// A response at the end of the question (orders from 1), appeared where the question did.
pelko_wave::CModality* AddResponse(pelko_wave::CCampaign& campaign, pelko_wave::CQuestion& question,
                                   int responseId, const QString& caption,
                                   const QString& entryCode = QString());
// A source question at the end of the volume's questionnaire (made in memory), its captions the
// same as the campaign question's of that caption would be.
qnr::CQuestion* AddSourceQuestion(pelko_wave::CVolume& volume, int code, const QString& shortcut,
                                  const QString& caption, int questionType = 1,
                                  int elementType = 1);
void MatchResponse(pelko_wave::CVolume& volume, const pelko_wave::CQuestion& question,
                   int responseId, int sourceCode);

} // namespace recon_test

// A test of the reconciliation page: the application with a campaign in kLanguage, the
// difference options comparing only the short captions of questions (23), the response count
// (25) and the captions of responses (9), and the page shown at 1000 x 600.
class CReconPageTest : public CViewTest
{
protected:
    CReconPageTest();

    // The text of a cell of the question or the response grid.
    QString QText(int row, int col) const;
    QString RText(int row, int col) const;
    // A data row's cells of the columns given, joined by "|".
    QString QRow(int row, std::initializer_list<int> columns) const;
    QString RRow(int row, std::initializer_list<int> columns) const;
    int QDataRows() const;
    int RDataRows() const;
    // The first data row of a grid.
    static constexpr int kFirst = CRightReconciliationPage::kFixedRows;

    CRightReconciliationPage page;
};
