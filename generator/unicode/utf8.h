// UTF-8 encoding and strict decoding of single characters.
//
// Strict means what the generated scanners accept: shortest forms only, no
// surrogates, nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::unicode {

// The number of bytes of c's encoding (1 to 4); c must be a scalar value.
int Utf8Length(char32_t c);

// Appends the encoding of the scalar value c.
void AppendUtf8(char32_t c, std::string& out);

// Decodes the character that starts at text[pos]: on success stores it in
// `c`, moves `pos` past it and returns true; on a malformed or cut-off
// sequence returns false and leaves both alone.
bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& c);

// True when the whole text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace tarnwick::unicode
