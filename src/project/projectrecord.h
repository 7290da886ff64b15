#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tw {

static_assert(std::endian::native == std::endian::little,
              "the project record is stored little-endian and kept in memory in its file layout");

// Fixed capacities of the record.
inline constexpr int kSceneCapacity = 100;
inline constexpr int kAnimationCapacity = 100;
inline constexpr int kFrameCapacity = 30;
inline constexpr int kItemCapacity = 100;
inline constexpr int kBagSlots = 18;
inline constexpr int kHeroRemarkCapacity = 50;
inline constexpr int kCrowdRemarkCapacity = 50;
inline constexpr int kPortalsPerScene = 5;
inline constexpr int kSpotsPerScene = 9;
inline constexpr int kDoorsPerScene = 3;
inline constexpr int kHintsPerScene = 20;
inline constexpr int kDialogsPerScene = 5;
inline constexpr int kRandomDialogsPerScene = 50;
inline constexpr int kMenuZones = 4;

// The play area and its cell grid.
inline constexpr int kPlayWidth = 1009;
inline constexpr int kPlayHeight = 700;
inline constexpr int kCellSize = 20;
inline constexpr int kGridColumns = 51;
inline constexpr int kGridRows = 35;
inline constexpr std::uint16_t kBlockedCell = 30000;

inline constexpr std::size_t kProjectRecordSize = 1765108;

#pragma pack(push, 1)

// A text of fixed capacity N: a length byte and N bytes of Windows-1251 text. Bytes past the length are
// carried unchanged; a stored length above N (a damaged file) reads as N.
template <int N>
struct ShortString {
    static constexpr int capacity = N;
    std::uint8_t length;
    char bytes[N];

    int usedLength() const { return length > N ? N : length; }
    // The text as UTF-8.
    std::string text() const;
    // Stores the UTF-8 text cut to N characters; the bytes after it keep their old values.
    void setText(std::string_view text);
    void clear() { length = 0; }
};

struct Point16 {
    std::uint16_t x;
    std::uint16_t y;
};

struct HeroRemark {
    std::uint8_t state; // 0 not placed, 1 placed and not yet said, 2 said
    ShortString<30> text;
    std::uint8_t col;
    std::uint8_t row;
    std::uint16_t scene;
};

struct CrowdRemark {
    std::uint16_t x;
    std::uint16_t y;
    ShortString<30> text;
    std::uint8_t scene;
    std::int32_t countdown;
    std::uint8_t shownIndex;
    std::uint8_t gap[3];
};

struct AnimFrame {
    std::uint16_t srcX;
    std::uint16_t srcY;
    std::uint16_t width;
    std::uint16_t height;
};

struct Animation {
    AnimFrame frames[kFrameCapacity];
    std::uint8_t frameCount;
    std::uint8_t gap;

    // Frame f (1-based); a number outside 1..30 gives an empty frame.
    const AnimFrame& frame(int f) const;
    AnimFrame& frame(int f);
};

struct Item {
    std::int16_t state; // 0 not in the world, 1 lying in a scene, 2 in the bag
    std::int16_t col0;
    std::int16_t row0;
    std::uint8_t scene;
    std::uint8_t gap;
    std::uint8_t partner;
    std::uint8_t product;
    std::uint8_t isComposite;
    std::uint8_t gap2;
};

struct Portal {
    std::uint8_t col;
    std::uint8_t row;
    std::uint8_t arrivalCol;
    std::uint8_t arrivalRow;
    std::uint16_t targetScene;
};

struct AnimSpot {
    std::uint8_t visible;
    std::uint8_t gap;
    std::uint16_t x;
    std::uint16_t y;
    std::uint8_t animation;
    std::uint8_t randomFrame;
};

struct Door {
    std::uint8_t state; // 0 no door, 1 closed, 2 opened
    std::uint8_t keyItem;
    std::uint8_t openPicture;
    std::uint8_t closedPicture;
    std::uint8_t comic;
    std::uint8_t approachCol;
    std::uint8_t approachRow;
    // A spare byte the editor uses and play ignores: 1 while this closed door has not blocked a cell of
    // its own yet (placed or saved, its approach cell not set since), so that its stored cell is never
    // given back; 0 otherwise.
    std::uint8_t cellUnclaimed;
    std::uint16_t keyZoneX1;
    std::uint16_t keyZoneY1;
    std::uint16_t keyZoneX2;
    std::uint16_t keyZoneY2;
    std::uint16_t pictureX;
    std::uint16_t pictureY;
};

struct Hint {
    std::uint16_t textX;
    std::uint16_t textY;
    ShortString<50> text;
    std::uint8_t gap;
    std::uint16_t zoneX1;
    std::uint16_t zoneY1;
    std::uint16_t zoneX2;
    std::uint16_t zoneY2;
};

struct Dialog {
    std::uint8_t kind;     // 0 none, 1 talk, 2 talk and give, 3 exchange
    std::uint8_t progress; // 0 first dialog pending, 1 done, 2 random dialogs
    std::uint8_t approachCol;
    std::uint8_t approachRow;
    std::uint16_t zoneX1;
    std::uint16_t zoneY1;
    std::uint16_t zoneX2;
    std::uint16_t zoneY2;
    std::uint8_t giveItem;
    std::uint8_t getItem;
    ShortString<50> lines[8]; // 0-based here: lines[0..3] dialog 1, lines[4..7] dialog 2
    std::uint16_t textX;
    std::uint16_t textY;
};

struct RandomDialog {
    ShortString<50> lines[4];
};

struct SceneBlock {
    Portal portals[kPortalsPerScene];
    AnimSpot animSpots[kSpotsPerScene];
    Door doors[kDoorsPerScene];
    Hint hints[kHintsPerScene];
    Dialog dialogs[kDialogsPerScene];
    RandomDialog randomDialogs[kRandomDialogsPerScene];

    // 1-based element access; numbers outside the table are a caller's fault (see ProjectRecord).
    Portal& portal(int k);
    AnimSpot& animSpot(int k);
    Door& door(int k);
    Hint& hint(int k);
    Dialog& dialog(int k);
    RandomDialog& randomDialog(int k);
    const Portal& portal(int k) const;
    const AnimSpot& animSpot(int k) const;
    const Door& door(int k) const;
    const Hint& hint(int k) const;
    const Dialog& dialog(int k) const;
    const RandomDialog& randomDialog(int k) const;
};

// The whole authored game and the whole play state, in the byte layout of the project file
// (mzh/data/typ.dll and the save point mzh/data/baztyp.dll). The raw arrays are 0-based as laid out in
// the file; game code uses the 1-based accessors, which take the numbers the editor shows.
//
// A record read from disk is untrusted: counts, numbers and positions in it may be anything. Accessors
// never touch memory outside the record: a number outside its table trips an assertion in debug builds
// and yields a zeroed scratch element in release builds. Callers guard numbers that come from the
// record (see the is...Number helpers) before using them.
struct ProjectRecord {
    Point16 menuZoneTopLeft[kMenuZones];
    Point16 menuZoneBottomRight[kMenuZones];
    std::uint16_t sceneCount;
    std::uint16_t stampCount;
    std::uint16_t comicCount;
    HeroRemark heroRemarks[kHeroRemarkCapacity];
    std::uint8_t gapAfterHeroRemarks[2];
    CrowdRemark crowdRemarks[kCrowdRemarkCapacity];
    Animation animations[kAnimationCapacity];
    Item items[kItemCapacity];
    std::uint16_t passGrid[kSceneCapacity][kGridColumns][kGridRows];
    SceneBlock scenes[kSceneCapacity];
    std::uint8_t inventory[kBagSlots];
    std::uint16_t heroX;
    std::uint16_t heroY;
    std::uint16_t heroCol;
    std::uint16_t heroRow;
    std::uint8_t heroAnimForward;
    std::uint8_t heroAnimBack;
    std::uint8_t heroAnimLeft;
    std::uint8_t heroAnimRight;
    std::uint8_t heroAnimStand;
    std::uint8_t heldItem;
    std::uint8_t holdingItem;
    std::uint8_t heroStep;
    ShortString<100> gameName;
    std::uint8_t gapAfterGameName;
    std::uint16_t startScene;
    std::uint8_t gapAfterStartScene[2];
    std::int32_t tickInterval;
    std::int32_t reservedInts[4];
    ShortString<255> reservedTexts[5];
    std::uint8_t reservedTail[28];

    // A record of all zero bytes, as a project built from scratch starts.
    static std::unique_ptr<ProjectRecord> createBlank();
    // A record holding the first kProjectRecordSize bytes given, copied once (not zeroed first).
    static std::unique_ptr<ProjectRecord> fromBytes(const char* bytes);

    // 1-based element access.
    HeroRemark& heroRemark(int k);
    CrowdRemark& crowdRemark(int k);
    Animation& animation(int a);
    Item& item(int n);
    SceneBlock& scene(int s);
    std::uint8_t& bagSlot(int k);
    Point16& menuTopLeft(int k);
    Point16& menuBottomRight(int k);
    const HeroRemark& heroRemark(int k) const;
    const CrowdRemark& crowdRemark(int k) const;
    const Animation& animation(int a) const;
    const Item& item(int n) const;
    const SceneBlock& scene(int s) const;
    std::uint8_t bagSlot(int k) const;
    const Point16& menuTopLeft(int k) const;
    const Point16& menuBottomRight(int k) const;

    // Passability of cell (column c, row r) of scene s. The checked reader treats a cell outside the
    // 51 x 35 grid, or a scene outside 1..100, as blocked.
    std::uint16_t& pass(int s, int c, int r);
    std::uint16_t passOrBlocked(int s, int c, int r) const;

    const std::uint8_t* bytes() const { return reinterpret_cast<const std::uint8_t*>(this); }
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(this); }
};

#pragma pack(pop)

static_assert(sizeof(ProjectRecord) == kProjectRecordSize);

// Range predicates for numbers read from the record.
inline bool isSceneNumber(int s) { return s >= 1 && s <= kSceneCapacity; }
inline bool isAnimationNumber(int a) { return a >= 1 && a <= kAnimationCapacity; }
inline bool isItemNumber(int n) { return n >= 1 && n <= kItemCapacity; }
inline bool isCellInGrid(int c, int r) { return c >= 1 && c <= kGridColumns && r >= 1 && r <= kGridRows; }

// The cell column (or row) of a pixel coordinate, by floor division: a point left of or above the play
// area lies in column (row) 0 or less, outside the grid, never in the first one.
inline int cellOfPixel(int v) { return (v >= 0 ? v / kCellSize : -((kCellSize - 1 - v) / kCellSize)) + 1; }

// A point the editor stores: kept within the play area, x 0..1008 and y 0..699, so that a drag that
// leaves the canvas stops at its edge instead of wrapping around to 65,5xx.
inline std::uint16_t playX(int x) { return std::uint16_t(x < 0 ? 0 : x >= kPlayWidth ? kPlayWidth - 1 : x); }
inline std::uint16_t playY(int y) { return std::uint16_t(y < 0 ? 0 : y >= kPlayHeight ? kPlayHeight - 1 : y); }
// True for a point of the play area; its cell lies within the grid.
inline bool isPlayPoint(int x, int y) { return x >= 0 && x < kPlayWidth && y >= 0 && y < kPlayHeight; }

// The number of scenes that exist, limited to the table: a damaged count above 100 reads as 100 and
// 0 as 1 (the start-up default).
int usableSceneCount(const ProjectRecord& record);

// The frame period the editor offers, in ms, and the one a record without a period gets.
inline constexpr int kMinTickInterval = 20;
inline constexpr int kMaxTickInterval = 100;
inline constexpr int kDefaultTickInterval = 50;

// The defaults a record gets when it is loaded: a frame period of 50 ms when none is stored, and at least
// one scene, three stamps and three comics when the counts are 0.
void applyStartDefaults(ProjectRecord& record);

} // namespace tw
