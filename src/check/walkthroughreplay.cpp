// The walkthrough played in the engine as a player plays it. Each step becomes what a player's hand does:
// the pointer moves, the button goes down for a frame tick and comes up, the bag's panel opens at the top
// edge, and frame ticks run until the hero has got where the step sends him. Walks are planned on the
// scene's own cells and checked against the engine's own wave, so the hero never steps on a portal on the
// way by chance; every step must have its effect in the engine before the next one starts.
#include "check/walkthroughreplay.h"

#include "check/clickpoints.h"
#include "check/gamemodel.h"
#include "check/readonlyfiles.h"
#include "toolkit/toolkittypes.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/filedialogs.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "runtime/engine.h"
#include "runtime/bag.h"
#include "runtime/gamesession.h"
#include "runtime/playrules.h"
#include "runtime/walking.h"
#include "canvas/drawing.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <set>

namespace tw::check {
namespace {

class QuietMessages final : public Messages {
public:
    void showError(const std::string& text) override { shown << toQt(text); }
    void showInfo(const std::string&) override {}
    void beep() override {}
    QStringList shown;

protected:
    bool ask(const std::string&, Answer defaultAnswer) override { return defaultAnswer == Answer::Yes; }
};

// A step that did not do in the engine what it should.
struct Parted {
    std::string detail;
};

constexpr int kSettleTicks = 600;

std::string text(const QString& s) { return s.toStdString(); }

class Player {
public:
    Player(Engine& engine, std::set<int>& had) : engine_(engine), had_(had) {}

    ProjectRecord& record() { return engine_.record(); }
    PlayState& play() { return engine_.play(); }
    int scene() const { return engine_.screen().currentScene; }
    int heroCol() { return footCell(record().heroX); }
    int heroRow() { return footCell(record().heroY); }
    long long ticks() const { return ticks_; }
    // How many times a portal has taken the hero.
    int passages() const { return passages_; }

    void tick() {
        const int sceneBefore = scene();
        const int xBefore = record().heroX, yBefore = record().heroY;
        engine_.frameTick();
        ++ticks_;
        // A portal moves the hero at once, farther than a step; a step never does.
        const int step = record().heroStep;
        if (scene() != sceneBefore || std::abs(record().heroX - xBefore) > step || std::abs(record().heroY - yBefore) > step)
            ++passages_;
        for (int k = 1; k <= kBagSlots; ++k) {
            const int n = record().bagSlot(k);
            if (isItemNumber(n) && record().item(n).state == 2) had_.insert(n);
        }
        if (record().holdingItem != 0 && isItemNumber(record().heldItem)) had_.insert(record().heldItem);
    }
    // Runs ticks until `done`; false when it never came.
    template <typename Done>
    bool tickUntil(Done done, int limit = kSettleTicks) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            tick();
        }
        return done();
    }
    void moveTo(int x, int y) {
        engine_.mouseMove(x, y, kPlayHeight);
        tick();
    }
    void press(int x, int y) {
        engine_.mouseMove(x, y, kPlayHeight);
        engine_.mouseDown(MouseButton::Left, x, y);
        tick();
        engine_.mouseUp();
    }
    // The hero takes orders, nothing is shown over the scene and the bag's panel is closed.
    void settle() {
        moveTo(kPlayWidth / 2, kPlayHeight / 2);
        tickUntil([&] {
            const PlayState& p = play();
            return p.heroFree && !p.walkingToDoor && !p.walkingToDialog && !p.comicOn && !p.panelShown &&
                   p.panelTicks <= 1;
        });
        // Let a walk under way end.
        int lastX = -1, lastY = -1;
        tickUntil([&] {
            const bool still = record().heroX == lastX && record().heroY == lastY;
            lastX = record().heroX;
            lastY = record().heroY;
            return still;
        });
    }
    void openPanel() {
        moveTo(kPlayWidth / 2, 2);
        tick(); // the bag closes its gaps while the panel shows
    }
    void closePanel() {
        moveTo(kPlayWidth / 2, kPlayHeight / 2);
        tickUntil([&] { return !play().panelShown && play().panelTicks <= 1; });
    }
    int slotOf(int n) {
        for (int k = 1; k <= kBagSlots; ++k) {
            if (record().bagSlot(k) == n) return k;
        }
        return 0;
    }
    // A press on slot k of the open panel where nothing of the scene below answers it: the panel does not
    // stop the tick from seeing a press on a character, on an item's cell, or with a key on its door's key
    // zone. When no such point is left, the slot is pressed all the same.
    void pressSlot(int k) {
        const SceneBlock& block = record().scene(scene());
        const int heldAfter = record().holdingItem != 0 ? 0 : record().bagSlot(k);
        const int x1 = 51 * k + 20;
        for (int y = 6; y < 55; ++y) {
            for (int x = x1 + 2; x < x1 + 49; ++x) {
                if (bagSlotAt(x) != k || answersPress(block, x, y, heldAfter)) continue;
                press(x, y);
                return;
            }
        }
        press(x1 + 25, 30);
    }
    // Takes item n out of the bag onto the pointer and closes the panel.
    bool takeOut(int n) {
        openPanel();
        const int k = slotOf(n);
        if (k == 0) return false;
        pressSlot(k);
        closePanel();
        return record().holdingItem != 0 && record().heldItem == n;
    }
    // Room in slot 18, where received items go: the bag closes its gaps while its panel shows.
    void makeRoom() {
        if (record().bagSlot(kBagSlots) == 0) return;
        openPanel();
        closePanel();
    }

    // Walks the hero to (col, row) of the scene shown, never over a portal's cell but the target's.
    bool walkTo(int col, int row) {
        for (int leg = 0; leg < 400; ++leg) {
            if (heroCol() == col && heroRow() == row) return true;
            const std::vector<int> path = pathTo(col, row);
            if (path.empty()) return false;
            // The farthest cell of the path that a press sends him to along a clean way.
            bool moved = false;
            for (std::size_t i = path.size() - 1; i >= 1 && !moved; --i) {
                const int c = path[i] / kGridRows + 1;
                const int r = path[i] % kGridRows + 1;
                // A press on an item's cell is an order to take it; only a portal's cell, whose portal takes
                // the hero before he could, may carry one.
                const bool last = c == col && r == row;
                if ((hasLyingItem(c, r) && !(last && isActivePortalCell(c, r))) || !cleanWalk(c, r, last)) continue;
                const std::optional<ClickPoint> at = cellClickPoint(record(), scene(), c, r);
                if (!at) continue;
                press(at->x, at->y);
                const int fromScene = scene();
                tickUntil([&] { return (heroCol() == c && heroRow() == r) || scene() != fromScene; }, 40 * int(i) + 40);
                moved = true;
            }
            if (!moved) return false;
            if (heroCol() != col || heroRow() != row) {
                if (scene() != engine_.screen().currentScene) return false;
            }
        }
        return heroCol() == col && heroRow() == row;
    }

    // Walks the hero to the cell he reaches a door or a character at (col, row) from: the first of its
    // standing cells he can walk to, in the order the search tries them.
    bool walkToStanding(int col, int row) {
        for (const auto& [c, r] : standingCandidates(col, row)) {
            if (!isWalkableMark(record().passOrBlocked(scene(), c, r)) || isActivePortalCell(c, r)) continue;
            if (heroCol() == c && heroRow() == r) return true;
            if (hasLyingItem(c, r) || pathTo(c, r).empty()) continue;
            return walkTo(c, r);
        }
        return false;
    }

    // Walks the hero onto a cell beside (col, row), from where one press walks him onto it.
    bool walkBeside(int col, int row) {
        for (const auto& [c, r] : standingCandidates(col, row)) {
            if ((c == col && r == row) || !isWalkableMark(record().passOrBlocked(scene(), c, r)) || isActivePortalCell(c, r)) continue;
            if (heroCol() == c && heroRow() == r) return true;
            if (pathTo(c, r).empty()) continue;
            if (walkTo(c, r)) return true;
        }
        return false;
    }

    bool isActivePortalCell(int c, int r) {
        const SceneBlock& block = record().scene(scene());
        for (int k = 1; k <= kPortalsPerScene; ++k) {
            const Portal& portal = block.portal(k);
            if (portal.col == c && portal.row == r && isPlacedPortal(portal) && portalLeadsSomewhere(record(), portal)) return true;
        }
        return false;
    }

private:
    bool answersPress(const SceneBlock& block, int x, int y, int held) {
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = block.dialog(d);
            if (isInside(x, y, dialog.zoneX1, dialog.zoneY1, dialog.zoneX2, dialog.zoneY2)) return true;
        }
        for (int d = 1; d <= kDoorsPerScene; ++d) {
            const Door& door = block.door(d);
            if (held != 0 && doorTakesKey(door, held) &&
                isInside(x, y, door.keyZoneX1, door.keyZoneY1, door.keyZoneX2, door.keyZoneY2))
                return true;
        }
        return hasLyingItem(cellOfPixel(x), cellOfPixel(y));
    }
    bool hasLyingItem(int c, int r) {
        for (int n = 1; n <= kItemCapacity; ++n) {
            const Item& item = record().item(n);
            if (item.state == 1 && item.scene == scene() && item.col0 + 1 == c && item.row0 + 1 == r) return true;
        }
        return false;
    }
    // The shortest way over walkable cells from the hero to (col, row), portal cells only as its end; the
    // cell indices from his cell to the target, or empty.
    std::vector<int> pathTo(int col, int row) {
        const int from = (heroCol() - 1) * kGridRows + (heroRow() - 1);
        if (!isCellInGrid(heroCol(), heroRow()) || !isCellInGrid(col, row)) return {};
        const int to = (col - 1) * kGridRows + (row - 1);
        std::vector<int> parent(std::size_t(kGridColumns * kGridRows), -2);
        std::deque<int> queue{from};
        parent[std::size_t(from)] = -1;
        while (!queue.empty()) {
            const int at = queue.front();
            queue.pop_front();
            if (at == to) break;
            const int c = at / kGridRows + 1;
            const int r = at % kGridRows + 1;
            const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& step : steps) {
                const int nc = c + step[0];
                const int nr = r + step[1];
                if (!isCellInGrid(nc, nr) || !isWalkableMark(record().passOrBlocked(scene(), nc, nr))) continue;
                const int next = (nc - 1) * kGridRows + (nr - 1);
                if (parent[std::size_t(next)] != -2) continue;
                if (next != to && isActivePortalCell(nc, nr)) continue;
                parent[std::size_t(next)] = at;
                queue.push_back(next);
            }
        }
        if (parent[std::size_t(to)] == -2) return {};
        std::vector<int> path;
        for (int at = to; at != -1; at = parent[std::size_t(at)]) path.push_back(at);
        std::reverse(path.begin(), path.end());
        return path;
    }
    // Whether a press on (col, row) walks the hero there, by the engine's own wave and step rule, without
    // passing over a portal's cell (the target's own excepted when `portalAllowed`).
    bool cleanWalk(int col, int row, bool portalAllowed) {
        PassGrid wave;
        std::memcpy(wave, record().passGrid[scene() - 1], sizeof wave);
        spreadWaveOn(wave, col, row, false);
        int c = heroCol(), r = heroRow();
        for (int guard = 0; guard < kGridColumns * kGridRows; ++guard) {
            if (c == col && r == row) return portalAllowed || !isActivePortalCell(c, r);
            if (isActivePortalCell(c, r) && guard > 0) return false;
            switch (nextStep(wave, c, r)) {
            case StepTowards::Right: ++c; break;
            case StepTowards::Left: --c; break;
            case StepTowards::Down: ++r; break;
            case StepTowards::Up: --r; break;
            case StepTowards::None: return false;
            }
        }
        return false;
    }

    Engine& engine_;
    std::set<int>& had_;
    long long ticks_ = 0;
    int passages_ = 0;
};

std::string stepName(int index, const Action& a) {
    std::string s = "шаг " + std::to_string(index + 1) + " (сцена " + std::to_string(a.scene) + ", ";
    switch (a.kind) {
    case Action::Kind::Take: s += "взять предмет " + std::to_string(a.item); break;
    case Action::Kind::Combine: s += "положить предмет " + std::to_string(a.item) + " на предмет " + std::to_string(a.other); break;
    case Action::Kind::LayDown: s += "положить предмет " + std::to_string(a.item); break;
    case Action::Kind::UseKey: s += "предмет " + std::to_string(a.item) + " на дверь " + std::to_string(a.number); break;
    case Action::Kind::Talk: s += "персонаж " + std::to_string(a.number); break;
    case Action::Kind::Portal: s += "переход " + std::to_string(a.number); break;
    }
    return s + ")";
}

void playStep(Player& p, const Action& a) {
    ProjectRecord& record = p.record();
    p.settle();
    if (p.scene() != a.scene)
        throw Parted{"герой в сцене " + std::to_string(p.scene()) + ", а не в сцене " + std::to_string(a.scene)};
    p.settle();
    switch (a.kind) {
    case Action::Kind::Take: {
        p.makeRoom();
        // Up to the cell next to the item, then a press on the item itself.
        if (!(p.heroCol() == a.col && p.heroRow() == a.row) && !p.walkBeside(a.col, a.row))
            throw Parted{"герой не дошёл до предмета"};
        const std::optional<ClickPoint> at = cellClickPoint(record, a.scene, a.col, a.row);
        if (!at) throw Parted{"на клетку предмета нельзя нажать"};
        p.press(at->x, at->y);
        if (!p.tickUntil([&] { return record.item(a.item).state == 2; }))
            throw Parted{"предмет не попал в сумку"};
        break;
    }
    case Action::Kind::Combine: {
        if (!p.takeOut(a.item)) throw Parted{"предмета нет в сумке"};
        p.openPanel();
        const int k = p.slotOf(a.other);
        if (k == 0) throw Parted{"второго предмета нет в сумке"};
        const int product = combinationProduct(record, a.other, a.item);
        p.pressSlot(k);
        p.closePanel();
        if (product == 0 || p.slotOf(product) == 0) throw Parted{"предметы не соединились"};
        break;
    }
    case Action::Kind::LayDown: {
        if (!p.walkTo(a.col, a.row)) throw Parted{"герой не дошёл до клетки"};
        if (!p.takeOut(a.item)) throw Parted{"предмета нет в сумке"};
        p.press(30, 30);
        const Item& item = record.item(a.item);
        if (item.state != 1 || item.col0 + 1 != a.col || item.row0 + 1 != a.row) throw Parted{"предмет не лёг на клетку"};
        break;
    }
    case Action::Kind::UseKey: {
        const Door& door = record.scene(a.scene).door(a.number);
        if (!p.walkToStanding(door.approachCol, door.approachRow)) throw Parted{"герой не дошёл до двери"};
        const std::optional<ClickPoint> at = keyZoneClickPoint(record, a.scene, a.number);
        if (!at) throw Parted{"на зону ключа нельзя нажать"};
        // A key taken out of the bag over its own door's key zone is used there and then.
        if (!p.takeOut(a.item) && !(p.play().walkingToDoor || door.state == 2)) throw Parted{"ключа нет в сумке"};
        if (door.state == 1 && !p.play().walkingToDoor) {
            p.moveTo(at->x, at->y);
            p.press(at->x, at->y);
        }
        p.settle();
        if (door.state != 2) throw Parted{"дверь не открылась"};
        break;
    }
    case Action::Kind::Talk: {
        const Dialog& dialog = record.scene(a.scene).dialog(a.number);
        const int progress = dialog.progress;
        if (!p.walkToStanding(dialog.approachCol, dialog.approachRow)) throw Parted{"герой не дошёл до персонажа"};
        p.makeRoom();
        const std::optional<ClickPoint> at = characterClickPoint(record, a.scene, a.number, a.item != 0);
        if (!at) throw Parted{"на персонажа нельзя нажать"};
        if (a.item != 0 && !p.takeOut(a.item)) throw Parted{"отдаваемого предмета нет в сумке"};
        p.moveTo(at->x, at->y);
        p.press(at->x, at->y);
        if (!p.tickUntil([&] { return p.play().dialogOpen; })) throw Parted{"разговор не начался"};
        p.tick();
        const bool gives = (dialog.kind == 2 || dialog.kind == 3) && progress == 0;
        if (gives && dialog.progress != 1) throw Parted{"персонаж ничего не дал"};
        break;
    }
    case Action::Kind::Portal: {
        const Portal& portal = record.scene(a.scene).portal(a.number);
        const int target = portal.targetScene;
        const int before = p.passages();
        p.walkTo(portal.col, portal.row);
        if (!p.tickUntil([&] { return p.passages() != before; })) throw Parted{"переход не сработал"};
        if (p.scene() != target && p.passages() == before + 1) throw Parted{"переход привёл не туда"};
        break;
    }
    }
}

} // namespace

ReplayResult replayWalkthrough(const ProjectRecord& record, FileSystem& files, const AssetPaths& paths,
                               const std::vector<Action>& steps, const Goals& promised) {
    ReplayResult result;
    ReadOnlyFiles readOnly(files, paths.recordFile(),
                           Bytes(reinterpret_cast<const char*>(record.bytes()), kProjectRecordSize),
                           paths.recoveryFile());
    QuietMessages messages;
    SilentAudio audio;
    NoCursors cursors;
    SeededRandom random(1);
    NoFileDialogs dialogs;
    Engine engine(paths, Services{readOnly, messages, audio, cursors, random, dialogs});
    GameSession session(engine);
    if (!session.startUp()) {
        result.detail = "игра не запускается: " + text(messages.shown.join(QStringLiteral("; ")));
        return result;
    }
    result.started = true;
    session.newGame();

    std::set<int> had;
    Player player(engine, had);
    try {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            try {
                playStep(player, steps[i]);
            } catch (const Parted& parted) {
                throw Parted{stepName(int(i), steps[i]) + ": " + parted.detail};
            }
        }
        player.settle();
        for (const int n : promised.items) {
            if (!had.count(n)) throw Parted{"предмет " + std::to_string(n) + " так и не попал в сумку"};
        }
        for (const SceneObject& door : promised.doors) {
            if (engine.record().scene(door.scene).door(door.number).state != 2)
                throw Parted{"сцена " + std::to_string(door.scene) + ", дверь " + std::to_string(door.number) + " не открыта"};
        }
        result.reached = true;
    } catch (const Parted& parted) {
        result.detail = parted.detail;
    }
    result.ticks = player.ticks();
    return result;
}

} // namespace tw::check
