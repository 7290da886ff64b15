#pragma once

#include "canvas/geometry.h"
#include "canvas/picture.h"
#include <QtGlobal>

namespace tw {

class Editor;
class Engine;

// The scene background applicator: the scene at its view offset with the held stamp following the
// pointer, stamps pressed onto the scene, a brush that darkens or lightens at random in a small square,
// and the scene and stamp files. Every change of a scene or stamp file is one undoable step and reaches
// the disk at once: a stamp when it is pressed, a brush stroke when the button is released.
class Applicator {
public:
    // Attaches itself to the editor's canvas, which hands it the applicator mode's input.
    explicit Applicator(Editor& editor);
    ~Applicator();
    Applicator(const Applicator&) = delete;
    Applicator& operator=(const Applicator&) = delete;
    Editor& editor() { return editor_; }

    // The display of the 10 ms tick while the brush is off: black, the scene at its offset, the stamp at
    // the pointer. Draws only what changed since it last drew; returns that area (empty: nothing).
    Rect drawOverlay();

    // Canvas input in the applicator mode, from the editor's canvas (the engine's handlers).
    void press(Point at);
    void move(Point at);
    void release();
    // The wheel: a step down (negative delta) is the next stamp, a step up the previous one.
    void wheel(int steps);

    // The page's buttons; false when nothing changed.
    bool createScene();
    bool eraseScene();
    bool loadScene();
    bool saveSceneAs();
    bool saveScene();
    bool addStamp();
    bool replaceStamp();
    void setViewOffset(Point offset);

    // The brush "в зоне курсора".
    void setBrushOn(bool on);
    // The brush's switch lives in the editor's state, where the frame tick also reads it.
    bool brushOn() const;
    void setBrushRadius(int radius);
    void setBrushIntensity(int intensity);
    void setBrushLightens(bool lightens) { lightens_ = lightens; }
    int brushRadius() const { return radius_; }
    int brushIntensity() const { return intensity_; }
    bool brushLightens() const { return lightens_; }

    // The scene was read again (a scene step, a page change, undo): the display starts afresh.
    void sceneReloaded() { memo_ = {}; }

    static constexpr int kSceneLimit = 100;

private:
    bool applies() const;
    void brushAt(Point at);
    // Writes the scene picture to the scene file as one undoable step.
    bool writeScene();

    Editor& editor_;
    Engine& engine_;
    int radius_ = 9;
    int intensity_ = 5;
    bool lightens_ = false;
    bool stroking_ = false; // a brush stroke has changed the picture since the press

    struct Memo {
        std::uint64_t canvasKey = 0; // the canvas after the last drawing; 0: never drew
        std::uint64_t backgroundKey = 0;
        std::uint64_t stampKey = 0;
        Point offset;
        Rect stampRect;
    };
    Memo memo_;
};

// Puts the pixels of `stamp` that differ from its top-left pixel (all of them when not `keyed`) onto
// `target` with the stamp's top-left corner at `at`; pixels outside the target are left out. Returns the
// part of the target written to.
Rect stampOnto(Picture& target, const Picture& stamp, Point at, bool keyed = true);

} // namespace tw
