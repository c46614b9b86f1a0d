#pragma once

#include <map>
#include <memory>

// The detail records of the differences between a campaign item and its source item, and the
// list the comparisons fill. Kinds are the property ids of PropertyCaptions.h.

// A detail record attached to one difference. It carries nothing of its own; one record may be
// shared by a difference list and a cache entry.
class CDiffInfo
{
public:
    virtual ~CDiffInfo();
};

// The detail of a caption difference: the language whose caption differs.
class CCaptionDiffInfo : public CDiffInfo
{
public:
    explicit CCaptionDiffInfo(int languageId) : m_languageId(languageId) {}
    int GetLanguageId() const { return m_languageId; }

private:
    int m_languageId;
};

using CDiffInfoPtr = std::shared_ptr<CDiffInfo>;

// The language a caption difference names; -1 for any other difference.
inline int GetDiffLanguageId(const CDiffInfoPtr& info)
{
    const auto* caption = dynamic_cast<const CCaptionDiffInfo*>(info.get());
    return caption ? caption->GetLanguageId() : -1;
}

// Difference kind -> detail, kinds ascending, the entries of one kind in the order they were
// added. Kinds other than the caption kinds carry an empty detail; each differing caption
// language adds one entry of its caption kind.
using CDiffList = std::multimap<int, CDiffInfoPtr>;
