#include "runtime/inputlog.h"

#include <charconv>
#include <optional>

namespace tw {
namespace {

const char* buttonWord(bool right) {
    return right ? "right" : "left";
}

void appendNumber(std::string& out, long long value) {
    out += ' ';
    out += std::to_string(value);
}

// Splits a line at single spaces. An empty field (two spaces, a space at either end) is kept as such, so
// that the reader refuses it instead of reading past it.
std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = line.find(' ', start);
        fields.push_back(
            line.substr(start, space == std::string_view::npos ? std::string_view::npos : space - start));
        if (space == std::string_view::npos) break;
        start = space + 1;
    }
    return fields;
}

// A decimal number of plain digits (no sign, no leading zero unless it is 0) within [low, high].
std::optional<long long> numberIn(std::string_view field, long long low, long long high) {
    if (field.empty() || field.size() > 10) return std::nullopt;
    if (field.size() > 1 && field[0] == '0') return std::nullopt;
    for (const char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    // The next line without its "\n"; false at the end of the text.
    bool next(std::string_view& line) {
        if (at_ >= text_.size()) return false;
        const std::size_t end = text_.find('\n', at_);
        ++number_;
        if (end == std::string_view::npos) {
            line = text_.substr(at_);
            at_ = text_.size();
            unterminated_ = true;
        } else {
            line = text_.substr(at_, end - at_);
            at_ = end + 1;
        }
        return true;
    }
    int number() const { return number_; }
    bool unterminated() const { return unterminated_; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 0;
    bool unterminated_ = false;
};

// The fields after the tick of an event of e.kind, into e. Returns why they are refused; empty when not.
std::string readFields(const std::vector<std::string_view>& fields, InputEvent& e) {
    const auto point = [&](std::size_t at) -> bool {
        const std::optional<long long> x = numberIn(fields[at], 0, kMaxRecordedX);
        const std::optional<long long> y = numberIn(fields[at + 1], 0, kMaxRecordedY);
        if (!x || !y) return false;
        e.x = int(*x);
        e.y = int(*y);
        return true;
    };
    const auto outside = [] {
        return "точка вне поля игры (x от 0 до " + std::to_string(kMaxRecordedX) + ", y от 0 до " +
               std::to_string(kMaxRecordedY) + ")";
    };
    switch (e.kind) {
    case InputEvent::Kind::Move: {
        if (!point(2)) return outside();
        const std::optional<long long> height = numberIn(fields[4], 1, kMaxRecordedHeight);
        if (!height) return "высота поля должна быть числом от 1 до " + std::to_string(kMaxRecordedHeight);
        e.height = int(*height);
        return {};
    }
    case InputEvent::Kind::Press:
    case InputEvent::Kind::DoubleClick:
        if (fields[2] != "left" && fields[2] != "right") return "кнопка должна быть «left» или «right»";
        e.rightButton = fields[2] == "right";
        if (!point(3)) return outside();
        return {};
    case InputEvent::Kind::Release:
        return {};
    case InputEvent::Kind::Key: {
        const std::optional<long long> key = numberIn(fields[2], 1, kMaxRecordedKey);
        if (!key) return "код клавиши должен быть числом от 1 до " + std::to_string(kMaxRecordedKey);
        e.key = int(*key);
        return {};
    }
    case InputEvent::Kind::Answer:
        if (fields[2] != "yes" && fields[2] != "no") return "ответ должен быть «yes» или «no»";
        e.yes = fields[2] == "yes";
        return {};
    }
    return {};
}

// A word of the file as a reason may quote it: at most 40 characters, anything but printable ASCII as "?".
std::string quoted(std::string_view word) {
    std::string out;
    for (const char c : word.substr(0, 40))
        out += c >= 0x20 && c < 0x7f ? c : '?';
    return out;
}

InputLogRead refused(int line, const std::string& why) {
    InputLogRead read;
    read.reason = "строка " + std::to_string(line) + ": " + why;
    return read;
}

} // namespace

std::string writeInputLog(const InputLog& log) {
    std::string out = kRecordingHeader;
    out += "\nseed";
    appendNumber(out, log.seed);
    out += '\n';
    for (const InputEvent& e : log.events) {
        switch (e.kind) {
        case InputEvent::Kind::Move:
            out += "move";
            appendNumber(out, e.tick);
            appendNumber(out, e.x);
            appendNumber(out, e.y);
            appendNumber(out, e.height);
            break;
        case InputEvent::Kind::Press:
        case InputEvent::Kind::DoubleClick:
            out += e.kind == InputEvent::Kind::Press ? "press" : "double";
            appendNumber(out, e.tick);
            out += ' ';
            out += buttonWord(e.rightButton);
            appendNumber(out, e.x);
            appendNumber(out, e.y);
            break;
        case InputEvent::Kind::Release:
            out += "release";
            appendNumber(out, e.tick);
            break;
        case InputEvent::Kind::Key:
            out += "key";
            appendNumber(out, e.tick);
            appendNumber(out, e.key);
            break;
        case InputEvent::Kind::Answer:
            out += "answer";
            appendNumber(out, e.tick);
            out += e.yes ? " yes" : " no";
            break;
        }
        out += '\n';
    }
    if (log.end) {
        out += "end";
        appendNumber(out, *log.end);
        out += '\n';
    }
    return out;
}

InputLogRead readInputLog(std::string_view text) {
    if (text.size() > kMaxRecordingBytes)
        return refused(1, "запись слишком велика (" + std::to_string(text.size()) +
                              " байт, допустимо не более " + std::to_string(kMaxRecordingBytes) + ")");
    LineReader lines(text);
    std::string_view line;
    if (!lines.next(line) || line != kRecordingHeader)
        return refused(1, std::string("это не запись игры: первая строка должна быть «") + kRecordingHeader +
                              "»");
    if (!lines.next(line)) return refused(2, "нет строки «seed»");
    const std::vector<std::string_view> f = fieldsOf(line);
    if (f.size() != 2 || f[0] != "seed") return refused(2, "ожидалась строка «seed ЧИСЛО»");
    const std::optional<long long> seed = numberIn(f[1], 0, 4294967295LL);
    if (!seed) return refused(2, "зерно случайных чисел должно быть числом от 0 до 4294967295");
    InputLogRead read;
    read.log.seed = std::uint32_t(*seed);

    std::uint32_t lastTick = 0;
    while (lines.next(line)) {
        const int n = lines.number();
        if (read.log.end) return refused(n, "после строки «end» ничего быть не может");
        if (read.log.events.size() >= kMaxRecordingEvents)
            return refused(n, "слишком много событий (допустимо не более " +
                                  std::to_string(kMaxRecordingEvents) + ")");
        const std::vector<std::string_view> fields = fieldsOf(line);
        const std::string_view word = fields[0];
        InputEvent e;
        std::size_t expected = 0;
        if (word == "move") {
            e.kind = InputEvent::Kind::Move;
            expected = 5;
        } else if (word == "press" || word == "double") {
            e.kind = word == "press" ? InputEvent::Kind::Press : InputEvent::Kind::DoubleClick;
            expected = 5;
        } else if (word == "release") {
            e.kind = InputEvent::Kind::Release;
            expected = 2;
        } else if (word == "key") {
            e.kind = InputEvent::Kind::Key;
            expected = 3;
        } else if (word == "answer") {
            e.kind = InputEvent::Kind::Answer;
            expected = 3;
        } else if (word == "end") {
            expected = 2;
        } else {
            return refused(n, "неизвестное событие «" + quoted(word) + "»");
        }
        if (fields.size() != expected)
            return refused(n, "у события «" + quoted(word) +
                                  "» должно быть полей: " + std::to_string(expected - 1) + ", а их " +
                                  std::to_string(fields.size() - 1));
        const std::optional<long long> tick = numberIn(fields[1], 0, kMaxRecordingTick);
        if (!tick)
            return refused(n, "номер такта должен быть числом от 0 до " + std::to_string(kMaxRecordingTick));
        if (std::uint32_t(*tick) < lastTick)
            return refused(n, "такт " + std::to_string(*tick) + " меньше такта предыдущего события (" +
                                  std::to_string(lastTick) + ")");
        e.tick = lastTick = std::uint32_t(*tick);
        if (word == "end") {
            read.log.end = e.tick;
            continue;
        }
        const std::string why = readFields(fields, e);
        if (!why.empty()) return refused(n, why);
        read.log.events.push_back(e);
    }
    if (lines.unterminated()) return refused(lines.number(), "запись оборвана: нет конца строки");
    read.ok = true;
    return read;
}

} // namespace tw
