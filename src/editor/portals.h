#pragma once

namespace tw {

class Engine;
struct ProjectRecord;

// Placing a portal takes four steps: arm it for portal k (armPortalPlacement), press its cell on the
// scene shown (the chooser of the target scene appears), choose the target scene (chooseTargetScene,
// which shows it), arm the arrival (armArrivalPick) and press the arrival cell, after which the portal's
// own scene is shown again. The presses are served with the canvas's other sub-modes (plotpresses.h).
// Every step writes the portal chosen in the first one, whatever the portal spinner shows later.

// Step 1: portal k (1..5) of the scene shown is placed by the next press on a walkable cell. A placement
// already under way is abandoned first. Returns true when that put another scene on the canvas.
bool armPortalPlacement(Engine& engine, int k);
// Step 3: the target scene, kept within 1..sceneCount, becomes the portal's target and the scene shown.
// The target is an edit, to be made inside Editor::change; leaving the scene shown is play and stays out
// of the step. Returns the scene chosen after clamping.
int chooseTargetScene(Engine& engine, int scene);
// Step 4 armed: the chooser is hidden and the next press on a walkable cell sets the arrival.
void armArrivalPick(Engine& engine);
// The author left the placement (Esc, another page): nothing stays armed, the chooser is hidden and the
// hero may walk again; if the target scene was shown, the portal's scene is shown instead. Returns true
// when the scene shown changed; the caller reloads the background. Play, not an edit: call it outside
// any edit.
bool abandonPortalPlacement(Engine& engine);
// "Убрать": portal k of scene s loses its cell (0, 0); its arrival and target stay as stored.
void removePortal(ProjectRecord& record, int s, int k);

} // namespace tw
