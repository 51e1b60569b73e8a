// The game keeps its texts as single-byte cp1251 strings (names, captions,
// ticker texts, the hole files); in English and German the texts drawn in
// play are cp1252. Conversion to UTF-8 happens only at the
// edges: widgets, file names and the settings file.
#pragma once

#include <string>
#include <string_view>

namespace quendrix {

// cp1251 bytes -> UTF-8. The one unassigned byte (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view text);

// UTF-8 -> cp1251 bytes. Characters cp1251 cannot hold, and malformed UTF-8
// sequences, become '?'.
std::string Utf8ToCp1251(std::string_view text);

// cp1252, the single-byte code page of the English and German texts drawn
// in play: bytes -> UTF-8 (its five unassigned bytes become U+FFFD), and
// UTF-8 -> bytes, '?' for what it cannot hold.
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view text);

// Upper case of one cp1251 byte: Latin a-z, Cyrillic а-я and ё.
char Cp1251Upper(char c);

}  // namespace quendrix
