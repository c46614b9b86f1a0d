#include "views/BottomView.h"

#include "app/WaveApp.h"
#include "commands/MetaCmd.h"
#include "commands/PropertyCommands.h"
#include "commands/ReconcileCommands.h"
#include "model/Campaign.h"
#include "model/ConnectionText.h"
#include "model/QuestionnaireLoading.h"
#include "model/ValueTexts.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/PropertyTexts.h"
#include "res/SourceFileFilter.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/IssueCommand.h"
#include "views/LeftView.h"

#include <QFileInfo>
#include <QVBoxLayout>

using namespace pelko_wave;

namespace {

// Status 0 to 2, source types 0 to 3, path kinds 0 to 3.
constexpr unsigned kStatusTexts[] = {63228, 63229, 63230};
constexpr unsigned kSourceTypeTexts[] = {63231, 63232, 63233, 63234};
constexpr unsigned kPathKindTexts[] = {63304, 63305, 63306, 63307};

constexpr COLORREF kReadOnlyValueColour = RGB(109, 109, 109);

const QString kWaveDateFormat = QStringLiteral("%A, %d %B %Y");

template <std::size_t N> QString TextOf(const unsigned (&ids)[N], int index)
{
    return index >= 0 && index < int(N) ? LoadString(ids[index]) : QString();
}

CCampaign* AppCampaign()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetCampaign() : nullptr;
}

bool HasUnsavedChanges()
{
    const auto* app = dynamic_cast<const CWaveApp*>(GetWaveApp());
    return app && app->IsModified();
}

CValue TextValue(const QString& text)
{
    CValue value;
    value.SetText(text);
    return value;
}

// How a date travels in a wave command: ISO 8601 text.
CValue DateValue(const QDateTime& date)
{
    return TextValue(date.toString(Qt::ISODateWithMs));
}

// Calls the pane's handler while the pane exists.
template <typename Handler> CCmdCallBack Bind(CBottomView* pane, Handler handler)
{
    return [pane = QPointer<CBottomView>(pane), handler](std::unique_ptr<CCallBackInfo> record) {
        if (pane)
            (pane->*handler)(std::move(record));
    };
}

} // namespace

CBottomView::CBottomView(QWidget* parent) : QWidget(parent), m_notSet(LoadString(IDS_NOT_SET))
{
    setObjectName(QStringLiteral("BottomView"));
    setMinimumSize(0, 0);
    m_grid = new CPropertyGrid(this);
    m_grid->setObjectName(QStringLiteral("PropertyGrid"));
    m_grid->setMinimumSize(0, 0);
    // Read-only facts in a grey that still reads well on the white grid.
    m_grid->SetColour(CPropertyGrid::COLOUR_DISABLED, kReadOnlyValueColour);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    connect(m_grid, &CPropertyGrid::PropertyItemChanged, this,
            [this](HITEM item) { OnPropertyItemChanged(item); });
}

CBottomView::~CBottomView()
{
    // The grid must not draw the custom items, members of this pane, while both go.
    m_grid->ResetContents();
}

void CBottomView::SetCampaignTree(CLeftView* tree)
{
    m_tree = tree;
}

void CBottomView::SaveLayout()
{
    view_layout::SavePaneSize(QStringLiteral("BottomView"), *this);
}

void CBottomView::ReadLayout(int& width, int& height)
{
    view_layout::ReadPaneSize(QStringLiteral("BottomView"), width, height);
}

// Filling ---------------------------------------------------------------------------------------

void CBottomView::ClearProperties()
{
    m_grid->ResetContents();
    m_campaignItems.clear();
    m_waveItems.clear();
    m_volumeItems.clear();
}

void CBottomView::BeginFill(int kind, int slotCount)
{
    m_nEditKind = kind;
    m_nShownKind = kind;
    ClearProperties();
    SlotTable().assign(std::size_t(slotCount), CPropertyGrid::NO_ITEM);
}

std::vector<HITEM>& CBottomView::SlotTable()
{
    switch (m_nEditKind) {
    case EditCampaign:
        return m_campaignItems;
    case EditWave:
        return m_waveItems;
    default:
        return m_volumeItems;
    }
}

const std::vector<HITEM>& CBottomView::SlotTable() const
{
    return const_cast<CBottomView*>(this)->SlotTable();
}

HITEM CBottomView::GetSlotItem(int slot) const
{
    if (m_nShownKind == ShownNothing)
        return CPropertyGrid::NO_ITEM;
    const std::vector<HITEM>& slots = SlotTable();
    return slot >= 0 && slot < int(slots.size()) ? slots[std::size_t(slot)]
                                                 : CPropertyGrid::NO_ITEM;
}

void CBottomView::ShowCampaignProperties()
{
    m_nWaveId = -1;
    m_nVolumeId = -1;
    m_grid->setUpdatesEnabled(false);
    BeginFill(EditCampaign, CampaignSlotCount);
    const CCampaign* campaign = AppCampaign();
    if (campaign) {
        std::vector<HITEM>& slots = m_campaignItems;
        const HSECTION section = m_grid->AddSection(QStringLiteral("Campaign Properties"));
        const QString& name = campaign->GetName();
        slots[CampaignName] = m_grid->AddStringItem(section, QStringLiteral("Name"),
                                                    name.isEmpty() ? m_notSet : name);
        const QString& description = campaign->GetDescription();
        slots[CampaignDescription] = m_grid->AddMultilineTextItem(
            section, QStringLiteral("Description"), description.isEmpty() ? m_notSet : description);
        slots[CampaignWaveCount] = m_grid->AddIntegerItem(
            section, QStringLiteral("Wave count"), campaign->GetWaveCount(), QString(), false);
        // The earliest and the latest start date among the waves that have a valid one.
        QDateTime first;
        QDateTime last;
        for (int i = 0; i < campaign->GetWaveCount(); ++i) {
            const QDateTime& start = campaign->GetWave(i)->GetWaveStart();
            if (!start.isValid())
                continue;
            if (!first.isValid() || start < first)
                first = start;
            if (!last.isValid() || start > last)
                last = start;
        }
        const QString firstName = QStringLiteral("First wave date");
        slots[CampaignFirstDate] =
            first.isValid() ? m_grid->AddDateItem(section, firstName, first, QString(), false)
                            : m_grid->AddStringItem(section, firstName, m_notSet, false);
        const QString lastName = QStringLiteral("Last wave date");
        if (last.isValid())
            slots[CampaignLastDate] =
                m_grid->AddDateItem(section, lastName, last, QString(), false);
        else
            slots[CampaignLastDateText] = m_grid->AddStringItem(section, lastName, m_notSet, false);
        slots[CampaignLanguage] =
            m_grid->AddCustomItem(section, QStringLiteral("Language"), &m_languagesItem);
    }
    m_grid->setUpdatesEnabled(true);
    m_grid->viewport()->update();
}

void CBottomView::ShowWaveProperties(int waveId)
{
    m_nWaveId = waveId;
    m_nVolumeId = -1;
    BeginFill(EditWave, WaveSlotCount);
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = campaign ? campaign->FindWave(waveId) : nullptr;
    if (!wave)
        return;
    std::vector<HITEM>& slots = m_waveItems;
    const HSECTION section = m_grid->AddSection(QStringLiteral("Wave Properties"));
    const QString& name = wave->GetName();
    slots[WaveName] =
        m_grid->AddStringItem(section, QStringLiteral("Name"), name.isEmpty() ? m_notSet : name);
    const QString& description = wave->GetDescription();
    slots[WaveDescription] = m_grid->AddMultilineTextItem(
        section, QStringLiteral("Description"), description.isEmpty() ? m_notSet : description);
    slots[WaveId] =
        m_grid->AddIntegerItem(section, QStringLiteral("ID"), wave->GetWaveId(), QString(), false);
    slots[WaveOrder] = m_grid->AddIntegerItem(section, QStringLiteral("Order"),
                                              wave->GetWaveOrder(), QString(), false);
    slots[WaveVolumeCount] = m_grid->AddIntegerItem(section, QStringLiteral("Volume count"),
                                                    wave->GetVolumeCount(), QString(), false);
    const QDateTime& start = wave->GetWaveStart();
    const QDateTime& midpoint = wave->GetWaveMidpoint();
    const QDateTime& end = wave->GetWaveEnd();
    slots[WaveStart] =
        m_grid->AddDateItem(section, QStringLiteral("Start date"), start, kWaveDateFormat);
    m_grid->SetDateRange(slots[WaveStart], nullptr, &midpoint);
    slots[WaveMidpoint] =
        m_grid->AddDateItem(section, QStringLiteral("Mid-point"), midpoint, kWaveDateFormat);
    m_grid->SetDateRange(slots[WaveMidpoint], &start, &end);
    slots[WaveEnd] = m_grid->AddDateItem(section, QStringLiteral("End date"), end, kWaveDateFormat);
    m_grid->SetDateRange(slots[WaveEnd], &midpoint, nullptr);
}

void CBottomView::ShowVolumeProperties(int volumeId)
{
    m_nVolumeId = volumeId;
    m_nWaveId = -1;
    BeginFill(EditVolume, VolumeSlotCount);
    const CCampaign* campaign = AppCampaign();
    const CVolume* volume = campaign ? campaign->FindVolume(volumeId) : nullptr;
    if (!volume)
        return;
    std::vector<HITEM>& slots = m_volumeItems;
    const HSECTION section = m_grid->AddSection(QStringLiteral("Volume Properties"));
    const QString& name = volume->GetName();
    slots[VolumeName] =
        m_grid->AddStringItem(section, QStringLiteral("Name"), name.isEmpty() ? m_notSet : name);
    slots[VolumeId] = m_grid->AddIntegerItem(section, QStringLiteral("ID"), volume->GetVolumeId(),
                                             QString(), false);
    slots[VolumeStatus] = m_grid->AddStringItem(section, QStringLiteral("Status"),
                                                TextOf(kStatusTexts, volume->GetStatus()), false);
    QString parentName = LoadString(IDS_NONE);
    if (!volume->IsRoot()) {
        const CVolume* parent = campaign->FindVolume(volume->GetInheritsFromVolumeId());
        parentName = parent ? parent->GetName() : QString();
    }
    slots[VolumeInheritsFrom] =
        m_grid->AddStringItem(section, QStringLiteral("Inherits from"), parentName, false);
    slots[VolumeType] = m_grid->AddStringItem(
        section, QStringLiteral("Type"), TextOf(kSourceTypeTexts, volume->GetSourceType()), false);

    const CSourcePath& questions = volume->GetMetaData();
    const CSourcePath& interviews = volume->GetCaseData();
    const int pathKind = questions.SourceFilePathFormat;
    QStringList formats;
    for (int kind = PATH_ABSOLUTE; kind <= (pathKind == PATH_UNKNOWN ? PATH_UNKNOWN : PATH_UNC);
         ++kind)
        formats << TextOf(kPathKindTexts, kind);
    slots[VolumePathFormat] = m_grid->AddComboItem(section, QStringLiteral("File path format"),
                                                   formats, pathKind, pathKind != PATH_UNKNOWN);

    // A source of any type is chosen from every questionnaire the program reads.
    const QString filter = SourceFileFilter();
    if (questions.IsFile()) {
        slots[VolumeQuestionFile] = m_grid->AddFileItem(
            section, QStringLiteral("Question source file"), questions.SourceString, filter);
    } else {
        slots[VolumeQuestionDb] =
            m_grid->AddStringItem(section, QStringLiteral("Question source DB"),
                                  MaskConnectionPasswords(questions.SourceString));
        slots[VolumeQuestionSurvey] = m_grid->AddIntegerItem(
            section, QStringLiteral("Question survey ID"), questions.SurveyID);
    }
    if (interviews.IsFile()) {
        slots[VolumeInterviewFile] = m_grid->AddFileItem(
            section, QStringLiteral("Interview source file"), interviews.SourceString, filter);
    } else {
        slots[VolumeInterviewDb] =
            m_grid->AddStringItem(section, QStringLiteral("Interview source DB"),
                                  MaskConnectionPasswords(interviews.SourceString));
        slots[VolumeInterviewSurvey] = m_grid->AddIntegerItem(
            section, QStringLiteral("Interview survey ID"), interviews.SurveyID);
    }

    m_questionMethodsItem.SetMatchingMethods(CMatchingMethodsItem::QuestionMethods,
                                             volume->GetQuestionMatchingMethods());
    slots[VolumeQuestionMethods] = m_grid->AddCustomItem(
        section, QStringLiteral("Question matching methods"), &m_questionMethodsItem);
    m_responseMethodsItem.SetMatchingMethods(CMatchingMethodsItem::ResponseMethods,
                                             volume->GetResponseMatchingMethods());
    slots[VolumeResponseMethods] = m_grid->AddCustomItem(
        section, QStringLiteral("Response matching methods"), &m_responseMethodsItem);
    slots[VolumeCaseSensitive] =
        m_grid->AddBoolItem(section, QStringLiteral("Case-sensitive matching"),
                            volume->GetCaseSensitiveMatching() != 0);
    slots[VolumeParentValues] =
        m_grid->AddBoolItem(section, QStringLiteral("Match using parent values"),
                            volume->GetMatchUsingAncestorValues() != 0, !volume->IsRoot());
    slots[VolumeStrict] = m_grid->AddBoolItem(section, QStringLiteral("Strict matching"),
                                              volume->IsMatchingStrict() != 0);
}

void CBottomView::Refill()
{
    switch (m_nEditKind) {
    case EditCampaign:
        ShowCampaignProperties();
        break;
    case EditWave:
        ShowWaveProperties(m_nWaveId);
        break;
    case EditVolume:
        ShowVolumeProperties(m_nVolumeId);
        break;
    default:
        break;
    }
}

// Edits -----------------------------------------------------------------------------------------

void CBottomView::OnPropertyItemChanged(HITEM item)
{
    // The properties each kind lets the user edit, in the order they are looked for.
    static const std::vector<int> kCampaignSlots = {CampaignName, CampaignDescription,
                                                    CampaignLanguage};
    static const std::vector<int> kWaveSlots = {WaveName, WaveDescription, WaveStart, WaveMidpoint,
                                                WaveEnd};
    static const std::vector<int> kVolumeSlots = {VolumeName,
                                                  VolumeQuestionFile,
                                                  VolumeQuestionDb,
                                                  VolumeQuestionSurvey,
                                                  VolumeInterviewFile,
                                                  VolumeInterviewDb,
                                                  VolumeInterviewSurvey,
                                                  VolumeQuestionMethods,
                                                  VolumeResponseMethods,
                                                  VolumeCaseSensitive,
                                                  VolumeParentValues,
                                                  VolumeStrict,
                                                  VolumePathFormat};
    if (item == CPropertyGrid::NO_ITEM || m_nEditKind == EditNothing)
        return;
    const std::vector<int>& editable = m_nEditKind == EditCampaign ? kCampaignSlots
                                       : m_nEditKind == EditWave   ? kWaveSlots
                                                                   : kVolumeSlots;
    const std::vector<HITEM>& slots = SlotTable();
    for (const int slot : editable) {
        if (slot >= int(slots.size()) || slots[std::size_t(slot)] != item)
            continue;
        switch (m_nEditKind) {
        case EditCampaign:
            OnCampaignItemChanged(slot);
            break;
        case EditWave:
            OnWaveItemChanged(slot);
            break;
        default:
            OnVolumeItemChanged(slot);
            break;
        }
        return;
    }
}

bool CBottomView::IsTextChange(const QString& text, const QString& current) const
{
    return text != current && text.compare(m_notSet, Qt::CaseInsensitive) != 0;
}

void CBottomView::OnCampaignItemChanged(int slot)
{
    CCampaign* campaign = AppCampaign();
    if (!campaign)
        return;
    const HITEM item = m_campaignItems[std::size_t(slot)];
    if (slot == CampaignLanguage) {
        int defaultPosition = 0;
        int currentPosition = 0;
        m_languagesItem.GetSelection(defaultPosition, currentPosition);
        BuildLanguageChangeCommand(defaultPosition, currentPosition);
        return;
    }
    QString text;
    if (!m_grid->GetStringValue(item, text))
        return;
    const bool name = slot == CampaignName;
    const QString& current = name ? campaign->GetName() : campaign->GetDescription();
    if (!IsTextChange(text, current)) {
        // The grid goes back to what the campaign holds ("(Not set)" typed over a name).
        if (text != (current.isEmpty() ? m_notSet : current))
            Refill();
        return;
    }
    if (!IssueCampaignCommand(std::make_unique<CCmdChangeCampaign>(
            campaign, name ? CAMPAIGN_PROP_NAME : CAMPAIGN_PROP_DESCRIPTION, TextValue(text))))
        Refill();
}

void CBottomView::OnWaveItemChanged(int slot)
{
    CCampaign* campaign = AppCampaign();
    CWave* wave = campaign ? campaign->FindWave(m_nWaveId) : nullptr;
    if (!wave)
        return;
    const HITEM item = m_waveItems[std::size_t(slot)];
    if (slot == WaveName || slot == WaveDescription) {
        QString text;
        if (!m_grid->GetStringValue(item, text))
            return;
        const bool name = slot == WaveName;
        const QString& current = name ? wave->GetName() : wave->GetDescription();
        if (!IsTextChange(text, current)) {
            if (text != (current.isEmpty() ? m_notSet : current))
                Refill();
            return;
        }
        if (!IssueWaveCommand(std::make_unique<CCmdChangeWave>(
                campaign, wave, name ? WAVE_PROP_NAME : WAVE_PROP_DESCRIPTION, TextValue(text))))
            Refill();
        return;
    }
    QDateTime date;
    if (!m_grid->GetDateTimeValue(item, date))
        return;
    const HITEM midpoint = m_waveItems[WaveMidpoint];
    QDateTime minimum;
    QDateTime maximum;
    int property = WAVE_PROP_MIDPOINT;
    switch (slot) {
    case WaveStart:
        if (date == wave->GetWaveStart())
            return;
        // The mid-point may not come before the new start.
        m_grid->GetDateRange(midpoint, minimum, maximum);
        m_grid->SetDateRange(midpoint, &date, &maximum);
        property = WAVE_PROP_START;
        break;
    case WaveMidpoint:
        if (date == wave->GetWaveMidpoint())
            return;
        break;
    case WaveEnd:
        if (date == wave->GetWaveEnd())
            return;
        m_grid->GetDateRange(midpoint, minimum, maximum);
        m_grid->SetDateRange(midpoint, &minimum, &date);
        property = WAVE_PROP_END;
        break;
    default:
        return;
    }
    if (!IssueWaveCommand(
            std::make_unique<CCmdChangeWave>(campaign, wave, property, DateValue(date))))
        Refill();
}

void CBottomView::OnVolumeItemChanged(int slot)
{
    CCampaign* campaign = AppCampaign();
    CVolume* volume = campaign ? campaign->FindVolume(m_nVolumeId) : nullptr;
    if (!volume)
        return;
    const HITEM item = m_volumeItems[std::size_t(slot)];
    const CSourcePath& questions = volume->GetMetaData();
    const CSourcePath& interviews = volume->GetCaseData();
    int property = -1;
    VolumePropertyValue value;
    bool barrier = false;
    bool showAgain = false;
    QString text;
    int number = 0;
    bool flag = false;
    switch (slot) {
    case VolumeName:
        if (!m_grid->GetStringValue(item, text))
            return;
        if (!IsTextChange(text, volume->GetName())) {
            if (text != (volume->GetName().isEmpty() ? m_notSet : volume->GetName()))
                Refill();
            return;
        }
        property = VOLUME_PROP_NAME;
        value = text;
        break;
    case VolumeQuestionFile:
    case VolumeInterviewFile: {
        const bool question = slot == VolumeQuestionFile;
        if (!m_grid->GetStringValue(item, text) ||
            text == (question ? questions : interviews).SourceString)
            return;
        if (!CheckSourceFile(text, question)) {
            Refill();
            return;
        }
        property = question ? VOLUME_PROP_QUESTIONNAIRE_SOURCE : VOLUME_PROP_INTERVIEW_SOURCE;
        value = text;
        // Earlier steps cannot be taken back past a new question source.
        barrier = question;
        break;
    }
    case VolumeQuestionDb:
    case VolumeInterviewDb: {
        const bool question = slot == VolumeQuestionDb;
        if (!m_grid->GetStringValue(item, text))
            return;
        // The item shows the text with its passwords masked: those left masked keep theirs.
        const QString& current = (question ? questions : interviews).SourceString;
        const QString edited = UnmaskConnectionPasswords(text, current);
        if (edited == current) {
            if (text != MaskConnectionPasswords(current))
                Refill();
            return;
        }
        property = question ? VOLUME_PROP_QUESTIONNAIRE_SOURCE : VOLUME_PROP_INTERVIEW_SOURCE;
        value = edited;
        // A password typed in clear is masked once taken.
        showAgain = text != MaskConnectionPasswords(edited);
        break;
    }
    case VolumeQuestionSurvey:
    case VolumeInterviewSurvey: {
        const bool question = slot == VolumeQuestionSurvey;
        if (!m_grid->GetIntegerValue(item, number) ||
            number == (question ? questions : interviews).SurveyID)
            return;
        property = question ? VOLUME_PROP_QUESTIONNAIRE_SURVEY : VOLUME_PROP_INTERVIEW_SURVEY;
        value = number;
        break;
    }
    case VolumeQuestionMethods:
    case VolumeResponseMethods: {
        const bool question = slot == VolumeQuestionMethods;
        const QList<quint32>& methods = question ? m_questionMethodsItem.GetMatchingMethods()
                                                 : m_responseMethodsItem.GetMatchingMethods();
        if (methods == (question ? volume->GetQuestionMatchingMethods()
                                 : volume->GetResponseMatchingMethods()))
            return;
        property = question ? VOLUME_PROP_QUESTION_METHODS : VOLUME_PROP_RESPONSE_METHODS;
        value = methods;
        break;
    }
    case VolumeCaseSensitive:
    case VolumeParentValues:
    case VolumeStrict: {
        if (!m_grid->GetBoolValue(item, flag))
            return;
        const int current = slot == VolumeCaseSensitive  ? volume->GetCaseSensitiveMatching()
                            : slot == VolumeParentValues ? volume->GetMatchUsingAncestorValues()
                                                         : volume->IsMatchingStrict();
        if (flag == (current != 0))
            return;
        property = slot == VolumeCaseSensitive  ? VOLUME_PROP_CASE_SENSITIVE
                   : slot == VolumeParentValues ? VOLUME_PROP_ANCESTOR_VALUES
                                                : VOLUME_PROP_STRICT;
        value = flag;
        break;
    }
    case VolumePathFormat:
        if (!m_grid->GetIntegerValue(item, number) || number == questions.SourceFilePathFormat)
            return;
        property = VOLUME_PROP_PATH_FORMAT;
        value = ESourcePathFormat(number);
        break;
    default:
        return;
    }
    auto command = std::make_unique<CCmdChangeVolume>(campaign, volume, property, value);
    command->SetHistoryBarrier(barrier);
    if (!IssueVolumeCommand(std::move(command)) || showAgain)
        Refill();
}

bool CBottomView::CheckSourceFile(const QString& path, bool question)
{
    IWindowServices& windows = GetWindowServices();
    // The warning speaks of unsaved changes that the new path keeps from being undone: a
    // campaign without them changes its path without it.
    if (question && HasUnsavedChanges() &&
        windows.MessageBoxId(IDS_CONFIRM_SOURCE_CHANGE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (!QFileInfo(path).isFile()) {
        windows.MessageBox(FormatString(LoadString(IDS_FILE_MISSING), {path}), MB_OK);
        return false;
    }
    CCampaign* campaign = AppCampaign();
    CVolume* volume = campaign ? campaign->FindVolume(m_nVolumeId) : nullptr;
    if (!volume)
        return false;
    // An unreconciled volume has no matching that the new file could break.
    if (volume->GetStatus() == VOLUME_UNRECONCILED)
        return true;
    CWaitCursor wait;
    qnr::CQuestionnaire questionnaire;
    if (GetQuestionnaireQuestionCount(questionnaire, volume->GetSourceType(), path) == 0) {
        windows.MessageBox(FormatString(LoadString(IDS_FILE_NOT_SUPPORTED), {path}), MB_OK);
        return false;
    }
    double questionsRatio = 0.0;
    double matchedRatio = 0.0;
    GetVolumeMatchStatistics(*campaign, *volume, questionnaire, questionsRatio, matchedRatio);
    if (DoublesEqual(questionsRatio, 1.0) && DoublesEqual(matchedRatio, 1.0))
        return true;
    return windows.MessageBox(FormatString(LoadString(IDS_FILE_NOT_THE_SAME), {path}),
                              MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CBottomView::BuildLanguageChangeCommand(int defaultPosition, int currentPosition)
{
    CCampaign* campaign = AppCampaign();
    if (!campaign)
        return;
    // A position outside the list (no language flagged default) names no language.
    CLanguage* chosenDefault = campaign->GetLanguageAt(defaultPosition);
    const CLanguage* chosenCurrent = campaign->GetLanguageAt(currentPosition);
    if (!chosenDefault || !chosenCurrent)
        return;
    const int currentId = chosenCurrent->GetLanguageId();
    const bool currentChanges = campaign->GetCurrentLanguageId() != currentId;
    if (chosenDefault->IsDefault()) {
        if (currentChanges)
            IssueCampaignCommand(std::make_unique<CCmdChangeCampaign>(
                campaign, CAMPAIGN_PROP_CURRENT_LANGUAGE, CValue(currentId)));
        return;
    }
    auto meta = std::make_unique<CMetaCmd>(IDS_CHANGE_LANGUAGE);
    for (int i = 0; i < campaign->GetLanguageCount(); ++i) {
        CLanguage* language = campaign->GetLanguage(i);
        if (language->IsDefault()) {
            meta->AddCmd(std::make_unique<CCmdChangeLanguage>(
                campaign, language, LANGUAGE_PROP_IS_DEFAULT, CValue(false)));
            break;
        }
    }
    meta->AddCmd(std::make_unique<CCmdChangeLanguage>(campaign, chosenDefault,
                                                      LANGUAGE_PROP_IS_DEFAULT, CValue(true)));
    meta->AddCmd(std::make_unique<CCmdChangeCampaign>(campaign, CAMPAIGN_PROP_DEFAULT_LANGUAGE,
                                                      CValue(chosenDefault->GetLanguageId())));
    meta->AddCmd(std::make_unique<CCmdPrepDefLang>(campaign));
    if (currentChanges)
        meta->AddCmd(std::make_unique<CCmdChangeCampaign>(campaign, CAMPAIGN_PROP_CURRENT_LANGUAGE,
                                                          CValue(currentId)));
    IssueCampaignCommand(std::move(meta));
}

// Commands and their handlers
// ----------------------------------------------------------------------

bool CBottomView::IssueCampaignCommand(std::unique_ptr<CCmdVirtual> command)
{
    const CCmdCallBacks callBacks{Bind(this, &CBottomView::OnCampaignChangeDone),
                                  Bind(this, &CBottomView::OnCampaignChangeUndone),
                                  Bind(this, &CBottomView::OnCampaignChangeUndone)};
    const CCmdPreCallBacks preCallBacks{Bind(this, &CBottomView::BeforeCampaignStep),
                                        Bind(this, &CBottomView::BeforeCampaignStep)};
    return IssueCommand(std::move(command), callBacks, &preCallBacks, true);
}

bool CBottomView::IssueWaveCommand(std::unique_ptr<CCmdVirtual> command)
{
    const CCmdCallBacks callBacks{Bind(this, &CBottomView::OnWaveChangeDone),
                                  Bind(this, &CBottomView::OnWaveChangeUndone),
                                  Bind(this, &CBottomView::OnWaveChangeUndone)};
    const CCmdPreCallBacks preCallBacks{Bind(this, &CBottomView::BeforeWaveStep),
                                        Bind(this, &CBottomView::BeforeWaveStep)};
    return IssueCommand(std::move(command), callBacks, &preCallBacks, true);
}

bool CBottomView::IssueVolumeCommand(std::unique_ptr<CCmdVirtual> command)
{
    auto done = [pane = QPointer<CBottomView>(this)](std::unique_ptr<CCallBackInfo> record) {
        if (pane)
            pane->OnVolumeChangeDone(std::move(record), false);
    };
    auto undone = [pane = QPointer<CBottomView>(this)](std::unique_ptr<CCallBackInfo> record) {
        if (pane)
            pane->OnVolumeChangeDone(std::move(record), true);
    };
    const CCmdCallBacks callBacks{done, undone, undone};
    const CCmdPreCallBacks preCallBacks{Bind(this, &CBottomView::BeforeVolumeStep),
                                        Bind(this, &CBottomView::BeforeVolumeStep)};
    return IssueCommand(std::move(command), callBacks, &preCallBacks, true);
}

void CBottomView::RedrawTree()
{
    if (m_tree)
        m_tree->RedrawTree();
}

void CBottomView::RepaintGrid()
{
    m_grid->viewport()->update();
}

void CBottomView::OnCampaignChangeDone(std::unique_ptr<CCallBackInfo>)
{
    RedrawTree();
    RepaintGrid();
}

void CBottomView::OnCampaignChangeUndone(std::unique_ptr<CCallBackInfo>)
{
    RedrawTree();
    ShowCampaignProperties();
    RepaintGrid();
}

void CBottomView::BeforeCampaignStep(std::unique_ptr<CCallBackInfo>)
{
    m_grid->ResetSelection();
}

void CBottomView::OnWaveChangeDone(std::unique_ptr<CCallBackInfo> record)
{
    if (!dynamic_cast<CCallBackInfoChangeWave*>(record.get()))
        return;
    RedrawTree();
    RepaintGrid();
}

void CBottomView::OnWaveChangeUndone(std::unique_ptr<CCallBackInfo> record)
{
    const auto* change = dynamic_cast<CCallBackInfoChangeWave*>(record.get());
    if (!change || !change->Object)
        return;
    RedrawTree();
    ShowWaveProperties(change->Object->GetWaveId());
    RepaintGrid();
}

void CBottomView::BeforeWaveStep(std::unique_ptr<CCallBackInfo> record)
{
    if (dynamic_cast<CCallBackInfoChangeWave*>(record.get()))
        m_grid->ResetSelection();
}

void CBottomView::OnVolumeChangeDone(std::unique_ptr<CCallBackInfo> record, bool refill)
{
    const auto* change = dynamic_cast<CCallBackInfoChangeVolume*>(record.get());
    if (!change)
        return;
    // A new question source or survey can change every wave's differences.
    if (change->Property == VOLUME_PROP_QUESTIONNAIRE_SOURCE ||
        change->Property == VOLUME_PROP_QUESTIONNAIRE_SURVEY) {
        const IWaveApp* app = GetWaveApp();
        if (CCampaignDiffsCache* cache = app ? app->GetDiffsCache() : nullptr)
            cache->InvalidateWave(0);
    }
    RedrawTree();
    if (refill && change->Volume)
        ShowVolumeProperties(change->Volume->GetVolumeId());
    RepaintGrid();
}

void CBottomView::BeforeVolumeStep(std::unique_ptr<CCallBackInfo> record)
{
    if (dynamic_cast<CCallBackInfoChangeVolume*>(record.get()))
        m_grid->ResetSelection();
}
