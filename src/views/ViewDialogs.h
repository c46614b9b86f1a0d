#pragma once

#include "model/Guid.h"
#include "platform/WindowServices.h"
#include "reconcile/DiffInfo.h"
#include "reconcile/RowMultimaps.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <set>
#include <vector>

class QWidget;

namespace pelko_wave {
class CCampaign;
class CModality;
class CQuestion;
class CWave;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

// Result codes of the views' dialogs beyond IDOK and IDCANCEL (platform/WindowServices.h).
enum : int
{
    // The new-volume wizard ended with its Finish button ("Done").
    ID_WIZFINISH = 12325
};

// ---- The dialogs of the campaign tree's wave and volume commands ----

// The new wave dialog. In: the dates it opens with, each optional (a null date leaves its
// picker on today, without bounds). Out after IDOK: the name (never empty), the description and
// the three dates the pickers show (at midnight), in order: start <= mid-point <= end.
struct SNewWaveDlgValues
{
    QString Name;
    QString Description;
    QDateTime Start;
    QDateTime MidPoint;
    QDateTime End;
};

// What the new-volume wizard is given.
struct SNewVolumeWizardInput
{
    // The campaign, whose volumes the wizard may read (a volume's questionnaire is loaded when
    // the wizard needs it), and the wave the volume goes into: null for a campaign without waves.
    pelko_wave::CCampaign* Campaign = nullptr;
    pelko_wave::CWave* Wave = nullptr;
    // The matching page's presets, usually the template volume's: the question and response
    // methods in trial order (checked in that order, the others unchecked below them; an empty
    // list checks only shortcut for questions and short caption for responses) and whether the
    // matching is case-sensitive.
    QList<quint32> QuestionMethods;
    QList<quint32> ResponseMethods;
    bool CaseSensitive = false;
};

// What the new-volume wizard gives back after ID_WIZFINISH.
struct SNewVolumeWizardResult
{
    // Source page.
    QString Name;
    // 0 ZOZ, 1 Dimensions, 2 Triple-S: the format the question source's content shows.
    int SourceType = 0;
    // 0 absolute, 1 relative, 2 UNC: the form in which the volume keeps its source paths.
    int PathFormat = 1;
    // The questionnaire file, as the user gave it.
    QString QuestionSource;
    // Where the interviews are: with the questions (InterviewSource is then the question
    // source), else a file of their own, else a database (InterviewSource is then the
    // connection string, "DRIVER;Key=Value;...", and SurveyId the survey in it).
    bool InterviewsWithQuestions = true;
    bool InterviewsFromDatabase = false;
    QString InterviewSource;
    int SurveyId = 0;
    // Whether the files are to be copied into the campaign's data folder at the next save. The
    // interview copy is only ever set for interviews in a file of their own.
    bool CopyQuestionSource = false;
    bool CopyInterviewSource = false;

    // Inheritance page: the volume inherited from; -1 for none.
    int AncestorVolumeId = -1;

    // Matching page: the checked methods in trial order (never empty), strict matching (all
    // methods) or the first that succeeds, case sensitivity, and matching against the parent
    // volume's values (only ever set with an ancestor).
    QList<quint32> QuestionMethods;
    QList<quint32> ResponseMethods;
    bool Strict = false;
    bool CaseSensitive = false;
    bool MatchUsingParentValues = false;
    // How the interviews line up with the wave's main (first) volume: 0 by interview order, 1 by
    // a question both hold. With 1, MainVolumeQuestion is the main volume's question (the
    // campaign question id it is matched to, or, while the main volume is not reconciled, its
    // source code negated) and CommonQuestionCode the new source's question code ("%d").
    int AlignmentKind = 0;
    int MainVolumeQuestion = 0;
    QString CommonQuestionCode;
};

// The database connection dialog (the wizard's Connect...). Out after IDOK: the connection
// string and the survey ID, both given.
struct SDBConnection
{
    QString ConnectionString;
    int SurveyId = 0;
};

// The re-reconciliation options. Out after IDOK: the two boxes. When the user ticked "Apply
// caption library", the dialog has already run the caption library dialog in its reconcile
// mode, so the libraries the reconciliation applies are chosen.
struct SReReconciliationOptions
{
    bool ApplyCaptionLibrary = false;
    bool KeepChapters = false;
};

// The caption library dialog's modes: what its OK button does ("OK", "Apply", "Reconcile").
enum ECaptionLibraryMode : int
{
    CAPTION_LIBRARY_EDIT = 0,
    CAPTION_LIBRARY_APPLY = 1,
    CAPTION_LIBRARY_RECONCILE = 2
};

// How the caption library dialog is opened: its mode and, for a caller that proposes two
// response captions as duplicates (ProposeCaptions), the two texts, which a button of the
// dialog adds to the selected group.
struct SCaptionLibraryDlgRequest
{
    int Mode = CAPTION_LIBRARY_APPLY;
    bool ProposeCaptions = false;
    QString FirstCaption;
    QString SecondCaption;
};

// ---- The difference dialogs ----

// Result codes of the difference dialogs beyond IDOK and IDCANCEL.
enum : int
{
    // "Update All": the campaign item is to take the source item's values (the results say
    // which).
    ID_DIFFS_UPDATE_ALL = 257,
    // "New Question" / "New Response": the matching is to be broken and a new campaign item made
    // from the source item. No result is written.
    ID_DIFFS_NEW_ITEM = 258
};

// What the question differences dialog shows: a campaign question, the source question a volume
// of the wave matches to it, and their differences (kinds in list order, a caption difference
// naming its language). The wave and the volume give the campaign question's response count.
struct SQuestionDiffsDlgRequest
{
    const pelko_wave::CQuestion* CampaignQuestion = nullptr;
    const qnr::CQuestion* SourceQuestion = nullptr;
    CDiffList Differences;
    int WaveId = -1;
    int VolumeId = -1;
};

// What the response differences dialog shows: a campaign response, the source response matched
// to it and their differences.
struct SModalityDiffsDlgRequest
{
    const pelko_wave::CModality* CampaignModality = nullptr;
    const qnr::CModalite* SourceModality = nullptr;
    CDiffList Differences;
};

// The decisions of a difference dialog: one entry per difference, in the order of the request's
// list. A set entry is the value the campaign item is to take for that difference, as the
// property change commands read it (a caption in the difference's language); an empty entry
// keeps the campaign value.
using CDiffsDlgResults = std::vector<std::optional<QString>>;

// ---- The reconciliation page's update and find dialogs ----

// What the Update dialog works on and hands back. It runs its fixes of the wave's campaign
// questions and responses as commands that all carry the group id (no snapshot), so that they and
// the caller's own place holders around the dialog are undone as one step.
struct SFixAllDlgData
{
    // In: the wave and the group id.
    int WaveId = -1;
    GUID GroupId;
    // In: copies of the page's difference maps; out: as the dialog's runs left them (their
    // entries recomputed for every pair a run visited).
    CRowMultimap QuestionDifferences;
    CRowMultimapStr ModalityDifferences;
    // Out: the number of fix commands that ran (0: the campaign is as it was).
    int CommandsRun = 0;
};

// One source question row of the page, offered by the find question dialog. The question is
// borrowed from its volume's questionnaire for the dialog's lifetime.
struct SFindQuestionSource
{
    int VolumeId = -1;
    QString SourceId;
    const qnr::CQuestion* Question = nullptr;
};

// What the find question dialog searches: the wave, the campaign questions the page shows and
// the page's source question rows.
struct SFindQuestionRequest
{
    int WaveId = -1;
    std::set<int> CampaignQuestionIds;
    std::vector<SFindQuestionSource> SourceQuestions;
};

// What the user picked in the find question dialog: a campaign question, or a source question of
// a volume.
struct SFindQuestionChoice
{
    bool CampaignQuestionChosen = false;
    int CampaignQuestionId = -1;
    QString SourceId;
    int VolumeId = -1;
};

// The modal dialogs that the panes open. Each dialog a view opens is one call of this
// interface: the dialog's inputs in, its result code and outputs back. The window program
// installs the implementation of the campaign dialogs; tests install a scripted one. The views
// make every call inside a CModalDialogScope, so that Undo and Redo stay off while a dialog is
// up. Every call takes the window to centre on (null: the main window); a dialog that the
// installed implementation does not provide answers IDCANCEL and changes no output.
class IViewDialogs
{
public:
    virtual ~IViewDialogs() = default;

    // ---- Waves, volumes and caption libraries ----
    // The new wave dialog: IDOK or IDCANCEL. The values' dates are read in; on IDOK every
    // field is written.
    virtual int RunNewWaveDlg(QWidget* parent, SNewWaveDlgValues& values) { return IDCANCEL; }
    // The new-volume wizard (source, inheritance, matching): ID_WIZFINISH with the result
    // written, or IDCANCEL.
    virtual int RunNewVolumeWizard(QWidget* parent, const SNewVolumeWizardInput& input,
                                   SNewVolumeWizardResult& result)
    {
        return IDCANCEL;
    }
    // The database connection dialog: IDOK with the connection written, or IDCANCEL.
    virtual int RunDBConnectionDlg(QWidget* parent, SDBConnection& connection) { return IDCANCEL; }
    // The re-reconciliation options: IDOK with the options written, or IDCANCEL.
    virtual int RunReReconciliationOptionsDlg(QWidget* parent, SReReconciliationOptions& options)
    {
        return IDCANCEL;
    }
    // The caption library dialog: IDOK once the edited libraries have replaced the
    // application's (SetCaptionLibraries), IDCANCEL when they are unchanged.
    virtual int RunCaptionLibraryDlg(QWidget* parent, const SCaptionLibraryDlgRequest& request)
    {
        return IDCANCEL;
    }

    // ---- The property pane's items ----
    // The languages dialog (CLanguageDlg) on the application's campaign. On IDOK the two
    // outputs are the positions, in the campaign's language list, of the language chosen as the
    // default and of the one chosen as current (-1 for the default when no language is flagged
    // default).
    virtual int RunLanguagesDialog(QWidget* parent, int& defaultPosition, int& currentPosition)
    {
        return IDCANCEL;
    }
    // The matching-method dialog (CMatchingMethodDlg): kind 0 question methods, 1 response
    // methods; methods holds the volume's method ids in trial order. On IDOK methods holds the
    // ids the user ticked, in the order shown (never empty).
    virtual int RunMatchingMethodDialog(QWidget* parent, int kind, QList<quint32>& methods)
    {
        return IDCANCEL;
    }

    // ---- The difference dialogs ----
    // The question differences dialog (CQuestionDiffsDlg): IDOK or ID_DIFFS_UPDATE_ALL with the
    // results written (one per difference), ID_DIFFS_NEW_ITEM, or IDCANCEL.
    virtual int RunQuestionDiffsDlg(QWidget* parent, const SQuestionDiffsDlgRequest& request,
                                    CDiffsDlgResults& results)
    {
        return IDCANCEL;
    }
    // The response differences dialog (CModalityDiffsDlg), answered as the question's.
    virtual int RunModalityDiffsDlg(QWidget* parent, const SModalityDiffsDlgRequest& request,
                                    CDiffsDlgResults& results)
    {
        return IDCANCEL;
    }

    // ---- The reconciliation page's update and find dialogs ----
    // The Update dialog (CFixAllDlg) on the data's wave: IDOK once it was shown and closed, the
    // data's outputs then written.
    virtual int RunFixAllDlg(QWidget* parent, SFixAllDlgData& data) { return IDCANCEL; }
    // The find question dialog (CFindQuestionDlg), which starts with the application's last
    // search and keeps the new one: IDOK with the choice written, or IDCANCEL.
    virtual int RunFindQuestionDlg(QWidget* parent, const SFindQuestionRequest& request,
                                   SFindQuestionChoice& choice)
    {
        return IDCANCEL;
    }
};

// The installed dialogs; null until one is installed (a view then opens nothing).
IViewDialogs* GetViewDialogs();
// Installs the dialogs (not owned; the caller keeps them alive) or, with null, removes them.
void SetViewDialogs(IViewDialogs* dialogs);

// The application's modal state for the guard's lifetime (BeginModalState, EndModalState),
// when the installed application is the program's own.
class CModalDialogScope
{
public:
    CModalDialogScope();
    ~CModalDialogScope();
    CModalDialogScope(const CModalDialogScope&) = delete;
    CModalDialogScope& operator=(const CModalDialogScope&) = delete;

private:
    bool m_began = false;
};
