#include "project/projectrecord.h"

#include "project/win1251.h"

#include <cassert>
#include <cstring>
#include <type_traits>

namespace tw {

// The file layout, checked at compile time.
static_assert(sizeof(HeroRemark) == 36);
static_assert(sizeof(CrowdRemark) == 44 && offsetof(CrowdRemark, countdown) == 36 &&
              offsetof(CrowdRemark, shownIndex) == 40);
static_assert(sizeof(AnimFrame) == 8 && sizeof(Animation) == 242 && offsetof(Animation, frameCount) == 240);
static_assert(sizeof(Item) == 12 && offsetof(Item, scene) == 6 && offsetof(Item, partner) == 8 &&
              offsetof(Item, isComposite) == 10);
static_assert(sizeof(Portal) == 6 && offsetof(Portal, targetScene) == 4);
static_assert(sizeof(AnimSpot) == 8 && offsetof(AnimSpot, x) == 2 && offsetof(AnimSpot, animation) == 6);
static_assert(sizeof(Door) == 20 && offsetof(Door, keyZoneX1) == 8 && offsetof(Door, pictureX) == 16);
static_assert(sizeof(Hint) == 64 && offsetof(Hint, text) == 4 && offsetof(Hint, zoneX1) == 56);
static_assert(sizeof(Dialog) == 426 && offsetof(Dialog, giveItem) == 12 && offsetof(Dialog, lines) == 14 &&
              offsetof(Dialog, textX) == 422);
static_assert(sizeof(RandomDialog) == 204);
static_assert(sizeof(SceneBlock) == 13772 && offsetof(SceneBlock, animSpots) == 30 &&
              offsetof(SceneBlock, doors) == 102 && offsetof(SceneBlock, hints) == 162 &&
              offsetof(SceneBlock, dialogs) == 1442 && offsetof(SceneBlock, randomDialogs) == 3572);

static_assert(offsetof(ProjectRecord, menuZoneBottomRight) == 0x000010);
static_assert(offsetof(ProjectRecord, sceneCount) == 0x000020);
static_assert(offsetof(ProjectRecord, stampCount) == 0x000022);
static_assert(offsetof(ProjectRecord, comicCount) == 0x000024);
static_assert(offsetof(ProjectRecord, heroRemarks) == 0x000026);
static_assert(offsetof(ProjectRecord, crowdRemarks) == 0x000730);
static_assert(offsetof(ProjectRecord, animations) == 0x000FC8);
static_assert(offsetof(ProjectRecord, items) == 0x006E50);
static_assert(offsetof(ProjectRecord, passGrid) == 0x007300);
static_assert(offsetof(ProjectRecord, scenes) == 0x05E588);
static_assert(offsetof(ProjectRecord, inventory) == 0x1AE938);
static_assert(offsetof(ProjectRecord, heroX) == 0x1AE94A);
static_assert(offsetof(ProjectRecord, heroY) == 0x1AE94C);
static_assert(offsetof(ProjectRecord, heroCol) == 0x1AE94E);
static_assert(offsetof(ProjectRecord, heroRow) == 0x1AE950);
static_assert(offsetof(ProjectRecord, heroAnimForward) == 0x1AE952);
static_assert(offsetof(ProjectRecord, heroAnimStand) == 0x1AE956);
static_assert(offsetof(ProjectRecord, heldItem) == 0x1AE957);
static_assert(offsetof(ProjectRecord, holdingItem) == 0x1AE958);
static_assert(offsetof(ProjectRecord, heroStep) == 0x1AE959);
static_assert(offsetof(ProjectRecord, gameName) == 0x1AE95A);
static_assert(offsetof(ProjectRecord, startScene) == 0x1AE9C0);
static_assert(offsetof(ProjectRecord, tickInterval) == 0x1AE9C4);
static_assert(offsetof(ProjectRecord, reservedInts) == 0x1AE9C8);
static_assert(offsetof(ProjectRecord, reservedTexts) == 0x1AE9D8);
static_assert(offsetof(ProjectRecord, reservedTail) == 0x1AEED8);

template <int N>
std::string ShortString<N>::text() const {
    return fromWin1251(bytes, usedLength());
}

template <int N>
void ShortString<N>::setText(std::string_view newText) {
    const Bytes encoded = toWin1251(newText);
    const int kept = encoded.size() > N ? N : int(encoded.size());
    std::memcpy(bytes, encoded.data(), std::size_t(kept));
    length = std::uint8_t(kept);
}

template struct ShortString<30>;
template struct ShortString<50>;
template struct ShortString<100>;
template struct ShortString<255>;

namespace {

// Element returned for a number outside its table: zeroed on every hand-out, so a read gives zeros and a
// write lands nowhere that matters.
template <typename T>
T& scratchElement() {
    assert(false && "ProjectRecord: table number out of range");
    static T scratch;
    std::memset(static_cast<void*>(&scratch), 0, sizeof(T));
    return scratch;
}

template <typename T, std::size_t N>
T& at1(T (&table)[N], int k) {
    if (k >= 1 && static_cast<std::size_t>(k) <= N) return table[k - 1];
    return scratchElement<T>();
}

template <typename T, std::size_t N>
const T& at1(const T (&table)[N], int k) {
    if (k >= 1 && static_cast<std::size_t>(k) <= N) return table[k - 1];
    return scratchElement<T>();
}

} // namespace

const AnimFrame& Animation::frame(int f) const { return at1(frames, f); }
AnimFrame& Animation::frame(int f) { return at1(frames, f); }

Portal& SceneBlock::portal(int k) { return at1(portals, k); }
AnimSpot& SceneBlock::animSpot(int k) { return at1(animSpots, k); }
Door& SceneBlock::door(int k) { return at1(doors, k); }
Hint& SceneBlock::hint(int k) { return at1(hints, k); }
Dialog& SceneBlock::dialog(int k) { return at1(dialogs, k); }
RandomDialog& SceneBlock::randomDialog(int k) { return at1(randomDialogs, k); }
const Portal& SceneBlock::portal(int k) const { return at1(portals, k); }
const AnimSpot& SceneBlock::animSpot(int k) const { return at1(animSpots, k); }
const Door& SceneBlock::door(int k) const { return at1(doors, k); }
const Hint& SceneBlock::hint(int k) const { return at1(hints, k); }
const Dialog& SceneBlock::dialog(int k) const { return at1(dialogs, k); }
const RandomDialog& SceneBlock::randomDialog(int k) const { return at1(randomDialogs, k); }

std::unique_ptr<ProjectRecord> ProjectRecord::createBlank() {
    auto record = std::make_unique<ProjectRecord>();
    std::memset(static_cast<void*>(record.get()), 0, sizeof(ProjectRecord));
    return record;
}

std::unique_ptr<ProjectRecord> ProjectRecord::fromBytes(const char* bytes) {
    static_assert(std::is_trivially_default_constructible_v<ProjectRecord>);
    std::unique_ptr<ProjectRecord> record(new ProjectRecord); // default-initialised: no bytes written
    std::memcpy(static_cast<void*>(record.get()), bytes, sizeof(ProjectRecord));
    return record;
}

HeroRemark& ProjectRecord::heroRemark(int k) { return at1(heroRemarks, k); }
CrowdRemark& ProjectRecord::crowdRemark(int k) { return at1(crowdRemarks, k); }
Animation& ProjectRecord::animation(int a) { return at1(animations, a); }
Item& ProjectRecord::item(int n) { return at1(items, n); }
SceneBlock& ProjectRecord::scene(int s) { return at1(scenes, s); }
std::uint8_t& ProjectRecord::bagSlot(int k) { return at1(inventory, k); }
Point16& ProjectRecord::menuTopLeft(int k) { return at1(menuZoneTopLeft, k); }
Point16& ProjectRecord::menuBottomRight(int k) { return at1(menuZoneBottomRight, k); }
const HeroRemark& ProjectRecord::heroRemark(int k) const { return at1(heroRemarks, k); }
const CrowdRemark& ProjectRecord::crowdRemark(int k) const { return at1(crowdRemarks, k); }
const Animation& ProjectRecord::animation(int a) const { return at1(animations, a); }
const Item& ProjectRecord::item(int n) const { return at1(items, n); }
const SceneBlock& ProjectRecord::scene(int s) const { return at1(scenes, s); }
std::uint8_t ProjectRecord::bagSlot(int k) const { return at1(inventory, k); }
const Point16& ProjectRecord::menuTopLeft(int k) const { return at1(menuZoneTopLeft, k); }
const Point16& ProjectRecord::menuBottomRight(int k) const { return at1(menuZoneBottomRight, k); }

std::uint16_t& ProjectRecord::pass(int s, int c, int r) {
    if (isSceneNumber(s) && isCellInGrid(c, r)) return passGrid[s - 1][c - 1][r - 1];
    return scratchElement<std::uint16_t>();
}

std::uint16_t ProjectRecord::passOrBlocked(int s, int c, int r) const {
    if (isSceneNumber(s) && isCellInGrid(c, r)) return passGrid[s - 1][c - 1][r - 1];
    return kBlockedCell;
}

void applyStartDefaults(ProjectRecord& record) {
    if (record.tickInterval == 0) record.tickInterval = kDefaultTickInterval;
    if (record.sceneCount == 0) record.sceneCount = 1;
    if (record.stampCount == 0) record.stampCount = 3;
    if (record.comicCount == 0) record.comicCount = 3;
}

int usableSceneCount(const ProjectRecord& record) {
    if (record.sceneCount < 1) return 1;
    return record.sceneCount > kSceneCapacity ? kSceneCapacity : record.sceneCount;
}

} // namespace tw
