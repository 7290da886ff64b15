// Recordings of play as files: whatever the recorder writes reads back as it was, and a damaged or
// hostile file is refused whole, naming the line at fault.
#include "runtime/inputlog.h"

#include <gtest/gtest.h>

#include <random>

namespace tw::test {
namespace {

const std::string kHead = "tarnwick-recording 1\nseed 17\n";

struct Damage {
    const char* what;
    std::string text;
    int line;
    const char* reason; // a part of the reason given
};

TEST(InputLogReader, EachDamageIsRefusedNamingItsLine) {
    const std::vector<Damage> damages = {
        {"empty file", "", 1, "это не запись игры"},
        {"another program's text", "P6\n1009 700\n", 1, "это не запись игры"},
        {"a later version", "tarnwick-recording 2\nseed 1\n", 1, "первая строка"},
        {"carriage returns", "tarnwick-recording 1\r\nseed 1\r\n", 1, "это не запись игры"},
        {"no seed", "tarnwick-recording 1\n", 2, "seed"},
        {"seed word wrong", "tarnwick-recording 1\nsead 1\n", 2, "seed"},
        {"negative seed", "tarnwick-recording 1\nseed -1\n", 2, "зерно"},
        {"seed past 32 bits", "tarnwick-recording 1\nseed 4294967296\n", 2, "зерно"},
        {"seed with a leading zero", "tarnwick-recording 1\nseed 07\n", 2, "зерно"},
        {"seed cut off", "tarnwick-recording 1\nseed 5", 2, "оборвана"},
        {"unknown event", kHead + "move 0 1 1 700\njump 3\n", 4, "неизвестное событие «jump»"},
        {"control bytes", kHead + "\x1b[31m 1\n", 3, "неизвестное событие «?[31m»"},
        {"empty line", kHead + "release 0\n\nrelease 1\n", 4, "неизвестное событие"},
        {"too few fields", kHead + "move 0 5 5\n", 3, "полей: 4, а их 3"},
        {"too many fields", kHead + "release 0 1\n", 3, "полей: 1, а их 2"},
        {"two spaces", kHead + "release  1\n", 3, "полей"},
        {"trailing space", kHead + "release 1 \n", 3, "полей"},
        {"tick with a sign", kHead + "release +1\n", 3, "номер такта"},
        {"tick not a number", kHead + "release 1x\n", 3, "номер такта"},
        {"tick too large", kHead + "release 2000001\n", 3, "номер такта"},
        {"tick far too large", kHead + "release 99999999999999999999\n", 3, "номер такта"},
        {"tick goes back", kHead + "press 5 left 1 1\nrelease 6\nrelease 4\n", 5, "меньше такта"},
        {"x past the canvas", kHead + "move 0 1009 5 700\n", 3, "вне поля"},
        {"y past the canvas", kHead + "press 0 left 5 700\n", 3, "вне поля"},
        {"negative x", kHead + "double 0 right -1 5\n", 3, "вне поля"},
        {"no canvas height", kHead + "move 0 5 5 0\n", 3, "высота"},
        {"canvas far too high", kHead + "move 0 5 5 5000\n", 3, "высота"},
        {"middle button", kHead + "press 0 middle 5 5\n", 3, "кнопка"},
        {"key 0", kHead + "key 0 0\n", 3, "код клавиши"},
        {"key past a byte", kHead + "key 0 256\n", 3, "код клавиши"},
        {"answer neither", kHead + "answer 0 maybe\n", 3, "«yes» или «no»"},
        {"an event after the end", kHead + "release 1\nend 5\nrelease 6\n", 5, "после строки «end»"},
        {"the end before the last event", kHead + "release 9\nend 5\n", 4, "меньше такта"},
        {"two ends", kHead + "end 5\nend 5\n", 4, "после строки «end»"},
        {"a zero byte", kHead + std::string("release 1\0\n", 11), 3, "номер такта"},
        {"last line cut off", kHead + "release 1\nrelease 2", 4, "оборвана"},
        {"too large", std::string(kMaxRecordingBytes + 1, 'x'), 1, "слишком велика"},
    };
    for (const Damage& d : damages) {
        const InputLogRead read = readInputLog(d.text);
        EXPECT_FALSE(read.ok) << d.what;
        EXPECT_EQ(read.reason.rfind("строка " + std::to_string(d.line) + ": ", 0), 0u)
            << d.what << ": " << read.reason;
        EXPECT_NE(read.reason.find(d.reason), std::string::npos) << d.what << ": " << read.reason;
        EXPECT_TRUE(read.log.events.empty()) << d.what;
    }
}

TEST(InputLogReader, MoreEventsThanAllowedAreRefusedAtTheFirstOneTooMany) {
    std::string text = kHead;
    text.reserve(text.size() + (kMaxRecordingEvents + 1) * 10);
    for (std::size_t i = 0; i <= kMaxRecordingEvents; ++i)
        text += "release 0\n";
    const InputLogRead read = readInputLog(text);
    ASSERT_FALSE(read.ok);
    EXPECT_EQ(read.reason.rfind("строка " + std::to_string(kMaxRecordingEvents + 3) + ": ", 0), 0u)
        << read.reason;
}

// Any recording the recorder can make, within the limits, reads back event for event and writes the
// same text again.
TEST(InputLogReader, EveryRecordingReadsBackAsWritten) {
    std::mt19937 rng(4711);
    const auto upTo = [&rng](int n) { return int(rng() % std::uint32_t(n + 1)); };
    for (int round = 0; round < 300; ++round) {
        InputLog log;
        log.seed = std::uint32_t(rng());
        std::uint32_t tick = std::uint32_t(upTo(3)) * std::uint32_t(rng() % 1000);
        const int count = upTo(60);
        for (int i = 0; i < count; ++i) {
            InputEvent e;
            e.kind = InputEvent::Kind(upTo(5));
            tick = std::min<std::uint32_t>(kMaxRecordingTick,
                                           tick + std::uint32_t(upTo(2) == 0 ? upTo(100000) : 0));
            e.tick = tick;
            switch (e.kind) {
            case InputEvent::Kind::Move:
                e.x = upTo(kMaxRecordedX);
                e.y = upTo(kMaxRecordedY);
                e.height = 1 + upTo(kMaxRecordedHeight - 1);
                break;
            case InputEvent::Kind::Press:
            case InputEvent::Kind::DoubleClick:
                e.rightButton = upTo(1) == 1;
                e.x = upTo(kMaxRecordedX);
                e.y = upTo(kMaxRecordedY);
                break;
            case InputEvent::Kind::Key:
                e.key = 1 + upTo(kMaxRecordedKey - 1);
                break;
            case InputEvent::Kind::Answer:
                e.yes = upTo(1) == 1;
                break;
            case InputEvent::Kind::Release:
                break;
            }
            log.events.push_back(e);
        }
        if (upTo(1) == 1)
            log.end = std::min<std::uint32_t>(kMaxRecordingTick, tick + std::uint32_t(upTo(500)));
        const std::string text = writeInputLog(log);
        const InputLogRead read = readInputLog(text);
        ASSERT_TRUE(read.ok) << read.reason << "\n" << text;
        EXPECT_EQ(read.log.seed, log.seed);
        EXPECT_EQ(read.log.end, log.end);
        ASSERT_EQ(read.log.events.size(), log.events.size());
        for (std::size_t i = 0; i < log.events.size(); ++i) {
            const InputEvent& a = log.events[i];
            const InputEvent& b = read.log.events[i];
            EXPECT_TRUE(a.kind == b.kind && a.tick == b.tick && a.rightButton == b.rightButton &&
                        a.x == b.x && a.y == b.y && a.height == b.height && a.key == b.key && a.yes == b.yes)
                << "round " << round << ", event " << i;
        }
        EXPECT_EQ(writeInputLog(read.log), text);
    }
}

} // namespace
} // namespace tw::test
