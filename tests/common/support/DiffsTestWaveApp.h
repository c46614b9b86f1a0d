#pragma once

// The test application of TestWaveApp.h with the difference options in force and the
// application's fixed sets of hidden difference kinds, for the difference tests. Header-only:
// include it from a test folder that links plim_reconcile.

#include "support/TestWaveApp.h"

#include "reconcile/DiffsOptions.h"

class CDiffsTestWaveApp : public CTestWaveApp
{
public:
    const CQuestionDiffsOptions& GetQuestionDiffsOptions() const override { return QuestionDiffs; }
    const CModalityDiffsOptions& GetModalityDiffsOptions() const override { return ModalityDiffs; }
    bool IsQuestionDiffKindHidden(int kind) const override
    {
        return IsHiddenQuestionDiffKind(kind);
    }
    bool IsModalityDiffKindHidden(int kind) const override
    {
        return IsHiddenModalityDiffKind(kind);
    }
    bool IsQuestionDiffKindHiddenInDialog(int kind) const override
    {
        return IsDialogHiddenQuestionDiffKind(kind);
    }
    bool IsModalityDiffKindHiddenInDialog(int kind) const override
    {
        return IsDialogHiddenModalityDiffKind(kind);
    }

    // The difference options in force, open to the test.
    CQuestionDiffsOptions QuestionDiffs;
    CModalityDiffsOptions ModalityDiffs;
};
