#include "dialogs/EnvironmentGenOptionsPage.h"

#include "dialogs/DialogControls.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The numbers the environment settings take (CEnvironmentSettings).
constexpr int kMaxRecentFiles = 16;
constexpr int kMaxPathLength = 260;

// The edit's leading digits as a number; 0 when it has none.
int LeadingNumber(const QString& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    return digits == 0 ? 0 : text.left(digits).toInt();
}

} // namespace

CEnvironmentGenOptionsPage::CEnvironmentGenOptionsPage(CLanguageSettings& language,
                                                       CEnvironmentSettings& environment,
                                                       SEnvironmentPageActions actions,
                                                       QWidget* parent)
    : COptionsPage(tr("Environment::General"), parent), m_language(language),
      m_environment(environment), m_actions(std::move(actions))
{
    setProperty("controlId", int(IDD));

    auto* languages = new QGroupBox(tr("Languages"), this);
    m_currentLanguage = MakeControl<QRadioButton>(
        IDC_SOURCE_CURRENT_LANGUAGE,
        tr("Show source items in the current language of the campaign"), languages);
    m_volumeLanguage = MakeControl<QRadioButton>(
        IDC_SOURCE_VOLUME_LANGUAGE,
        tr("Show source items in the default language specified for each volume"), languages);
    auto* sourceItems = new QButtonGroup(this);
    sourceItems->addButton(m_currentLanguage, 0);
    sourceItems->addButton(m_volumeLanguage, 1);
    m_compareDefaultOnly = MakeControl<QCheckBox>(
        IDC_COMPARE_DEFAULT_ONLY, tr("Compare captions for the campaign default language, only"),
        languages);
    auto* languagesLayout = new QVBoxLayout(languages);
    languagesLayout->addWidget(m_currentLanguage);
    languagesLayout->addWidget(m_volumeLanguage);
    languagesLayout->addWidget(m_compareDefaultOnly);

    auto* recent = new QGroupBox(tr("Recently used list"), this);
    const auto makeNumberEdit = [recent](int id, int top) {
        auto* edit = MakeControl<QLineEdit>(id, recent);
        // Digits only, and no more than the setting can take.
        edit->setValidator(new QIntValidator(0, top, edit));
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        return edit;
    };
    m_recentFiles = makeNumberEdit(IDC_RECENT_FILES, kMaxRecentFiles);
    m_pathLength = makeNumberEdit(IDC_PATH_LENGTH, kMaxPathLength);
    m_clearList = MakeControl<QPushButton>(IDC_CLEAR_LIST, tr("C&lear List"), recent);
    m_clearList->setAutoDefault(false);
    auto* recentLayout = new QGridLayout(recent);
    recentLayout->addWidget(m_recentFiles, 0, 0);
    recentLayout->addWidget(new QLabel(tr("items shown in the recently used list"), recent), 0, 1);
    recentLayout->addWidget(m_pathLength, 1, 0);
    recentLayout->addWidget(new QLabel(tr("filepath length in the recently used list"), recent), 1,
                            1);
    recentLayout->addWidget(m_clearList, 0, 2, Qt::AlignRight);
    recentLayout->setColumnStretch(1, 1);

    auto* library = new QGroupBox(tr("Captions library"), this);
    m_captionLibrary = MakeControl<QLineEdit>(IDC_CAPTION_LIBRARY, library);
    auto* browse = MakeControl<QPushButton>(IDC_BROWSE, tr("&Browse..."), library);
    browse->setAutoDefault(false);
    auto* libraryLayout = new QHBoxLayout(library);
    libraryLayout->addWidget(m_captionLibrary, 1);
    libraryLayout->addWidget(browse);

    auto* source = new QGroupBox(tr("Options source"), this);
    m_optionsSource = MakeControl<QLabel>(IDC_OPTIONS_SOURCE, QString(), source);
    m_export = MakeControl<QPushButton>(IDC_EXPORT, tr("&Export..."), source);
    m_export->setAutoDefault(false);
    m_export->setToolTip(LoadString(IDS_EXPORT_OPTIONS_TIP));
    auto* sourceLayout = new QHBoxLayout(source);
    sourceLayout->addWidget(m_optionsSource, 1);
    sourceLayout->addWidget(m_export);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(languages);
    layout->addWidget(recent);
    layout->addWidget(library);
    layout->addWidget(source);
    layout->addStretch(1);

    m_clearList->setEnabled(bool(m_actions.ClearRecentFiles));
    m_export->setEnabled(bool(m_actions.ExportOptions));
    connect(m_recentFiles, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_environment.SetMRUSize(LeadingNumber(text)); });
    connect(m_pathLength, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_environment.SetMRUFileNameLength(LeadingNumber(text));
    });
    connect(m_captionLibrary, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_environment.SetCaptionsLibraryPath(text); });
    connect(browse, &QPushButton::clicked, this, &CEnvironmentGenOptionsPage::OnBrowse);
    connect(m_clearList, &QPushButton::clicked, this, &CEnvironmentGenOptionsPage::OnClearList);
    connect(m_export, &QPushButton::clicked, this, &CEnvironmentGenOptionsPage::OnExport);
}

void CEnvironmentGenOptionsPage::OnInitDialog()
{
    m_currentLanguage->setChecked(m_language.GetSourceItems() == 0);
    m_volumeLanguage->setChecked(m_language.GetSourceItems() == 1);
    m_compareDefaultOnly->setChecked(m_language.GetCompareCaptionsInDefaultLangOnly() != 0);
    m_recentFiles->setText(QString::number(m_environment.GetMRUSize()));
    m_pathLength->setText(QString::number(m_environment.GetMRUFileNameLength()));
    m_captionLibrary->setText(m_environment.GetCaptionsLibraryPath());
    m_optionsSource->setText(
        LoadString(m_actions.GlobalOptionsInUse ? IDS_GLOBAL_OPTIONS : IDS_LOCAL_OPTIONS));
}

bool CEnvironmentGenOptionsPage::OnKillActive()
{
    if (!IsInitialised())
        return true;
    if (m_currentLanguage->isChecked())
        m_language.SetSourceItems(0);
    else if (m_volumeLanguage->isChecked())
        m_language.SetSourceItems(1);
    m_language.SetCompareCaptionsInDefaultLangOnly(m_compareDefaultOnly->isChecked() ? 1 : 0);
    m_recentFiles->setText(QString::number(m_environment.GetMRUSize()));
    m_pathLength->setText(QString::number(m_environment.GetMRUFileNameLength()));
    return true;
}

void CEnvironmentGenOptionsPage::OnBrowse()
{
    const QString path = GetWindowServices().ChooseFileToOpen(QString(), QString());
    if (!path.isEmpty())
        m_captionLibrary->setText(path);
}

void CEnvironmentGenOptionsPage::OnClearList()
{
    if (!m_actions.ClearRecentFiles)
        return;
    m_actions.ClearRecentFiles();
    m_clearList->setEnabled(false);
}

void CEnvironmentGenOptionsPage::OnExport()
{
    if (!m_actions.ExportOptions)
        return;
    IWindowServices& windows = GetWindowServices();
    const QString path = windows.ChooseFileToSave(LoadString(IDS_LOCAL_OPTIONS_FILE),
                                                  LoadString(IDS_OPTIONS_FILE_FILTER),
                                                  LoadString(IDS_OPTIONS_FILE_EXTENSION));
    if (path.isEmpty())
        return;
    if (!m_actions.ExportOptions(path))
        windows.MessageBox(tr("Unable to export the options."), MB_OK | MB_ICONWARNING);
}
