#pragma once

#include "dialogs/DiffsDlg.h"

namespace pelko_wave {
class CQuestion;
}
namespace qnr {
class CQuestion;
}

// Shows how a source question differs from the campaign question it is matched to, one row per
// difference, and lets the user choose the campaign's value difference by difference. Opened
// by the reconciliation page's View Question Differences, which reads the choices (GetResults)
// or acts on Update All (257) and New Question (258) itself.
class CQuestionDiffsDlg : public CDiffsDlg
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 126,
        IDC_NEW_QUESTION = 1131
    };

    explicit CQuestionDiffsDlg(QWidget* parent = nullptr);

    // The campaign question and the source question compared (borrowed; alive while the dialog
    // is). Before the dialog is shown.
    void SetQuestions(const pelko_wave::CQuestion* campaignQuestion,
                      const qnr::CQuestion* sourceQuestion);
    // The wave and the volume of the source question: the campaign question's response count is
    // the number of its responses there.
    void SetWaveId(int waveId) { m_waveId = waveId; }
    void SetVolumeId(int volumeId) { m_volumeId = volumeId; }
    // Whether the dialog ended with New Question.
    bool IsNewQuestion() const { return m_newQuestion; }

    // "Chapter", "Question", "Loop" (0 to 2); the number for any other.
    static QString ElementTypeText(int elementType);
    // "Closed" (1), "Date" (3), "Open" (4), "Numeric" (5), "Probability" (8); the number for any
    // other.
    static QString QuestionTypeText(int questionType);

protected:
    QString RowCaption(int kind, int languageId) const override;
    SDiffRowView DescribeRow(int kind, int languageId) const override;
    bool IsInFirstSet(int kind) const override;
    bool IsInSecondSet(int kind) const override;
    std::optional<QString> SourceValue(int kind, int languageId) const override;
    QString ShownValue(int kind, const QString& value) const override;
    QString StoredValue(int kind, const QString& shown) const override;
    unsigned UpdateAllPrompt() const override;
    unsigned NewItemPrompt() const override;
    void OnNewItemConfirmed() override { m_newQuestion = true; }

private:
    // The campaign question's and the source question's caption of the kind (23 short, 24 long)
    // in the language.
    QString CampaignCaption(int kind, int languageId) const;
    QString SourceCaption(int kind, int languageId) const;

    const pelko_wave::CQuestion* m_question = nullptr;
    const qnr::CQuestion* m_source = nullptr;
    int m_waveId = -1;
    int m_volumeId = -1;
    bool m_newQuestion = false;
};
