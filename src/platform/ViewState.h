#pragma once

// Snapshot of the three panes kept with every history entry, so that Undo and Redo can bring
// the user back to where the change was made before taking it back.
class CViewState
{
public:
    enum Page { PageQuestionTree = 0, PageReconciliation = 1, PageNone = 2 };

    int Page = PageNone;
    int BottomValue = 0;  // recorded, never restored
    int QuestionId = -1;  // campaign question shown by the reconciliation page
    int ResponseId = -1;  // focused campaign response; recorded, never restored
    int WaveId = -1;      // selected wave, or the selected volume's wave
    int VolumeId = -1;    // selected volume, -1 when the selection is not a volume

    bool operator==(const CViewState&) const = default;
};
