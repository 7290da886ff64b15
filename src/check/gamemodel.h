#pragma once

#include "check/gamecheck.h"
#include "project/projectrecord.h"
#include "runtime/walking.h"

#include <bitset>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tw::check {

inline constexpr int kCells = kGridColumns * kGridRows;
using CellSet = std::bitset<kCells>;
inline int cellIndex(int col, int row) { return (col - 1) * kGridRows + (row - 1); }
inline int cellColumn(int index) { return index / kGridRows + 1; }
inline int cellRow(int index) { return index % kGridRows + 1; }

// The cells the hero may stand on to reach a door or a character whose approach cell is (col, row), in the
// order both the search and the replay try them: the approach cell itself, its right, left, lower and
// upper neighbours, then the diagonal ones. From there he is next to it at once, and the same walk on to
// the approach cell follows in the search and in the engine.
std::vector<std::pair<int, int>> standingCandidates(int col, int row);

// A cell of a scene that starts blocked and becomes walkable in play: a closed door's cell when the door
// opens, a character's approach cell when a press on the character forces the hero's wave onto it.
struct Opening {
    enum class Cause { Door, Character };
    Cause cause = Cause::Door;
    int scene = 0;
    int number = 0; // the door or the character
    int col = 0;
    int row = 0;
};

// Where the hero can be in a scene: the cells he can walk to without passing over a portal, and the
// portals next to them that he can step on. A hero who cannot walk (he stands on a blocked cell with no
// walkable neighbour) has no region but his own cell.
struct Region {
    int scene = 0;
    int representative = -1; // the smallest cell index of the region; his own cell when he cannot walk
    CellSet cells;
    std::vector<int> exits; // portal numbers whose cells he can step on
    bool canWalk = true;
};

// The game as the check sees it: the record's fixed facts (scenes, walls, portals, who wants what) and the
// walkable regions under each combination of open cells. Built once from a record, which it keeps a
// reference to; the record must outlive it and not change meanwhile.
class GameModel {
public:
    explicit GameModel(const ProjectRecord& record);

    const ProjectRecord& record() const { return record_; }
    int sceneCount() const { return sceneCount_; }

    // The items of the game: every item lying, in the bag or carried at the start, and every item a
    // character gives, a door takes, or a combination makes or takes.
    const std::vector<int>& items() const { return items_; }
    int itemIndex(int n) const { return isItemNumber(n) ? itemIndex_[n] : -1; }
    // An item nothing asks for or makes: no door takes it, no character gives it or wants it, it makes
    // nothing and nothing makes it. Two such items the player has had are alike in everything but their
    // numbers.
    bool isInert(int n) const { return isItemNumber(n) && inert_[n]; }
    // The doors closed at the start.
    const std::vector<SceneObject>& closedDoors() const { return doors_; }
    int doorIndex(int scene, int d) const;
    // The characters with a gift or an exchange still to come at the start.
    const std::vector<SceneObject>& giftCharacters() const { return gifts_; }
    int giftIndex(int scene, int d) const;
    // The cells that open in play; those of one scene in a fixed order.
    const std::vector<Opening>& openings() const { return openings_; }
    const std::vector<int>& sceneOpenings(int scene) const { return sceneOpenings_[scene]; }
    int characterOpening(int scene, int d) const;

    // A portal the hero passes through when he stands on its cell.
    bool isActivePortal(int scene, int k) const;
    // The portal of the scene whose cell is (col, row), or 0.
    int portalAt(int scene, int col, int row) const;

    // The scene's grid with the openings of `openMask` (bit j: sceneOpenings(scene)[j]) walkable, every
    // walkable cell 0 and every blocked one 30000, as play leaves it when the hero comes in.
    void grid(int scene, std::uint32_t openMask, PassGrid& into) const;
    // Whether (col, row) is walkable with the openings of `openMask`; false outside the grid.
    bool walkable(int scene, std::uint32_t openMask, int col, int row) const;
    // The region of cell (col, row), which must be walkable and no active portal's.
    const Region& region(int scene, std::uint32_t openMask, int col, int row);

private:
    const ProjectRecord& record_;
    int sceneCount_ = 1;
    std::vector<int> items_;
    int itemIndex_[kItemCapacity + 1];
    bool inert_[kItemCapacity + 1] = {};
    std::vector<SceneObject> doors_;
    std::vector<SceneObject> gifts_;
    std::vector<Opening> openings_;
    std::vector<std::vector<int>> sceneOpenings_;
    // Regions found so far, per scene and open cells: the region each cell belongs to.
    struct Labels {
        std::vector<std::int32_t> regionOfCell; // index into regions_, -1 not yet known
    };
    std::map<std::pair<int, std::uint32_t>, Labels> labels_;
    std::vector<std::unique_ptr<Region>> regions_;
};

} // namespace tw::check
