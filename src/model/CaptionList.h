#pragma once

#include "model/IndexedArrays.h"

#include <QHash>
#include <memory>
#include <vector>

// The captions of a question or a response: at most one record per language, in order of
// addition, found by language through an index. The list owns its records.

namespace pelko_wave {

template <typename Caption>
class CCaptionList
{
public:
    CCaptionList() = default;
    // A deep copy of every record.
    CCaptionList(const CCaptionList& other) : m_index(other.m_index)
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
        if (m_index.contains(languageId))
            return -1;
        return AppendIndexed(m_captions, m_index, languageId, std::move(caption));
    }

    Caption* Find(int languageId) const { return ElementById(m_captions, m_index, languageId); }

    // Takes the record of the language out and hands it to the caller; null when none.
    std::unique_ptr<Caption> Remove(int languageId)
    {
        return TakeById(m_captions, m_index, languageId,
                        [](const Caption& caption) { return caption.GetLanguageId(); });
    }

    // Gives the record of one language the other language, in its place; false (nothing
    // changed) when there is none or the other language has a record already.
    bool ChangeLanguage(int fromLanguageId, int toLanguageId)
    {
        const auto it = m_index.constFind(fromLanguageId);
        if (it == m_index.cend() || m_index.contains(toLanguageId))
            return false;
        const int position = *it;
        m_captions[size_t(position)]->SetLanguageId(toLanguageId);
        m_index.remove(fromLanguageId);
        m_index.insert(toLanguageId, position);
        return true;
    }

private:
    std::vector<std::unique_ptr<Caption>> m_captions;
    QHash<int, int> m_index; // language id -> position in m_captions
};

} // namespace pelko_wave
