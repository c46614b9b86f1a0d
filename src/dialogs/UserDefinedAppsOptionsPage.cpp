#include "dialogs/UserDefinedAppsOptionsPage.h"

#include "dialogs/DialogControls.h"
#include "platform/WindowServices.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Programs here have no extension of their own: every file is offered, and a name is taken as
// typed.
const QString kProgramFilter = QStringLiteral("All Files (*)|*||");

} // namespace

CUserDefinedAppsOptionsPage::CUserDefinedAppsOptionsPage(CUserDefinedApp& apps, QWidget* parent)
    : COptionsPage(tr("Environment::User Defined Applications"), parent), m_apps(apps)
{
    setProperty("controlId", int(IDD));
    const int titleIds[] = {IDC_TITLE1, IDC_TITLE2};
    const int pathIds[] = {IDC_PATH1, IDC_PATH2};
    const int browseIds[] = {IDC_BROWSE1, IDC_BROWSE2};
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 2; ++i) {
        auto* group = new QGroupBox(tr("Application %1").arg(i + 1), this);
        m_title[i] = MakeControl<QLineEdit>(titleIds[i], group);
        m_path[i] = MakeControl<QLineEdit>(pathIds[i], group);
        auto* browse = MakeControl<QPushButton>(browseIds[i], tr("&Browse..."), group);
        browse->setAutoDefault(false);
        auto* titleLabel = new QLabel(tr("Title:"), group);
        titleLabel->setBuddy(m_title[i]);
        auto* pathLabel = new QLabel(tr("Program:"), group);
        pathLabel->setBuddy(m_path[i]);
        auto* grid = new QGridLayout(group);
        grid->addWidget(titleLabel, 0, 0);
        grid->addWidget(m_title[i], 0, 1, 1, 2);
        grid->addWidget(pathLabel, 1, 0);
        grid->addWidget(m_path[i], 1, 1);
        grid->addWidget(browse, 1, 2);
        grid->setColumnStretch(1, 1);
        layout->addWidget(group);
        connect(browse, &QPushButton::clicked, this, [this, i] { OnBrowse(i + 1); });
    }
    layout->addStretch(1);

    connect(m_title[0], &QLineEdit::textChanged, this,
            [this](const QString& text) { m_apps.SetUserDefinedApp1Title(text); });
    connect(m_path[0], &QLineEdit::textChanged, this,
            [this](const QString& text) { m_apps.SetUserDefinedApp1Path(text); });
    connect(m_title[1], &QLineEdit::textChanged, this,
            [this](const QString& text) { m_apps.SetUserDefinedApp2Title(text); });
    connect(m_path[1], &QLineEdit::textChanged, this,
            [this](const QString& text) { m_apps.SetUserDefinedApp2Path(text); });
}

void CUserDefinedAppsOptionsPage::OnInitDialog()
{
    m_title[0]->setText(m_apps.GetUserDefinedApp1Title());
    m_path[0]->setText(m_apps.GetUserDefinedApp1Path());
    m_title[1]->setText(m_apps.GetUserDefinedApp2Title());
    m_path[1]->setText(m_apps.GetUserDefinedApp2Path());
}

void CUserDefinedAppsOptionsPage::OnBrowse(int which)
{
    if (which != 1 && which != 2)
        return;
    const QString path = GetWindowServices().ChooseFileToOpen(kProgramFilter, QString());
    if (!path.isEmpty())
        m_path[which - 1]->setText(path);
}
