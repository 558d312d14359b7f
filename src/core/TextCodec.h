#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// How a file's text was (or is to be) stored.
enum class TextEncoding {
    Cp932,   // the Japanese Windows code page, as the Windows program's files
    Utf8Bom, // UTF-8 with a byte-order mark, when a text has characters CP932 lacks
    Utf8,    // UTF-8 without a mark (a file edited by hand on Linux)
};

struct DecodedText {
    std::string Utf8;
    TextEncoding Encoding = TextEncoding::Cp932;
    // Bytes that are neither CP932 nor UTF-8 were replaced by U+FFFD.
    bool HadInvalidBytes = false;
};

// CP932 bytes to UTF-8; nullopt when a byte sequence is not CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view bytes);

// UTF-8 to CP932 bytes; nullopt when a character has no CP932 form, including
// those CP932 only approximates (U+00A5 "¥" is not its "\", U+301C "〜" not its
// "～"), since they would read back as different characters.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// Number of bytes the text takes in CP932 (a character without a CP932 form counts as 2).
std::size_t Cp932Length(std::string_view utf8);

bool IsValidUtf8(std::string_view bytes);

// Reads a file's bytes: a BOM means UTF-8; otherwise CP932; bytes that are not
// CP932 but form valid UTF-8 are read as UTF-8; anything else is read as CP932
// with the bad bytes replaced (HadInvalidBytes).
DecodedText DecodeFileText(std::string_view bytes);

// Encodes text for a file: CP932 when every character has a CP932 form,
// otherwise UTF-8 with a byte-order mark, so that nothing is lost.
std::string EncodeFileText(std::string_view utf8, TextEncoding* used = nullptr);

} // namespace rimo
