#include "net/SocketErrors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

namespace rimo {
namespace {

// The error table as the socket client's documentation lists it: "number<TAB>text".
TEST(SocketErrors, TheWholeTableRowByRow) {
    std::ifstream fixture(RIMO_TEST_DATA_DIR "/socket-error-table.txt");
    ASSERT_TRUE(fixture.is_open());
    std::vector<std::pair<int, std::string>> expected;
    for (std::string line; std::getline(fixture, line);) {
        const std::size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        expected.emplace_back(std::stoi(line.substr(0, tab)), line.substr(tab + 1));
    }
    ASSERT_EQ(expected.size(), 51U);
    const auto table = SocketErrorTable();
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].Number, expected[i].first) << "row " << i;
        EXPECT_EQ(table[i].Text, expected[i].second) << "row " << i;
        if (expected[i].first != 0) {
            EXPECT_EQ(SocketErrorText(expected[i].first),
                      std::to_string(expected[i].first) + ":" + expected[i].second);
        }
    }
}

TEST(SocketErrors, NoTextForZeroAndUnknownNumbers) {
    EXPECT_EQ(SocketErrorText(0), "");
    EXPECT_EQ(SocketErrorText(10000), "Unknown Error No. 10000");
    EXPECT_EQ(SocketErrorText(-5), "Unknown Error No. -5");
}

TEST(SocketErrors, ErrnoValuesMapToTheClassicNumbers) {
    EXPECT_EQ(SocketErrorFromErrno(0), 0);
    EXPECT_EQ(SocketErrorFromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(SocketErrorFromErrno(ECONNRESET), 10054);
    EXPECT_EQ(SocketErrorFromErrno(EAGAIN), 10035);
    EXPECT_EQ(SocketErrorFromErrno(EWOULDBLOCK), 10035);
    EXPECT_EQ(SocketErrorFromErrno(EINPROGRESS), 10036);
    EXPECT_EQ(SocketErrorFromErrno(ETIMEDOUT), 10060);
    EXPECT_EQ(SocketErrorFromErrno(ENOTCONN), 10057);
    EXPECT_EQ(SocketErrorFromErrno(EMFILE), 10024);
    EXPECT_EQ(SocketErrorFromErrno(EHOSTUNREACH), 10065);
    // Unmapped values stay errors and never land on a table number.
    EXPECT_EQ(SocketErrorFromErrno(ENODATA), 20000 + ENODATA);
    EXPECT_EQ(SocketErrorText(SocketErrorFromErrno(ENODATA)),
              "Unknown Error No. " + std::to_string(20000 + ENODATA));
}

} // namespace
} // namespace rimo
