#pragma once

namespace tw {

class Engine;
struct ProjectRecord;

// Placing a portal takes four stages: arm it for portal k (armPortalPlacement), press its cell on the
// scene shown (the chooser of the target scene appears), choose the target scene (chooseTargetScene,
// which shows it), arm the arrival (armArrivalPick) and press the arrival cell, after which the portal's
// own scene is shown again. The presses are served with the canvas's other sub-modes (plotpresses.h).
// The placement is one edit: the record gets the portal chosen in the first stage, its cell, target and
// arrival at the arrival's press, and nothing before; a placement left half-way leaves nothing behind.

// Stage 1: portal k (1..5) of the scene shown is placed by the next press on a walkable cell. A placement
// already under way is abandoned first. Returns true when that put another scene on the canvas.
bool armPortalPlacement(Engine& engine, int k);
// Stage 3: the target scene, kept within 1..sceneCount, becomes the scene shown; the arrival pressed on it
// makes it the portal's target. Leaving the scene shown is play. Returns the scene chosen after clamping.
int chooseTargetScene(Engine& engine, int scene);
// Stage 4 armed: the chooser is hidden and the next press on a walkable cell sets the arrival.
void armArrivalPick(Engine& engine);
// The author left the placement (Esc, another page): nothing stays armed, the chooser is hidden and the
// hero may walk again; if the target scene was shown, the portal's scene is shown instead. Returns true
// when the scene shown changed; the caller reloads the background. The record keeps nothing of the
// placement.
bool abandonPortalPlacement(Engine& engine);
// "Убрать": portal k of scene s loses its cell (0, 0); its arrival and target stay as stored.
void removePortal(ProjectRecord& record, int s, int k);

} // namespace tw
