#pragma once

#include "model/Matchings.h"
#include "model/Volume.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <map>
#include <memory>
#include <utility>
#include <vector>

// Model objects that a command moves out of the campaign and back in. While an object is out
// of the model the command owns it (Owned is set); while it is in, the campaign (or the holding
// volume) does and the command keeps only the pointer.

inline std::vector<std::unique_ptr<pelko_wave::CQuestionMatching>>
TakeMatchings(pelko_wave::CVolume& holder,
              const QSet<const pelko_wave::CQuestionMatching*>& matchings)
{
    return holder.RemoveQuestionMatchings(matchings);
}

inline std::vector<std::unique_ptr<pelko_wave::CModalityMatching>>
TakeMatchings(pelko_wave::CVolume& holder,
              const QSet<const pelko_wave::CModalityMatching*>& matchings)
{
    return holder.RemoveModalityMatchings(matchings);
}

inline void PutMatching(pelko_wave::CVolume& holder,
                        std::unique_ptr<pelko_wave::CQuestionMatching> matching)
{
    holder.AddQuestionMatching(std::move(matching));
}

inline void PutMatching(pelko_wave::CVolume& holder,
                        std::unique_ptr<pelko_wave::CModalityMatching> matching)
{
    holder.AddModalityMatching(std::move(matching));
}

// A question or response matching with the volume that holds it in the model.
template <class TMatching> struct SKeptMatching
{
    pelko_wave::CVolume* Holder = nullptr;
    TMatching* Matching = nullptr;
    std::unique_ptr<TMatching> Owned; // while out of the model

    void PutBack()
    {
        if (Owned)
            PutMatching(*Holder, std::move(Owned));
    }
};

// A copy of the matching for the volume to hold, valid from the volume on with the same end;
// out of the model until put back.
template <class TMatching>
SKeptMatching<TMatching> CopyToVolume(const TMatching& matching, pelko_wave::CVolume& volume)
{
    auto copy = std::make_unique<TMatching>(matching);
    copy->SetVolumeId(volume.GetVolumeId());
    copy->SetStartVolumeId(volume.GetVolumeId());
    TMatching* raw = copy.get();
    return {&volume, raw, std::move(copy)};
}

template <class TMatching> using KeptMatchings = std::vector<SKeptMatching<TMatching>>;

// Takes the matchings out of their holders: one pass over each holder's matchings, however many
// it loses (a volume may hold tens of thousands). PutBackAll puts them back.
template <class TMatching> void TakeOutAll(KeptMatchings<TMatching>& matchings)
{
    std::map<pelko_wave::CVolume*, QSet<const TMatching*>> byHolder;
    QHash<const TMatching*, SKeptMatching<TMatching>*> entries;
    for (auto& kept : matchings) {
        if (kept.Owned)
            continue;
        byHolder[kept.Holder].insert(kept.Matching);
        entries.insert(kept.Matching, &kept);
    }
    for (auto& [holder, taken] : byHolder) {
        for (auto& matching : TakeMatchings(*holder, taken))
            entries.value(matching.get())->Owned = std::move(matching);
    }
}

template <class TMatching> void PutBackAll(KeptMatchings<TMatching>& matchings)
{
    for (auto& matching : matchings)
        matching.PutBack();
}

// Gives each matching of the map the end volume that the map holds for it.
template <class TMatching> void SetEnds(const QMap<TMatching*, int>& ends)
{
    for (auto it = ends.cbegin(); it != ends.cend(); ++it)
        it.key()->SetEndVolumeId(it.value());
}

// Notes a change of a matching's end: the end before the first change stays noted.
template <class TMatching>
void ChangeEnd(TMatching& matching, int end, QMap<TMatching*, int>& endsBefore,
               QMap<TMatching*, int>& endsAfter)
{
    if (!endsBefore.contains(&matching))
        endsBefore.insert(&matching, matching.GetEndVolumeId());
    matching.SetEndVolumeId(end);
    endsAfter.insert(&matching, end);
}
