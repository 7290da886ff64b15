#include "runtime/talk.h"

#include "canvas/blit.h"
#include "canvas/drawing.h"
#include "platform/random.h"
#include "runtime/bag.h"
#include "runtime/engine.h"
#include "runtime/orders.h"
#include "runtime/playrules.h"
#include "runtime/walking.h"


#include <cstdlib>

namespace tw {

void drawHints(Engine& engine) {
    PlayState& play = engine.play();
    const SceneBlock& scene = engine.record().scene(engine.screen().currentScene);
    Picture& canvas = engine.canvas();
    play.hintHover = false;
    for (int h = 1; h <= kHintsPerScene; ++h) {
        const Hint& hint = scene.hint(h);
        if (hint.text.usedLength() == 0) continue;
        if (engine.drawsEditorAids()) outlineRect(canvas, hint.zoneX1, hint.zoneY1, hint.zoneX2, hint.zoneY2);
        if (!isInside(play.mousePoint.x, play.mousePoint.y, hint.zoneX1, hint.zoneY1, hint.zoneX2, hint.zoneY2))
            continue;
        play.hintHover = true;
        if (play.buttonDown()) {
            engine.text().drawGameText(canvas, hint.textX, hint.textY, hint.text.text());
        }
    }
}

void drawDialogZones(Engine& engine) {
    if (!engine.drawsEditorAids()) return;
    const SceneBlock& scene = engine.record().scene(engine.screen().currentScene);
    Picture& canvas = engine.canvas();
    for (int d = 1; d <= kDialogsPerScene; ++d) {
        const Dialog& dialog = scene.dialog(d);
        if (dialog.kind == 0) continue;
        outlineRect(canvas, dialog.zoneX1, dialog.zoneY1, dialog.zoneX2, dialog.zoneY2);
        engine.text().drawLabel(canvas, dialog.zoneX1 + 1, dialog.zoneY1 + 1, std::to_string(d));
    }
}

namespace {

void showLines(Engine& engine, const Dialog& dialog, const ShortString<50>* lines) {
    Picture& canvas = engine.canvas();
    drawTransparent(canvas, engine.pictures().shadowPicture, Point{dialog.textX - 10, dialog.textY - 10});
    std::string texts[4];
    for (int k = 0; k < 4; ++k) texts[k] = lines[k].text();
    engine.text().drawGameLines(canvas, dialog.textX, dialog.textY, texts, 4);
}

} // namespace

void dialogClickArrivalAndText(Engine& engine) {
    ProjectRecord& record = engine.record();
    PlayState& play = engine.play();
    const int s = engine.screen().currentScene;
    SceneBlock& scene = record.scene(s);

    // Click on a character.
    if (play.buttonDown() && play.heroFree) {
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = scene.dialog(d);
            if (!isInside(play.mousePoint.x, play.mousePoint.y, dialog.zoneX1, dialog.zoneY1, dialog.zoneX2,
                          dialog.zoneY2))
                continue;
            spreadWave(record, s, dialog.approachCol, dialog.approachRow, true);
            play.walkingToDialog = true;
            play.targetDialog = d;
            play.orderScene = s;
            play.heroFree = false;
        }
    }

    // Arrival next to the character.
    if (play.walkingToDialog) {
        const Dialog& dialog = scene.dialog(play.targetDialog);
        // Only the character clicked in this scene talks; one removed meanwhile has nothing to say.
        if (!orderHoldsIn(play.orderScene, s) || dialog.kind == 0) {
            play.walkingToDialog = false;
            play.heroFree = true;
        } else if (isNextTo(record.heroCol, record.heroRow, dialog.approachCol, dialog.approachRow)) {
            play.walkingToDialog = false;
            play.dialogOpen = true;
            play.randomDialogPick = 1 + engine.services().random.below(kRandomDialogsShown);
        }
    }

    if (!play.dialogOpen) return;
    play.heroFree = true;
    Dialog& dialog = scene.dialog(play.targetDialog);
    switch (dialog.kind) {
    case 1:
        showLines(engine, dialog, &dialog.lines[0]);
        dialog.progress = 1;
        break;
    case 2:
        showLines(engine, dialog, &dialog.lines[0]);
        if (giftHappens(dialog, record.bagSlot(kBagSlots)) && receiveIntoBag(record, dialog.getItem)) {
            play.panelTicks = 50;
            dialog.progress = 1;
        }
        break;
    case 3: {
        // The character wants giveItem; an empty hand counts as item 0.
        const int hand = isHoldingItem(record) ? record.heldItem : 0;
        if (exchangeHappens(dialog, hand, record.bagSlot(kBagSlots))) {
            // The given item is lost: it leaves the cursor and the world.
            if (hand != 0 && hand != dialog.getItem) record.item(hand).state = 0;
            record.heldItem = 0;
            record.holdingItem = 0;
            receiveIntoBag(record, dialog.getItem);
            play.panelTicks = 50;
            dialog.progress = 1;
        }
        if (dialog.progress == 1) {
            showLines(engine, dialog, &dialog.lines[4]);
        } else if (dialog.progress == 0) {
            showLines(engine, dialog, &dialog.lines[0]);
        } else if (dialog.progress == 2) {
            showLines(engine, dialog, scene.randomDialog(play.randomDialogPick).lines);
        }
        break;
    }
    default:
        break;
    }
}

void moveDialogsOn(ProjectRecord& record, int s) {
    if (!isSceneNumber(s)) return;
    SceneBlock& scene = record.scene(s);
    for (int d = 1; d <= kDialogsPerScene; ++d) moveDialogOn(scene.dialog(d));
}

void heroAndCrowdRemarks(Engine& engine) {
    ProjectRecord& record = engine.record();
    PlayState& play = engine.play();
    RandomSource& random = engine.services().random;
    const int s = engine.screen().currentScene;
    Picture& canvas = engine.canvas();
    for (int k = 1; k <= kHeroRemarkCapacity; ++k) {
        HeroRemark& remark = record.heroRemark(k);
        if (remark.scene == s && remark.state == 1) {
            if (engine.drawsEditorAids()) {
                outlineCell(canvas, remark.col, remark.row);
                engine.text().drawLabel(canvas, 20 * (remark.col - 1), 20 * (remark.row - 1),
                                        "репл-" + std::to_string(k));
            }
            if (remark.col == record.heroCol && remark.row == record.heroRow) {
                play.remarkTicks = 90;
                play.remarkNumber = k;
                remark.state = 2;
            }
        }
        CrowdRemark& crowd = record.crowdRemark(k);
        if (crowd.scene == s) {
            if (engine.drawsEditorAids())
                engine.text().drawLabel(canvas, crowd.x - 12, crowd.y, std::to_string(k) + ">");
            const long long left = static_cast<long long>(crowd.countdown) - 1; // no overflow at the minimum
            if (left < 1) {
                crowd.countdown = 100 + random.below(150);
                crowd.shownIndex = std::uint8_t(1 + random.below(50));
            } else {
                crowd.countdown = std::int32_t(left);
            }
            // An index of 0 (placed but not yet run down) or beyond the table has no text.
            if (crowd.shownIndex >= 1 && crowd.shownIndex <= kCrowdRemarkCapacity)
                engine.text().drawGameText(canvas, crowd.x, crowd.y, record.crowdRemark(crowd.shownIndex).text.text());
        }
    }
    if (play.remarkTicks > 0) {
        --play.remarkTicks;
        const AnimFrame& frame = record.animation(isAnimationNumber(play.heroAnimation) ? play.heroAnimation : 1)
                                     .frame(play.previewFrame >= 1 && play.previewFrame <= kFrameCapacity ? play.previewFrame : 1);
        const int h = frame.height;
        engine.text().drawGameText(canvas, record.heroX + 10, record.heroY - h - 10, record.heroRemark(play.remarkNumber).text.text());
    }
}

} // namespace tw
