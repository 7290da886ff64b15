#pragma once

namespace tw {

class Engine;

// Doors of the current scene: pictures; with an editor attached, their numbers and outlines too.
void drawDoors(Engine& engine);
// The key used on a door's key zone sends the hero to the door; arriving next to it opens the door and
// starts its comic.
void doorKeyUseAndArrival(Engine& engine);
// While a comic is shown: black canvas with the comic centred; counts down and ends it.
void drawComic(Engine& engine);

} // namespace tw
