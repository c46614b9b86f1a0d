#pragma once

#include "model/IndexedArrays.h"

#include <algorithm>
#include <memory>
#include <vector>

// The captions of a question or a response: at most one record per language, in order of
// addition, found by language. The list owns its records. An item has a caption for each of
// the campaign's few languages at most, so the languages are kept beside the records and
// searched in turn: no index to build per item, and a search touches one small array.

namespace pelko_wave {

template <typename Caption>
class CCaptionList
{
public:
    CCaptionList() = default;
    // A deep copy of every record.
    CCaptionList(const CCaptionList& other) : m_languageIds(other.m_languageIds)
    {
        m_captions.reserve(other.m_captions.size());
        for (const auto& caption : other.m_captions)
            m_captions.push_back(std::make_unique<Caption>(*caption));
    }
    CCaptionList& operator=(const CCaptionList&) = delete;

    int GetCount() const { return int(m_captions.size()); }
    Caption* Get(int i) const { return m_captions[size_t(i)].get(); }

    // Adds the record and returns its position; -1 when the language already has one (the given
    // record is then deleted).
    int Add(std::unique_ptr<Caption> caption)
    {
        if (!caption)
            return -1;
        const int languageId = caption->GetLanguageId();
        if (PositionOf(languageId) >= 0)
            return -1;
        m_languageIds.push_back(languageId);
        m_captions.push_back(std::move(caption));
        return int(m_captions.size()) - 1;
    }

    Caption* Find(int languageId) const
    {
        const int position = PositionOf(languageId);
        return position < 0 ? nullptr : m_captions[size_t(position)].get();
    }

    // Takes the record of the language out and hands it to the caller; null when none.
    std::unique_ptr<Caption> Remove(int languageId)
    {
        const int position = PositionOf(languageId);
        if (position < 0)
            return nullptr;
        m_languageIds.erase(m_languageIds.begin() + position);
        return TakeAt(m_captions, position);
    }

    // Gives the record of one language the other language, in its place; false (nothing
    // changed) when there is none or the other language has a record already.
    bool ChangeLanguage(int fromLanguageId, int toLanguageId)
    {
        const int position = PositionOf(fromLanguageId);
        if (position < 0 || PositionOf(toLanguageId) >= 0)
            return false;
        m_captions[size_t(position)]->SetLanguageId(toLanguageId);
        m_languageIds[size_t(position)] = toLanguageId;
        return true;
    }

private:
    int PositionOf(int languageId) const
    {
        const auto it = std::find(m_languageIds.begin(), m_languageIds.end(), languageId);
        return it == m_languageIds.end() ? -1 : int(it - m_languageIds.begin());
    }

    std::vector<std::unique_ptr<Caption>> m_captions;
    std::vector<int> m_languageIds; // the language of each record, in the same order
};

} // namespace pelko_wave
