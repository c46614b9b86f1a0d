#include "dialogs/NewVolumeSourcePage.h"

#include "dialogs/DialogControls.h"
#include "model/ConnectionText.h"
#include "model/ModelIds.h"
#include "platform/WindowServices.h"
#include "questionnaire/SourceType.h"
#include "res/SourceFileFilter.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/ViewDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(int id, const QString& text)
{
    auto* button = MakeControl<QPushButton>(id, text);
    button->setAutoDefault(false);
    return button;
}

// The line under a path field that says why the path cannot be used.
QLabel* MakeReasonLabel(int id)
{
    auto* label = MakeControl<QLabel>(id);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setVisible(false);
    return label;
}

// Shows the reason, or hides the line when there is none.
void ShowReason(QLabel& label, const QString& reason)
{
    label.setText(reason);
    label.setVisible(!reason.isEmpty());
}

// Why a source path cannot be read as a file: it names nothing, a folder, something else that
// is no ordinary file (a device, a pipe), or a file the user may not read. Empty for a readable
// file, and for an empty path (nothing was given yet).
QString SourcePathProblem(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const QFileInfo file(path);
    if (!file.exists())
        return LoadString(IDS_NO_SUCH_FILE);
    if (file.isDir())
        return LoadString(IDS_FOLDER_NOT_FILE);
    if (!file.isFile())
        return LoadString(IDS_NOT_AN_ORDINARY_FILE);
    if (!file.isReadable())
        return LoadString(IDS_FILE_NOT_READABLE);
    return QString();
}

bool IsReadableFile(const QString& path)
{
    return !path.isEmpty() && SourcePathProblem(path).isEmpty();
}

} // namespace

CNewVolumeSourcePage::CNewVolumeSourcePage(QWidget* parent) : QWizardPage(parent)
{
    setProperty("controlId", int(IDD));

    m_nameEdit = MakeControl<QLineEdit>(IDC_NAME);
    auto* nameRow = new QFormLayout;
    nameRow->addRow(tr("Volume &name:"), m_nameEdit);

    // Where the questions come from.
    m_sourceTypes = new QButtonGroup(this);
    QRadioButton* zoz = MakeControl<QRadioButton>(IDC_SOURCE_ZOZ, tr("&ZOZ"));
    QRadioButton* tripleS = MakeControl<QRadioButton>(IDC_SOURCE_TRIPLE_S, tr("&Triple-S"));
    QRadioButton* dimensions = MakeControl<QRadioButton>(IDC_SOURCE_DIMENSIONS, tr("&Dimensions"));
    m_sourceTypes->addButton(zoz, pelko_wave::SOURCE_ZOZ);
    m_sourceTypes->addButton(tripleS, pelko_wave::SOURCE_TRIPLE_S);
    m_sourceTypes->addButton(dimensions, pelko_wave::SOURCE_DIMENSIONS);
    zoz->setChecked(true);
    m_questionPath = MakeControl<QLineEdit>(IDC_QUESTION_PATH);
    QPushButton* questionBrowse = MakeButton(IDC_QUESTION_BROWSE, tr("&Browse..."));
    m_questionReason = MakeReasonLabel(IDC_QUESTION_PATH_REASON);
    m_copyQuestionBox = MakeControl<QCheckBox>(IDC_COPY_QUESTION_SOURCE,
                                               tr("Create &working copy of the source file"));

    auto* questions = new QGroupBox(tr("Questions"));
    auto* questionsLayout = new QGridLayout(questions);
    auto* types = new QHBoxLayout;
    types->addWidget(zoz);
    types->addWidget(tripleS);
    types->addWidget(dimensions);
    types->addStretch(1);
    questionsLayout->addWidget(new QLabel(tr("Source type:")), 0, 0);
    questionsLayout->addLayout(types, 0, 1, 1, 2);
    auto* questionLabel = new QLabel(tr("&Source file:"));
    questionLabel->setBuddy(m_questionPath);
    questionsLayout->addWidget(questionLabel, 1, 0);
    questionsLayout->addWidget(m_questionPath, 1, 1);
    questionsLayout->addWidget(questionBrowse, 1, 2);
    questionsLayout->addWidget(m_questionReason, 2, 1, 1, 2);
    questionsLayout->addWidget(m_copyQuestionBox, 3, 1, 1, 2);
    questionsLayout->setColumnStretch(1, 1);

    // Where the interviews come from.
    m_withQuestionsBox = MakeControl<QCheckBox>(IDC_INTERVIEWS_WITH_QUESTIONS,
                                                tr("&Interviews are stored with the questions"));
    m_withQuestionsBox->setChecked(true);
    auto* interviewSources = new QButtonGroup(this);
    m_fromFileRadio =
        MakeControl<QRadioButton>(IDC_INTERVIEWS_FROM_FILE, tr("Read interviews from &file"));
    m_fromDatabaseRadio = MakeControl<QRadioButton>(IDC_INTERVIEWS_FROM_DATABASE,
                                                    tr("Read interviews from data&base "));
    interviewSources->addButton(m_fromFileRadio, 0);
    interviewSources->addButton(m_fromDatabaseRadio, 1);
    m_fromFileRadio->setChecked(true);
    m_interviewPath = MakeControl<QLineEdit>(IDC_INTERVIEW_PATH);
    m_interviewBrowse = MakeButton(IDC_INTERVIEW_BROWSE, tr("Br&owse..."));
    m_interviewReason = MakeReasonLabel(IDC_INTERVIEW_PATH_REASON);
    m_copyInterviewBox = MakeControl<QCheckBox>(IDC_COPY_INTERVIEW_SOURCE,
                                                tr("Create working &copy of the source file"));
    m_connectionEdit = MakeControl<QLineEdit>(IDC_CONNECTION_STRING);
    m_connectionEdit->setReadOnly(true);
    m_connect = MakeButton(IDC_CONNECT, tr("Co&nnect..."));

    auto* interviews = new QGroupBox(tr("Interviews"));
    auto* interviewsLayout = new QGridLayout(interviews);
    interviewsLayout->addWidget(m_withQuestionsBox, 0, 0, 1, 3);
    interviewsLayout->addWidget(m_fromFileRadio, 1, 0, 1, 3);
    interviewsLayout->addWidget(m_interviewPath, 2, 1);
    interviewsLayout->addWidget(m_interviewBrowse, 2, 2);
    interviewsLayout->addWidget(m_interviewReason, 3, 1, 1, 2);
    interviewsLayout->addWidget(m_copyInterviewBox, 4, 1, 1, 2);
    interviewsLayout->addWidget(m_fromDatabaseRadio, 5, 0, 1, 3);
    interviewsLayout->addWidget(m_connectionEdit, 6, 1);
    interviewsLayout->addWidget(m_connect, 6, 2);
    interviewsLayout->setColumnMinimumWidth(0, fontMetrics().averageCharWidth() * 3);
    interviewsLayout->setColumnStretch(1, 1);

    // How the volume keeps its paths.
    m_pathFormats = new QButtonGroup(this);
    QRadioButton* relative = MakeControl<QRadioButton>(IDC_PATH_RELATIVE, tr("&Relative"));
    QRadioButton* absolute = MakeControl<QRadioButton>(IDC_PATH_ABSOLUTE, tr("&Absolute"));
    QRadioButton* unc = MakeControl<QRadioButton>(IDC_PATH_UNC, tr("&UNC"));
    m_pathFormats->addButton(relative, pelko_wave::PATH_RELATIVE);
    m_pathFormats->addButton(absolute, pelko_wave::PATH_ABSOLUTE);
    m_pathFormats->addButton(unc, pelko_wave::PATH_UNC);
    relative->setChecked(true);
    auto* formats = new QGroupBox(tr("Path format"));
    auto* formatsLayout = new QHBoxLayout(formats);
    formatsLayout->addWidget(relative);
    formatsLayout->addWidget(absolute);
    formatsLayout->addWidget(unc);
    formatsLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(questions);
    layout->addWidget(interviews);
    layout->addWidget(formats);
    layout->addStretch(1);

    const auto changed = [this] { Q_EMIT completeChanged(); };
    connect(m_nameEdit, &QLineEdit::textChanged, this, changed);
    connect(m_questionPath, &QLineEdit::textChanged, this,
            &CNewVolumeSourcePage::OnQuestionPathChanged);
    connect(m_interviewPath, &QLineEdit::textChanged, this, [this] {
        UpdateReasons();
        Q_EMIT completeChanged();
    });
    connect(m_connectionEdit, &QLineEdit::textChanged, this, changed);
    connect(m_sourceTypes, &QButtonGroup::idClicked, this,
            [this](int type) { ChooseSourceType(type); });
    connect(m_withQuestionsBox, &QCheckBox::clicked, this, [this] {
        UpdateControls();
        Q_EMIT completeChanged();
    });
    connect(interviewSources, &QButtonGroup::idClicked, this, [this] {
        UpdateControls();
        Q_EMIT completeChanged();
    });
    connect(questionBrowse, &QPushButton::clicked, this, [this] { Browse(m_questionPath); });
    connect(m_interviewBrowse, &QPushButton::clicked, this, [this] { Browse(m_interviewPath); });
    connect(m_connect, &QPushButton::clicked, this, &CNewVolumeSourcePage::OnConnect);
    UpdateControls();
}

int CNewVolumeSourcePage::GetChosenSourceType() const
{
    return m_sourceTypes->checkedId();
}

void CNewVolumeSourcePage::ChooseSourceType(int sourceType)
{
    if (QAbstractButton* radio = m_sourceTypes->button(sourceType))
        radio->setChecked(true);
    UpdateControls();
    Q_EMIT completeChanged();
}

void CNewVolumeSourcePage::UpdateControls()
{
    const bool withQuestions = m_withQuestionsBox->isChecked();
    // Only a ZOZ volume reads its interviews from a database.
    const bool databaseAllowed = GetChosenSourceType() == pelko_wave::SOURCE_ZOZ;
    if (!withQuestions && !databaseAllowed && m_fromDatabaseRadio->isChecked())
        m_fromFileRadio->setChecked(true);
    const bool fromFile = m_fromFileRadio->isChecked();
    m_fromFileRadio->setEnabled(!withQuestions);
    m_fromDatabaseRadio->setEnabled(!withQuestions && databaseAllowed);
    m_interviewPath->setEnabled(!withQuestions && fromFile);
    m_interviewBrowse->setEnabled(!withQuestions && fromFile);
    m_copyInterviewBox->setEnabled(!withQuestions && fromFile);
    m_connectionEdit->setEnabled(!withQuestions && !fromFile);
    m_connect->setEnabled(!withQuestions && !fromFile);
    UpdateReasons();
}

void CNewVolumeSourcePage::UpdateReasons()
{
    ShowReason(*m_questionReason, SourcePathProblem(m_questionPath->text()));
    // The interview file's line only while the interviews come from that file.
    ShowReason(*m_interviewReason, m_interviewPath->isEnabled()
                                       ? SourcePathProblem(m_interviewPath->text())
                                       : QString());
}

void CNewVolumeSourcePage::OnQuestionPathChanged()
{
    UpdateReasons();
    // A file that shows its format sets the source type.
    const QString path = m_questionPath->text();
    if (IsReadableFile(path)) {
        const int detected = qnr::DetectSourceType(path);
        if (detected >= 0 && detected != GetChosenSourceType()) {
            ChooseSourceType(detected);
            return;
        }
    }
    Q_EMIT completeChanged();
}

void CNewVolumeSourcePage::Browse(QLineEdit* edit)
{
    // Every chooser lists every questionnaire the program reads first; the chosen type gives
    // the default extension only.
    QString extension = LoadString(IDS_ZOZ_EXTENSION);
    switch (GetChosenSourceType()) {
    case pelko_wave::SOURCE_TRIPLE_S:
        extension = LoadString(IDS_TRIPLE_S_EXTENSION);
        break;
    case pelko_wave::SOURCE_DIMENSIONS:
        extension = LoadString(IDS_DIMENSIONS_EXTENSION);
        break;
    default:
        break;
    }
    const QString path = GetWindowServices().ChooseFileToOpen(SourceFileFilter(), extension);
    if (!path.isEmpty())
        edit->setText(path);
}

void CNewVolumeSourcePage::OnConnect()
{
    IViewDialogs* dialogs = GetViewDialogs();
    if (!dialogs)
        return;
    SDBConnection connection;
    const CModalDialogScope modal;
    if (dialogs->RunDBConnectionDlg(this, connection) != IDOK)
        return;
    m_connectionSurveyId = connection.SurveyId;
    m_connectionString = connection.ConnectionString;
    m_connectionEdit->setText(pelko_wave::MaskConnectionPasswords(m_connectionString));
}

bool CNewVolumeSourcePage::isComplete() const
{
    if (m_nameEdit->text().trimmed().isEmpty() || !IsReadableFile(m_questionPath->text()))
        return false;
    if (m_withQuestionsBox->isChecked())
        return true;
    if (m_fromFileRadio->isChecked())
        return IsReadableFile(m_interviewPath->text());
    return !m_connectionString.isEmpty();
}

bool CNewVolumeSourcePage::validatePage()
{
    if (!isComplete())
        return false;
    const QString questionPath = m_questionPath->text();
    const int detected = qnr::DetectSourceType(questionPath);
    if (detected < 0) {
        GetWindowServices().MessageBox(QDir::toNativeSeparators(questionPath) +
                                           QStringLiteral("\n\n") +
                                           LoadString(IDS_NOT_A_QUESTIONNAIRE),
                                       MB_ICONWARNING);
        return false;
    }
    if (detected != GetChosenSourceType())
        ChooseSourceType(detected);

    m_name = m_nameEdit->text().trimmed();
    m_sourceType = detected;
    m_pathFormat = m_pathFormats->checkedId();
    m_questionSource = questionPath;
    m_withQuestions = m_withQuestionsBox->isChecked();
    m_fromDatabase = !m_withQuestions && m_fromDatabaseRadio->isChecked();
    if (m_withQuestions)
        m_interviewSource = questionPath;
    else if (m_fromDatabase)
        m_interviewSource = m_connectionString;
    else
        m_interviewSource = m_interviewPath->text();
    m_surveyId = m_fromDatabase ? m_connectionSurveyId : 0;
    m_copyQuestionSource = m_copyQuestionBox->isChecked();
    m_copyInterviewSource = !m_withQuestions && !m_fromDatabase && m_copyInterviewBox->isChecked();
    return true;
}
