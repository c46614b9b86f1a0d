#pragma once

#include <QWizardPage>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The new-volume wizard's first page: the volume's name, its questionnaire file, where its
// interviews are (with the questions, a file of their own or a database) and the form in which
// the volume keeps its paths. The source type follows what the questionnaire file's content
// shows; the radios choose the default extension of Browse... until a file is given. A path that
// cannot be used is said why under its field. Next reads the page's results.
class CNewVolumeSourcePage : public QWizardPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 127,
        IDC_SOURCE_ZOZ = 1053,
        IDC_SOURCE_TRIPLE_S = 1054,
        IDC_SOURCE_DIMENSIONS = 1055,
        IDC_QUESTION_BROWSE = 1072,
        IDC_NAME = 1073,
        IDC_INTERVIEW_BROWSE = 1077,
        IDC_CONNECT = 1079,
        IDC_INTERVIEW_PATH = 1039,
        IDC_CONNECTION_STRING = 1043,
        IDC_COPY_QUESTION_SOURCE = 1091,
        IDC_INTERVIEWS_FROM_FILE = 1096,
        IDC_INTERVIEWS_FROM_DATABASE = 1098,
        IDC_COPY_INTERVIEW_SOURCE = 1103,
        IDC_INTERVIEWS_WITH_QUESTIONS = 1108,
        IDC_QUESTION_PATH = 1112,
        IDC_PATH_RELATIVE = 1135,
        IDC_PATH_ABSOLUTE = 1136,
        IDC_PATH_UNC = 1137,
        // The lines under the path fields that say why a path cannot be used.
        IDC_QUESTION_PATH_REASON = 1180,
        IDC_INTERVIEW_PATH_REASON = 1181
    };

    explicit CNewVolumeSourcePage(QWidget* parent = nullptr);

    // Valid: a name, a questionnaire file that exists and can be read, and interviews with the
    // questions, in such a file or in a database given by a connection string.
    bool isComplete() const override;
    // Next: a questionnaire file whose content shows no questionnaire format is refused with a
    // message; otherwise the page's results are read.
    bool validatePage() override;

    // The results read by Next.
    const QString& GetName() const { return m_name; }
    // 0 ZOZ, 1 Dimensions, 2 Triple-S.
    int GetSourceType() const { return m_sourceType; }
    // 0 absolute, 1 relative, 2 UNC.
    int GetPathFormat() const { return m_pathFormat; }
    const QString& GetQuestionSource() const { return m_questionSource; }
    // The question source, the interview file or the connection string.
    const QString& GetInterviewSource() const { return m_interviewSource; }
    bool GetInterviewsWithQuestions() const { return m_withQuestions; }
    bool GetInterviewsFromDatabase() const { return m_fromDatabase; }
    // 0 until a database connection is chosen.
    int GetSurveyId() const { return m_surveyId; }
    bool GetCopyQuestionSource() const { return m_copyQuestionSource; }
    // Set only for interviews in a file of their own.
    bool GetCopyInterviewSource() const { return m_copyInterviewSource; }

    // The source type the radios show: 0 ZOZ, 1 Dimensions, 2 Triple-S.
    int GetChosenSourceType() const;

private:
    void ChooseSourceType(int sourceType);
    // The interview controls enabled by the choices made; a Triple-S or Dimensions source reads
    // its interviews from a file.
    void UpdateControls();
    // The reasons under the path fields, for the paths they hold.
    void UpdateReasons();
    void OnQuestionPathChanged();
    void Browse(QLineEdit* edit);
    void OnConnect();

    QLineEdit* m_nameEdit = nullptr;
    QButtonGroup* m_sourceTypes = nullptr;
    QLineEdit* m_questionPath = nullptr;
    QLabel* m_questionReason = nullptr;
    QCheckBox* m_copyQuestionBox = nullptr;
    QCheckBox* m_withQuestionsBox = nullptr;
    QRadioButton* m_fromFileRadio = nullptr;
    QRadioButton* m_fromDatabaseRadio = nullptr;
    QLineEdit* m_interviewPath = nullptr;
    QPushButton* m_interviewBrowse = nullptr;
    QLabel* m_interviewReason = nullptr;
    QCheckBox* m_copyInterviewBox = nullptr;
    QLineEdit* m_connectionEdit = nullptr;
    QPushButton* m_connect = nullptr;
    QButtonGroup* m_pathFormats = nullptr;

    // The connection chosen; its field shows it with the passwords masked.
    QString m_connectionString;
    int m_connectionSurveyId = 0;

    QString m_name;
    int m_sourceType = 0;
    int m_pathFormat = 1;
    QString m_questionSource;
    QString m_interviewSource;
    bool m_withQuestions = true;
    bool m_fromDatabase = false;
    int m_surveyId = 0;
    bool m_copyQuestionSource = false;
    bool m_copyInterviewSource = false;
};
