#pragma once

namespace tw {

struct ProjectRecord;
struct PlayState;

// The hero's orders (walks to an item, a door or a character) belong to the scene they were given in.
// The scene is left (a portal, the scene buttons, Esc to the menu, a tab change): every such order is
// void. The hero stops where he is, a door whose walk is cancelled is shut again (its cell blocked, as
// it stood before its key was used), an open dialog text closes, and a press that no frame tick has seen
// yet is forgotten. Orders given in another scene than orderScene are dropped all the same.
void leaveScene(ProjectRecord& record, PlayState& play);

// True when an order given in orderScene may complete now, in currentScene.
inline bool orderHoldsIn(int orderScene, int currentScene) { return orderScene == currentScene; }

} // namespace tw
