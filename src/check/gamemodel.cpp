#include "check/gamemodel.h"

#include "runtime/playrules.h"

#include <algorithm>
#include <cstring>

namespace tw::check {

std::vector<std::pair<int, int>> standingCandidates(int col, int row) {
    const int offsets[9][2] = {{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
    std::vector<std::pair<int, int>> cells;
    for (const auto& offset : offsets) {
        const int c = col + offset[0];
        const int r = row + offset[1];
        if (isCellInGrid(c, r)) cells.emplace_back(c, r);
    }
    return cells;
}

GameModel::GameModel(const ProjectRecord& record) : record_(record), sceneCount_(usableSceneCount(record)) {
    std::fill(std::begin(itemIndex_), std::end(itemIndex_), -1);
    bool inGame[kItemCapacity + 1] = {};
    const auto mark = [&inGame](int n) {
        if (isItemNumber(n)) inGame[n] = true;
    };
    for (int n = 1; n <= kItemCapacity; ++n) {
        const Item& item = record.item(n);
        if (item.state == 1 || item.state == 2) mark(n);
    }
    for (int s = 1; s <= sceneCount_; ++s) {
        const SceneBlock& scene = record.scene(s);
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = scene.dialog(d);
            if (dialog.kind == 2 || dialog.kind == 3) mark(dialog.getItem);
            if (dialog.kind == 3) mark(dialog.giveItem);
        }
        for (int d = 1; d <= kDoorsPerScene; ++d) {
            if (scene.door(d).state == 1) mark(scene.door(d).keyItem);
        }
    }
    // What two items of the game make belongs to the game too, and so on.
    for (bool grew = true; grew;) {
        grew = false;
        for (int m = 1; m <= kItemCapacity; ++m) {
            const int partner = record.item(m).partner;
            const int product = combinationProduct(record, m, partner);
            if (product != 0 && inGame[m] && isItemNumber(partner) && inGame[partner] && !inGame[product]) {
                inGame[product] = true;
                grew = true;
            }
        }
    }
    bool hasRole[kItemCapacity + 1] = {};
    const auto role = [&hasRole](int n) {
        if (isItemNumber(n)) hasRole[n] = true;
    };
    for (int s = 1; s <= kSceneCapacity; ++s) {
        const SceneBlock& scene = record.scene(s);
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            role(scene.dialog(d).giveItem);
            role(scene.dialog(d).getItem);
        }
        for (int d = 1; d <= kDoorsPerScene; ++d) role(scene.door(d).keyItem);
    }
    for (int m = 1; m <= kItemCapacity; ++m) {
        if (combinationProduct(record, m, record.item(m).partner) == 0) continue;
        role(m);
        role(record.item(m).partner);
        role(record.item(m).product);
    }
    for (int n = 1; n <= kItemCapacity; ++n) {
        inert_[n] = !hasRole[n];
        if (!inGame[n]) continue;
        itemIndex_[n] = int(items_.size());
        items_.push_back(n);
    }

    sceneOpenings_.resize(std::size_t(sceneCount_) + 1);
    for (int s = 1; s <= sceneCount_; ++s) {
        const SceneBlock& scene = record.scene(s);
        for (int d = 1; d <= kDoorsPerScene; ++d) {
            const Door& door = scene.door(d);
            if (door.state != 1) continue;
            doors_.push_back({s, d});
            if (isCellInGrid(door.approachCol, door.approachRow)) {
                sceneOpenings_[s].push_back(int(openings_.size()));
                openings_.push_back({Opening::Cause::Door, s, d, door.approachCol, door.approachRow});
            }
        }
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = scene.dialog(d);
            if (dialog.kind == 0) continue;
            if ((dialog.kind == 2 || dialog.kind == 3) && dialog.progress == 0) gifts_.push_back({s, d});
            if (isCellInGrid(dialog.approachCol, dialog.approachRow) &&
                !isWalkableMark(record.passOrBlocked(s, dialog.approachCol, dialog.approachRow))) {
                sceneOpenings_[s].push_back(int(openings_.size()));
                openings_.push_back({Opening::Cause::Character, s, d, dialog.approachCol, dialog.approachRow});
            }
        }
    }
}

int GameModel::doorIndex(int scene, int d) const {
    const auto at = std::find(doors_.begin(), doors_.end(), SceneObject{scene, d});
    return at == doors_.end() ? -1 : int(at - doors_.begin());
}

int GameModel::giftIndex(int scene, int d) const {
    const auto at = std::find(gifts_.begin(), gifts_.end(), SceneObject{scene, d});
    return at == gifts_.end() ? -1 : int(at - gifts_.begin());
}

int GameModel::characterOpening(int scene, int d) const {
    if (scene < 1 || scene > sceneCount_) return -1;
    const std::vector<int>& mine = sceneOpenings_[std::size_t(scene)];
    for (std::size_t j = 0; j < mine.size(); ++j) {
        const Opening& opening = openings_[std::size_t(mine[j])];
        if (opening.cause == Opening::Cause::Character && opening.number == d) return int(j);
    }
    return -1;
}

bool GameModel::isActivePortal(int scene, int k) const {
    const Portal& portal = record_.scene(scene).portal(k);
    return isPlacedPortal(portal) && portalLeadsSomewhere(record_, portal);
}

int GameModel::portalAt(int scene, int col, int row) const {
    // Play tests the portals in number order and the first on the hero's cell takes him.
    for (int k = 1; k <= kPortalsPerScene; ++k) {
        const Portal& portal = record_.scene(scene).portal(k);
        if (portal.col == col && portal.row == row && isActivePortal(scene, k)) return k;
    }
    return 0;
}

void GameModel::grid(int scene, std::uint32_t openMask, PassGrid& into) const {
    std::memcpy(into, record_.passGrid[scene - 1], sizeof(PassGrid));
    const std::vector<int>& mine = sceneOpenings_[std::size_t(scene)];
    for (std::size_t j = 0; j < mine.size(); ++j) {
        if ((openMask >> j & 1u) == 0) continue;
        const Opening& opening = openings_[std::size_t(mine[j])];
        into[opening.col - 1][opening.row - 1] = 0;
    }
    for (int c = 0; c < kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) {
            std::uint16_t& cell = into[c][r];
            cell = isWalkableMark(cell) ? 0 : kBlockedCell;
        }
    }
}

bool GameModel::walkable(int scene, std::uint32_t openMask, int col, int row) const {
    if (!isCellInGrid(col, row)) return false;
    if (isWalkableMark(record_.passGrid[scene - 1][col - 1][row - 1])) return true;
    const std::vector<int>& mine = sceneOpenings_[std::size_t(scene)];
    for (std::size_t j = 0; j < mine.size(); ++j) {
        const Opening& opening = openings_[std::size_t(mine[j])];
        if ((openMask >> j & 1u) && opening.col == col && opening.row == row) return true;
    }
    return false;
}

const Region& GameModel::region(int scene, std::uint32_t openMask, int col, int row) {
    Labels& labels = labels_[{scene, openMask}];
    if (labels.regionOfCell.empty()) labels.regionOfCell.assign(kCells, -1);
    const int start = cellIndex(col, row);
    if (labels.regionOfCell[std::size_t(start)] >= 0)
        return *regions_[std::size_t(labels.regionOfCell[std::size_t(start)])];

    // The hero walks by the engine's own wave: a press reaches every walkable cell within its reach, and
    // a cell at the edge of that reach is where the next press starts from. Portal cells are taken out of
    // the walk, since stepping on one takes him away.
    PassGrid base;
    grid(scene, openMask, base);
    for (int k = 1; k <= kPortalsPerScene; ++k) {
        const Portal& portal = record_.scene(scene).portal(k);
        if (isActivePortal(scene, k) && isCellInGrid(portal.col, portal.row)) base[portal.col - 1][portal.row - 1] = kBlockedCell;
    }
    auto found = std::make_unique<Region>();
    found->scene = scene;
    std::vector<int> from{start};
    found->cells.set(std::size_t(start));
    PassGrid wave;
    while (!from.empty()) {
        const int cell = from.back();
        from.pop_back();
        std::memcpy(wave, base, sizeof wave);
        spreadWaveOn(wave, cellColumn(cell), cellRow(cell), false);
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 1; r <= kGridRows; ++r) {
                const std::uint16_t markValue = wave[c - 1][r - 1];
                if (markValue == 0 || !isWalkableMark(markValue)) continue;
                const int index = cellIndex(c, r);
                if (found->cells.test(std::size_t(index))) continue;
                found->cells.set(std::size_t(index));
                if (markValue == kWaveReach + 1) from.push_back(index);
            }
        }
    }
    found->representative = start;
    for (int index = 0; index < kCells; ++index) {
        if (found->cells.test(std::size_t(index))) {
            found->representative = index;
            break;
        }
    }
    PassGrid open;
    grid(scene, openMask, open);
    for (int k = 1; k <= kPortalsPerScene; ++k) {
        const Portal& portal = record_.scene(scene).portal(k);
        if (!isActivePortal(scene, k) || portalAt(scene, portal.col, portal.row) != k) continue;
        if (!isCellInGrid(portal.col, portal.row) || !isWalkableMark(open[portal.col - 1][portal.row - 1])) continue;
        const int c = portal.col;
        const int r = portal.row;
        const bool nextToRegion = (c > 1 && found->cells.test(std::size_t(cellIndex(c - 1, r)))) ||
                                  (c < kGridColumns && found->cells.test(std::size_t(cellIndex(c + 1, r)))) ||
                                  (r > 1 && found->cells.test(std::size_t(cellIndex(c, r - 1)))) ||
                                  (r < kGridRows && found->cells.test(std::size_t(cellIndex(c, r + 1))));
        if (nextToRegion) found->exits.push_back(k);
    }
    const auto id = std::int32_t(regions_.size());
    for (int index = 0; index < kCells; ++index) {
        if (found->cells.test(std::size_t(index))) labels.regionOfCell[std::size_t(index)] = id;
    }
    regions_.push_back(std::move(found));
    return *regions_.back();
}

} // namespace tw::check
