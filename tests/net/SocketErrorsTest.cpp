#include "net/SocketErrors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace rimo {
namespace {

TEST(SocketErrors, TableTexts) {
    EXPECT_EQ(SocketErrorText(10061), "10061:Connection refused");
    EXPECT_EQ(SocketErrorText(10054), "10054:Connection reset by peer");
    EXPECT_EQ(SocketErrorText(10004), "10004:Interrupted system call");
    EXPECT_EQ(SocketErrorText(11003), "11003:Non-Recoverable error: FORMERR, REFUSED, NOTIMP");
    EXPECT_EQ(SocketErrorText(10065), "10065:No route to Host");
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
