#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

// Texts in the core are UTF-8. What the author sees and what the record stores are counted in
// characters (code points), never in bytes.

// A byte that is not part of a well-formed sequence decodes as this, one per byte.
inline constexpr char32_t kInvalidCharacter = 0xFFFD;

// The code point starting at `at`, and moves `at` past it.
char32_t nextCharacter(std::string_view text, std::size_t& at);

// Appends one code point in UTF-8.
void appendCharacter(std::string& text, char32_t character);

// The number of characters in the text.
std::size_t characterCount(std::string_view text);

// The text's first `count` characters (all of it when it has fewer).
std::string_view leftCharacters(std::string_view text, std::size_t count);

// A white-space character as the toolkit counts one: tab to carriage return, space, U+0085, no-break
// space and the other Unicode separators.
bool isSpaceCharacter(char32_t character);

// The text without white space at either end.
std::string_view trimmed(std::string_view text);

} // namespace tw
