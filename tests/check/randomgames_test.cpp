// The check against the engine on random small games: walls, portals, items, combinations, doors and
// characters thrown together by a seeded generator. Whatever the search promises must come true in the
// engine, and what it calls impossible must stay impossible under random play.
#include "check/projectcheck.h"
#include "platform/audio.h"
#include "platform/random.h"
#include "runtime/engine.h"
#include "runtime/gamesession.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/smallgame.h"

#include <gtest/gtest.h>

#include <random>

namespace tw::test {
namespace {

// A game of 1 to 3 scenes with random walls and a random handful of everything.
} // namespace

SmallGame randomGame(std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const int scenes = pick(1, 3);
    SmallGame game(scenes);
    // Everything stays in the first 24 x 16 cells so that things meet.
    constexpr int kCols = 24, kRows = 16;
    for (int s = 1; s <= scenes; ++s) {
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 1; r <= kGridRows; ++r) {
                if (c > kCols || r > kRows || pick(0, 99) < 18) game.wall(s, c, r);
            }
        }
    }
    game.record->pass(1, 5, 5) = 0;
    const int speeds[3] = {2, 5, 10};
    game.record->heroStep = std::uint8_t(speeds[pick(0, 2)]);
    // Now and then the bag starts nearly full, so that items must be laid down to make room.
    if (pick(0, 7) == 0) {
        for (int k = 1; k <= kBagSlots - 1; ++k) {
            game.record->bagSlot(k) = std::uint8_t(20 + k);
            game.record->item(20 + k).state = 2;
        }
    }
    const auto cell = [&] { return std::pair{pick(2, kCols - 1), pick(2, kRows - 1)}; };
    for (int s = 1; s <= scenes; ++s) {
        for (int k = 1, portals = pick(0, 2); k <= portals; ++k) {
            const auto [c, r] = cell();
            const auto [tc, tr] = cell();
            game.portal(s, k, c, r, pick(1, scenes), tc, tr);
            game.record->pass(s, c, r) = 0;
        }
    }
    const int items = pick(2, 5);
    for (int n = 1; n <= items; ++n) {
        const auto [c, r] = cell();
        if (pick(0, 3) > 0) game.item(n, pick(1, scenes), c, r);
    }
    if (pick(0, 1)) game.combination(pick(1, items), pick(1, items), items + 1);
    for (int d = 1, doors = pick(0, 2); d <= doors; ++d) {
        const auto [c, r] = cell();
        game.door(pick(1, scenes), d, pick(1, items + 1), c, r);
    }
    for (int s = 1; s <= scenes; ++s) {
        for (int d = 1, characters = pick(0, 2); d <= characters; ++d) {
            const auto [c, r] = cell();
            game.character(s, d, pick(1, 3), c, r, pick(0, items), pick(1, items + 2));
        }
    }
    for (int k = 1; k <= 2; ++k) {
        const auto [c, r] = cell();
        game.remark(k, pick(1, scenes), c, r);
    }
    return game;
}

namespace {

struct PlayedGame {
    FakeFileSystem files;
    FakeMessages messages;
    SilentAudio audio;
    FakeCursors cursors;
    FakeFileDialogs dialogs;
    SeededRandom random;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<GameSession> session;

    PlayedGame(const ProjectRecord& record, std::uint32_t seed) : random(seed) {
        putMinimalTree(files, record);
        engine = std::make_unique<Engine>(kFakeRoot, Services{files, messages, audio, cursors, random, dialogs});
        session = std::make_unique<GameSession>(*engine);
        EXPECT_TRUE(session->startUp());
        session->newGame();
    }
};

TEST(GameCheckOnRandomGames, WalkthroughsComeTrueInTheEngineAndNeverMeansNever) {
    int games = 0, withDoorsNever = 0, longWalkthroughs = 0, incomplete = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("game " + std::to_string(seed));
        SmallGame game = randomGame(seed);
        FakeFileSystem files;
        putMinimalTree(files, *game);
        const check::CheckReport report = check::checkRecord(*game, files, kFakeRoot);
        ++games;
        // What a search cut short calls impossible may not be; its walkthrough must still come true.
        incomplete += !report.complete;
        longWalkthroughs += report.walkthrough.size() >= 3;
        EXPECT_TRUE(report.replayed) << (report.warnings.empty() ? std::string() : report.warnings.back().detail);
        if (report.doorsNever.empty() || !report.complete) continue;
        ++withDoorsNever;

        // Random play: the pointer wanders over the scene and the bag's panel, presses now and then.
        PlayedGame played(*game, seed);
        std::mt19937 rng(seed * 7919u);
        const auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
        Engine& engine = *played.engine;
        for (int t = 0; t < 6000; ++t) {
            const int x = pick(0, 24 * 20);
            const int y = pick(0, 3) == 0 ? pick(0, 60) : pick(0, 16 * 20);
            engine.mouseMove(x, y, kPlayHeight);
            if (pick(0, 5) == 0) {
                played.session->mouseDown(MouseButton::Left, x, y);
                engine.frameTick();
                engine.mouseUp();
            }
            engine.frameTick();
        }
        for (const check::SceneObject& door : report.doorsNever)
            EXPECT_NE(engine.record().scene(door.scene).door(door.number).state, 2) << "door " << door.scene << "/" << door.number;
    }
    // The generator makes games worth checking.
    EXPECT_GT(withDoorsNever, 5);
    EXPECT_GT(longWalkthroughs, 10);
    EXPECT_EQ(games, 60);
    EXPECT_LE(incomplete, 2);
}

} // namespace
} // namespace tw::test
