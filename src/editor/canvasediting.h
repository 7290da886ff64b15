#pragma once

#include "editor/animatorview.h"
#include "editor/editorstate.h"
#include "runtime/editorhooks.h"

namespace tw {

class Applicator;
class Engine;

// The editor's part of the canvas: it plugs into the engine for as long as it lives and serves the
// editor's own modes and sub-modes there (menu zones being set, the passability brush, the animator's
// sheet, the plot editor's placing), holds the hero while a portal is placed, and has play and the
// overlay draw the author's aids. It owns the editor's run-time state that the pages set. Every canvas
// mode gets its input here, by the engine's handlers: the applicator's too, once it is attached.
class CanvasEditing final : public EditorHooks {
public:
    explicit CanvasEditing(Engine& engine);
    ~CanvasEditing() override;
    CanvasEditing(const CanvasEditing&) = delete;
    CanvasEditing& operator=(const CanvasEditing&) = delete;

    EditorState& state() { return state_; }
    const EditorState& state() const { return state_; }

    void pressed(MouseButton button, Point at) override;
    bool tookMenuPress(Point at) override;
    bool tookMenuMove(Point at) override;
    bool tookScenePress(Point at, int col, int row) override;
    void moved(Point at) override;
    void released() override;
    void doubleClicked(MouseButton button, Point at) override;
    void escapePressed() override;
    bool holdsHero() const override;
    void frameBegins() override;
    void editorFrame() override;
    void drawUnderPlay() override;
    bool outlinesCellsInPlay() const override;
    Rect drawEditorScreen() override;
    CellAids cellAids() const override;

    // The applicator that serves the applicator mode's presses, moves and releases; null: none.
    void setApplicator(Applicator* applicator) { applicator_ = applicator; }

private:
    bool inApplicator() const;

    Engine& engine_;
    Applicator* applicator_ = nullptr;
    EditorState state_;
    SheetView sheetView_;
};

// The editing state of the editor plugged into `engine`. Every engine the editor's code works on has one;
// asking an engine without an editor is a programming error and ends the program.
EditorState& editorState(Engine& engine);
const EditorState& editorState(const Engine& engine);

} // namespace tw
