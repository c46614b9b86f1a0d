#pragma once

#include <QMap>
#include <memory>
#include <vector>

// What a matching command changed, kept so that Undo and Redo replay it exactly: the matchings
// it made (the volumes own them while the command is done, the command while it is undone), the
// matchings it took out of their volumes (the command owns them while done), and the ends it
// changed, each with its value before the first change and after the last one. A matching goes
// back into, or out of, the volume its VolumeID names; one whose volume no longer exists stays
// with the command.

namespace pelko_wave {
class CCampaign;
class CModalityMatching;
class CQuestionMatching;
class CVolume;
} // namespace pelko_wave

struct SVolumeTreeChanges;

// A copy of the matching for the volume to hold, valid from the volume on with the same end: what
// a volume keeps of a matching it inherited when the matching stops reaching it.
std::unique_ptr<pelko_wave::CQuestionMatching>
CopyToVolume(const pelko_wave::CQuestionMatching& matching, const pelko_wave::CVolume& volume);
std::unique_ptr<pelko_wave::CModalityMatching>
CopyToVolume(const pelko_wave::CModalityMatching& matching, const pelko_wave::CVolume& volume);

class CMatchingChanges
{
public:
    CMatchingChanges();
    ~CMatchingChanges();
    CMatchingChanges(const CMatchingChanges&) = delete;
    CMatchingChanges& operator=(const CMatchingChanges&) = delete;

    // Changes made by Do, each applied at once.
    // Adds the new matching to the volume its VolumeID names; returns it.
    pelko_wave::CQuestionMatching* Add(pelko_wave::CCampaign& campaign,
                                       std::unique_ptr<pelko_wave::CQuestionMatching> matching);
    pelko_wave::CModalityMatching* Add(pelko_wave::CCampaign& campaign,
                                       std::unique_ptr<pelko_wave::CModalityMatching> matching);
    // Takes the matching out of the volume that holds it (the one its VolumeID names, else the
    // given one); false when neither holds it.
    bool Remove(pelko_wave::CCampaign& campaign, pelko_wave::CQuestionMatching* matching,
                pelko_wave::CVolume* holder = nullptr);
    bool Remove(pelko_wave::CCampaign& campaign, pelko_wave::CModalityMatching* matching,
                pelko_wave::CVolume* holder = nullptr);
    void SetEnd(pelko_wave::CQuestionMatching& matching, int endVolumeId);
    void SetEnd(pelko_wave::CModalityMatching& matching, int endVolumeId);
    // Takes over what a walk of the volume tree changed.
    void Merge(SVolumeTreeChanges&& changes);

    // Undo: the former ends, the made matchings out, the removed ones back. Redo: the removed
    // ones out, the made ones back, the new ends.
    void Undo(pelko_wave::CCampaign& campaign);
    void Redo(pelko_wave::CCampaign& campaign);

    bool IsEmpty() const;
    int GetMadeQuestionMatchingCount() const { return int(m_madeQuestions.size()); }
    int GetMadeModalityMatchingCount() const { return int(m_madeModalities.size()); }

private:
    template <class M> struct SKept
    {
        M* Matching = nullptr;
        std::unique_ptr<M> Owned; // set while the matching is out of the model
    };

    std::vector<SKept<pelko_wave::CQuestionMatching>> m_madeQuestions;
    std::vector<SKept<pelko_wave::CModalityMatching>> m_madeModalities;
    std::vector<SKept<pelko_wave::CQuestionMatching>> m_removedQuestions;
    std::vector<SKept<pelko_wave::CModalityMatching>> m_removedModalities;
    QMap<pelko_wave::CQuestionMatching*, int> m_questionEndsBefore;
    QMap<pelko_wave::CQuestionMatching*, int> m_questionEndsAfter;
    QMap<pelko_wave::CModalityMatching*, int> m_modalityEndsBefore;
    QMap<pelko_wave::CModalityMatching*, int> m_modalityEndsAfter;
};
