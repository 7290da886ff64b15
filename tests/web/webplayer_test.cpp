// The web player as the page drives it: the demo's pack started, a new game begun from the menu, an item
// taken, the game saved into the page's storage and opened again in a later visit; a damaged pack or game
// is told in words and never started.
#include "platform/audio.h"
#include "project/gamepack.h"
#include "runtime/bag.h"
#include "support/demopack.h"
#include "support/fakes.h"
#include "web/webplayer.h"

#include <make-demo/demostory.h>
#include <make-demo/itempictures.h>


#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tw::test {
namespace {

struct Page {
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    WebPlayer player{messages, audio, cursors, 11};
    Bytes stored; // the browser's storage for this game

    Page() {
        player.gameSaved = [this](const Bytes& bytes) { stored = bytes; };
    }
    void ticks(int n) {
        for (int k = 0; k < n; ++k) player.frameTick();
    }
    void click(int x, int y) {
        player.mouseMove(x, y);
        player.mouseDown(false, x, y);
        player.mouseUp();
    }
    // A press in the middle of menu zone k (1 "Новая игра", 2 "Открыть", 3 "Сохранить").
    void menu(int k) {
        const ProjectRecord& record = player.engine()->record();
        click((record.menuTopLeft(k).x + record.menuBottomRight(k).x) / 2,
              (record.menuTopLeft(k).y + record.menuBottomRight(k).y) / 2);
    }
    // The items in the bag, slot by slot.
    std::vector<int> bag() const {
        std::vector<int> items;
        for (int k = 1; k <= kBagSlots; ++k) items.push_back(player.engine()->record().bagSlot(k));
        return items;
    }
};

bool holdsAnything(const std::vector<int>& bag) {
    return std::any_of(bag.begin(), bag.end(), [](int item) { return item != 0; });
}

TEST(WebPlayer, PlaysTheDemoSavesInThePageAndOpensTheSaveInTheNextVisit) {
    const Bytes pack = packGameFiles(demoGameFiles());
    Bytes saved;
    std::vector<int> bag;
    {
        Page page;
        ASSERT_TRUE(page.player.start(pack, {})) << page.messages.errors.join('\n').toStdString();
        EXPECT_EQ(page.player.caption(), "DemoQuest");
        EXPECT_TRUE(page.audio.log.contains(QStringLiteral("open:mzh/sound/fon.mp3")));
        EXPECT_GT(page.cursors.installs, 0);
        // The frame the page shows is the canvas, in RGBA.
        const std::vector<std::uint8_t>& rgba = page.player.frameRgba();
        ASSERT_EQ(rgba.size(), std::size_t(page.player.frameWidth() * page.player.frameHeight() * 4));
        EXPECT_EQ(page.player.frameWidth(), kPlayWidth);
        // A frame shown is not made again until something draws on the canvas.
        EXPECT_FALSE(page.player.frameChanged());
        page.player.overlayTick();
        EXPECT_FALSE(page.player.frameChanged());

        // "Новая игра", then the key lying on the footpath.
        page.menu(1);
        page.ticks(20);
        EXPECT_FALSE(holdsAnything(page.bag()));
        const std::vector<int> zones = page.player.actionZoneRects();
        ASSERT_FALSE(zones.empty());
        ASSERT_EQ(zones.size() % 4, 0u);
        page.click(zones[0] + zones[2] / 2, zones[1] + zones[3] / 2);
        page.ticks(600);
        bag = page.bag();
        ASSERT_TRUE(holdsAnything(bag)) << "the item lying in the first action zone was not taken";
        // Escape to the menu and "Сохранить": the save goes to the page's storage.
        page.player.escape();
        page.menu(3);
        EXPECT_EQ(page.stored.size(), kProjectRecordSize);
        EXPECT_EQ(page.messages.infos.size(), 1);
        saved = page.stored;
    }
    {
        // The next visit: the save is there for "Открыть".
        Page page;
        ASSERT_TRUE(page.player.start(pack, saved));
        EXPECT_FALSE(holdsAnything(page.bag()));
        page.menu(2);
        page.ticks(5);
        EXPECT_TRUE(page.messages.errors.isEmpty()) << page.messages.errors.join('\n').toStdString();
        EXPECT_EQ(page.bag(), bag);
    }
}

// Whatever the game draws, by ticks or after input, the frame the page is given is the canvas, though
// only the part that changed is made again.
TEST(WebPlayer, TheFrameGivenIsAlwaysTheCanvas) {
    Page page;
    ASSERT_TRUE(page.player.start(packGameFiles(demoGameFiles()), {}));
    std::mt19937 random(20261210);
    const auto matches = [&page] {
        const std::vector<std::uint8_t>& rgba = page.player.frameRgba();
        const Picture& canvas = page.player.engine()->canvas();
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                const Rgb pixel = canvas.pixel(x, y);
                const std::uint8_t* at = rgba.data() + (std::size_t(y) * std::size_t(canvas.width()) + std::size_t(x)) * 4;
                if (at[0] != std::uint8_t(pixel >> 16) || at[1] != std::uint8_t(pixel >> 8) || at[2] != std::uint8_t(pixel))
                    return false;
            }
        }
        return true;
    };
    page.menu(1);
    for (int step = 0; step < 300; ++step) {
        const int x = int(random() % kPlayWidth), y = int(random() % kPlayHeight);
        switch (random() % 8) {
        case 0: page.click(x, y); break;
        case 1: page.player.mouseMove(x, y); break;
        case 2: if (random() % 10 == 0) page.player.escape(); break;
        case 3: page.player.overlayTick(); break;
        default: page.player.frameTick(); break;
        }
        if (!page.messages.questions.isEmpty()) page.messages.questions.clear();
        // Now and then the page shows a frame; in between the changes add up.
        if (random() % 3 == 0) {
            ASSERT_TRUE(matches()) << "step " << step;
        }
    }
    EXPECT_TRUE(matches());
}

// A comic missing from the game: the gate opens with the key as ever, and the page is told which file
// it could not show, as the desktop player tells it.
TEST(WebPlayer, AMissingComicIsToldWhenItsDoorOpens) {
    GameFilesByPath files = demoGameFiles();
    const std::string comic = "mzh/Kom/" + std::to_string(demo::kGateComic);
    ASSERT_EQ(files.erase(comic), 1u);
    // The game begins in the alley before the gate, with the key in the bag.
    auto record = ProjectRecord::fromBytes(files["mzh/data/typ.dll"].data());
    for (int p = 1; p <= kPortalsPerScene; ++p) {
        const Portal& portal = record->scene(1).portal(p);
        if (portal.targetScene != 2 || portal.col == 0) continue;
        record->heroCol = portal.arrivalCol;
        record->heroRow = portal.arrivalRow;
        record->heroX = std::uint16_t(20 * (portal.arrivalCol - 1) + 10);
        record->heroY = std::uint16_t(20 * (portal.arrivalRow - 1) + 10);
    }
    record->startScene = 2;
    record->item(demo::kItemKey).state = 2;
    record->bagSlot(1) = std::uint8_t(demo::kItemKey);
    files["mzh/data/typ.dll"] = Bytes(reinterpret_cast<const char*>(record->bytes()), kProjectRecordSize);

    Page page;
    ASSERT_TRUE(page.player.start(packGameFiles(files), {}));
    page.menu(1);
    page.ticks(5);
    // The bag, the key taken from slot 1, carried to the gate's key zone.
    page.player.mouseMove(500, 2);
    page.ticks(2);
    page.click(51 * 1 + 45, 30);
    const Door& gate = page.player.engine()->record().scene(2).door(demo::kGateDoor);
    const int x = (gate.keyZoneX1 + gate.keyZoneX2) / 2, y = (gate.keyZoneY1 + gate.keyZoneY2) / 2;
    page.player.mouseMove(x, y);
    page.ticks(2);
    page.click(x, y);
    for (int k = 0; k < 1500 && gate.state != 2; ++k) page.player.frameTick();
    EXPECT_EQ(gate.state, 2);
    page.ticks(5);
    ASSERT_EQ(page.messages.errors.size(), 1) << page.messages.errors.join('\n').toStdString();
    EXPECT_TRUE(page.messages.errors[0].contains(QString::fromStdString(comic))) << page.messages.errors[0].toStdString();
    EXPECT_TRUE(page.player.engine()->play().heroFree); // the game goes on
}

TEST(WebPlayer, ADamagedPackOrGameIsToldAndNeverStarted) {
    {
        Page page;
        Bytes pack = packGameFiles(demoGameFiles());
        pack.resize(pack.size() / 2);
        EXPECT_FALSE(page.player.start(pack, {}));
        ASSERT_EQ(page.messages.errors.size(), 1);
        EXPECT_TRUE(page.messages.errors[0].contains(QStringLiteral("обрезан")));
        EXPECT_FALSE(page.player.frameTick());
        page.click(10, 10); // input before a start does nothing
    }
    {
        // A scene the game needs is damaged: its name is told, as the desktop player tells it.
        Page page;
        GameFilesByPath files = demoGameFiles();
        files["mzh/data/menu"] = "BM not a picture";
        EXPECT_FALSE(page.player.start(packGameFiles(files), {}));
        ASSERT_FALSE(page.messages.errors.isEmpty());
        EXPECT_TRUE(page.messages.errors[0].contains(QStringLiteral("mzh/data/menu")));
    }
    {
        // A short record.
        Page page;
        GameFilesByPath files = demoGameFiles();
        files["mzh/data/typ.dll"].resize(1000);
        EXPECT_FALSE(page.player.start(packGameFiles(files), {}));
        ASSERT_FALSE(page.messages.errors.isEmpty());
        EXPECT_TRUE(page.messages.errors[0].contains(QStringLiteral("typ.dll")));
    }
}

} // namespace
} // namespace tw::test
