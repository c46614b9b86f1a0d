#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks where a volume's interviews are when a database holds them: a connection string (a Qt
// Sql driver and its settings, see SurveyConnection.h) and the numeric ID of the survey in that
// database. Test... tries the pair on a connection of its own and says how it went; OK takes
// the pair whatever the test said.
class CDBConnectionDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 122,
        IDC_CONNECTION_STRING = 1031,
        IDC_SURVEY_ID = 1035,
        IDC_TEST = 1084,
        IDC_SEPARATOR = 1111,
        IDC_OK = 1,
        IDC_CANCEL = 2
    };

    explicit CDBConnectionDlg(QWidget* parent = nullptr);

    QString GetConnectionString() const;
    // The survey ID text as a decimal number: its leading digits (0 when there are none), kept
    // within the range of an int.
    int GetSurveyId() const;

    // Test...: counts the survey's data structure rows on the connection and shows the outcome.
    void OnTest();

private:
    void UpdateOk();

    QLineEdit* m_connection = nullptr;
    QLineEdit* m_surveyId = nullptr;
    QPushButton* m_ok = nullptr;
};
