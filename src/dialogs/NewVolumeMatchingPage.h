#pragma once

#include "dialogs/MatchingMethodRows.h"

#include <QList>
#include <QString>
#include <QWizardPage>

namespace pelko_wave {
class CWave;
}

class CNewVolumeSheet;
class CXListCtrl;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QRadioButton;

// The new-volume wizard's last page: the question and response matching methods (ticked and put
// in trial order by dragging rows), strict or first-success matching, case sensitivity,
// matching against the parent volume's values, and how the volume's interviews line up with
// those of the wave's main volume: by interview order, or by an open or numeric question that
// both hold. Finish ("Done") reads the results.
class CNewVolumeMatchingPage : public QWizardPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 131,
        IDC_ALIGN_BY_ORDER = 1087,
        IDC_ALIGN_BY_QUESTION = 1089,
        IDC_PARENT_VALUES = 1094,
        IDC_STRICT = 1099,
        IDC_CASE_SENSITIVE = 1106,
        IDC_MAIN_QUESTIONS = 1122,
        IDC_THIS_QUESTIONS = 1123,
        IDC_MAIN_QUESTIONS_LABEL = 1124,
        IDC_THIS_QUESTIONS_LABEL = 1125,
        IDC_ALIGNMENT = 1134,
        IDC_QUESTION_METHODS = 1138,
        IDC_RESPONSE_METHODS = 1139,
        IDC_FIRST_SUCCESS = 1145,
        IDC_METHODS = 1146
    };

    explicit CNewVolumeMatchingPage(QWidget* parent = nullptr);

    // Set before the wizard is shown: the wave (its first volume is the main volume), the
    // methods in trial order (see SNewVolumeWizardInput) and case sensitivity.
    void SetWave(pelko_wave::CWave* wave) { m_wave = wave; }
    void SetQuestionMethods(const QList<quint32>& methods) { m_questionMethods = methods; }
    void SetResponseMethods(const QList<quint32>& methods) { m_responseMethods = methods; }
    void SetCaseSensitive(bool caseSensitive);

    void initializePage() override;
    void cleanupPage() override {}
    // At least one question and one response method; aligned by a common question, a question
    // chosen in both lists.
    bool isComplete() const override;
    bool validatePage() override;

    // After Finish.
    const QList<quint32>& GetQuestionMethods() const { return m_questionMethods; }
    const QList<quint32>& GetResponseMethods() const { return m_responseMethods; }
    bool IsStrict() const { return m_strict; }
    bool IsCaseSensitive() const { return m_caseSensitive; }
    bool IsMatchUsingParentValues() const { return m_parentValues; }
    // 0 by interview order, 1 by a common question.
    int GetAlignmentKind() const { return m_alignmentKind; }
    int GetMainVolumeQuestion() const { return m_mainVolumeQuestion; }
    const QString& GetCommonQuestionCode() const { return m_commonQuestionCode; }

    CXListCtrl* GetQuestionMethodList() const { return m_questionList; }
    CXListCtrl* GetResponseMethodList() const { return m_responseList; }

private:
    CNewVolumeSheet* Sheet() const;
    void FillMethods(CXListCtrl& list, const QList<SMatchingInfo>& infos,
                     const QList<quint32>& ordered, quint32 defaultMethod);
    // The main volume's open and numeric questions; false when there is no main volume or its
    // questions cannot be had.
    bool FillMainQuestions();
    // The new source's open and numeric questions; false when it cannot be read.
    bool FillThisQuestions();
    void UpdateAlignment();

    pelko_wave::CWave* m_wave = nullptr;
    bool m_setUp = false;
    bool m_mainListed = false;
    bool m_thisListed = false;
    QString m_thisListedPath;
    bool m_thisSourceRead = false;

    CXListCtrl* m_questionList = nullptr;
    CXListCtrl* m_responseList = nullptr;
    QRadioButton* m_firstSuccess = nullptr;
    QRadioButton* m_strictRadio = nullptr;
    QCheckBox* m_caseSensitiveBox = nullptr;
    QCheckBox* m_parentValuesBox = nullptr;
    QGroupBox* m_alignment = nullptr;
    QRadioButton* m_byOrder = nullptr;
    QRadioButton* m_byQuestion = nullptr;
    QListWidget* m_mainQuestions = nullptr;
    QListWidget* m_thisQuestions = nullptr;

    QList<quint32> m_questionMethods;
    QList<quint32> m_responseMethods;
    bool m_strict = false;
    bool m_caseSensitive = false;
    bool m_parentValues = false;
    int m_alignmentKind = 0;
    int m_mainVolumeQuestion = 0;
    QString m_commonQuestionCode;
};
