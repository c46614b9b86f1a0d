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

// The kinds 0 to last that are not in the hidden table.
template <size_t N> std::vector<int> KindsNotHidden(int last, const int (&hidden)[N])
{
    std::vector<int> kinds;
    for (int kind = 0; kind <= last; ++kind) {
        if (!Contains(hidden, kind))
            kinds.push_back(kind);
    }
    return kinds;
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

bool IsDialogHiddenQuestionDiffKind(int kind)
{
    return Contains(kDialogHiddenQuestionDiffKinds, kind);
}

bool IsDialogHiddenModalityDiffKind(int kind)
{
    return Contains(kDialogHiddenModalityDiffKinds, kind);
}

std::vector<int> GetStoredQuestionDiffKinds()
{
    return KindsNotHidden(25, kHiddenQuestionDiffKinds);
}

std::vector<int> GetStoredModalityDiffKinds()
{
    return KindsNotHidden(11, kHiddenModalityDiffKinds);
}
