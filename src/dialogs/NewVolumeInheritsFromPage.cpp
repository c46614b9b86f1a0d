#include "dialogs/NewVolumeInheritsFromPage.h"

#include "controls/XListCtrl.h"
#include "dialogs/DialogControls.h"
#include "dialogs/NewVolumeSheet.h"
#include "dialogs/NewVolumeSourcePage.h"
#include "model/Campaign.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/FormatString.h"
#include "reconcile/PropertyTexts.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

using pelko_wave::CVolume;
using pelko_wave::CWave;

unsigned InheritanceRatingId(double percent)
{
    if (percent > 90)
        return IDS_EXCELLENT;
    if (percent > 70)
        return IDS_GOOD;
    if (percent > 30)
        return IDS_FAIR;
    return IDS_POOR;
}

CNewVolumeInheritsFromPage::CNewVolumeInheritsFromPage(QWidget* parent) : QWizardPage(parent)
{
    setProperty("controlId", int(IDD));
    m_notInheriting = MakeControl<QRadioButton>(IDC_NOT_INHERITING, tr("&Not using inheritance"));
    m_inherits = MakeControl<QRadioButton>(IDC_INHERITS, tr("&Inherits from another volume"));
    auto* choice = new QButtonGroup(this);
    choice->addButton(m_notInheriting);
    choice->addButton(m_inherits);
    m_notInheriting->setChecked(true);

    m_list = MakeControl<CXListCtrl>(IDC_ANCESTORS);
    m_list->SetGridLines(true);
    m_list->InsertColumn(0, LoadString(IDS_VOLUME_NAME_COLUMN));
    m_list->InsertColumn(1, LoadString(IDS_RELATIVE_SIZE));
    m_list->InsertColumn(2, LoadString(IDS_COMPATIBILITY));
    m_list->SetColumnWidthPercents({45, 20});
    auto* label = MakeControl<QLabel>(IDC_ANCESTORS_LABEL, tr("&Ancestor volumes"));
    label->setBuddy(m_list);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_notInheriting);
    layout->addWidget(m_inherits);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);

    connect(choice, &QButtonGroup::buttonClicked, this, [this] {
        UpdateList();
        Q_EMIT completeChanged();
    });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { Q_EMIT completeChanged(); });
    UpdateList();
}

CNewVolumeSheet* CNewVolumeInheritsFromPage::Sheet() const
{
    return qobject_cast<CNewVolumeSheet*>(wizard());
}

QList<CVolume*> CNewVolumeInheritsFromPage::Candidates() const
{
    QList<CVolume*> candidates;
    const pelko_wave::CCampaign* campaign = Sheet() ? Sheet()->GetCampaign() : nullptr;
    if (!campaign || !m_wave)
        return candidates;
    // The volumes before the new one, which goes last in its wave.
    for (int w = 0; w < campaign->GetWaveCount(); ++w) {
        const CWave* wave = campaign->GetWave(w);
        for (int v = 0; v < wave->GetVolumeCount(); ++v)
            candidates << wave->GetVolume(v);
        if (wave == m_wave)
            return candidates;
    }
    // A wave the campaign does not hold gives none.
    return {};
}

void CNewVolumeInheritsFromPage::initializePage()
{
    const QList<CVolume*> candidates = Candidates();
    if (candidates.isEmpty()) {
        m_notInheriting->setChecked(true);
        m_inherits->setEnabled(false);
        m_list->DeleteAllItems();
        m_listed = false;
    } else {
        m_inherits->setEnabled(true);
        const QString& path = Sheet()->GetSourcePage()->GetQuestionSource();
        if (!m_listed || path != m_listedPath) {
            FillList(candidates);
            m_listedPath = path;
            m_listed = true;
        }
    }
    UpdateList();
    Q_EMIT completeChanged();
}

void CNewVolumeInheritsFromPage::FillList(const QList<CVolume*>& candidates)
{
    // The new source is read once for all the rows.
    const qnr::CQuestionnaire* source = Sheet()->GetNewSource();
    const pelko_wave::CCampaign& campaign = *Sheet()->GetCampaign();
    m_list->DeleteAllItems();
    for (CVolume* volume : candidates) {
        double relativeSize = 0;
        double compatibility = 0;
        if (source)
            GetVolumeMatchStatistics(campaign, *volume, *source, relativeSize, compatibility);
        const CWave* wave = volume->GetWave();
        const int row = m_list->InsertItem(
            m_list->GetItemCount(),
            FormatString(QStringLiteral("%s - %s"),
                         {wave ? wave->GetName() : QString(), volume->GetName()}));
        m_list->SetItemText(row, 1,
                            FormatString(QStringLiteral("%#02.2f%%"), {relativeSize * 100}));
        m_list->SetItemText(row, 2,
                            FormatString(QStringLiteral("%#02.2f%% (%s)"),
                                         {compatibility * 100,
                                          LoadString(InheritanceRatingId(compatibility * 100))}));
        m_list->SetItemData(row, quintptr(volume->GetVolumeId()));
        // A volume that already has an heir cannot take another.
        m_list->SetEnabled(row, volume->GetChildVolumeCount() == 0);
    }
}

void CNewVolumeInheritsFromPage::UpdateList()
{
    m_list->setEnabled(m_inherits->isEnabled() && m_inherits->isChecked());
}

bool CNewVolumeInheritsFromPage::isComplete() const
{
    if (m_notInheriting->isChecked())
        return true;
    return m_inherits->isChecked() && m_list->selectedItems().size() == 1;
}

bool CNewVolumeInheritsFromPage::validatePage()
{
    if (!isComplete())
        return false;
    const int row = m_list->GetCurSel();
    m_ancestorVolumeId = m_inherits->isChecked() && row >= 0 ? int(m_list->GetItemData(row)) : -1;
    return true;
}
