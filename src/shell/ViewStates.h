#pragma once

#include <memory>

class CViewState;
class IShellPanes;

// The snapshot of the panes kept with every history entry: the right-hand host's page, the
// question it shows and its focused response, the property pane's value, and the campaign
// tree's selected wave and volume. Without panes (no main window) every field says "none".
std::unique_ptr<CViewState> CaptureViewState(const IShellPanes* panes);

// Brings the panes back to a snapshot before Undo and Redo: the campaign tree selects the
// campaign (a snapshot of no wave, and nothing else happens), the wave or the volume; a
// snapshot of the reconciliation page shows that page for its wave (switching only when the
// page shows another wave or the host another page) and selects its question. Snapshots of the
// other pages leave the right-hand host as it is; the response and the property pane's value
// are not restored.
void RestoreViewState(IShellPanes& panes, const CViewState& state);
