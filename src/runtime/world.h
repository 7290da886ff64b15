#pragma once

namespace tw {

class Engine;

// Items lying in the current scene: hover test, the click that sends the hero to one, their pictures.
void drawLyingItems(Engine& engine);
// The hero standing on the cell of the item he was sent to picks it up into slot 18.
void pickUpArrival(Engine& engine);
// Editor markers of portals ("P-") and dialog approach cells ("D-"), with an editor attached.
void drawPortalAndDialogMarkers(Engine& engine);
// The hero standing on a portal's cell passes to its target scene.
void portalTest(Engine& engine);

} // namespace tw
