#pragma once

namespace tw {

class Engine;
struct ProjectRecord;

// Hints of the current scene: hover, the text while the button is held in the zone, and with an editor
// attached the zone outlines.
void drawHints(Engine& engine);
// Outlines and numbers of the current scene's dialog zones, with an editor attached.
void drawDialogZones(Engine& engine);
// A click in a dialog zone sends the hero to the character; on arrival the dialog opens; while it is
// open its text is shown and the exchange or gift happens.
void dialogClickArrivalAndText(Engine& engine);
// The dialogs of a scene the hero leaves move on to random dialogs.
void moveDialogsOn(ProjectRecord& record, int scene);
// Hero remarks (said once on their cell) and crowd remarks (random texts), with their editor markers,
// then the hero's remark above his head while it lasts.
void heroAndCrowdRemarks(Engine& engine);

} // namespace tw
