#include "net/DayTimeReply.h"

#include <gtest/gtest.h>

#include <string>

namespace rimo {
namespace {

DateTime Utc(int y, int mo, int d, int h, int mi, int s) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
}

void ExpectReads(std::string_view reply, ReplyLayout layout, DateTime expected) {
    const DayTimeReading reading = ReadDayTimeReply(reply);
    EXPECT_EQ(reading.Layout, layout) << reply;
    ASSERT_TRUE(reading.Utc.has_value()) << reply << " -> " << reading.Error;
    EXPECT_EQ(ToMilliseconds(*reading.Utc), ToMilliseconds(expected)) << reply;
    EXPECT_TRUE(reading.Error.IsEmpty());
}

void ExpectConversionError(std::string_view reply, const std::string& text) {
    const DayTimeReading reading = ReadDayTimeReply(reply);
    EXPECT_FALSE(reading.Utc.has_value()) << reply;
    EXPECT_EQ(reading.Text, text);
    EXPECT_EQ(reading.Error, "'" + text + "' は日付または時刻ではありません");
}

TEST(MonthNumber, NamesInAnyCaseAndNothingElse) {
    const char* names[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                           "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(MonthNumber(names[i]), i + 1);
    }
    EXPECT_EQ(MonthNumber("Dec"), 12);
    EXPECT_EQ(MonthNumber("jan"), 1);
    EXPECT_EQ(MonthNumber("XYZ"), 0);
    EXPECT_EQ(MonthNumber("De"), 0);
    EXPECT_EQ(MonthNumber("DECEMBER"), 0);
    EXPECT_EQ(MonthNumber(""), 0);
    EXPECT_EQ(MonthNumber("\xef\xbc\xa4\xef\xbc\xa5\xef\xbc\xa3"), 0); // full-width letters
}

TEST(DayTimeReply, TheFourLayoutsGiveTheSameMoment) {
    const DateTime moment = Utc(2024, 12, 31, 13, 59, 58);
    ExpectReads("\n60675 24-12-31 13:59:58 00 0 0  50.0 UTC(NIST) * \n", ReplyLayout::Nist, moment);
    ExpectReads("Tuesday, December 31, 2024 9:59:58AM EDT\r\n", ReplyLayout::Edt, moment);
    ExpectReads("Tue Dec 31 13:59:58 UTC 2024\r\n", ReplyLayout::Utc, moment);
    ExpectReads("Tue Dec 31 09:59:58 2024\r\n", ReplyLayout::Other, moment);
}

TEST(DayTimeReply, LayoutOrderAndTheFirstReadingOfTheUnmarkedLayout) {
    EXPECT_EQ(DetectReplyLayout("UTC(NIST)"), ReplyLayout::Nist);
    EXPECT_EQ(DetectReplyLayout("EDT UTC"), ReplyLayout::Edt);
    EXPECT_EQ(DetectReplyLayout("EDT EST"), ReplyLayout::Edt);
    EXPECT_EQ(DetectReplyLayout("EST UTC"), ReplyLayout::Est);
    EXPECT_EQ(DetectReplyLayout("xx UTC"), ReplyLayout::Utc);
    EXPECT_EQ(DetectReplyLayout(""), ReplyLayout::Other);
    // Other zones whose names hold EDT or EST are not the American ones.
    EXPECT_EQ(DetectReplyLayout("9:59:58AM AEDT"), ReplyLayout::Other);
    EXPECT_EQ(DetectReplyLayout("Tue Jul 01 09:59:58 CEST 2024"), ReplyLayout::Other);
    EXPECT_EQ(DetectReplyLayout("9:59:58AM EDTX"), ReplyLayout::Other);
    // The same text is UTC in the UTC layout; without a zone it is first read as UTC-4.
    ExpectReads("Tue Dec 31 09:59:58 UTC 2024", ReplyLayout::Utc, Utc(2024, 12, 31, 9, 59, 58));
    ExpectReads("Tue Dec 31 09:59:58 2024", ReplyLayout::Other, Utc(2024, 12, 31, 13, 59, 58));
    ExpectReads("Tue Dec 31 22:00:00 2024", ReplyLayout::Other, Utc(2025, 1, 1, 2, 0, 0));
    const DayTimeReading unmarked = ReadDayTimeReply("Tue Dec 31 22:00:00 2024");
    EXPECT_EQ(unmarked.Written, Utc(2024, 12, 31, 22, 0, 0));
    EXPECT_FALSE(NamesItsZone(unmarked.Layout));
    for (const ReplyLayout named :
         {ReplyLayout::Nist, ReplyLayout::Edt, ReplyLayout::Est, ReplyLayout::Utc}) {
        EXPECT_TRUE(NamesItsZone(named));
    }
}

TEST(DayTimeReply, EstIsFiveHoursBehind) {
    ExpectReads("Tuesday, December 31, 2024 8:59:58AM EST\r\n", ReplyLayout::Est,
                Utc(2024, 12, 31, 13, 59, 58));
    ExpectReads("Tuesday, December 31, 2024 8:59:58 PM EST", ReplyLayout::Est,
                Utc(2025, 1, 1, 1, 59, 58));
}

TEST(DayTimeReply, ABlankTimeFieldAndNistsHealthDigitAreKept) {
    const DayTimeReading blank = ReadDayTimeReply("Tue Dec 31          2024\r\n");
    ASSERT_TRUE(blank.Utc.has_value());
    EXPECT_TRUE(blank.TimeBlank);
    EXPECT_FALSE(ReadDayTimeReply("Tue Dec 31 09:59:58 2024").TimeBlank);

    const std::string nist = "\n60675 24-12-31 13:59:58 00 0 0  50.0 UTC(NIST) * \n";
    EXPECT_EQ(ReadDayTimeReply(nist).NistHealth, 0);
    std::string unhealthy = nist;
    unhealthy[30] = '2'; // "TT L H": the health digit
    EXPECT_EQ(ReadDayTimeReply(unhealthy).NistHealth, 2);
    EXPECT_EQ(ReadDayTimeReply(unhealthy).Utc, Utc(2024, 12, 31, 13, 59, 58));
    EXPECT_EQ(ReadDayTimeReply("\n60675 24-12-31 13:59:58 UTC(NIST)").NistHealth, -1);
    EXPECT_EQ(ReadDayTimeReply("Tue Dec 31 09:59:58 2024").NistHealth, -1);
}

TEST(DayTimeReply, CtimeWithABlankPaddedDayIsRead) {
    // openbsd-inetd's internal daytime service writes ctime().
    ExpectReads("Tue Dec  3 09:59:58 2024\r\n", ReplyLayout::Other, Utc(2024, 12, 3, 13, 59, 58));
}

TEST(DayTimeReply, EdtWithTwoDigitAndAfternoonHours) {
    ExpectReads("Tuesday, December 31, 2024 11:59:58AM EDT", ReplyLayout::Edt,
                Utc(2024, 12, 31, 15, 59, 58));
    ExpectReads("Tuesday, December 31, 2024 1:05:00PM EDT", ReplyLayout::Edt,
                Utc(2024, 12, 31, 17, 5, 0));
    ExpectReads("Tuesday, December 31, 2024 11:59:58PM EDT", ReplyLayout::Edt,
                Utc(2025, 1, 1, 3, 59, 58));
    ExpectReads("Tuesday, December 31, 2024 12:30:00PM EDT", ReplyLayout::Edt,
                Utc(2024, 12, 31, 16, 30, 0));
    ExpectReads("Tuesday, December 31, 2024 12:30:00AM EDT", ReplyLayout::Edt,
                Utc(2024, 12, 31, 4, 30, 0));
    ExpectReads("Monday, July 1, 2024 9:00:00 AM EDT", ReplyLayout::Edt, Utc(2024, 7, 1, 13, 0, 0));
}

TEST(DayTimeReply, UnreadableRepliesGiveTheConversionError) {
    ExpectConversionError("", "/00/ ");
    ExpectConversionError("Tue XYZ 31 09:59:58 2024", "2024/00/31 09:59:58");
    ExpectConversionError("Tue Dec 31 25:59:58 UTC 2024", "2024/12/31 25:59:58");
    ExpectConversionError("Tue Feb 30 09:59:58 2024", "2024/02/30 09:59:58");
    ExpectConversionError("\n60675 24-1 NIST", "2024/1 NIST");
    ExpectConversionError("EDT", "EDT/00/ED E:ED:ED"); // no "AM" or "PM" to stand on
    // Year 9999 plus four hours is past the last representable day.
    EXPECT_FALSE(ReadDayTimeReply("Fri Dec 31 22:00:00 9999").Utc.has_value());
}

TEST(DayTimeReply, GarbageOfAnySizeNeverReadsAsATime) {
    std::string garbage(65536, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>((i * 7919 + 13) % 256);
    }
    const DayTimeReading reading = ReadDayTimeReply(garbage);
    EXPECT_FALSE(reading.Utc.has_value());
    EXPECT_LT(reading.Text.size(), 64U);
    for (const char* prefix : {"NIST", "EDT", "UTC", "AM", "PM"}) {
        EXPECT_FALSE(ReadDayTimeReply(std::string(prefix) + garbage).Utc.has_value());
    }
}

TEST(ReplyDateTime, BlanksAroundNumbersAndAnOptionalTime) {
    EXPECT_EQ(ReadReplyDateTime("2024/12/31"), EncodeDate(2024, 12, 31));
    EXPECT_EQ(ReadReplyDateTime(" 2024/ 1/ 2  3:04:05 "),
              EncodeDate(2024, 1, 2) + EncodeTime(3, 4, 5));
    EXPECT_EQ(ReadReplyDateTime("2024/12/31 13:59"),
              EncodeDate(2024, 12, 31) + EncodeTime(13, 59, 0));
    EXPECT_FALSE(ReadReplyDateTime("2024/12/31 13:59:58 x"));
    EXPECT_FALSE(ReadReplyDateTime("2024-12-31"));
    EXPECT_FALSE(ReadReplyDateTime("0/12/31"));
}

} // namespace
} // namespace rimo
