// The search over every state a player can reach. A state is what play can change that matters for what
// can still be had: the scene and the hero's region in it, where each item is, which doors are open,
// which gifts and exchanges have happened, which cells a press on a character forced open, and (so that a
// lost item is told from a spent one) which items ever reached the bag. The search is breadth first, so
// the first way found into a state is a shortest one.
#include "check/clickpoints.h"
#include "check/gamecheck.h"
#include "check/gamemodel.h"
#include "canvas/drawing.h"
#include "runtime/playrules.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

namespace tw::check {
namespace {

// Where an item is: gone (not in the world), in the bag, or lying on a cell of a scene.
constexpr std::uint32_t kGone = 0;
constexpr std::uint32_t kInBag = 1;
constexpr std::uint32_t kLyingNowhere = 0xFFFFFFFF; // lying where no press can reach it
std::uint32_t lyingAt(int scene, int cell) { return 2 + std::uint32_t(scene - 1) * kCells + std::uint32_t(cell); }
bool isLying(std::uint32_t place) { return place >= 2 && place != kLyingNowhere; }
int lyingScene(std::uint32_t place) { return int((place - 2) / kCells) + 1; }
int lyingCell(std::uint32_t place) { return int((place - 2) % kCells); }

// A state as bytes, so that equal states are found by hashing: scene, hero cell, a flag for a hero who
// cannot walk, then the bits of open doors, done gifts, open cells and items ever had, then each item's
// place.
class Layout {
public:
    explicit Layout(const GameModel& model)
        : doors_(int(model.closedDoors().size())), gifts_(int(model.giftCharacters().size())),
          openings_(int(model.openings().size())), items_(int(model.items().size())) {
        bitBytes_ = (doors_ + gifts_ + openings_ + items_ + 7) / 8;
    }
    std::size_t size() const { return 4 + std::size_t(bitBytes_) + 4 * std::size_t(items_); }

    static int scene(const std::string& s) { return std::uint8_t(s[0]); }
    static void setScene(std::string& s, int scene) { s[0] = char(scene); }
    static int heroCell(const std::string& s) { return std::uint8_t(s[1]) | std::uint8_t(s[2]) << 8; }
    static void setHeroCell(std::string& s, int cell) {
        s[1] = char(cell & 0xFF);
        s[2] = char(cell >> 8);
    }
    static bool stuck(const std::string& s) { return s[3] != 0; }
    static void setStuck(std::string& s, bool stuck) { s[3] = stuck ? 1 : 0; }

    bool doorOpen(const std::string& s, int i) const { return bit(s, i); }
    void openDoor(std::string& s, int i) const { setBit(s, i); }
    bool giftDone(const std::string& s, int i) const { return bit(s, doors_ + i); }
    void doGift(std::string& s, int i) const { setBit(s, doors_ + i); }
    bool cellOpen(const std::string& s, int i) const { return bit(s, doors_ + gifts_ + i); }
    void openCell(std::string& s, int i) const { setBit(s, doors_ + gifts_ + i); }
    bool obtained(const std::string& s, int i) const { return bit(s, doors_ + gifts_ + openings_ + i); }
    void obtain(std::string& s, int i) const { setBit(s, doors_ + gifts_ + openings_ + i); }

    std::uint32_t place(const std::string& s, int i) const {
        std::uint32_t value;
        std::memcpy(&value, s.data() + placeOffset(i), sizeof value);
        return value;
    }
    void setPlace(std::string& s, int i, std::uint32_t value) const {
        std::memcpy(s.data() + placeOffset(i), &value, sizeof value);
    }

    // The goals a state holds, as bits: items ever had, then open doors.
    int goalCount() const { return items_ + doors_; }
    void goals(const std::string& s, std::vector<std::uint64_t>& into) const {
        into.assign(std::size_t(goalCount() + 63) / 64, 0);
        for (int i = 0; i < items_; ++i) {
            if (obtained(s, i)) into[std::size_t(i / 64)] |= std::uint64_t(1) << (i % 64);
        }
        for (int i = 0; i < doors_; ++i) {
            if (doorOpen(s, i)) into[std::size_t((items_ + i) / 64)] |= std::uint64_t(1) << ((items_ + i) % 64);
        }
    }

private:
    std::size_t placeOffset(int i) const { return 4 + std::size_t(bitBytes_) + 4 * std::size_t(i); }
    static bool bit(const std::string& s, int i) { return (std::uint8_t(s[4 + std::size_t(i / 8)]) >> (i % 8)) & 1; }
    static void setBit(std::string& s, int i) { s[4 + std::size_t(i / 8)] = char(std::uint8_t(s[4 + std::size_t(i / 8)]) | (1 << (i % 8))); }

    int doors_, gifts_, openings_, items_;
    int bitBytes_ = 0;
};

struct Edge {
    int to;
    Action action;
};

class Search {
public:
    Search(const ProjectRecord& record, const CheckLimits& limits) : record_(record), model_(record), layout_(model_), limits_(limits) {}

    CheckReport run();

private:
    std::uint32_t openMask(const std::string& s, int scene) const;
    int bagCount(const std::string& s) const;
    // The hero comes to (col, row) of `scene`: he passes on through a portal there, steps off a blocked
    // cell, and otherwise stays in the region of that cell.
    void arrive(std::string& s, int scene, int col, int row);
    void passPortal(std::string& s, int scene, int k);
    bool hasLyingItem(const std::string& s, int cell) const;
    // The cell the hero stands on to reach a door or character at (col, row), if he can get there.
    std::optional<int> standingCell(const std::string& s, int col, int row);
    // From `from`, he walks on along the wave to (col, row) and comes to a stop (or through a portal).
    void walkOnTo(std::string& s, int scene, int from, int col, int row);
    bool reaches(const std::string& s, int cell);
    void expand(int index);
    int add(std::string s, int from, const Action& action);
    void receive(std::string& s, int n) const;
    std::vector<Action> pathTo(int index) const;
    void warnStatic(CheckReport& report) const;
    void analyse(CheckReport& report);

    const ProjectRecord& record_;
    GameModel model_;
    Layout layout_;
    CheckLimits limits_;

    std::vector<std::string> states_;
    std::unordered_map<std::string, int> known_;
    std::vector<int> parent_;
    std::vector<Action> parentAction_;
    std::vector<std::vector<int>> successors_;
    std::vector<bool> expanded_;

    // What the search saw somewhere.
    bool sceneEntered_[kSceneCapacity + 1] = {};
    bool sceneLeft_[kSceneCapacity + 1] = {};
    std::map<SceneObject, bool> talked_;
    std::vector<bool> giftHappened_;
    bool remarkSaid_[kHeroRemarkCapacity + 1] = {};
    // Where a walk on to an approach cell ends: scene, open cells, start, approach cell.
    std::map<std::array<int, 5>, std::pair<int, int>> walksOn_;
};

std::uint32_t Search::openMask(const std::string& s, int scene) const {
    std::uint32_t mask = 0;
    const std::vector<int>& mine = model_.sceneOpenings(scene);
    for (std::size_t j = 0; j < mine.size() && j < 32; ++j) {
        if (layout_.cellOpen(s, mine[j])) mask |= 1u << j;
    }
    return mask;
}

int Search::bagCount(const std::string& s) const {
    int count = 0;
    for (int i = 0; i < int(model_.items().size()); ++i) count += layout_.place(s, i) == kInBag;
    return count;
}

void Search::passPortal(std::string& s, int scene, int k) {
    // Leaving a scene moves its finished talks and gifts on to random dialogs: nothing the check keeps
    // changes with it, but the scene counts as left.
    sceneLeft_[scene] = true;
    const Portal& portal = record_.scene(scene).portal(k);
    arrive(s, portal.targetScene, footCell(arrivalX(portal)), footCell(arrivalY(portal)));
}

void Search::arrive(std::string& s, int scene, int col, int row) {
    // A chain of portals longer than the scenes can hold leads round in a circle: he never stands still.
    for (int hop = 0; hop <= 2 * kSceneCapacity * kPortalsPerScene; ++hop) {
        Layout::setScene(s, scene);
        sceneEntered_[scene] = true;
        const int k = model_.portalAt(scene, col, row);
        if (k != 0) {
            sceneLeft_[scene] = true;
            const Portal& portal = record_.scene(scene).portal(k);
            scene = portal.targetScene;
            col = footCell(arrivalX(portal));
            row = footCell(arrivalY(portal));
            continue;
        }
        const std::uint32_t mask = openMask(s, scene);
        if (model_.walkable(scene, mask, col, row)) {
            const Region& region = model_.region(scene, mask, col, row);
            Layout::setHeroCell(s, region.representative);
            Layout::setStuck(s, false);
            return;
        }
        // On a blocked cell the hero's first step goes to the first walkable neighbour.
        PassGrid grid;
        model_.grid(scene, mask, grid);
        switch (nextStep(grid, col, row)) {
        case StepTowards::Right: ++col; continue;
        case StepTowards::Left: --col; continue;
        case StepTowards::Down: ++row; continue;
        case StepTowards::Up: --row; continue;
        case StepTowards::None: break;
        }
        break;
    }
    Layout::setHeroCell(s, isCellInGrid(col, row) ? cellIndex(col, row) : 0);
    Layout::setStuck(s, true);
}

bool Search::hasLyingItem(const std::string& s, int cell) const {
    const std::uint32_t here = lyingAt(Layout::scene(s), cell);
    for (int i = 0; i < int(model_.items().size()); ++i) {
        if (layout_.place(s, i) == here) return true;
    }
    return false;
}

std::optional<int> Search::standingCell(const std::string& s, int col, int row) {
    const int hero = Layout::heroCell(s);
    if (Layout::stuck(s)) {
        if (isNextTo(cellColumn(hero), cellRow(hero), col, row)) return hero;
        return std::nullopt;
    }
    // A cell an item lies on is no place to stand: a press there would take the item.
    for (const auto& [c, r] : standingCandidates(col, row)) {
        if (reaches(s, cellIndex(c, r)) && !hasLyingItem(s, cellIndex(c, r))) return cellIndex(c, r);
    }
    return std::nullopt;
}

void Search::walkOnTo(std::string& s, int scene, int from, int col, int row) {
    // The press spread the hero's wave onto the approach cell, and he follows it there after the door
    // opened or the talk began; a portal on the way takes him.
    const std::uint32_t mask = openMask(s, scene);
    const std::array<int, 5> key{scene, int(mask), from, col, row};
    if (const auto known = walksOn_.find(key); known != walksOn_.end()) {
        arrive(s, scene, known->second.first, known->second.second);
        return;
    }
    PassGrid grid;
    model_.grid(scene, mask, grid);
    spreadWaveOn(grid, col, row, true);
    int c = cellColumn(from), r = cellRow(from);
    for (int steps = 0; steps < kCells; ++steps) {
        switch (nextStep(grid, c, r)) {
        case StepTowards::Right: ++c; break;
        case StepTowards::Left: --c; break;
        case StepTowards::Down: ++r; break;
        case StepTowards::Up: --r; break;
        case StepTowards::None: steps = kCells; continue;
        }
        if (model_.portalAt(scene, c, r) != 0) break;
    }
    walksOn_.emplace(key, std::pair{c, r});
    arrive(s, scene, c, r);
}

bool Search::reaches(const std::string& s, int cell) {
    const int scene = Layout::scene(s);
    const int hero = Layout::heroCell(s);
    if (Layout::stuck(s)) return hero == cell;
    return model_.region(scene, openMask(s, scene), cellColumn(hero), cellRow(hero)).cells.test(std::size_t(cell));
}

void Search::receive(std::string& s, int n) const {
    const int i = model_.itemIndex(n);
    if (i < 0) return;
    layout_.setPlace(s, i, kInBag);
    layout_.obtain(s, i);
}

int Search::add(std::string s, int from, const Action& action) {
    const auto [at, isNew] = known_.try_emplace(s, int(states_.size()));
    if (from >= 0) successors_[std::size_t(from)].push_back(at->second);
    if (!isNew) return at->second;
    states_.push_back(std::move(s));
    parent_.push_back(from);
    parentAction_.push_back(action);
    successors_.emplace_back();
    expanded_.push_back(false);
    return at->second;
}

void Search::expand(int index) {
    expanded_[std::size_t(index)] = true;
    const std::string state = states_[std::size_t(index)];
    const int s = Layout::scene(state);
    const SceneBlock& scene = record_.scene(s);
    const int hero = Layout::heroCell(state);
    const bool stuck = Layout::stuck(state);
    const std::uint32_t mask = openMask(state, s);
    const Region* region = stuck ? nullptr : &model_.region(s, mask, cellColumn(hero), cellRow(hero));
    const int inBag = bagCount(state);
    const auto exitAt = [&](int cell) {
        if (!region) return 0;
        for (const int k : region->exits) {
            if (cellIndex(scene.portal(k).col, scene.portal(k).row) == cell) return k;
        }
        return 0;
    };

    // Hero remarks are said on their cell.
    for (int k = 1; k <= kHeroRemarkCapacity; ++k) {
        const HeroRemark& remark = record_.heroRemark(k);
        if (remark.state != 1 || remark.scene != s || !isCellInGrid(remark.col, remark.row)) continue;
        const int cell = cellIndex(remark.col, remark.row);
        if (reaches(state, cell) || exitAt(cell) != 0) remarkSaid_[k] = true;
    }

    // Items lying here: a press on the item's cell walks the hero onto it, and the bag takes it. An item
    // on a portal's cell is never taken: the portal takes the hero away in the very tick he steps on it,
    // before he would pick it up.
    for (int i = 0; i < int(model_.items().size()); ++i) {
        const std::uint32_t place = layout_.place(state, i);
        if (!isLying(place) || lyingScene(place) != s) continue;
        const int cell = lyingCell(place);
        if (!reaches(state, cell)) continue;
        // Of several items on one cell a press goes for the one with the highest number.
        bool covered = false;
        for (int j = i + 1; j < int(model_.items().size()) && !covered; ++j) covered = layout_.place(state, j) == place;
        if (covered) continue;
        if (!cellClickPoint(record_, s, cellColumn(cell), cellRow(cell))) continue;
        if (inBag >= kBagSlots) continue;
        std::string next = state;
        const int n = model_.items()[std::size_t(i)];
        receive(next, n);
        add(std::move(next), index, Action{Action::Kind::Take, s, 0, n, 0, cellColumn(cell), cellRow(cell)});
    }

    // Two items of the bag put together.
    for (int i = 0; i < int(model_.items().size()); ++i) {
        if (layout_.place(state, i) != kInBag) continue;
        const int held = model_.items()[std::size_t(i)];
        for (int j = 0; j < int(model_.items().size()); ++j) {
            if (j == i || layout_.place(state, j) != kInBag) continue;
            const int target = model_.items()[std::size_t(j)];
            const int product = combinationProduct(record_, target, held);
            if (product == 0) continue;
            std::string next = state;
            layout_.setPlace(next, i, kGone);
            layout_.setPlace(next, j, kGone);
            receive(next, product);
            add(std::move(next), index, Action{Action::Kind::Combine, s, 0, held, target, 0, 0});
        }
    }

    // A full bag takes nothing more: an item is laid down to make room.
    // He lays it on a cell of his region where nothing lies yet.
    int free = -1;
    if (inBag >= kBagSlots) {
        for (int cell = 0; cell < kCells && free < 0; ++cell) {
            if (reaches(state, cell) && !hasLyingItem(state, cell) && cellClickPoint(record_, s, cellColumn(cell), cellRow(cell)))
                free = cell;
        }
    }
    if (free >= 0) {
        // Items nothing asks for are alike once had: laying down the first of them stands for them all.
        bool inertLaid = false;
        for (int i = 0; i < int(model_.items().size()); ++i) {
            if (layout_.place(state, i) != kInBag) continue;
            if (model_.isInert(model_.items()[std::size_t(i)])) {
                if (inertLaid) continue;
                inertLaid = true;
            }
            std::string next = state;
            layout_.setPlace(next, i, lyingAt(s, free));
            add(std::move(next), index,
                Action{Action::Kind::LayDown, s, 0, model_.items()[std::size_t(i)], 0, cellColumn(free), cellRow(free)});
        }
    }

    // Keys on the doors of this scene.
    for (int d = 1; d <= kDoorsPerScene; ++d) {
        const int door = model_.doorIndex(s, d);
        if (door < 0 || layout_.doorOpen(state, door)) continue;
        const Door& stored = scene.door(d);
        const int key = stored.keyItem;
        const int keyIndex = model_.itemIndex(key);
        if (keyIndex < 0 || layout_.place(state, keyIndex) != kInBag || !doorTakesKey(stored, key)) continue;
        const std::optional<int> standing = standingCell(state, stored.approachCol, stored.approachRow);
        if (!keyZoneClickPoint(record_, s, d) || !standing) continue;
        std::string next = state;
        layout_.openDoor(next, door);
        for (const int j : model_.sceneOpenings(s)) {
            const Opening& opening = model_.openings()[std::size_t(j)];
            if (opening.cause == Opening::Cause::Door && opening.number == d) layout_.openCell(next, j);
        }
        walkOnTo(next, s, *standing, stored.approachCol, stored.approachRow);
        add(std::move(next), index, Action{Action::Kind::UseKey, s, d, key, 0, 0, 0});
    }

    // Characters.
    for (int d = 1; d <= kDialogsPerScene; ++d) {
        const Dialog& dialog = scene.dialog(d);
        if (dialog.kind == 0) continue;
        const std::optional<int> standing = standingCell(state, dialog.approachCol, dialog.approachRow);
        if (!standing) continue;
        const int gift = model_.giftIndex(s, d);
        const bool pending = gift >= 0 && !layout_.giftDone(state, gift);
        const int give = pending && dialog.kind == 3 ? dialog.giveItem : 0;
        const int giveIndex = model_.itemIndex(give);
        const bool holding = give != 0;
        if (holding && (giveIndex < 0 || layout_.place(state, giveIndex) != kInBag)) {
            // He cannot hand over what he does not have; a talk with an empty hand still shows the
            // character's first lines.
            if (characterClickPoint(record_, s, d, false)) talked_[{s, d}] = true;
            continue;
        }
        if (!characterClickPoint(record_, s, d, holding)) continue;
        talked_[{s, d}] = true;
        std::string next = state;
        // The press forces the hero's wave onto the approach cell, which stays walkable.
        const int forced = model_.characterOpening(s, d);
        if (forced >= 0) layout_.openCell(next, model_.sceneOpenings(s)[std::size_t(forced)]);
        // In the bag during the talk: what it holds, less the item in the hand.
        const int slotsTaken = inBag - (holding ? 1 : 0);
        const int slot18 = slotsTaken >= kBagSlots ? 1 : 0;
        bool gave = false;
        if (pending && dialog.kind == 2 && giftHappens(dialog, slot18)) gave = true;
        if (pending && dialog.kind == 3 && exchangeHappens(dialog, give, slot18)) gave = true;
        if (gave) {
            giftHappened_[std::size_t(gift)] = true;
            layout_.doGift(next, gift);
            if (give != 0 && give != dialog.getItem) layout_.setPlace(next, giveIndex, kGone);
            receive(next, dialog.getItem);
        }
        walkOnTo(next, s, *standing, dialog.approachCol, dialog.approachRow);
        if (next != state) add(std::move(next), index, Action{Action::Kind::Talk, s, d, give, 0, 0, 0});
    }

    // Portals.
    if (region) {
        for (const int k : region->exits) {
            std::string next = state;
            passPortal(next, s, k);
            add(std::move(next), index, Action{Action::Kind::Portal, s, k, 0, 0, 0, 0});
        }
    }
}

std::vector<Action> Search::pathTo(int index) const {
    std::vector<Action> steps;
    for (int at = index; parent_[std::size_t(at)] >= 0; at = parent_[std::size_t(at)]) steps.push_back(parentAction_[std::size_t(at)]);
    std::reverse(steps.begin(), steps.end());
    return steps;
}

CheckReport Search::run() {
    CheckReport report;
    giftHappened_.assign(model_.giftCharacters().size(), false);

    std::string start(layout_.size(), '\0');
    for (int i = 0; i < int(model_.items().size()); ++i) {
        const int n = model_.items()[std::size_t(i)];
        const Item& item = record_.item(n);
        std::uint32_t place = kGone;
        if (item.state == 1) {
            const bool reachable = item.scene >= 1 && item.scene <= kSceneCapacity && isCellInGrid(item.col0 + 1, item.row0 + 1);
            place = reachable ? lyingAt(item.scene, cellIndex(item.col0 + 1, item.row0 + 1)) : kLyingNowhere;
        } else if (item.state == 2) {
            bool carried = record_.holdingItem != 0 && record_.heldItem == n;
            for (int k = 1; k <= kBagSlots; ++k) carried = carried || record_.bagSlot(k) == n;
            place = carried ? kInBag : kGone;
        }
        layout_.setPlace(start, i, place);
        if (place == kInBag) layout_.obtain(start, i);
    }
    const int startScene = startSceneOf(record_);
    arrive(start, startScene, footCell(record_.heroX), footCell(record_.heroY));
    add(std::move(start), -1, Action{});

    const auto began = std::chrono::steady_clock::now();
    for (std::size_t next = 0; next < states_.size(); ++next) {
        if (std::ptrdiff_t(states_.size()) > limits_.maxStates ||
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count() > limits_.maxSeconds) {
            report.complete = false;
            break;
        }
        expand(int(next));
    }
    report.states = static_cast<long long>(states_.size());
    analyse(report);
    warnStatic(report);
    return report;
}

void Search::analyse(CheckReport& report) {
    const int count = int(states_.size());
    const int words = (layout_.goalCount() + 63) / 64;

    // Strongly connected parts of the state graph (Tarjan's algorithm without recursion); they come out
    // with every part a state leads to before the state's own.
    const auto stateCount = std::size_t(count);
    std::vector<int> component(stateCount, -1);
    std::vector<int> low(stateCount, 0);
    std::vector<int> order(stateCount, -1);
    std::vector<int> stack, work;
    std::vector<std::size_t> edge(stateCount, 0);
    std::vector<bool> onStack(stateCount, false);
    int counter = 0, components = 0;
    std::vector<std::vector<int>> members;
    for (int root = 0; root < count; ++root) {
        if (order[std::size_t(root)] >= 0) continue;
        work.push_back(root);
        while (!work.empty()) {
            const int v = work.back();
            const auto vi = std::size_t(v);
            if (order[vi] < 0) {
                order[vi] = low[vi] = counter++;
                stack.push_back(v);
                onStack[vi] = true;
            }
            bool descended = false;
            while (edge[vi] < successors_[vi].size()) {
                const int w = successors_[vi][edge[vi]++];
                const auto wi = std::size_t(w);
                if (order[wi] < 0) {
                    work.push_back(w);
                    descended = true;
                    break;
                }
                if (onStack[wi]) low[vi] = std::min(low[vi], order[wi]);
            }
            if (descended) continue;
            work.pop_back();
            if (!work.empty()) low[std::size_t(work.back())] = std::min(low[std::size_t(work.back())], low[vi]);
            if (low[vi] == order[vi]) {
                members.emplace_back();
                int w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[std::size_t(w)] = false;
                    component[std::size_t(w)] = components;
                    members.back().push_back(w);
                } while (w != v);
                ++components;
            }
        }
    }

    // What can still be had from each part: its own states' goals and everything its successors can
    // have. A state the search did not get to expand could lead anywhere.
    std::vector<std::uint64_t> reach(std::size_t(components) * std::size_t(words), 0);
    std::vector<std::uint64_t> goals;
    for (int c = 0; c < components; ++c) {
        std::uint64_t* mine = reach.data() + std::size_t(c) * std::size_t(words);
        for (const int v : members[std::size_t(c)]) {
            layout_.goals(states_[std::size_t(v)], goals);
            for (int w = 0; w < words; ++w) mine[w] |= goals[std::size_t(w)];
            if (!expanded_[std::size_t(v)]) {
                for (int w = 0; w < words; ++w) mine[w] = ~std::uint64_t(0);
            }
            for (const int to : successors_[std::size_t(v)]) {
                const int tc = component[std::size_t(to)];
                if (tc == c) continue;
                const std::uint64_t* theirs = reach.data() + std::size_t(tc) * std::size_t(words);
                for (int w = 0; w < words; ++w) mine[w] |= theirs[w];
            }
        }
    }
    const int items = int(model_.items().size());
    const auto goalSet = [&](const std::vector<std::uint64_t>& bits) {
        Goals g;
        for (int i = 0; i < layout_.goalCount(); ++i) {
            if (!(bits[std::size_t(i / 64)] >> (i % 64) & 1)) continue;
            if (i < items) g.items.push_back(model_.items()[std::size_t(i)]);
            else g.doors.push_back(model_.closedDoors()[std::size_t(i - items)]);
        }
        return g;
    };
    std::vector<std::uint64_t> all(std::size_t(words), 0);
    const std::uint64_t* fromStart = reach.data() + std::size_t(component[0]) * std::size_t(words);
    for (int w = 0; w < words; ++w) all[std::size_t(w)] = fromStart[w];
    // Bits past the goals are noise from unexpanded states.
    for (int i = layout_.goalCount(); i < words * 64; ++i) all[std::size_t(i / 64)] &= ~(std::uint64_t(1) << (i % 64));

    // Dead ends: the first state (so the shortest way) for each set of things lost.
    std::map<std::vector<std::uint64_t>, int> firstLoss;
    for (int v = 0; v < count; ++v) {
        const std::uint64_t* mine = reach.data() + std::size_t(component[std::size_t(v)]) * std::size_t(words);
        std::vector<std::uint64_t> lost(std::size_t(words), 0);
        bool any = false;
        for (int w = 0; w < words; ++w) {
            lost[std::size_t(w)] = all[std::size_t(w)] & ~mine[w];
            any = any || lost[std::size_t(w)] != 0;
        }
        if (any) firstLoss.try_emplace(lost, v);
    }
    std::vector<std::pair<int, std::vector<std::uint64_t>>> losses;
    for (const auto& [lost, v] : firstLoss) losses.emplace_back(v, lost);
    std::sort(losses.begin(), losses.end());
    constexpr std::size_t kDeadEndsShown = 20;
    for (const auto& [v, lost] : losses) {
        if (report.deadEnds.size() == kDeadEndsShown) break;
        report.deadEnds.push_back(DeadEnd{goalSet(lost), pathTo(v)});
    }

    // The walkthrough: the shortest way to a state holding the most.
    int best = 0, bestCount = -1;
    for (int v = 0; v < count; ++v) {
        layout_.goals(states_[std::size_t(v)], goals);
        int n = 0;
        for (const std::uint64_t w : goals) n += std::popcount(w);
        if (n > bestCount) {
            best = v;
            bestCount = n;
        }
    }
    report.walkthrough = pathTo(best);
    layout_.goals(states_[std::size_t(best)], goals);
    report.walkthroughReaches = goalSet(goals);
    std::vector<std::uint64_t> missing(std::size_t(words), 0);
    for (int w = 0; w < words; ++w) missing[std::size_t(w)] = all[std::size_t(w)] & ~goals[std::size_t(w)];
    report.notTogether = goalSet(missing);

    // The lists.
    const int scenes = usableSceneCount(record_);
    for (int s = 1; s <= scenes; ++s) (sceneEntered_[s] ? report.scenesReachable : report.scenesUnreachable).push_back(s);
    const Goals had = goalSet(all);
    report.itemsObtainable = had.items;
    for (const int n : model_.items()) {
        if (!std::binary_search(had.items.begin(), had.items.end(), n)) report.itemsNever.push_back(n);
    }
    report.doorsOpenable = had.doors;
    for (const SceneObject& door : model_.closedDoors()) {
        if (std::find(had.doors.begin(), had.doors.end(), door) == had.doors.end()) report.doorsNever.push_back(door);
    }
    for (int s = 1; s <= scenes; ++s) {
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            if (record_.scene(s).dialog(d).kind == 0) continue;
            (talked_.count({s, d}) ? report.dialogsReachable : report.dialogsNever).push_back({s, d});
        }
    }
    for (std::size_t g = 0; g < model_.giftCharacters().size(); ++g) {
        (giftHappened_[g] ? report.giftsHappen : report.giftsNever).push_back(model_.giftCharacters()[g]);
    }
    for (int k = 1; k <= kHeroRemarkCapacity; ++k) {
        const HeroRemark& remark = record_.heroRemark(k);
        if (remark.state != 1) continue;
        (remarkSaid_[k] ? report.heroRemarksReachable : report.heroRemarksNever).push_back(k);
    }

    // A character whose talk is over shows the scene's random dialogs once the hero has left and come
    // back; with none of them written the bubble is empty.
    for (int s = 1; s <= scenes; ++s) {
        const SceneBlock& scene = record_.scene(s);
        bool anyText = false;
        for (int r = 1; r <= kRandomDialogsShown && !anyText; ++r) {
            for (const auto& line : scene.randomDialog(r).lines) anyText = anyText || line.usedLength() > 0;
        }
        if (anyText) continue;
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = scene.dialog(d);
            if (!talked_.count({s, d})) continue;
            const int gift = model_.giftIndex(s, d);
            const bool movesOn = (dialog.kind == 1 && sceneLeft_[s]) ||
                                 (dialog.kind == 2 && gift >= 0 && giftHappened_[std::size_t(gift)] && sceneLeft_[s]) ||
                                 (dialog.kind == 3 && dialog.progress == 2) ||
                                 (dialog.kind == 2 && dialog.progress == 1 && sceneLeft_[s]);
            if (movesOn) report.warnings.push_back(Warning{Warning::Kind::EmptyRandomDialogs, s, d, 0, 0, 0, 0, {}});
        }
    }
}

void Search::warnStatic(CheckReport& report) const {
    const int scenes = usableSceneCount(record_);
    for (int s = 1; s <= scenes; ++s) {
        for (int k = 1; k <= kPortalsPerScene; ++k) {
            const Portal& portal = record_.scene(s).portal(k);
            if (!isPlacedPortal(portal)) continue;
            if (!portalLeadsSomewhere(record_, portal)) {
                report.warnings.push_back(Warning{Warning::Kind::PortalTarget, s, k, 0, portal.targetScene, 0, 0, {}});
                continue;
            }
            const int col = footCell(arrivalX(portal));
            const int row = footCell(arrivalY(portal));
            const int target = portal.targetScene;
            if (!isWalkableMark(record_.passOrBlocked(target, col, row)))
                report.warnings.push_back(Warning{Warning::Kind::PortalArrival, s, k, 0, target, col, row, {}});
            if (model_.portalAt(target, col, row) != 0)
                report.warnings.push_back(Warning{Warning::Kind::PortalOntoPortal, s, k, 0, target, col, row, {}});
        }
    }
    for (int n = 1; n <= kItemCapacity; ++n) {
        const Item& item = record_.item(n);
        if (item.state != 1 || item.scene < 1 || item.scene > scenes) continue;
        if (!isWalkableMark(record_.passOrBlocked(item.scene, item.col0 + 1, item.row0 + 1)))
            report.warnings.push_back(Warning{Warning::Kind::ItemOnBlockedCell, item.scene, 0, n, 0, item.col0 + 1, item.row0 + 1, {}});
    }
    const int startScene = startSceneOf(record_);
    const int col = footCell(record_.heroX);
    const int row = footCell(record_.heroY);
    if (!isWalkableMark(record_.passOrBlocked(startScene, col, row)))
        report.warnings.push_back(Warning{Warning::Kind::HeroOnBlockedCell, startScene, 0, 0, 0, col, row, {}});
}

} // namespace

bool CheckReport::foundAnything() const {
    return !scenesUnreachable.empty() || !itemsNever.empty() || !doorsNever.empty() || !dialogsNever.empty() ||
           !giftsNever.empty() || !heroRemarksNever.empty() || !deadEnds.empty() || !warnings.empty() || !complete;
}

CheckReport searchGame(const ProjectRecord& record, const CheckLimits& limits) {
    Search search(record, limits);
    return search.run();
}

} // namespace tw::check
