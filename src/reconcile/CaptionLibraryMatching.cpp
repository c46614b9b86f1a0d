#include "reconcile/CaptionLibraryMatching.h"

#include "model/CaptionLibrary.h"
#include "model/Volume.h"
#include "platform/AppServices.h"
#include "reconcile/NGram.h"
#include "reconcile/ResponseTextScan.h"

using namespace pelko_wave;

namespace {

// The caption of the GUID in any group of the library; null when none.
const CResponseCaption* FindLibraryCaption(const CResponseLibrary& library, const GUID& guid)
{
    for (int g = 0; g < library.GetGroupCount(); ++g) {
        if (const CResponseCaption* caption = library.GetGroupAt(g)->FindCaptionByGuid(guid))
            return caption;
    }
    return nullptr;
}

// A text as the base-caption comparison sees it.
QString NormalizeForBaseCaption(const QString& text, const CTextScanIndex::SSettings& settings)
{
    QString normalized = settings.Trim ? text.trimmed() : text;
    if (settings.UpperCase)
        UpperCaseEachUnit(normalized);
    return normalized;
}

} // namespace

bool HasCaptionLibraries()
{
    const IWaveApp* app = GetWaveApp();
    return app && !app->GetCaptionGroups().isEmpty() && !app->GetCaptionLibraries().isEmpty();
}

bool MatchResponsesByCaptionLibrary(const CVolume& volume, const CQuestion& campaignQuestion,
                                    const qnr::CQuestion& sourceQuestion,
                                    QList<CModality*>& campaignCandidates,
                                    QList<int>& sourceCandidates, QMap<int, QString>& newMatchings,
                                    int method)
{
    if (!HasCaptionLibraries())
        return false;
    const QList<CResponseLibrary*>& libraries = GetWaveApp()->GetCaptionLibraries();
    const CTextScanIndex::SSettings settings = MakeTextScanSettings(volume, 0);

    const auto libraryStep = [&](CTextScan& scan, int campaignEntry, const QString& text) {
        const QString normalized = NormalizeForBaseCaption(text, settings);
        for (const CResponseLibrary* library : libraries) {
            for (int g = 0; g < library->GetGroupCount(); ++g) {
                const CResponseCaptionGroup* group = library->GetGroupAt(g);
                const CResponseCaption* base =
                    FindLibraryCaption(*library, group->GetBaseLabelId());
                if (!base || NormalizeForBaseCaption(base->GetText(), settings) != normalized)
                    continue;
                for (int c = 0; c < group->GetCaptionCount(); ++c) {
                    const CResponseCaption* caption = group->GetCaptionAt(c);
                    if (caption == base || !FindLibraryCaption(*library, caption->GetGuid()))
                        continue;
                    scan.ScanText(campaignEntry, caption->GetText(), false);
                }
            }
        }
    };
    RunResponseTextScan(volume, campaignQuestion, sourceQuestion, campaignCandidates,
                        sourceCandidates, newMatchings, method, libraryStep);
    return true;
}
