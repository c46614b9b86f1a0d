#include "reconcile/CaptionLibraryMatching.h"

#include "model/CaptionLibrary.h"
#include "model/Volume.h"
#include "platform/AppServices.h"
#include "reconcile/NGram.h"
#include "reconcile/ResponseTextScan.h"

#include <QHashFunctions>
#include <QStringList>
#include <unordered_map>
#include <vector>

using namespace pelko_wave;

namespace {

// A text as the base-caption comparison sees it.
QString NormalizeForBaseCaption(const QString& text, const CTextScanIndex::SSettings& settings)
{
    QString normalized = settings.Trim ? text.trimmed() : text;
    if (settings.UpperCase)
        UpperCaseEachUnit(normalized);
    return normalized;
}

struct SGuidHash
{
    size_t operator()(const GUID& guid) const { return qHashBits(&guid, sizeof(GUID)); }
};

// One group of a library as the library step uses it: its base caption's text as the scan
// sees it, and the texts of its other captions that the library holds.
struct SThesaurusGroup
{
    QString NormalizedBase;
    QStringList OtherTexts;
};

// The groups of every library, in library and group order, that have a base caption. A
// library finds a caption by GUID in any of its groups, the first group first. Made once per
// scan, so that each campaign response only compares texts.
std::vector<SThesaurusGroup> MakeThesaurus(const QList<CResponseLibrary*>& libraries,
                                           const CTextScanIndex::SSettings& settings)
{
    std::vector<SThesaurusGroup> thesaurus;
    for (const CResponseLibrary* library : libraries) {
        std::unordered_map<GUID, const CResponseCaption*, SGuidHash> captions;
        for (int g = 0; g < library->GetGroupCount(); ++g) {
            const CResponseCaptionGroup* group = library->GetGroupAt(g);
            for (int c = 0; c < group->GetCaptionCount(); ++c)
                captions.emplace(group->GetCaptionAt(c)->GetGuid(), group->GetCaptionAt(c));
        }
        const auto find = [&captions](const GUID& guid) -> const CResponseCaption* {
            const auto it = captions.find(guid);
            return it == captions.end() ? nullptr : it->second;
        };
        for (int g = 0; g < library->GetGroupCount(); ++g) {
            const CResponseCaptionGroup* group = library->GetGroupAt(g);
            const CResponseCaption* base = find(group->GetBaseLabelId());
            if (!base)
                continue;
            SThesaurusGroup entry{NormalizeForBaseCaption(base->GetText(), settings), {}};
            for (int c = 0; c < group->GetCaptionCount(); ++c) {
                const CResponseCaption* caption = group->GetCaptionAt(c);
                if (caption != base && find(caption->GetGuid()))
                    entry.OtherTexts.append(caption->GetText());
            }
            thesaurus.push_back(std::move(entry));
        }
    }
    return thesaurus;
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
                                    int method, TextScanMode mode)
{
    if (!HasCaptionLibraries())
        return false;
    const CTextScanIndex::SSettings settings = MakeTextScanSettings(volume, 0, mode);
    const std::vector<SThesaurusGroup> thesaurus =
        MakeThesaurus(GetWaveApp()->GetCaptionLibraries(), settings);

    const auto libraryStep = [&](CTextScan& scan, int campaignEntry, const QString& text) {
        const QString normalized = NormalizeForBaseCaption(text, settings);
        for (const SThesaurusGroup& group : thesaurus) {
            if (group.NormalizedBase != normalized)
                continue;
            for (const QString& other : group.OtherTexts)
                scan.ScanText(campaignEntry, other, false);
        }
    };
    RunResponseTextScan(volume, campaignQuestion, sourceQuestion, campaignCandidates,
                        sourceCandidates, newMatchings, method, mode, libraryStep);
    return true;
}
