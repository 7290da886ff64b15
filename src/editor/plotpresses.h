#pragma once

namespace tw {

class Engine;
struct EditorState;

// True when some placing sub-mode of the plot editor is armed: a press on the scene is then the editor's,
// never a click of play.
bool plotEditorTakesPress(const EditorState& editor);
// A press on the scene in the plot editor: every armed placing sub-mode is served, in a fixed order, at
// the same point (x, y) and cell (c, r). Sub-modes that need a walkable cell ignore a blocked one and
// stay armed.
void servePlotEditorPress(Engine& engine, int x, int y, int c, int r);
// A pointer move in the plot editor: the zone drags and the animation spot preview.
void servePlotEditorMove(Engine& engine, int x, int y);

} // namespace tw
