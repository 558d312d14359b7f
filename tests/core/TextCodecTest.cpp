#include "core/TextCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace rimo {
namespace {

using namespace std::string_literals;

const std::string kBom = "\xEF\xBB\xBF";
const std::string kReplacement = "\xEF\xBF\xBD";

// "月～金①ｶﾀｶﾅ" as the Windows program stores it.
const std::string kSampleText = "月～金①ｶﾀｶﾅ";
const std::string kSampleCp932 = "\x8c\x8e\x81\x60\x8b\xe0\x87\x40\xb6\xc0\xb6\xc5";

TEST(TextCodecCp932, RoundTripsJapaneseTextByteForByte) {
    TextEncoding used = TextEncoding::Utf8;
    EXPECT_EQ(EncodeFileText(kSampleText, &used), kSampleCp932);
    EXPECT_EQ(used, TextEncoding::Cp932);

    const DecodedText decoded = DecodeFileText(kSampleCp932);
    EXPECT_EQ(decoded.Utf8, kSampleText);
    EXPECT_EQ(decoded.Encoding, TextEncoding::Cp932);
    EXPECT_FALSE(decoded.HadInvalidBytes);
}

TEST(TextCodecCp932, StrictConversionsRefuseWhatTheyCannotRepresent) {
    EXPECT_EQ(Cp932ToUtf8(kSampleCp932), kSampleText);
    EXPECT_EQ(Utf8ToCp932(kSampleText), kSampleCp932);

    EXPECT_EQ(Cp932ToUtf8("\x80"), std::nullopt);         // not a CP932 byte
    EXPECT_EQ(Cp932ToUtf8("\x8c\x8e\x81"), std::nullopt); // lead byte cut off by the end
    EXPECT_EQ(Utf8ToCp932("😀"), std::nullopt);
    EXPECT_EQ(Utf8ToCp932("ß"), std::nullopt);
    EXPECT_EQ(Utf8ToCp932("\xff"), std::nullopt); // not UTF-8 at all
    // Overlong forms of "A" and a surrogate are not UTF-8 either.
    EXPECT_EQ(Utf8ToCp932("\xC1\x81"), std::nullopt);
    EXPECT_EQ(Utf8ToCp932("\xE0\x81\x81"), std::nullopt);
    EXPECT_EQ(Utf8ToCp932("\xED\xA0\x80"), std::nullopt);
    // A trail byte that is ASCII's backslash ("予" 97 5C, "ソ" 83 5C) is part of its pair.
    EXPECT_EQ(Utf8ToCp932("予定ソ\\"), "\x97\x5c\x92\xe8\x83\x5c\x5c");
    EXPECT_EQ(Cp932ToUtf8("\x97\x5c\x92\xe8\x83\x5c\x5c"), "予定ソ\\");
}

TEST(TextCodecCp932, CharactersCp932OnlyApproximatesAreNotConverted) {
    // glibc maps these onto another character; writing them as CP932 would
    // silently change the user's text on the next read.
    for (const std::string& text :
         {"¥100"s, "10〜12"s, "−5"s, "—"s, "¢"s, "tag\xF3\xA0\x80\x81"s /* dropped */}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Utf8ToCp932(text), std::nullopt);
        TextEncoding used = TextEncoding::Cp932;
        const std::string bytes = EncodeFileText(text, &used);
        EXPECT_EQ(used, TextEncoding::Utf8Bom);
        EXPECT_EQ(DecodeFileText(bytes).Utf8, text);
    }
}

TEST(TextCodecFileText, TextWithoutCp932FormIsWrittenAsUtf8WithBom) {
    for (const std::string& text : {"会議 😀"s, "Straße"s}) {
        SCOPED_TRACE(text);
        TextEncoding used = TextEncoding::Cp932;
        const std::string bytes = EncodeFileText(text, &used);
        EXPECT_EQ(used, TextEncoding::Utf8Bom);
        EXPECT_EQ(bytes, kBom + text);

        const DecodedText decoded = DecodeFileText(bytes);
        EXPECT_EQ(decoded.Utf8, text);
        EXPECT_EQ(decoded.Encoding, TextEncoding::Utf8Bom);
        EXPECT_FALSE(decoded.HadInvalidBytes);
    }
}

TEST(TextCodecFileText, Utf8WithoutBomIsRecognizedWhenItIsNotCp932) {
    const std::string text = "[設定]\r\nメッセージ=予定の時刻です\r\n";
    ASSERT_EQ(Cp932ToUtf8(text), std::nullopt) << "the sample must not also be valid CP932";

    const DecodedText decoded = DecodeFileText(text);
    EXPECT_EQ(decoded.Utf8, text);
    EXPECT_EQ(decoded.Encoding, TextEncoding::Utf8);
    EXPECT_FALSE(decoded.HadInvalidBytes);
}

TEST(TextCodecFileText, PlainAsciiAndEmptyFilesAreCp932) {
    for (const std::string& text : {""s, "[Main]\r\nLog=1\r\n"s, "nul\0inside"s}) {
        const DecodedText decoded = DecodeFileText(text);
        EXPECT_EQ(decoded.Utf8, text);
        EXPECT_EQ(decoded.Encoding, TextEncoding::Cp932);
        EXPECT_FALSE(decoded.HadInvalidBytes);
        EXPECT_EQ(EncodeFileText(text), text);
    }
}

TEST(TextCodecFileText, BadBytesAreReplacedAndReported) {
    struct Case {
        std::string Bytes;
        std::string Expected;
    };
    const Case cases[] = {
        // Neither CP932 nor UTF-8; the good CP932 around the bad bytes survives.
        {"\x8c\x8e\x80"
         "AB\xff",
         "月" + kReplacement + "AB" + kReplacement},
        // A lead byte followed by a byte that cannot trail it: the second byte is kept.
        {"\x81\x20x", kReplacement + " x"},
        // A lead byte at the very end.
        {"\x8b\xe0\x8c", "金" + kReplacement},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Expected);
        const DecodedText decoded = DecodeFileText(c.Bytes);
        EXPECT_EQ(decoded.Utf8, c.Expected);
        EXPECT_EQ(decoded.Encoding, TextEncoding::Cp932);
        EXPECT_TRUE(decoded.HadInvalidBytes);
    }
}

TEST(TextCodecFileText, BadBytesAfterBomAreReplacedAndReported) {
    const DecodedText decoded = DecodeFileText(kBom + "予定\xC0\xAF!");
    EXPECT_EQ(decoded.Utf8, "予定" + kReplacement + kReplacement + "!");
    EXPECT_EQ(decoded.Encoding, TextEncoding::Utf8Bom);
    EXPECT_TRUE(decoded.HadInvalidBytes);
}

TEST(TextCodecFileText, LargeInputsConvertCompletely) {
    // Half-width katakana triple in size when decoded, which forces the
    // output buffer to grow several times.
    const std::string katakana(3'000'000, '\xb6');
    std::string expected;
    for (int i = 0; i < 3'000'000; ++i) {
        expected += "ｶ";
    }
    EXPECT_EQ(Cp932ToUtf8(katakana), expected);
    EXPECT_EQ(Utf8ToCp932(expected), katakana);

    // Many bad bytes: each replaced, none lost, the good ones kept in order.
    std::string mixed;
    std::string mixedExpected;
    for (int i = 0; i < 200'000; ++i) {
        mixed += "\x80\x8c\x8e";
        mixedExpected += kReplacement + "月";
    }
    const DecodedText decoded = DecodeFileText(mixed);
    EXPECT_TRUE(decoded.HadInvalidBytes);
    EXPECT_EQ(decoded.Utf8, mixedExpected);
}

TEST(TextCodecUtf8, ValidatesWellFormedSequencesOnly) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ascii longer than one word"));
    EXPECT_TRUE(IsValidUtf8("ß予😀\xF4\x8F\xBF\xBF")); // up to U+10FFFF

    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));         // cut short
    EXPECT_FALSE(IsValidUtf8("\x81"));             // lone trail byte
    // A bad byte after a run of ASCII that is checked a word at a time.
    EXPECT_FALSE(IsValidUtf8("0123456789abc\xFF"));
}

TEST(TextCodecCp932Length, CountsBytesAsCp932StoresThem) {
    EXPECT_EQ(Cp932Length(""), 0U);
    EXPECT_EQ(Cp932Length("abc"), 3U);
    EXPECT_EQ(Cp932Length("ｶﾀｶﾅ"), 4U);
    EXPECT_EQ(Cp932Length("月～金①"), 8U);
    EXPECT_EQ(Cp932Length("😀"), 2U); // no CP932 form
    EXPECT_EQ(Cp932Length("ß"), 2U);
    // The edges of the half-width katakana block.
    EXPECT_EQ(Cp932Length("\uFF60"), 2U);
    EXPECT_EQ(Cp932Length("\uFF61"), 1U);
    EXPECT_EQ(Cp932Length("\uFF9F"), 1U);
    EXPECT_EQ(Cp932Length("\uFFA0"), 2U);
    // A bad byte counts as the replacement character it reads as.
    EXPECT_EQ(Cp932Length("a\xFF"), 3U);

    for (const std::string& text : {kSampleText, "予定 12:00 ｱﾗｰﾑ [x]"s, "ｰ｡｢｣､･ﾟ"s}) {
        SCOPED_TRACE(text);
        const std::optional<std::string> bytes = Utf8ToCp932(text);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(Cp932Length(text), bytes->size());
    }
}

} // namespace
} // namespace rimo
