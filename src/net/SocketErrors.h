#pragma once

#include <span>
#include <string>

namespace rimo {

// Error numbers of the socket layer are the classic Windows Sockets numbers
// (10061 for a refused connection, ...), so that messages read the same on
// every platform. POSIX errno values are mapped onto them.

struct SocketErrorRow {
    int Number;
    const char* Text;
};

// The 51 rows of error texts, in their classic order.
std::span<const SocketErrorRow> SocketErrorTable();

// "N:text" for a number of the table, "Unknown Error No. N" for any other,
// and an empty text for 0.
std::string SocketErrorText(int number);

// The socket error number for an errno value. 0 stays 0; an errno without a
// counterpart becomes 20000 + errno, so that it is still reported as an error
// (and never lands on a number of the table).
int SocketErrorFromErrno(int errnoValue);

constexpr int kErrorWouldBlock = 10035;
constexpr int kErrorInProgress = 10037;
constexpr int kErrorConnectionReset = 10054;
constexpr int kErrorNotConnected = 10057;
constexpr int kErrorTimedOut = 10060;
constexpr int kErrorConnectionRefused = 10061;

} // namespace rimo
