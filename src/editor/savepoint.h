#pragma once

namespace tw {

class Editor;

// The four buttons that store, restore or wipe the whole record. Each asks its question first; anything
// but Yes changes nothing. Each is one step of the editor's history, so even an erase can be taken back.
// They return true when they changed something.

// "СОХРАНИТЬ": the record, with startScene set to the scene shown, becomes the save point
// mzh/data/baztyp.dll (written atomically). A failed write is reported and leaves the record as it was.
bool storeSavePoint(Editor& editor);
// "ВОССТАНОВИТЬ": the save point replaces the record, read whole into a copy first. A missing save point
// gives " ERROR ", a damaged one a message naming it; the record stays as it was. The restored record
// gets the start-up defaults, what play had in flight ends, and its startScene (kept within its scenes)
// is shown.
bool restoreSavePoint(Editor& editor);
// "Стереть весь сюжет игры": the plot and the play state are wiped; scenes, pictures and animations stay.
bool eraseWholePlot(Editor& editor);
// "Стереть все мульты!": every animation becomes one empty frame.
bool eraseAllAnimations(Editor& editor);

} // namespace tw
