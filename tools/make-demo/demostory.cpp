#include "make-demo/demostory.h"

#include "make-demo/demolayout.h"
#include "make-demo/itempictures.h"

#include <QString>

#include <array>
#include <string>
#include <initializer_list>

namespace tw::demo {

namespace {

std::uint16_t u16(int v) { return static_cast<std::uint16_t>(v); }
std::uint8_t u8(int v) { return static_cast<std::uint8_t>(v); }
std::string text(const char* utf8) { return utf8; }

// The record stores a zone as two corners with the zone strictly between them.
struct Zone {
    int x1, y1, x2, y2;
};
Zone zoneAround(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

const SpotPlacement& characterSpot(int scene, int animation) {
    for (const SpotPlacement& spot : sceneLayout(scene).spots)
        if (spot.animation == animation) return spot;
    Q_UNREACHABLE();
}

// --- items -----------------------------------------------------------------------------------------------

void lay(ProjectRecord& record, int item, int scene, int col0, int row0) {
    Item& it = record.item(item);
    it.state = 1;
    it.scene = u8(scene);
    it.col0 = static_cast<std::int16_t>(col0);
    it.row0 = static_cast<std::int16_t>(row0);
}

void placeItems(ProjectRecord& record) {
    lay(record, kItemKey, 1, 26, 15);  // at the far end of the forest footpath
    lay(record, kItemRope, 3, 44, 22); // on the floor before the hearth
    // The coin and the gem enter the game through dialogs, the amulet through the combination.
    Item& rope = record.item(kItemRope);
    Item& gem = record.item(kItemGem);
    rope.partner = u8(kItemGem);
    gem.partner = u8(kItemRope);
    rope.product = gem.product = u8(kItemAmulet);
    record.item(kItemAmulet).isComposite = 1;
}

// --- portals and doors -------------------------------------------------------------------------------------

void placePortalsAndDoors(ProjectRecord& record) {
    struct DoorPlot {
        int scene, key, comic;
    };
    const DoorPlot plots[] = {{2, kItemKey, kGateComic}, {3, kItemAmulet, kTreasuryComic}};
    for (int s = 1; s <= kDemoSceneCount; ++s) {
        const SceneLayout& layout = sceneLayout(s);
        for (int k = 1; k <= layout.portals.size(); ++k) {
            const PortalPlacement& placed = layout.portals[k - 1];
            record.scene(s).portal(k) = {u8(placed.cell.x()), u8(placed.cell.y()), u8(placed.arrival.x()),
                                         u8(placed.arrival.y()), u16(placed.targetScene)};
        }
        for (int d = 1; d <= layout.doors.size(); ++d) {
            const DoorPlacement& placed = layout.doors[d - 1];
            Door& door = record.scene(s).door(d);
            door.state = 1;
            door.closedPicture = u8(placed.closedPicture);
            door.openPicture = u8(placed.openPicture);
            door.approachCol = u8(placed.cell.x());
            door.approachRow = u8(placed.cell.y());
            const Zone key = zoneAround(doorKeyZone(placed));
            door.keyZoneX1 = u16(key.x1);
            door.keyZoneY1 = u16(key.y1);
            door.keyZoneX2 = u16(key.x2);
            door.keyZoneY2 = u16(key.y2);
            door.pictureX = u16(placed.picture.x());
            door.pictureY = u16(placed.picture.y());
            for (const DoorPlot& plot : plots) {
                if (plot.scene != s || d != 1) continue;
                door.keyItem = u8(plot.key);
                door.comic = u8(plot.comic);
            }
        }
    }
}

// --- characters ----------------------------------------------------------------------------------------------

struct Character {
    int scene, dialog, kind, animation;
    QPoint approach; // the cell the hero walks to
    QPoint textAt;   // where the four lines start; the shadow lies 10 px up and left of it
    int giveItem, getItem;
    std::array<const char*, 8> lines;
};

const Character kCharacters[] = {
    {1, kHermitDialog, 1, kAnimHermit, QPoint(23, 25), QPoint(110, 270), 0, 0,
     {"Здравствуй, путник! Садись к огню.", "В замке за деревней спрятан клад короля.",
      "Ворота заперты, а ключ стражник обронил", "где-то на лесной тропинке, у самых елей.", "", "", "", ""}},
    {2, kHerbalistDialog, 2, kAnimHerbalist, QPoint(14, 24), QPoint(60, 310), 0, kItemCoin,
     {"Ой, какой вежливый молодой человек!", "Вот тебе золотая монетка на счастье.",
      "Торговец в конце улицы любит золото", "и за монету отдаст что угодно.", "", "", "", ""}},
    {2, kMerchantDialog, 3, kAnimMerchant, QPoint(45, 24), QPoint(560, 310), kItemCoin, kItemGem,
     {"Королевский самоцвет? Есть такой!", "Но задаром не отдам: принеси монету.",
      "Возьми её из сумки и дай мне в руки -", "тогда и поговорим.", "Вот это золото! Благодарю, путник.",
      "Держи самоцвет. Король носил его", "на прочной верёвке, как амулет.", "Верёвку поищи в замке."}},
    {3, kGuardDialog, 1, kAnimGuard, QPoint(23, 22), QPoint(100, 260), 0, 0,
     {"Стой! Это сокровищница короля.", "Её дверь открывает лишь амулет:",
      "королевский самоцвет на верёвке.", "Соедини их в сумке - и дверь откроется.", "", "", "", ""}},
};

void placeCharacters(ProjectRecord& record) {
    for (const Character& c : kCharacters) {
        Dialog& dialog = record.scene(c.scene).dialog(c.dialog);
        dialog.kind = u8(c.kind);
        dialog.progress = 0;
        dialog.approachCol = u8(c.approach.x());
        dialog.approachRow = u8(c.approach.y());
        const Zone zone = zoneAround(characterRect(characterSpot(c.scene, c.animation)).adjusted(-2, -2, 2, 2));
        dialog.zoneX1 = u16(zone.x1);
        dialog.zoneY1 = u16(zone.y1);
        dialog.zoneX2 = u16(zone.x2);
        dialog.zoneY2 = u16(zone.y2);
        dialog.giveItem = u8(c.giveItem);
        dialog.getItem = u8(c.getItem);
        for (int k = 0; k < 8; ++k) dialog.lines[k].setText(text(c.lines[static_cast<std::size_t>(k)]));
        dialog.textX = u16(c.textAt.x());
        dialog.textY = u16(c.textAt.y());
    }
}

// What the characters of a scene say once their first dialog is done and the hero has come back. The game
// picks one of entries 1..49 at random, so the few texts of a scene repeat over all of them.
using Chatter = std::array<const char*, 4>;
const std::initializer_list<Chatter> kForestChatter = {
    {"Погрейся у огня, путник.", "Лес нынче тихий, только птицы поют.", "", ""},
    {"Ключ нашёл? Вот и славно.", "Ворота замка - в переулке, в деревне.", "", ""},
    {"Я живу в этом лесу сорок лет.", "Всякое видал, а клада так и не нашёл.", "", ""},
    {"Говорят, торговец в деревне - хитрец.", "Но слово своё держит.", "", ""},
    {"Дрова сырые, дым так и валит...", "Кхе-кхе!", "", ""},
    {"Стражника в замке не бойся.", "Он ворчит, но человек добрый.", "", ""},
};
const std::initializer_list<Chatter> kVillageChatter = {
    {"Мята, ромашка, зверобой...", "Всё собрала на рассвете.", "", ""},
    {"Монетку не потерял?", "Торговец в конце улицы её ждёт.", "", ""},
    {"Ворота замка в переулке, между домами.", "Заперты с тех пор, как пропал король.", "", ""},
    {"Ох, спина моя, спина...", "Сходи-ка лучше к фонтану, умойся.", "", ""},
    {"Говорят, в лесу живёт отшельник.", "Мудрый старик, всё про всех знает.", "", ""},
    {"Удачи тебе, добрый молодец!", "", "", ""},
};
const std::initializer_list<Chatter> kHallChatter = {
    {"Служба есть служба.", "Стою тут с рассвета до заката.", "", ""},
    {"Амулет собрал? Тогда ступай к двери", "и приложи его к замку.", "", ""},
    {"В камине огонь не гаснет сто лет.", "Так велел король.", "", ""},
    {"Король пропал, а трон всё ждёт его...", "", "", ""},
    {"Не шуми в зале - эхо тут сильное.", "", "", ""},
    {"Выход в деревню - дверь в западной стене.", "", "", ""},
};

void placeRandomDialogs(ProjectRecord& record) {
    const std::initializer_list<Chatter>* chatter[kDemoSceneCount] = {&kForestChatter, &kVillageChatter, &kHallChatter};
    for (int s = 1; s <= kDemoSceneCount; ++s) {
        const std::initializer_list<Chatter>& texts = *chatter[s - 1];
        for (int k = 1; k < kRandomDialogsPerScene; ++k) {
            const Chatter& lines = *(texts.begin() + (k - 1) % static_cast<int>(texts.size()));
            for (int line = 0; line < 4; ++line)
                record.scene(s).randomDialog(k).lines[line].setText(text(lines[static_cast<std::size_t>(line)]));
        }
    }
}

// --- remarks and hints ---------------------------------------------------------------------------------------

void placeHeroRemarks(ProjectRecord& record) {
    struct Remark {
        int scene;
        QPoint cell;
        const char* text;
    };
    // Cells the hero is sure to step on: where he starts, the footpath just below the key and where he
    // arrives in a scene. (A remark's marker on the key's own cell would hide the key.)
    const Remark remarks[] = {
        {1, QPoint(16, 29), "Какой чудесный день!"},
        {1, QPoint(27, 18), "Что это блестит на тропинке?"},
        {2, arrivalStandCell(sceneLayout(1).portals[0]), "Вот и деревня."},
        {3, arrivalStandCell(sceneLayout(2).portals[1]), "Ого! Настоящий замок."},
    };
    int k = 0;
    for (const Remark& r : remarks) {
        HeroRemark& remark = record.heroRemark(++k);
        remark.state = 1;
        remark.text.setText(text(r.text));
        remark.col = u8(r.cell.x());
        remark.row = u8(r.cell.y());
        remark.scene = u16(r.scene);
    }
}

void placeCrowdRemarks(ProjectRecord& record) {
    // Every entry is a text that any spot may show, so all fifty carry one.
    const char* const texts[] = {"Слыхали? В замке клад!",  "Ворота-то опять заперты.", "Эй, путник, ты откуда?",
                                 "Почём нынче яблоки?",     "Король пропал, говорят...", "Тише! Стража услышит.",
                                 "Торговец опять хитрит.",  "Ох, и жарко же сегодня!",  "Кто там ходит у ворот?",
                                 "Говорят, ключ в лесу..."};
    constexpr int kTexts = sizeof(texts) / sizeof(texts[0]);
    for (int k = 1; k <= kCrowdRemarkCapacity; ++k) record.crowdRemark(k).text.setText(text(texts[(k - 1) % kTexts]));
    struct Spot {
        int scene;
        QPoint at;
    };
    // Voices from the houses of the street and from the courtiers below the hall's balustrade. A countdown
    // of 1 makes each spot pick its first text on the first tick it is seen.
    const Spot spots[] = {{2, QPoint(40, 245)}, {2, QPoint(745, 272)}, {3, QPoint(600, 628)}};
    int k = 0;
    for (const Spot& s : spots) {
        CrowdRemark& crowd = record.crowdRemark(++k);
        crowd.scene = u8(s.scene);
        crowd.x = u16(s.at.x());
        crowd.y = u16(s.at.y());
        crowd.countdown = 1;
        crowd.shownIndex = 1;
    }
}

void placeHints(ProjectRecord& record) {
    struct HintPlot {
        int scene;
        QRect zone;
        QPoint textAt;
        const char* text;
    };
    const HintPlot hints[] = {
        {1, QRect(478, 412, 64, 64), QPoint(560, 420), "Костёр. Угли ещё горячие."},
        {1, QRect(756, 490, 34, 30), QPoint(600, 470), "Старый пень. Здесь рубили дрова."},
        {1, QRect(642, 368, 40, 22), QPoint(600, 346), "Серый валун, тёплый от солнца."},
        {2, QRect(722, 426, 98, 112), QPoint(640, 550), "Фонтан. Вода холодная и чистая."},
        {2, doorKeyZone(sceneLayout(2).doors[0]), QPoint(535, 380), "Ворота в замок короля."},
        {2, QRect(800, 100, 120, 200), QPoint(640, 215), "Ветряная мельница на холме."},
        {2, QRect(596, 372, 38, 68), QPoint(540, 350), "Чужой дом. Заходить невежливо."},
        {3, QRect(466, 116, 88, 184), QPoint(570, 250), "Трон короля. Он давно пустует."},
        {3, QRect(856, 296, 122, 104), QPoint(700, 410), "Камин. Огонь не гаснет сто лет."},
        {3, doorKeyZone(sceneLayout(3).doors[0]), QPoint(200, 282), "Дверь сокровищницы. В замке гнездо."},
        {3, QRect(66, 76, 78, 228), QPoint(150, 300), "Высокое окно. За ним синее небо."},
    };
    int count[kDemoSceneCount] = {};
    for (const HintPlot& h : hints) {
        Hint& hint = record.scene(h.scene).hint(++count[h.scene - 1]);
        const Zone zone = zoneAround(h.zone);
        hint.zoneX1 = u16(zone.x1);
        hint.zoneY1 = u16(zone.y1);
        hint.zoneX2 = u16(zone.x2);
        hint.zoneY2 = u16(zone.y2);
        hint.textX = u16(h.textAt.x());
        hint.textY = u16(h.textAt.y());
        hint.text.setText(text(h.text));
    }
}

} // namespace

void placeStory(ProjectRecord& record) {
    placeItems(record);
    placePortalsAndDoors(record);
    placeCharacters(record);
    placeRandomDialogs(record);
    placeHeroRemarks(record);
    placeCrowdRemarks(record);
    placeHints(record);
}

} // namespace tw::demo
