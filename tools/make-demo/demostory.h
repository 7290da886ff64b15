#pragma once

#include "project/projectrecord.h"

namespace tw::demo {

// The demo's quest. The hero starts on the forest road. The hermit by the campfire tells him of the king's
// treasure and of the gate key lost on the forest footpath. In the village the herb woman gives him a coin,
// which the merchant takes for the king's gem. The key opens the castle gate in the village alley. In the
// castle hall the guard says that only the king's amulet opens the treasury: the gem on a rope. The rope
// lies by the hearth; gem and rope make the amulet in the bag, and the amulet opens the treasury door.

// Dialog numbers of the characters in their scenes.
inline constexpr int kHermitDialog = 1;    // scene 1, talks
inline constexpr int kHerbalistDialog = 1; // scene 2, talks and gives the coin
inline constexpr int kMerchantDialog = 2;  // scene 2, takes the coin for the gem
inline constexpr int kGuardDialog = 1;     // scene 3, talks
// Door numbers: the castle gate in the village, the treasury door in the hall (the final one).
inline constexpr int kGateDoor = 1;     // scene 2
inline constexpr int kTreasuryDoor = 1; // scene 3
inline constexpr int kGateComic = 3;
inline constexpr int kTreasuryComic = 2;

// Writes the plot into the record, whose passability and animation spots already follow the layouts:
// lying items and the one combination, the doors with their keys and comics, the characters' dialogs and
// every scene's random dialogs, the hero's and the crowd's remarks, and the hints.
void placeStory(ProjectRecord& record);

} // namespace tw::demo
