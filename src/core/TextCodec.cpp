#include "core/TextCodec.h"

#include "core/Cp932Tables.h"
#include "core/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <iconv.h>

namespace rimo {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Output of a conversion; grows without shrinking so that a lossy decode with
// many bad bytes does not reallocate or clear the buffer at every bad byte.
struct Sink {
    std::string Bytes;
    std::size_t Used = 0;

    char* Reserve(std::size_t room) {
        if (Bytes.size() - Used < room) {
            Bytes.resize(std::max(Used + room, Bytes.size() + Bytes.size() / 2));
        }
        return Bytes.data() + Used;
    }
    void Append(std::string_view text) {
        std::memcpy(Reserve(text.size()), text.data(), text.size());
        Used += text.size();
    }
    std::string Take() {
        Bytes.resize(Used);
        return std::move(Bytes);
    }
};

bool IsAscii(std::string_view bytes) {
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL) {
            return false;
        }
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
            return false;
        }
    }
    return true;
}

// One iconv handle, closed on every path.
class Converter {
public:
    static constexpr std::size_t kChunkBytes = 64 * 1024;

    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (Usable()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input from `pos` to its end, appending to `out`. Stops at the
    // first sequence it cannot convert and returns its errno (EILSEQ, or
    // EINVAL for a sequence cut short by the end) with `pos` at that sequence;
    // 0 when everything was converted.
    int Run(std::string_view input, std::size_t& pos, Sink& out) {
        if (!Usable()) {
            return RunAsciiOnly(input, pos, out);
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data() + pos);
        std::size_t inLeft = input.size() - pos;
        while (inLeft > 0) {
            // Bounded pieces: a lossy read restarts here after every bad byte,
            // and each call must not look at the whole rest of a large input.
            const std::size_t chunk = std::min(inLeft, kChunkBytes);
            std::size_t chunkLeft = chunk;
            // CP932 to UTF-8 takes at most 3 bytes for 2 (or, for half-width
            // katakana, 3 for 1); growing on E2BIG handles the rest.
            char* outPtr = out.Reserve(chunk + chunk / 2 + 16);
            std::size_t outLeft = out.Bytes.size() - out.Used;
            const std::size_t result = iconv(cd_, &in, &chunkLeft, &outPtr, &outLeft);
            const int error = errno;
            const bool atEnd = chunk == inLeft;
            inLeft -= chunk - chunkLeft;
            out.Used = static_cast<std::size_t>(outPtr - out.Bytes.data());
            pos = input.size() - inLeft;
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
                continue;
            }
            // A character cut by the piece's end continues in the next piece.
            if (error == EINVAL && !atEnd) {
                continue;
            }
            return error;
        }
        return 0;
    }

private:
    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Without the converter (a C library lacking gconv modules) only ASCII,
    // which both encodings share, is convertible.
    static int RunAsciiOnly(std::string_view input, std::size_t& pos, Sink& out) {
        const std::size_t start = pos;
        while (pos < input.size() && static_cast<unsigned char>(input[pos]) < 0x80) {
            ++pos;
        }
        out.Append(input.substr(start, pos - start));
        return pos < input.size() ? EILSEQ : 0;
    }

    iconv_t cd_;
};

// Length of the well-formed UTF-8 sequence at `i`, 0 when it is not one
// (overlong forms, surrogates and code points above U+10FFFF are not).
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
    auto at = [&](std::size_t k) -> unsigned {
        return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0;
    };
    auto isTrail = [](unsigned c) { return (c & 0xC0) == 0x80; };
    const unsigned b0 = at(0);
    if (b0 < 0x80) {
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        return isTrail(at(1)) ? 2 : 0;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const unsigned lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned hi = b0 == 0xED ? 0x9F : 0xBF;
        return at(1) >= lo && at(1) <= hi && isTrail(at(2)) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const unsigned lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned hi = b0 == 0xF4 ? 0x8F : 0xBF;
        return at(1) >= lo && at(1) <= hi && isTrail(at(2)) && isTrail(at(3)) ? 4 : 0;
    }
    return 0;
}

// UTF-8 with every ill-formed byte replaced by U+FFFD.
std::string RepairUtf8(std::string_view bytes, bool& hadInvalid) {
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    hadInvalid = true;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(bytes, i, length);
            i += length;
        }
    }
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (i + 8 <= bytes.size()) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    if (std::optional<std::string> fast = TableCp932ToUtf8(bytes)) {
        return fast;
    }
    Converter decoder("UTF-8", "CP932");
    Sink out;
    std::size_t pos = 0;
    if (decoder.Run(bytes, pos, out) != 0) {
        return std::nullopt;
    }
    return out.Take();
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    // The tables hold only characters that read back as themselves.
    if (std::optional<std::string> fast = TableUtf8ToCp932(utf8)) {
        return fast;
    }
    Converter encoder("CP932", "UTF-8");
    Sink encoded;
    std::size_t pos = 0;
    if (encoder.Run(utf8, pos, encoded) != 0) {
        return std::nullopt;
    }
    std::string cp932 = encoded.Take();
    // glibc also writes characters that CP932 only approximates ("¥" as "\",
    // "〜" as "～") and drops Unicode tag characters; reading the result back
    // is the one check that catches all of them.
    Converter decoder("UTF-8", "CP932");
    Sink decoded;
    pos = 0;
    if (decoder.Run(cp932, pos, decoded) != 0 || decoded.Take() != utf8) {
        return std::nullopt;
    }
    return cp932;
}

std::size_t Cp932Length(std::string_view utf8) {
    // CP932's single bytes are ASCII and the half-width katakana; every other
    // character it has takes two bytes.
    std::size_t total = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 < 0x80) {
            ++total;
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(utf8, i);
        if (length == 3 && b0 == 0xEF) {
            const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
            const auto b2 = static_cast<unsigned char>(utf8[i + 2]);
            // U+FF61..U+FF7F is EF BD A1..BF, U+FF80..U+FF9F is EF BE 80..9F.
            if ((b1 == 0xBD && b2 >= 0xA1) || (b1 == 0xBE && b2 <= 0x9F)) {
                ++total;
                i += 3;
                continue;
            }
        }
        // A bad byte stands for the U+FFFD it would be read as.
        total += 2;
        i += length == 0 ? 1 : length;
    }
    return total;
}

DecodedText DecodeFileText(std::string_view bytes) {
    DecodedText result;
    if (bytes.starts_with(kBom)) {
        result.Encoding = TextEncoding::Utf8Bom;
        result.Utf8 = RepairUtf8(bytes.substr(kBom.size()), result.HadInvalidBytes);
        return result;
    }
    result.Encoding = TextEncoding::Cp932;
    if (IsAscii(bytes)) {
        result.Utf8 = std::string(bytes);
        return result;
    }
    if (std::optional<std::string> fast = TableCp932ToUtf8(bytes)) {
        result.Utf8 = std::move(*fast);
        return result;
    }
    Converter decoder("UTF-8", "CP932");
    Sink out;
    std::size_t pos = 0;
    if (decoder.Run(bytes, pos, out) == 0) {
        result.Utf8 = out.Take();
        return result;
    }
    if (IsValidUtf8(bytes)) {
        result.Encoding = TextEncoding::Utf8;
        result.Utf8 = std::string(bytes);
        return result;
    }
    // Keep what was decoded so far and go on, one replacement per bad byte.
    result.HadInvalidBytes = true;
    do {
        out.Append(kReplacement);
        ++pos;
    } while (pos < bytes.size() && decoder.Run(bytes, pos, out) != 0);
    result.Utf8 = out.Take();
    return result;
}

std::string EncodeFileText(std::string_view utf8, TextEncoding* used) {
    if (std::optional<std::string> cp932 = Utf8ToCp932(utf8)) {
        if (used) {
            *used = TextEncoding::Cp932;
        }
        return std::move(*cp932);
    }
    if (used) {
        *used = TextEncoding::Utf8Bom;
    }
    std::string out;
    out.reserve(kBom.size() + utf8.size());
    out += kBom;
    out += utf8;
    return out;
}

} // namespace rimo
