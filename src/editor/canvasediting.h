#pragma once

#include "editor/animatorview.h"
#include "editor/editorstate.h"
#include "runtime/editorhooks.h"

namespace tw {

class Engine;

// The editor's part of the canvas: it plugs into the engine for as long as it lives and serves the
// editor's own modes and sub-modes there (menu zones being set, the passability brush, the animator's
// sheet, the plot editor's placing), holds the hero while a portal is placed, and has play and the
// overlay draw the author's aids. It owns the editor's run-time state that the pages set.
class CanvasEditing final : public EditorHooks {
public:
    explicit CanvasEditing(Engine& engine);
    ~CanvasEditing() override;
    CanvasEditing(const CanvasEditing&) = delete;
    CanvasEditing& operator=(const CanvasEditing&) = delete;

    EditorState& state() { return state_; }
    const EditorState& state() const { return state_; }

    void pressed(MouseButton button, QPoint at) override;
    bool tookMenuPress(QPoint at) override;
    bool tookMenuMove(QPoint at) override;
    void scenePressed(QPoint at, int col, int row) override;
    void moved(QPoint at) override;
    void released() override;
    void doubleClicked(MouseButton button, QPoint at) override;
    void escapePressed() override;
    bool holdsHero() const override;
    void frameBegins() override;
    void editorFrame() override;
    void drawUnderPlay() override;
    bool outlinesCellsInPlay() const override;
    QRect drawEditorScreen() override;
    CellAids cellAids() const override;

private:
    Engine& engine_;
    EditorState state_;
    SheetView sheetView_;
};

// The editing state of the editor plugged into `engine`. Every engine the editor's code works on has one;
// asking an engine without an editor is a programming error and ends the program.
EditorState& editorState(Engine& engine);
const EditorState& editorState(const Engine& engine);

} // namespace tw
