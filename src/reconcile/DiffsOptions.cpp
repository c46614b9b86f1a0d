#include "reconcile/DiffsOptions.h"

#include <algorithm>
#include <iterator>

CDiffsOptions::~CDiffsOptions() = default;

bool CDiffsOptions::SetEnabled(int kind, bool enabled)
{
    m_enabled[kind] = enabled;
    return true;
}

bool CQuestionDiffsOptions::IsEnabled(int kind) const
{
    const auto it = m_enabled.find(kind);
    return it == m_enabled.end() || it->second;
}

bool CModalityDiffsOptions::IsEnabled(int kind) const
{
    const auto it = m_enabled.find(kind);
    return it != m_enabled.end() && it->second;
}

namespace {

template <size_t N> bool Contains(const int (&table)[N], int kind)
{
    return std::find(std::begin(table), std::end(table), kind) != std::end(table);
}

} // namespace

bool IsHiddenQuestionDiffKind(int kind)
{
    return Contains(kHiddenQuestionDiffKinds, kind);
}

bool IsHiddenModalityDiffKind(int kind)
{
    return Contains(kHiddenModalityDiffKinds, kind);
}

std::vector<int> GetStoredQuestionDiffKinds()
{
    std::vector<int> kinds;
    for (int kind = 0; kind <= 25; ++kind) {
        if (!IsHiddenQuestionDiffKind(kind))
            kinds.push_back(kind);
    }
    return kinds;
}

std::vector<int> GetStoredModalityDiffKinds()
{
    std::vector<int> kinds;
    for (int kind = 0; kind <= 11; ++kind) {
        if (!IsHiddenModalityDiffKind(kind))
            kinds.push_back(kind);
    }
    return kinds;
}
