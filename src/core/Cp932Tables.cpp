#include "core/Cp932Tables.h"

#include <array>
#include <cstdint>
#include <memory>

#include <iconv.h>

namespace rimo {

namespace {

// The code point of one CP932 character by the C library, 0 when none.
char32_t DecodeOne(iconv_t cd, const char* bytes, std::size_t size) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes);
    std::size_t inLeft = size;
    unsigned char out[8] = {};
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
        sizeof out - outLeft != 4) {
        return 0;
    }
    return out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
}

// The CP932 bytes of one code point by the C library (as a table entry),
// 0 when none.
std::uint16_t EncodeOne(iconv_t cd, char32_t code) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    unsigned char in[4] = {static_cast<unsigned char>(code), static_cast<unsigned char>(code >> 8),
                           static_cast<unsigned char>(code >> 16), 0};
    char* inPtr = reinterpret_cast<char*>(in);
    std::size_t inLeft = sizeof in;
    unsigned char out[4] = {};
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
        return 0;
    }
    const std::size_t size = sizeof out - outLeft;
    return size == 1 ? out[0] : size == 2 ? static_cast<std::uint16_t>(out[0] << 8 | out[1]) : 0;
}

struct Tables {
    std::array<char32_t, 256> Single{};     // a byte's character, 0 for a lead byte or none
    std::array<char32_t, 65536> Double{};   // lead << 8 | trail
    std::array<std::uint16_t, 65536> Bmp{}; // a code point's bytes: < 0x100 one, else two
    bool Usable = false;

    Tables() {
        const iconv_t decoder = iconv_open("UTF-32LE", "CP932");
        const iconv_t encoder = iconv_open("CP932", "UTF-32LE");
        const auto none = reinterpret_cast<iconv_t>(-1);
        if (decoder != none && encoder != none) {
            Build(decoder, encoder);
        }
        for (const iconv_t cd : {decoder, encoder}) {
            if (cd != none) {
                iconv_close(cd);
            }
        }
    }

    void Build(iconv_t decoder, iconv_t encoder) {
        for (int b = 1; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            Single[b] = DecodeOne(decoder, &byte, 1);
        }
        // ASCII is copied as it stands: it must be itself both ways.
        for (char32_t b = 1; b < 0x80; ++b) {
            if (Single[b] != b || EncodeOne(encoder, b) != b) {
                return;
            }
        }
        for (int lead = 0x81; lead < 0x100; ++lead) {
            if (Single[lead] != 0) {
                continue;
            }
            for (int trail = 0x40; trail < 0x100; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                Double[lead << 8 | trail] = DecodeOne(decoder, pair, 2);
            }
        }
        // Only what reads back as itself: approximations stay out.
        const auto add = [&](char32_t code) {
            if (code == 0 || code > 0xFFFF || Bmp[code] != 0) {
                return;
            }
            const std::uint16_t bytes = EncodeOne(encoder, code);
            const char32_t back = bytes < 0x100 ? Single[bytes] : Double[bytes];
            if (bytes != 0 && back == code) {
                Bmp[code] = bytes;
            }
        };
        for (std::size_t b = 0x80; b < Single.size(); ++b) {
            add(Single[b]);
        }
        for (const char32_t code : Double) {
            add(code);
        }
        Usable = true;
    }
};

const Tables& TheTables() {
    static const std::unique_ptr<Tables> tables = std::make_unique<Tables>();
    return *tables;
}

char* PutUtf8(char* out, char32_t code) {
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | code >> 6);
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = static_cast<char>(0xE0 | code >> 12);
        *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | code >> 18);
        *out++ = static_cast<char>(0x80 | (code >> 12 & 0x3F));
        *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// The BMP code point of the UTF-8 sequence at `i` (advancing `i`), 0 when
// it is malformed (overlong, a surrogate) or outside the BMP.
char32_t NextBmp(std::string_view s, std::size_t& i) {
    const auto at = [&](std::size_t k) -> char32_t {
        return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0;
    };
    const auto isTrail = [](char32_t c) { return (c & 0xC0) == 0x80; };
    const char32_t b0 = at(0);
    if (b0 >= 0xC2 && b0 <= 0xDF && isTrail(at(1))) {
        const char32_t code = (b0 & 0x1F) << 6 | (at(1) & 0x3F);
        i += 2;
        return code;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF && isTrail(at(1)) && isTrail(at(2))) {
        const char32_t code = (b0 & 0x0F) << 12 | (at(1) & 0x3F) << 6 | (at(2) & 0x3F);
        if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)) {
            return 0;
        }
        i += 3;
        return code;
    }
    return 0;
}

} // namespace

std::optional<std::string> TableCp932ToUtf8(std::string_view bytes) {
    const Tables& tables = TheTables();
    if (!tables.Usable) {
        return std::nullopt;
    }
    // Written in place, not appended byte by byte: a single byte takes at
    // most three in UTF-8 (half-width katakana), a pair at most four.
    const std::unique_ptr<char[]> buffer(new char[bytes.size() * 3 + 1]);
    char* out = buffer.get();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            *out++ = static_cast<char>(b);
            continue;
        }
        char32_t code = tables.Single[b];
        if (code == 0 && i + 1 < bytes.size()) {
            code = tables.Double[b << 8 | static_cast<unsigned char>(bytes[++i])];
        }
        if (code == 0) {
            return std::nullopt;
        }
        out = PutUtf8(out, code);
    }
    return std::string(buffer.get(), out);
}

std::optional<std::string> TableUtf8ToCp932(std::string_view utf8) {
    const Tables& tables = TheTables();
    if (!tables.Usable) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 < 0x80) {
            out += static_cast<char>(b0);
            ++i;
            continue;
        }
        const char32_t code = NextBmp(utf8, i);
        const std::uint16_t cp932 = code == 0 ? 0 : tables.Bmp[code];
        if (cp932 == 0) {
            return std::nullopt;
        }
        if (cp932 >= 0x100) {
            out += static_cast<char>(cp932 >> 8);
        }
        out += static_cast<char>(cp932 & 0xFF);
    }
    return out;
}

} // namespace rimo
