#include "dialogs/FixAllDlg.h"

#include "commands/PropertyCommands.h"
#include "controls/DialogUnits.h"
#include "controls/SimpleBrowser.h"
#include "controls/XListCtrl.h"
#include "dialogs/DialogControls.h"
#include "dialogs/ReportDlg.h"
#include "model/Campaign.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "platform/WindowServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DifferenceLines.h"
#include "reconcile/Differences.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/PropertyCaptions.h"
#include "reconcile/PropertyValues.h"
#include "reconcile/ReconciliationReport.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/IssueCommand.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

#include <algorithm>

using namespace pelko_wave;

namespace {

const QString kQuestionOpener = QStringLiteral("<p class = \"header\"/>\n");
const QString kModalityOpener = QStringLiteral("<p class = \"indent1 color1\"/>\n");
const QString kQuestionPartOpener = QStringLiteral("<p class = \"indent1 color1\"/>\n");
const QString kModalityPartOpener = QStringLiteral("<p class = \"indent2 color2\"/>\n");
const QString kPairEnd = QStringLiteral("<HR />\n");
const QString kReportEnd = QStringLiteral("</body>\n</html>\n");

// The list's share of its width: the check boxes, then the parts; the counts take the rest.
const QList<int> kColumnPercents = {20, 60};

CCaptionValue CaptionValue(const QString& text, int languageId)
{
    CValue value;
    value.SetText(text);
    return CCaptionValue(value, languageId);
}

// The kinds of a key's entries, ascending, each with the record of its first entry.
template <class Map, class Key> std::map<int, CDiffInfoPtr> CollectKinds(const Map& map, Key key)
{
    std::map<int, CDiffInfoPtr> kinds;
    const int count = map.Count(key);
    for (int n = 0; n < count; ++n)
        kinds.emplace(map.GetNthRow(key, n), map.GetNthPayload(key, n));
    return kinds;
}

// The source's value of a property as the change command reads it: flags as "True" or "False",
// whole numbers in decimal, real numbers in full, texts as they stand. The texts shown for a value
// are not always readable back (a date type shows as a flag, a response value as a whole
// number), so the command is never given those.
CValue CommandValue(EValueForm form, const SPropertyValue& value)
{
    CValue result;
    switch (form) {
    case EValueForm::Flag:
        result.SetBool(value.Number != 0.0);
        break;
    case EValueForm::Integer:
        result.SetInt(int(value.Number));
        break;
    case EValueForm::Real:
        result.SetText(QString::number(value.Number, 'g', QLocale::FloatingPointShortest));
        break;
    default:
        result.SetText(value.Text);
        break;
    }
    return result;
}

// How each change command reads the properties the dialog offers.
EValueForm QuestionCommandForm(int part)
{
    switch (part) {
    case 2:
        return EValueForm::Text;
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 15:
    case 17:
    case 22:
        return EValueForm::Flag;
    case 13:
    case 14:
        return EValueForm::Real;
    default:
        return EValueForm::Integer;
    }
}

EValueForm ModalityCommandForm(int part)
{
    switch (part) {
    case 3:
        return EValueForm::Real;
    case 5:
        return EValueForm::Flag;
    default:
        return EValueForm::Integer;
    }
}

// The check box drawn in the header of the check-box column: ticked when every row is.
QIcon HeaderCheckIcon(const QWidget& widget, bool checked)
{
    QStyleOptionButton option;
    option.initFrom(&widget);
    const int size = widget.style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, &widget);
    option.rect = QRect(0, 0, size, size);
    option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    widget.style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, &widget);
    painter.end();
    return QIcon(image);
}

} // namespace

// One Update run: walks the wave's matched pairs that have differences, fixes the selected
// parts through commands, writes the account and computes each visited pair anew.
class CFixAllDlg::CRun
{
public:
    CRun(CFixAllDlg& dialog, CCampaign& campaign, CWave& wave)
        : m_dialog(dialog), m_campaign(campaign), m_wave(wave)
    {
    }

    QString Run()
    {
        // The questions that have differences, and in which volumes: only those are visited,
        // in campaign order and, within a question, in wave order.
        std::map<int, std::set<int>> pairs;
        CRowMultimap::CKey key;
        int kind = 0;
        for (bool more = m_dialog.m_questionDiffs.GetFirst(key, kind); more;
             more = m_dialog.m_questionDiffs.GetNext(key, kind))
            pairs[int(key.first)].insert(int(key.second));
        for (int q = 0; q < m_campaign.GetQuestionCount() && !pairs.empty(); ++q) {
            CQuestion& question = *m_campaign.GetQuestion(q);
            const auto volumes = pairs.find(question.GetQuestionId());
            if (volumes == pairs.end())
                continue;
            for (int v = 0; v < m_wave.GetVolumeCount(); ++v) {
                CVolume& volume = *m_wave.GetVolume(v);
                if (volumes->second.count(volume.GetVolumeId()))
                    FixPair(question, volume);
            }
            pairs.erase(volumes);
        }
        return m_text;
    }

private:
    void FixPair(CQuestion& question, CVolume& volume)
    {
        const int questionId = question.GetQuestionId();
        const int volumeId = volume.GetVolumeId();
        const CRowMultimap::CKey key(questionId, volumeId);
        CRowMultimap& questionDiffs = m_dialog.m_questionDiffs;
        const CQuestionMatching* matching =
            volume.FindQuestionMatchingInherited(questionId, volumeId);
        if (!matching)
            return;
        const QString& sourceId = matching->GetSourceId();
        const qnr::CQuestion* source = volume.GetQuestionnaire().FindQuestionById(sourceId.toInt());
        if (!source)
            return;

        const int count = questionDiffs.Count(key) -
                          questionDiffs.CountKeyRow(key, kQuestionResponsesId) -
                          questionDiffs.CountKeyRow(key, kQuestionResponseCountId);
        m_text += kQuestionOpener;
        m_text += QuestionDifferencesHeading(count, question, *source, sourceId, volume);

        for (const auto& [part, info] : CollectKinds(questionDiffs, key)) {
            if (m_dialog.m_selectedQuestionParts.count(part))
                FixQuestionPart(question, *source, volumeId, part, info);
        }

        int differingModalities = 0;
        if (questionDiffs.CountKeyRow(key, kQuestionResponsesId) > 0) {
            for (int m = 0; m < question.GetModalityCount(); ++m) {
                if (FixModality(*question.GetModality(m), *source, volume))
                    ++differingModalities;
            }
        }

        questionDiffs.EraseKey(key);
        CacheQuestionDifferences(m_comparer, question, *source, volumeId, questionDiffs);
        for (int m = 0; m < differingModalities; ++m)
            questionDiffs.Insert(key, kQuestionResponsesId, CDiffInfoPtr());
        m_text += kPairEnd;
    }

    void FixQuestionPart(CQuestion& question, const qnr::CQuestion& source, int volumeId, int part,
                         const CDiffInfoPtr& info)
    {
        const bool caption = part == kQuestionShortCaptionsId || part == kQuestionLongCaptionsId;
        if (caption && !info)
            return;
        const int languageId = GetDiffLanguageId(info);
        const SDifferingPart values =
            DescribeQuestionPart(question, source, m_wave.GetWaveId(), volumeId, part, languageId);
        std::unique_ptr<CCmdVirtual> command;
        if (caption) {
            const CCaptionValue value = CaptionValue(values.Source, languageId);
            if (part == kQuestionLongCaptionsId)
                command = std::make_unique<CCmdChangeQuestionLongCaption>(&m_campaign, &question,
                                                                          part, value);
            else
                command = std::make_unique<CCmdChangeQuestionShortCaption>(&m_campaign, &question,
                                                                           part, value);
        } else {
            const SQuestionProperty* property = FindQuestionValueProperty(part);
            if (!property)
                return;
            command = std::make_unique<CCmdChangeQuestion>(
                &m_campaign, &question, part,
                CommandValue(QuestionCommandForm(part), property->Source(source)));
        }
        const bool done = Issue(std::move(command));
        m_text += kQuestionPartOpener;
        m_text += FormatReportText(done ? IDS_QUESTION_VALUE_CHANGED : IDS_QUESTION_NOT_CHANGED,
                                   values.Title, values.Campaign, values.Source);
    }

    // Fixes a response matched in the volume that has differences; true when some remain.
    bool FixModality(CModality& modality, const qnr::CQuestion& source, CVolume& volume)
    {
        const int modalityId = modality.GetModalityId();
        CRowMultimapStr& modalityDiffs = m_dialog.m_modalityDiffs;
        if (modalityDiffs.Count(modalityId) == 0)
            return false;
        const CModalityMatching* matching =
            volume.FindModalityMatchingInherited(modalityId, volume.GetVolumeId());
        if (!matching)
            return false;
        const QString& sourceId = matching->GetModalitySourceId();
        const qnr::CModalite* sourceModality = source.FindModaliteById(sourceId.toInt());
        if (!sourceModality)
            return false;

        const int count = modalityDiffs.Count(modalityId);
        m_text += kModalityOpener;
        m_text += ResponseDifferencesHeading(count, modality, *sourceModality, sourceId, volume,
                                             m_campaign.GetCurrentLanguageId());

        for (const auto& [part, info] : CollectKinds(modalityDiffs, modalityId)) {
            if (m_dialog.m_selectedModalityParts.count(part))
                FixModalityPart(modality, *sourceModality, part, info);
        }

        modalityDiffs.EraseKey(modalityId);
        return CacheModalityDifferences(m_comparer, modality, *sourceModality, modalityDiffs);
    }

    void FixModalityPart(CModality& modality, const qnr::CModalite& source, int part,
                         const CDiffInfoPtr& info)
    {
        const bool caption = part == kModalityShortCaptionsId;
        if (caption && !info)
            return;
        const int languageId = GetDiffLanguageId(info);
        const SDifferingPart values = DescribeResponsePart(modality, source, part, languageId);
        std::unique_ptr<CCmdVirtual> command;
        if (caption) {
            command = std::make_unique<CCmdChangeModalityShortCaption>(
                &m_campaign, &modality, part, CaptionValue(values.Source, languageId));
        } else {
            const SModalityProperty* property = FindModalityValueProperty(part);
            if (!property)
                return;
            command = std::make_unique<CCmdChangeModality>(
                &m_campaign, &modality, part,
                CommandValue(ModalityCommandForm(part), property->Source(source)));
        }
        const bool done = Issue(std::move(command));
        m_text += kModalityPartOpener;
        m_text += FormatReportText(done ? IDS_MODALITY_VALUE_CHANGED : IDS_MODALITY_NOT_CHANGED,
                                   values.Title, values.Campaign, values.Source);
    }

    // Runs a fix in the caller's group, without a snapshot; a command that fails is not counted.
    bool Issue(std::unique_ptr<CCmdVirtual> command)
    {
        command->SetGroupId(m_dialog.m_groupId);
        if (!IssueCommand(std::move(command), {}, nullptr, false, true))
            return false;
        ++m_dialog.m_commandsRun;
        return true;
    }

    CFixAllDlg& m_dialog;
    CCampaign& m_campaign;
    CWave& m_wave;
    const CDifferenceComparer m_comparer;
    QString m_text;
};

CFixAllDlg::CFixAllDlg(const GUID& groupId, QWidget* parent)
    : CNewDialog(IDD, parent), m_groupId(groupId)
{
    setWindowTitle(tr("Update"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setProperty("controlId", int(IDD));

    // The parts on the left, the question parts above the response parts and Update; the results
    // fill the right; Save and Close below both.
    const SDialogUnits units = SDialogUnits::FromFont(font());
    resize(units.ToPixelsX(480), units.ToPixelsY(300));
    const auto makeList = [this](int id) {
        auto* list = MakeControl<CXListCtrl>(id);
        list->SetGridLines(true);
        list->InsertColumn(ColumnCheck, QString());
        list->InsertColumn(ColumnPart, LoadString(IDS_PART_COLUMN));
        list->InsertColumn(ColumnCount, LoadString(IDS_COUNT_COLUMN));
        list->headerItem()->setTextAlignment(ColumnCheck, Qt::AlignCenter);
        list->SetColumnWidthPercents(kColumnPercents);
        connect(list, &CXListCtrl::CheckboxClicked, this, [this] { OnListChanged(); });
        connect(list, &CXListCtrl::HeaderClicked, this,
                [this, list](int column) { OnHeaderClicked(*list, column); });
        return list;
    };
    m_questionList = makeList(IDC_QUESTION_PARTS);
    m_questionList->SetTextCallback(
        [this](int, int column, quintptr part) { return PartText(true, column, part); });
    m_modalityList = makeList(IDC_RESPONSE_PARTS);
    m_modalityList->SetTextCallback(
        [this](int, int column, quintptr part) { return PartText(false, column, part); });
    m_update = MakeControl<QPushButton>(IDC_UPDATE, tr("&Update"));
    m_update->setDefault(true);
    m_save = MakeControl<QPushButton>(IDC_SAVE, tr("&Save..."));
    m_save->setAutoDefault(false);
    m_close = MakeControl<QPushButton>(IDC_CLOSE, tr("Close"));
    m_close->setAutoDefault(false);
    auto* placeholder =
        MakeControl<QLabel>(IDC_BROWSER_PLACEHOLDER, QStringLiteral("<Results Browser>"));
    placeholder->setTextFormat(Qt::PlainText);

    auto* questionLabel = new QLabel(tr("&Question parts:"));
    questionLabel->setBuddy(m_questionList);
    auto* modalityLabel = new QLabel(tr("&Response parts:"));
    modalityLabel->setBuddy(m_modalityList);
    auto* resultsLabel = new QLabel(tr("Results:"));

    auto* layout = new QGridLayout(this);
    const int margin = units.ToPixelsX(7);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setHorizontalSpacing(margin);
    layout->addWidget(questionLabel, 0, 0);
    layout->addWidget(m_questionList, 1, 0);
    layout->addWidget(modalityLabel, 2, 0);
    layout->addWidget(m_modalityList, 3, 0);
    layout->addWidget(m_update, 4, 0, Qt::AlignRight);
    layout->addWidget(resultsLabel, 0, 1);
    layout->addWidget(placeholder, 1, 1, 5, 1);
    layout->addWidget(MakeSeparator(0), 6, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons, 7, 0, 1, 2);
    layout->setColumnMinimumWidth(0, units.ToPixelsX(160));
    layout->setColumnStretch(1, 1);
    // The lists are as tall as their parts; the results take what the window has.
    layout->setRowStretch(5, 1);

    m_browser = new SimpleBrowser;
    m_browser->CreateFromControl(placeholder);

    connect(m_update, &QPushButton::clicked, this, &CFixAllDlg::OnUpdate);
    connect(m_save, &QPushButton::clicked, this, &CFixAllDlg::OnSave);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

CFixAllDlg::~CFixAllDlg()
{
    // Hidden while the counts the lists' texts are read from still exist: the base class would
    // hide the lists after they are gone, and hiding lays the lists out, which reads the texts.
    hide();
}

void CFixAllDlg::SetQuestionDifferences(const CRowMultimap& differences)
{
    m_questionDiffs = differences;
}

void CFixAllDlg::SetModalityDifferences(const CRowMultimapStr& differences)
{
    m_modalityDiffs = differences;
}

const std::vector<int>& CFixAllDlg::QuestionParts()
{
    static const std::vector<int> parts = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                           12, 13, 14, 15, 17, 18, 22, 23, 24};
    return parts;
}

const std::vector<int>& CFixAllDlg::ModalityParts()
{
    static const std::vector<int> parts = {3, 5, 6, 9};
    return parts;
}

QString CFixAllDlg::ReportHeader()
{
    return QStringLiteral(
        "<html>\n<head>\n<title></title>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"/>\n"
        "<style type=\"text/css\">\n"
        "\tp.header {margin-top: 2; color: blue; background-color: rgb(220,220,220); "
        "font-family: tahoma; font-size: 14}\n"
        "\tp.indent1 {margin-top: 2; margin-left: 1em; font-family: tahoma; font-size: 12}\n"
        "\tp.indent2 {margin-top: 2; margin-left: 2em; font-family: tahoma; font-size: 12}\n"
        "\tp.color1 {color: black; background-color: rgb(240,240,240)}\n"
        "\tp.color2 {color: black; background-color: rgb(250,250,250)}\n"
        "</style>\n</head>\n<body>\n");
}

void CFixAllDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    CNewDialog::showEvent(event);
}

void CFixAllDlg::OnInitDialog()
{
    CountParts();
    FillList(*m_questionList, QuestionParts(), m_questionCounts);
    FillList(*m_modalityList, ModalityParts(), m_modalityCounts);
    // With nothing to update the button has nothing to do from the start.
    m_update->setEnabled(RecomputeSelection() != 0);
}

void CFixAllDlg::CountParts()
{
    m_questionCounts.clear();
    m_modalityCounts.clear();
    CRowMultimap::CKey questionKey;
    int kind = 0;
    for (bool more = m_questionDiffs.GetFirst(questionKey, kind); more;
         more = m_questionDiffs.GetNext(questionKey, kind))
        ++m_questionCounts[kind];
    CRowMultimapStr::CKey modalityKey = 0;
    for (bool more = m_modalityDiffs.GetFirst(modalityKey, kind); more;
         more = m_modalityDiffs.GetNext(modalityKey, kind))
        ++m_modalityCounts[kind];
}

void CFixAllDlg::FillList(CXListCtrl& list, const std::vector<int>& parts,
                          const std::map<int, int>& counts)
{
    // Largest count first; parts with the same count keep their order.
    std::vector<int> sorted = parts;
    const auto countOf = [&counts](int part) {
        const auto it = counts.find(part);
        return it == counts.end() ? 0 : it->second;
    };
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](int a, int b) { return countOf(a) > countOf(b); });
    list.DeleteAllItems();
    for (const int part : sorted) {
        const int row = list.InsertItem(-1, LPSTR_TEXTCALLBACK);
        list.SetItemText(row, ColumnPart, LPSTR_TEXTCALLBACK);
        list.SetItemText(row, ColumnCount, LPSTR_TEXTCALLBACK);
        list.SetCheckbox(row, ColumnCheck, 1);
        list.SetItemData(row, quintptr(part));
    }
    ShowHeaderCheck(list);
    // Every part in sight, none scrolled away.
    list.setFixedHeight(list.GetHeightForAllRows());
}

QString CFixAllDlg::PartText(bool question, int column, quintptr data) const
{
    const int part = int(data);
    if (column == ColumnPart)
        return question ? GetQuestionPropertyCaption(part) : GetModalityPropertyCaption(part);
    if (column == ColumnCount) {
        const std::map<int, int>& counts = question ? m_questionCounts : m_modalityCounts;
        const auto it = counts.find(part);
        return QString::number(it == counts.end() ? 0 : it->second);
    }
    return QString();
}

int CFixAllDlg::RecomputeSelection()
{
    m_selectedQuestionParts.clear();
    m_selectedModalityParts.clear();
    const auto select = [](const CXListCtrl& list, const std::map<int, int>& counts,
                           std::set<int>& selected) {
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const int part = int(list.GetItemData(row));
            const auto count = counts.find(part);
            if (list.GetCheckbox(row, ColumnCheck) == 1 && count != counts.end() &&
                count->second > 0)
                selected.insert(part);
        }
    };
    select(*m_questionList, m_questionCounts, m_selectedQuestionParts);
    select(*m_modalityList, m_modalityCounts, m_selectedModalityParts);
    return int(m_selectedQuestionParts.size() + m_selectedModalityParts.size());
}

void CFixAllDlg::OnListChanged()
{
    ShowHeaderCheck(*m_questionList);
    ShowHeaderCheck(*m_modalityList);
    m_update->setEnabled(RecomputeSelection() != 0);
}

void CFixAllDlg::OnHeaderClicked(CXListCtrl& list, int column)
{
    if (column == ColumnCheck) {
        bool allTicked = true;
        for (int row = 0; row < list.GetItemCount(); ++row)
            allTicked = allTicked && list.GetCheckbox(row, ColumnCheck) == 1;
        for (int row = 0; row < list.GetItemCount(); ++row)
            list.SetCheckbox(row, ColumnCheck, allTicked ? 0 : 1);
    }
    OnListChanged();
}

void CFixAllDlg::ShowHeaderCheck(CXListCtrl& list)
{
    bool allTicked = list.GetItemCount() > 0;
    for (int row = 0; row < list.GetItemCount(); ++row)
        allTicked = allTicked && list.GetCheckbox(row, ColumnCheck) == 1;
    list.headerItem()->setIcon(ColumnCheck, HeaderCheckIcon(list, allTicked));
}

void CFixAllDlg::OnUpdate()
{
    IWaveApp* app = GetWaveApp();
    CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    CWave* wave = campaign ? campaign->FindWave(m_waveId) : nullptr;
    if (!wave)
        return;
    CWaitCursor wait;
    const QString text = CRun(*this, *campaign, *wave).Run();

    CountParts();
    m_questionList->viewport()->update();
    m_modalityList->viewport()->update();
    if (m_report.isEmpty()) {
        m_report = ReportHeader();
        m_browser->Write(m_report);
    }
    m_report += text;
    m_browser->Write(text);
    m_update->setEnabled(RecomputeSelection() != 0);
}

bool CFixAllDlg::OnSave()
{
    // Before the first run the file still gets a whole, empty page.
    return SaveHtmlReport((m_report.isEmpty() ? ReportHeader() : m_report) + kReportEnd);
}
