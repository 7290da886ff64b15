// The two periodic ticks of the engine: the frame tick that composes the scene and advances the game, and
// the overlay tick that repaints the editor screens and keeps the music looping.
#include "canvas/blit.h"
#include "canvas/cutting.h"
#include "canvas/drawing.h"
#include "canvas/drawnarea.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/random.h"
#include "runtime/bag.h"
#include "runtime/doors.h"
#include "runtime/editorhooks.h"
#include "runtime/editrecorder.h"
#include "runtime/engine.h"
#include "runtime/talk.h"
#include "runtime/walking.h"
#include "runtime/world.h"


#include <algorithm>

namespace tw {
namespace {

void outlineWalkableCells(Engine& engine) {
    const ProjectRecord& record = engine.record();
    const int s = engine.screen().currentScene;
    for (int c = 1; c <= kGridColumns; ++c) {
        for (int r = 1; r <= kGridRows; ++r) {
            if (record.passOrBlocked(s, c, r) < kBlockedCell) outlineCell(engine.canvas(), c, r);
        }
    }
}

// Frame counters of the animation spots: cyclic ones step on, random ones jump now and then. Counters
// advance whether or not the spot is shown.
void advanceSpotCounter(Engine& engine, int k, const AnimSpot& spot) {
    int& frame = engine.play().spotFrame[k - 1];
    const int count = isAnimationNumber(spot.animation) ? engine.record().animation(spot.animation).frameCount : 0;
    if (spot.randomFrame != 1) {
        if (++frame > count) frame = 1;
    } else if (engine.services().random.below(50) < 5) {
        frame = count >= 1 ? 1 + engine.services().random.below(count) : 1;
    }
}

void drawSpots(Engine& engine) {
    const SceneBlock& scene = engine.record().scene(engine.screen().currentScene);
    for (int k = 1; k <= kSpotsPerScene; ++k) {
        const AnimSpot& spot = scene.animSpot(k);
        if (spot.visible == 1) engine.cutFrame(spot.x, spot.y, spot.animation, false, engine.play().spotFrame[k - 1]);
        advanceSpotCounter(engine, k, spot);
    }
}

void drawSpotNumbers(Engine& engine) {
    if (!engine.drawsEditorAids()) return;
    const SceneBlock& scene = engine.record().scene(engine.screen().currentScene);
    for (int k = 1; k <= kSpotsPerScene; ++k) {
        const AnimSpot& spot = scene.animSpot(k);
        if (spot.visible == 1) engine.text().drawLabel(engine.canvas(), spot.x, spot.y, std::to_string(k));
    }
}

void wrapHeroFrame(Engine& engine) {
    PlayState& play = engine.play();
    const int count = isAnimationNumber(play.heroAnimation) ? engine.record().animation(play.heroAnimation).frameCount : 0;
    if (++play.previewFrame > count) play.previewFrame = 1;
}

void panelAndHeldItem(Engine& engine) {
    ProjectRecord& record = engine.record();
    PlayState& play = engine.play();
    Picture& canvas = engine.canvas();
    if (play.mousePoint.y < 5) play.panelShown = true;
    if (play.panelShown) {
        drawOpaque(canvas, engine.pictures().panelPicture, Point{0, 0});
        if (play.mousePoint.y > 100) play.panelShown = false; // still completed in this tick
        bagUpkeepAndDrawing(engine);
    }
    // Step 19 looks at the panel as it stands after the step above.
    if (play.panelShown) {
        engine.setCanvasCursor(cursorItem);
        if (isHoldingItem(record))
            drawTransparent(canvas, engine.pictures().handPicture, play.mousePoint - Point{25, 25});
    } else if (record.heldItem != 0) {
        engine.setCanvasCursor(cursorNeutral);
        if (isHoldingItem(record)) drawTransparent(canvas, engine.pictures().handPicture, play.mousePoint);
    }
}

// Composes one play frame and returns where it drew over the background: the whole canvas when a comic
// covered it. With lastDrawn, the canvas holds the frame before, drawn over the same background, and
// only what that frame drew needs the background put back.
ChangedArea playFrame(Engine& engine, const ChangedArea* lastDrawn) {
    ProjectRecord& record = engine.record();
    PlayState& play = engine.play();
    EditorHooks* editor = engine.editorHooks();
    const bool heroHeld = editor && editor->holdsHero();
    Pictures& pictures = engine.pictures();
    Picture& canvas = engine.canvas();
    const int s = engine.screen().currentScene;

    if (lastDrawn) {                                                                                // 2.1
        for (const Rect& area : *lastDrawn) drawOpaqueArea(canvas, pictures.backgroundPicture, area);
    } else {
        drawOpaque(canvas, pictures.backgroundPicture, Point{0, 0});
    }
    // From here on everything is drawn with the canvas primitives, which report where they draw; a
    // drawing made any other way must make the frame return the whole canvas, as the comic does.
    const DrawnArea drawn(canvas);
    if (editor) editor->drawUnderPlay();                                                            // 2.2
    drawDoors(engine);                                                                              // 2.3
    drawHints(engine);                                                                              // 2.4
    drawDialogZones(engine);                                                                        // 2.5
    if (editor && editor->outlinesCellsInPlay()) outlineWalkableCells(engine);                      // 2.6
    doorKeyUseAndArrival(engine);                                                                   // 2.7
    dialogClickArrivalAndText(engine);                                                              // 2.8
    drawLyingItems(engine);                                                                         // 2.9
    pickUpArrival(engine);
    play.panelTicks = std::max(play.panelTicks - 1, 0);                                             // 2.10
    if (play.panelTicks > 1) play.panelShown = true;
    drawSpots(engine);                                                                              // 2.11
    engine.cutFrame(record.heroX, record.heroY, play.heroAnimation, true, play.previewFrame);      // 2.12
    drawSpotNumbers(engine);                                                                        // 2.13
    walkStep(record, s, play, heroHeld);                                                            // 2.14
    wrapHeroFrame(engine);                                                                          // 2.15
    // 2.16: the window shows heroStep on the speed buttons.
    heroAndCrowdRemarks(engine);                                                                    // 2.17
    panelAndHeldItem(engine);                                                                       // 2.18, 2.19
    drawPortalAndDialogMarkers(engine);                                                             // 2.20
    if (!heroHeld) portalTest(engine);                                                              // 2.21
    // 2.22: the window shows the dialog page's controls by kind.
    if (play.panelShown) engine.setCanvasCursor(cursorItem);                                       // 2.23
    const bool comicShown = play.comicOn;
    drawComic(engine);                                                                              // 2.24
    if (play.hintHover) engine.setCanvasCursor(cursorLook);                                         // 2.25
    if (play.walkingToDoor || play.walkingToDialog) engine.setCanvasCursor(cursorClock);
    play.pressPending = false;
    return comicShown ? ChangedArea(canvas.rect()) : drawn.region();
}

} // namespace

ChangedArea Engine::frameTick() {
    if (!started_) return {};
    // Whatever the tick changes is play; it never enters an editor's step.
    const PlayScope play(recorder_);
    if (hooks_) hooks_->frameBegins();
    const std::uint64_t before = canvas_.cacheKey();
    switch (screen_.screenMode) {
    case ScreenMode::Scene: {
        // When nothing else drew on the canvas since the last frame and the background is the same, the
        // canvas differs from the background only where that frame drew: putting the background back
        // there and showing again where either frame drew gives the same picture as redrawing it whole.
        const std::uint64_t background = pictures_.backgroundPicture.cacheKey();
        const bool followsLastFrame = frameMemo_.canvasKey == before && frameMemo_.backgroundKey == background;
        ChangedArea drawn = playFrame(*this, followsLastFrame ? &frameMemo_.drawn : nullptr);
        ChangedArea changed = followsLastFrame ? drawn | frameMemo_.drawn : ChangedArea(canvas_.rect());
        frameMemo_ = FrameMemo{canvas_.cacheKey(), background, std::move(drawn)};
        return changed;
    }
    default:
        if (hooks_) hooks_->editorFrame();
        break;
    }
    frameMemo_ = FrameMemo{};
    return canvas_.cacheKey() != before ? ChangedArea(canvas_.rect()) : ChangedArea();
}

OverlayInputs Engine::overlayInputs() const {
    OverlayInputs in;
    in.mode = screen_.screenMode;
    in.scene = screen_.currentScene;
    // Without an editor the overlay draws nothing: the menu picture is the background itself.
    if (!hooks_) return in;
    in.menu = in.mode == ScreenMode::Menu;
    const CellAids aids = hooks_->cellAids();
    in.cells = aids.outlines;
    in.trails = aids.trails;
    in.pointerCell = aids.pointerCell;
    if (in.menu) {
        for (int k = 1; k <= kMenuZones; ++k) {
            const Point16& a = record_->menuTopLeft(k);
            const Point16& b = record_->menuBottomRight(k);
            in.zones[4 * (k - 1)] = a.x;
            in.zones[4 * (k - 1) + 1] = a.y;
            in.zones[4 * (k - 1) + 2] = b.x;
            in.zones[4 * (k - 1) + 3] = b.y;
        }
    }
    // Only walkability shows, not the wave marks the hero's walk writes into the grid.
    // A scene number outside the table has no walkable cell.
    if ((in.cells || in.trails) && isSceneNumber(in.scene)) {
        const auto& grid = record_->passGrid[in.scene - 1];
        for (int c = 0; c < kGridColumns; ++c) {
            for (int r = 0; r < kGridRows; ++r) in.walkable[c * kGridRows + r] = grid[c][r] < kBlockedCell;
        }
    }
    in.backgroundKey = pictures_.backgroundPicture.cacheKey();
    return in;
}

namespace {

// The outline of a zone covers (x1, y1)-(x2 - 1, y2 - 1); a zone that is not well formed draws nothing.
Rect zoneOutline(const OverlayInputs& in, int k) {
    const std::uint16_t* z = &in.zones[4 * (k - 1)];
    if (!isWellFormed(z[0], z[1], z[2], z[3])) return {};
    return Rect::fromCorners(z[0], z[1], z[2], z[3]);
}

// Where the overlay's drawing can differ between two sets of inputs that share mode, scene, background
// and what is drawn: the old and new outlines of the zones that moved and the cells whose walkability
// changed (a cell's outline and dots lie inside the cell).
Rect changedPart(const OverlayInputs& before, const OverlayInputs& now) {
    Rect part;
    for (int k = 1; k <= kMenuZones; ++k) {
        if (zoneOutline(before, k) != zoneOutline(now, k))
            part = part.united(zoneOutline(before, k)).united(zoneOutline(now, k));
    }
    if (before.pointerCell != now.pointerCell) {
        for (const Point cell : {before.pointerCell, now.pointerCell}) {
            if (isCellInGrid(cell.x, cell.y)) part = part.united(Rect{20 * (cell.x - 1), 20 * (cell.y - 1), 20, 20});
        }
    }
    const auto flipped = before.walkable ^ now.walkable;
    if (flipped.any()) {
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 1; r <= kGridRows; ++r) {
                if (flipped[(c - 1) * kGridRows + (r - 1)]) part = part.united(Rect{20 * (c - 1), 20 * (r - 1), 20, 20});
            }
        }
    }
    return part;
}

bool sameScreen(const OverlayInputs& a, const OverlayInputs& b) {
    return a.mode == b.mode && a.scene == b.scene && a.menu == b.menu && a.cells == b.cells &&
           a.trails == b.trails && a.backgroundKey == b.backgroundKey;
}

} // namespace

Rect Engine::overlayTick() {
    if (!started_) return {};
    Audio& audio = services_.audio;
    // A track that could not be opened has length 0; it is not retried every 10 ms.
    if (play_.musicLoop && audio.musicLength() > 0 && audio.musicPosition() == audio.musicLength()) {
        audio.openMusic(paths_.sound("fon.mp3"));
        audio.playMusic();
    }
    Rect changed;
    const ScreenMode mode = screen_.screenMode;
    if (hooks_ && (mode == ScreenMode::Applicator || mode == ScreenMode::Animator)) changed = hooks_->drawEditorScreen();

    // The menu, the cell outlines and the dots come out the same from the same inputs on a canvas nobody
    // else drew on: a still screen is left alone instead of being redrawn a hundred times a second.
    const OverlayInputs now = overlayInputs();
    if (!now.drawsAnything()) return changed;
    const bool drawnOver = canvas_.cacheKey() != overlayMemo_.canvasKey;
    if (!drawnOver && now == overlayMemo_.drawnFrom) return changed;
    if (drawnOver || !sameScreen(now, overlayMemo_.drawnFrom))
        changed = canvas_.rect();
    else
        changed = changed.united(changedPart(overlayMemo_.drawnFrom, now));

    if (now.menu) {
        drawOpaque(canvas_, pictures_.backgroundPicture, Point{0, 0});
        for (int k = 1; k <= kMenuZones; ++k) {
            const Point16& a = record_->menuTopLeft(k);
            const Point16& b = record_->menuBottomRight(k);
            if (isWellFormed(a.x, a.y, b.x, b.y)) outlineRect(canvas_, a.x, a.y, b.x, b.y);
        }
    }
    // Only the cells in `area` can differ from what the canvas shows; a cell's outline and dots lie inside
    // it, so redrawing just those cells over their background gives the same picture as redrawing all.
    // The menu above was drawn whole, so every cell is drawn over it.
    const Rect area = now.menu ? canvas_.rect() : changed.intersected(canvas_.rect());
    const int firstColumn = std::max(1, area.left() / kCellSize + 1);
    const int lastColumn = std::min(kGridColumns, area.right() / kCellSize + 1);
    const int firstRow = std::max(1, area.top() / kCellSize + 1);
    const int lastRow = std::min(kGridRows, area.bottom() / kCellSize + 1);
    const auto walkable = [&now](int c, int r) { return now.walkable[std::size_t((c - 1) * kGridRows + (r - 1))]; };
    if (now.cells) {
        drawOpaqueArea(canvas_, pictures_.backgroundPicture, area);
        for (int c = firstColumn; c <= lastColumn; ++c) {
            for (int r = firstRow; r <= lastRow; ++r) {
                if (walkable(c, r)) outlineCell(canvas_, c, r);
            }
        }
        // The cell the brush would paint. It stays drawn while the pointer rests, so the author sees
        // where a press lands.
        const Point pointer = now.pointerCell;
        if (isCellInGrid(pointer.x, pointer.y) && area.intersects(Rect{20 * (pointer.x - 1), 20 * (pointer.y - 1), 20, 20}))
            outlineCell(canvas_, pointer.x, pointer.y, rgb(255, 0, 0));
    }
    if (now.trails) {
        for (int c = firstColumn; c <= lastColumn; ++c) {
            for (int r = firstRow; r <= lastRow; ++r) {
                if (!walkable(c, r)) continue;
                for (const Point dot : {Point{20 * (c - 1) + 5, 20 * (r - 1) + 5}, Point{20 * (c - 1) + 15, 20 * (r - 1) + 15}}) {
                    if (canvas_.rect().contains(dot)) canvas_.setPixel(dot, rgb(255, 255, 255));
                }
            }
        }
    }
    overlayMemo_.drawnFrom = now;
    overlayMemo_.canvasKey = canvas_.cacheKey();
    return changed;
}

} // namespace tw
