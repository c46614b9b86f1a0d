#include "dialogs/FindQuestionDlg.h"

#include "app/WaveApp.h"
#include "controls/DialogUnits.h"
#include "controls/XListCtrl.h"
#include "dialogs/DialogControls.h"
#include "model/Campaign.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/WindowServices.h"
#include "questionnaire/Question.h"
#include "reconcile/DisplayCaptions.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace pelko_wave;

namespace {

// The source list's share of its width for the question; the volume takes the rest.
const QList<int> kSourceColumnPercents = {70};

// The application's find record; null when the application is not the program's own.
CWaveApp::SFindRecord* AppFindRecord()
{
    auto* app = dynamic_cast<CWaveApp*>(GetWaveApp());
    return app ? &app->GetFindRecord() : nullptr;
}

CCampaign* AppCampaign()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetCampaign() : nullptr;
}

} // namespace

CFindQuestionDlg::CFindQuestionDlg(QWidget* parent) : CNewDialog(IDD, parent)
{
    setWindowTitle(tr("Find Question"));
    setSizeGripEnabled(true);
    setProperty("controlId", int(IDD));

    // The text and where to look at the top, the campaign questions beside the source questions
    // below them, the status line and the buttons at the bottom.
    const SDialogUnits units = SDialogUnits::FromFont(font());
    resize(units.ToPixelsX(340), units.ToPixelsY(230));
    m_edit = MakeControl<QLineEdit>(IDC_FIND_WHAT);
    auto* findLabel = new QLabel(tr("Fi&nd what:"));
    findLabel->setBuddy(m_edit);
    m_locations[LocationShortcut] = MakeControl<QRadioButton>(IDC_SHORTCUT, tr("&Shortcut"));
    m_locations[LocationShortCaption] =
        MakeControl<QRadioButton>(IDC_SHORT_CAPTION, tr("S&hort caption"));
    m_locations[LocationLongCaption] =
        MakeControl<QRadioButton>(IDC_LONG_CAPTION, tr("&Long caption"));
    auto* locations = new QGroupBox(tr("Look in"));
    auto* locationGroup = new QButtonGroup(this);
    auto* locationLayout = new QHBoxLayout(locations);
    for (int location = LocationShortcut; location <= LocationLongCaption; ++location) {
        locationGroup->addButton(m_locations[location], location);
        locationLayout->addWidget(m_locations[location]);
    }
    locationLayout->addStretch(1);
    m_locations[LocationShortcut]->setChecked(true);

    m_campaignList = MakeControl<CXListCtrl>(IDC_CAMPAIGN_LIST);
    m_campaignList->InsertColumn(0, LoadString(IDS_CAMPAIGN_QUESTION_COLUMN));
    m_sourceList = MakeControl<CXListCtrl>(IDC_SOURCE_LIST);
    m_sourceList->InsertColumn(0, LoadString(IDS_SOURCE_QUESTION_COLUMN));
    m_sourceList->InsertColumn(1, LoadString(IDS_VOLUME_COLUMN));
    m_sourceList->SetColumnWidthPercents(kSourceColumnPercents);

    m_goTo = MakeControl<QPushButton>(IDC_GOTO, tr("&Go To"));
    m_goTo->setDefault(true);
    m_goTo->setEnabled(false);
    auto* cancel = MakeControl<QPushButton>(IDC_CANCEL, tr("Cancel"));
    cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    const int margin = units.ToPixelsX(7);
    layout->setContentsMargins(margin, margin, margin, margin);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(findLabel);
    findRow->addWidget(m_edit, 1);
    layout->addLayout(findRow);
    layout->addWidget(locations);
    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(margin);
    lists->addWidget(m_campaignList, 0, 0);
    lists->addWidget(m_sourceList, 0, 1);
    lists->setColumnStretch(0, 2);
    lists->setColumnStretch(1, 3);
    layout->addLayout(lists, 1);
    layout->addWidget(MakeSeparator(IDC_STATUS_LINE));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_goTo);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_edit, &QLineEdit::textChanged, this, [this] { Search(); });
    connect(locationGroup, &QButtonGroup::idClicked, this, &CFindQuestionDlg::OnLocationClicked);
    connect(m_campaignList, &QTreeWidget::itemSelectionChanged, this,
            &CFindQuestionDlg::OnCampaignSelection);
    connect(m_sourceList, &QTreeWidget::itemSelectionChanged, this,
            &CFindQuestionDlg::OnSourceSelection);
    connect(m_campaignList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        OnCampaignDoubleClick(m_campaignList->indexOfTopLevelItem(item));
    });
    connect(m_sourceList, &QTreeWidget::itemDoubleClicked, this, [this] { OnSourceDoubleClick(); });
    connect(m_goTo, &QPushButton::clicked, this, &CFindQuestionDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CFindQuestionDlg::reject);
}

CFindQuestionDlg::~CFindQuestionDlg() = default;

void CFindQuestionDlg::AddSourceQuestion(int volumeId, const QString& sourceId,
                                         const qnr::CQuestion& question)
{
    const int number = int(m_sources.size());
    m_sources.push_back({sourceId, volumeId});
    m_sourceIndexes[LocationShortcut].Add(question.GetShortcut(), number);
    // A source question without a caption has nothing to be found by there: an empty text would
    // be listed for every search.
    const QString shortCaption = GetSourceQuestionDisplayShortCaption(question);
    if (!shortCaption.isEmpty())
        m_sourceIndexes[LocationShortCaption].Add(shortCaption, number);
    const QString longCaption = GetSourceQuestionDisplayLongCaption(question);
    if (!longCaption.isEmpty())
        m_sourceIndexes[LocationLongCaption].Add(longCaption, number);
}

void CFindQuestionDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    CNewDialog::showEvent(event);
}

void CFindQuestionDlg::OnInitDialog()
{
    BuildCampaignIndexes();
    m_goTo->setEnabled(false);
    if (const CWaveApp::SFindRecord* record = AppFindRecord()) {
        m_location = std::clamp(record->Location, int(LocationShortcut), int(LocationLongCaption));
        const QSignalBlocker blocker(m_edit);
        m_edit->setText(record->Text);
        // Selected, so that what the user types starts a new search.
        m_edit->selectAll();
    }
    m_locations[m_location]->setChecked(true);
    Search();
}

void CFindQuestionDlg::BuildCampaignIndexes()
{
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = campaign && m_waveId != -1 ? campaign->FindWave(m_waveId) : nullptr;
    if (!wave)
        return;
    int lastVolumeId = -1;
    for (int v = 0; v < wave->GetVolumeCount(); ++v) {
        const int volumeId = wave->GetVolume(v)->GetVolumeId();
        if (lastVolumeId == -1 || campaign->IsVolumeBefore(lastVolumeId, volumeId))
            lastVolumeId = volumeId;
    }
    for (int q = 0; q < campaign->GetQuestionCount(); ++q) {
        const CQuestion& question = *campaign->GetQuestion(q);
        const int questionId = question.GetQuestionId();
        if (campaign->IsReservedQuestion(&question) || !m_allowedIds.count(questionId))
            continue;
        // Questions that appear only after the wave, or were deleted before it, are not in it.
        if (lastVolumeId != -1 &&
            campaign->IsVolumeBefore(lastVolumeId, question.GetAppearanceVolumeId()))
            continue;
        if (campaign->IsWaveBefore(question.GetDeletionWaveId(), m_waveId))
            continue;
        m_campaignIndexes[LocationShortcut].Add(question.GetShortcut(), questionId);
        const QString shortCaption = GetQuestionDisplayShortCaption(question);
        if (!shortCaption.isEmpty())
            m_campaignIndexes[LocationShortCaption].Add(shortCaption, questionId);
        const QString longCaption = GetQuestionDisplayLongCaption(question);
        if (!longCaption.isEmpty())
            m_campaignIndexes[LocationLongCaption].Add(longCaption, questionId);
    }
}

void CFindQuestionDlg::Search()
{
    m_filling = true;
    FillCampaignList();
    FillSourceList();
    m_filling = false;
    OnCampaignSelection();
    OnSourceSelection();
}

void CFindQuestionDlg::FillCampaignList()
{
    const CFindQuestionIndex& index = m_campaignIndexes[m_location];
    m_campaignList->setUpdatesEnabled(false);
    m_campaignList->DeleteAllItems();
    for (const int position : index.Find(m_edit->text())) {
        const CFindQuestionIndex::SEntry& entry = index.GetEntry(position);
        const int row = m_campaignList->InsertItem(-1, entry.Text);
        m_campaignList->SetItemToolTipText(row, 0, entry.Text);
        m_campaignList->SetItemData(row, quintptr(entry.Value));
    }
    m_campaignList->setUpdatesEnabled(true);
}

void CFindQuestionDlg::FillSourceList()
{
    const CFindQuestionIndex& index = m_sourceIndexes[m_location];
    m_sourceRows.clear();
    m_sourceList->setUpdatesEnabled(false);
    m_sourceList->DeleteAllItems();
    for (const int position : index.Find(m_edit->text())) {
        const CFindQuestionIndex::SEntry& entry = index.GetEntry(position);
        const SSource& source = m_sources[size_t(entry.Value)];
        const QString volume = VolumeName(source.VolumeId);
        const int row = m_sourceList->InsertItem(-1, entry.Text);
        m_sourceList->SetItemToolTipText(row, 0, entry.Text);
        m_sourceList->SetItemText(row, 1, volume);
        m_sourceList->SetItemToolTipText(row, 1, volume);
        m_sourceRows[row] = source;
    }
    m_sourceList->setUpdatesEnabled(true);
}

QString CFindQuestionDlg::VolumeName(int volumeId)
{
    const auto cached = m_volumeNames.find(volumeId);
    if (cached != m_volumeNames.end())
        return cached->second;
    const CCampaign* campaign = AppCampaign();
    const CVolume* volume = campaign ? campaign->FindVolume(volumeId) : nullptr;
    if (!volume)
        return QString();
    return m_volumeNames[volumeId] = volume->GetName();
}

void CFindQuestionDlg::OnLocationClicked(int location)
{
    m_location = location;
    Search();
}

void CFindQuestionDlg::OnCampaignSelection()
{
    if (m_filling)
        return;
    const int row = m_campaignList->GetCurSel();
    if (row >= 0) {
        m_chosenKind = 1;
        m_chosenQuestionId = int(m_campaignList->GetItemData(row));
    } else {
        m_chosenQuestionId = -1;
    }
    UpdateGoTo();
}

void CFindQuestionDlg::OnSourceSelection()
{
    if (m_filling)
        return;
    const auto source = m_sourceRows.find(m_sourceList->GetCurSel());
    if (source != m_sourceRows.end()) {
        m_chosenKind = 0;
        m_chosenSourceId = source->second.SourceId;
        m_chosenVolumeId = source->second.VolumeId;
    } else {
        // A list without a selection holds no choice: a source chosen before is forgotten.
        m_chosenSourceId.clear();
        m_chosenVolumeId = -1;
    }
    UpdateGoTo();
}

void CFindQuestionDlg::UpdateGoTo()
{
    m_goTo->setEnabled(m_chosenKind == 1 ? m_chosenQuestionId != -1 : m_chosenVolumeId != -1);
}

void CFindQuestionDlg::OnCampaignDoubleClick(int row)
{
    if (row < 0)
        return;
    m_chosenKind = 1;
    m_chosenQuestionId = int(m_campaignList->GetItemData(row));
    StoreSearch();
    done(IDOK);
}

void CFindQuestionDlg::OnSourceDoubleClick()
{
    OnSourceSelection();
    if (m_chosenKind == 0 && m_chosenVolumeId != -1)
        done(IDOK);
}

void CFindQuestionDlg::accept()
{
    if (!m_goTo->isEnabled())
        return;
    StoreSearch();
    done(IDOK);
}

void CFindQuestionDlg::reject()
{
    StoreSearch();
    done(IDCANCEL);
}

void CFindQuestionDlg::StoreSearch()
{
    if (CWaveApp::SFindRecord* record = AppFindRecord()) {
        record->Location = m_location;
        record->Text = m_edit->text();
    }
}
