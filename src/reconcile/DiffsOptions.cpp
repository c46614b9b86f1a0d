#include "reconcile/DiffsOptions.h"

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
