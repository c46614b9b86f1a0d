#pragma once

#include <map>
#include <vector>

// Which difference kinds the user wants looked for. A kind is a question or response property
// id (see PropertyCaptions.h). The map holds only kinds set explicitly; the two option classes
// give an absent kind opposite meanings: every question kind is enabled until it is switched
// off, no response kind is enabled until it is switched on.
class CDiffsOptions
{
public:
    CDiffsOptions() = default;
    CDiffsOptions(const CDiffsOptions&) = default;
    virtual ~CDiffsOptions();

    // Stores the flag of a kind, replacing the one it had; always true.
    bool SetEnabled(int kind, bool enabled);

    // The kinds set explicitly, with their flags, in kind order.
    const std::map<int, bool>& GetEntries() const { return m_enabled; }

protected:
    CDiffsOptions& operator=(const CDiffsOptions&) = default;

    std::map<int, bool> m_enabled;
};

class CQuestionDiffsOptions : public CDiffsOptions
{
public:
    CQuestionDiffsOptions() = default;
    CQuestionDiffsOptions(const CQuestionDiffsOptions&) = default;
    CQuestionDiffsOptions& operator=(const CQuestionDiffsOptions&) = default;

    // True for a kind not set explicitly.
    bool IsEnabled(int kind) const;

    // Structural: a kind stored with its default differs from the same kind absent.
    bool operator==(const CQuestionDiffsOptions& other) const
    {
        return m_enabled == other.m_enabled;
    }
    bool operator!=(const CQuestionDiffsOptions& other) const { return !(*this == other); }
};

class CModalityDiffsOptions : public CDiffsOptions
{
public:
    CModalityDiffsOptions() = default;
    CModalityDiffsOptions(const CModalityDiffsOptions&) = default;
    CModalityDiffsOptions& operator=(const CModalityDiffsOptions&) = default;

    // False for a kind not set explicitly.
    bool IsEnabled(int kind) const;

    bool operator==(const CModalityDiffsOptions& other) const
    {
        return m_enabled == other.m_enabled;
    }
    bool operator!=(const CModalityDiffsOptions& other) const { return !(*this == other); }
};

// The fixed sets of difference kinds, in their stored order (only membership matters).
// Hidden kinds are never compared, offered in the options, or stored in the profile or an
// options file; the dialog sets are hidden in the difference dialogs in addition.
inline constexpr int kHiddenQuestionDiffKinds[] = {19, 0, 1, 20, 28, 27};
inline constexpr int kDialogHiddenQuestionDiffKinds[] = {19, 0, 1, 20, 25, 26, 28, 27};
inline constexpr int kHiddenModalityDiffKinds[] = {0, 1, 2, 4, 7, 10, 11};
inline constexpr int kDialogHiddenModalityDiffKinds[] = {0, 1, 2, 4, 7, 10, 11};

// Membership of a kind in the hidden sets above.
bool IsHiddenQuestionDiffKind(int kind);
bool IsHiddenModalityDiffKind(int kind);
bool IsDialogHiddenQuestionDiffKind(int kind);
bool IsDialogHiddenModalityDiffKind(int kind);

// The kinds kept in the profile and in options files, in id order: question kinds 0 to 25 and
// response kinds 0 to 11 that are not hidden (question kinds 2 to 18 and 21 to 25, response
// kinds 3, 5, 6, 8 and 9). Question kind 26 is never stored and stays enabled.
std::vector<int> GetStoredQuestionDiffKinds();
std::vector<int> GetStoredModalityDiffKinds();
