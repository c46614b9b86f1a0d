#include "model/OptionRecords.h"

#include <atomic>

namespace {

// Two flags are equal when both are set or both are clear, whatever non-zero value they hold.
bool FlagsEqual(int a, int b)
{
    return (a != 0) == (b != 0);
}

// Plain values read on the interface thread; atomic so that a worker reading them is harmless.
std::atomic<int> g_currentLanguageId{0};
std::atomic<int> g_currentQuestionnaireLanguage{0};

} // namespace

bool CLanguageSettings::operator==(const CLanguageSettings& other) const
{
    return m_sourceItems == other.m_sourceItems &&
           m_compareCaptionsInDefaultLangOnly == other.m_compareCaptionsInDefaultLangOnly;
}

bool CViewSettings::EqualsFirstGroup(const CViewSettings& other) const
{
    return FlagsEqual(m_showImperfectQuestionMatches, other.m_showImperfectQuestionMatches) &&
           FlagsEqual(m_showPerfectQuestionMatches, other.m_showPerfectQuestionMatches) &&
           FlagsEqual(m_showUnmatchedCampaignQuestions, other.m_showUnmatchedCampaignQuestions) &&
           FlagsEqual(m_showUnmatchedSourceQuestions, other.m_showUnmatchedSourceQuestions) &&
           m_questionGridViewText == other.m_questionGridViewText;
}

bool CViewSettings::EqualsSecondGroup(const CViewSettings& other) const
{
    return FlagsEqual(m_showImperfectResponseMatches, other.m_showImperfectResponseMatches) &&
           FlagsEqual(m_showPerfectResponseMatches, other.m_showPerfectResponseMatches) &&
           FlagsEqual(m_showUnmatchedCampaignResponses, other.m_showUnmatchedCampaignResponses) &&
           FlagsEqual(m_showUnmatchedSourceResponses, other.m_showUnmatchedSourceResponses) &&
           FlagsEqual(m_showNewCampaignResponses, other.m_showNewCampaignResponses) &&
           FlagsEqual(m_viewEntryCodes, other.m_viewEntryCodes);
}

bool CViewSettings::operator==(const CViewSettings& other) const
{
    return EqualsFirstGroup(other) && EqualsSecondGroup(other);
}

void CNGramSettings::SetNGramLength(int length)
{
    m_nGramLength = length < 2 ? 2 : length;
}

float CNGramSettings::GetThresholdFraction() const
{
    return static_cast<float>(static_cast<double>(m_nGramThreshold) / 100.0);
}

void CEnvironmentSettings::SetMRUSize(int size)
{
    if (size >= 1 && size <= 16)
        m_mruSize = size;
}

void CEnvironmentSettings::SetMRUFileNameLength(int length)
{
    if (length >= 20 && length <= 260)
        m_mruFileNameLength = length;
}

bool CEnvironmentSettings::operator==(const CEnvironmentSettings& other) const
{
    return m_mruSize == other.m_mruSize && m_mruFileNameLength == other.m_mruFileNameLength &&
           m_findQuestionSearchTarget == other.m_findQuestionSearchTarget &&
           m_findQuestionText.compare(other.m_findQuestionText, Qt::CaseInsensitive) == 0 &&
           m_captionsLibraryPath.compare(other.m_captionsLibraryPath, Qt::CaseInsensitive) == 0;
}

void SetCurrentLanguageId(int languageId)
{
    g_currentLanguageId.store(languageId, std::memory_order_relaxed);
}

int GetCurrentLanguageId()
{
    return g_currentLanguageId.load(std::memory_order_relaxed);
}

void SetCurrentQuestionnaireLanguage(int languageId)
{
    g_currentQuestionnaireLanguage.store(languageId, std::memory_order_relaxed);
}

int GetCurrentQuestionnaireLanguage()
{
    return g_currentQuestionnaireLanguage.load(std::memory_order_relaxed);
}
