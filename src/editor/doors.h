#pragma once

#include <QString>

namespace tw {

struct Door;
struct EditorState;
struct ProjectRecord;

// Doors placed from the plot editor: up to three per scene, each blocking its approach cell while closed.

// The pictures, key and comic chosen on the door page for the door being edited.
struct DoorPicks {
    int closedPicture = 1; // 1..kDoorPictures
    int openPicture = 1;
    int keyItem = 1;       // 1..100
    int comic = 2;         // 1..comicCount
};

inline constexpr int kDoorPictures = 50;

// The picks the door page shows now.
DoorPicks doorPicks(const EditorState& editor);
// Shows the picks on the door page.
void showPicks(EditorState& editor, const DoorPicks& picks);

// The picks a stored door loads into the page, each brought into its range: a blank record or a door
// opened in play stores 0, which no stepper can show.
DoorPicks picksOf(const Door& door, int comicCount);

// "Сохран.": door k of scene s is closed and takes the picks. A door that was not closed has blocked no
// cell yet.
void saveDoor(ProjectRecord& record, int s, int k, const DoorPicks& picks);
// "Разместить" and the press after it: as saveDoor, with the picture's top-left corner at (x, y).
void placeDoor(ProjectRecord& record, int s, int k, int x, int y, const DoorPicks& picks);
// The hero's approach of door k becomes cell (c, r), which is blocked; a closed door thereby blocks that
// cell as its own. The cell the door blocked before is made walkable again unless another door of the
// scene blocks it too; a door that blocked no cell (removed, never placed, opened in play, or placed and
// its cell not set since) gives nothing back, so its stored cell keeps what the author painted.
void setDoorApproach(ProjectRecord& record, int s, int k, int c, int r);
// "Убрать": door k is gone (state 0); the cell it blocked is walkable again unless another door blocks
// it. Pictures, key, comic, zone and position stay stored.
void removeDoor(ProjectRecord& record, int s, int k);

} // namespace tw
