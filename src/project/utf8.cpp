#include "project/utf8.h"

namespace tw {

char32_t nextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    ++at;
    if (lead < 0x80) return lead;
    int more = 0;
    char32_t value = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        more = 1;
        value = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        more = 2;
        value = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        more = 3;
        value = lead & 0x07;
        least = 0x10000;
    } else {
        return kInvalidCharacter;
    }
    std::size_t next = at;
    for (int i = 0; i < more; ++i, ++next) {
        if (next >= text.size()) return kInvalidCharacter;
        const auto byte = static_cast<unsigned char>(text[next]);
        if ((byte & 0xC0) != 0x80) return kInvalidCharacter;
        value = (value << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past the last code point are not characters.
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kInvalidCharacter;
    at = next;
    return value;
}

void appendCharacter(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += char(c);
    } else if (c < 0x800) {
        text += char(0xC0 | (c >> 6));
        text += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += char(0xE0 | (c >> 12));
        text += char(0x80 | ((c >> 6) & 0x3F));
        text += char(0x80 | (c & 0x3F));
    } else {
        text += char(0xF0 | (c >> 18));
        text += char(0x80 | ((c >> 12) & 0x3F));
        text += char(0x80 | ((c >> 6) & 0x3F));
        text += char(0x80 | (c & 0x3F));
    }
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) nextCharacter(text, at);
    return count;
}

std::string_view leftCharacters(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < count && at < text.size(); ++i) nextCharacter(text, at);
    return text.substr(0, at);
}

bool isSpaceCharacter(char32_t c) {
    if (c == 0x20 || (c >= 0x09 && c <= 0x0D)) return true;
    if (c < 0x80) return false;
    return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

std::string_view trimmed(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t at = begin;
        if (!isSpaceCharacter(nextCharacter(text, at))) break;
        begin = at;
    }
    std::size_t end = begin;
    for (std::size_t at = begin; at < text.size();) {
        if (!isSpaceCharacter(nextCharacter(text, at))) end = at;
    }
    return text.substr(begin, end - begin);
}

} // namespace tw
