#include "net/AsyncSock.h"

#include "net/LoopbackServer.h"
#include "net/SockExceptions.h"
#include "net/WindowTimer.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/resource.h>

namespace rimo {
namespace {

using test::LoopbackServer;

// Runs the operation and returns the message it threw ("" when none).
template <typename Exception = ESockError, typename Operation>
std::string ThrownBy(Operation&& operation) {
    try {
        operation();
    } catch (const Exception& error) {
        return error.what();
    }
    return {};
}

std::unique_ptr<TAsyncSocket> ClientFor(int port, int timeOut = 2000) {
    auto client = std::make_unique<TAsyncSocket>();
    client->Host = "127.0.0.1";
    client->Port = port;
    client->TimeOut = timeOut;
    return client;
}

TEST(AsyncSocket, StartCountAndTheFirstComponentsReport) {
    const int before = TAsyncSocket::StartedCount();
    {
        TAsyncSocket first;
        EXPECT_EQ(TAsyncSocket::StartedCount(), before + 1);
        if (before == 0) {
            ASSERT_EQ(first.StartupReport().size(), 6U);
            EXPECT_EQ(first.StartupReport()[0], "Version= 1.1");
            EXPECT_EQ(first.StartupReport()[5].rfind("Max Udp pack size= ", 0), 0U);
        }
        TAsyncSocket second;
        EXPECT_EQ(TAsyncSocket::StartedCount(), before + 2);
        EXPECT_TRUE(second.StartupReport().empty());
    }
    EXPECT_EQ(TAsyncSocket::StartedCount(), before);
}

TEST(AsyncSocket, ASocketThatCannotBeCreatedFailsTheStartAndRestoresTheCount) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' own checks need free descriptors, which this test takes away";
#endif
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    // The lowest free descriptor number becomes the limit: no new descriptor fits.
    const int lowest = ::dup(0);
    ASSERT_GE(lowest, 0);
    ::close(lowest);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(lowest);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
    const int before = TAsyncSocket::StartedCount();
    const std::string message = ThrownBy([] { TAsyncSocket socket; });
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(message, "Initializaton of windows sockets failed");
    EXPECT_EQ(TAsyncSocket::StartedCount(), before);
}

TEST(AsyncSocket, ReportLevelFiltersTheStatusTexts) {
    for (const int level : {0, 1, 4, 8}) {
        TAsyncSocket socket;
        std::vector<std::string> reported;
        socket.ReportLevel = level;
        socket.OnStatus = [&](TAsyncSocket& sender, const std::string& status) {
            EXPECT_EQ(&sender, &socket);
            reported.push_back(status);
        };
        socket.Host = "192.168.0.1";
        socket.ResolveHost();
        socket.CloseSocket();
        socket.Cancel();
        const bool hasResolve =
            std::find(reported.begin(), reported.end(), "Resolve Host") != reported.end();
        const bool hasClose =
            std::find(reported.begin(), reported.end(), "Request Close Socket") != reported.end();
        EXPECT_EQ(hasResolve, level >= 8) << level;
        EXPECT_EQ(hasClose, level >= 4) << level;
        EXPECT_EQ(reported.empty(), level < 4) << level;
        if (!reported.empty()) {
            EXPECT_EQ(socket.LastStatus(), reported.back());
        }
    }
}

TEST(AsyncSocket, AThrowingStatusHandlerDoesNotStopTheOperation) {
    TAsyncSocket socket;
    socket.ReportLevel = 8;
    socket.OnStatus = [](TAsyncSocket&, const std::string&) { throw std::runtime_error("no"); };
    socket.Host = "10.1.2.3";
    EXPECT_NO_THROW(socket.ResolveHost());
    EXPECT_EQ(socket.RemoteAddress(), ::inet_addr("10.1.2.3"));
}

TEST(AsyncSocket, DottedAddressesNeedNoLookup) {
    TAsyncSocket socket;
    int resolved = 0;
    socket.OnHostResolved = [&](TAsyncSocket&) { ++resolved; };
    socket.Host = "192.168.0.1";
    socket.ResolveHost();
    EXPECT_EQ(socket.RemoteAddress(), ::inet_addr("192.168.0.1"));
    EXPECT_EQ(resolved, 0);
    // All ones is taken as a name and goes through the lookup.
    socket.TimeOut = 5000;
    socket.Host = "255.255.255.255";
    socket.ResolveHost();
    EXPECT_EQ(resolved, 1);
    EXPECT_EQ(socket.RemoteAddress(), 0xFFFFFFFFU);
}

TEST(AsyncSocket, NamesAreLookedUpWithoutBlocking) {
    TAsyncSocket socket;
    socket.TimeOut = 5000;
    int resolved = 0;
    socket.OnHostResolved = [&](TAsyncSocket&) { ++resolved; };
    socket.Host = "localhost";
    socket.ResolveHost();
    EXPECT_EQ(resolved, 1);
    EXPECT_EQ(socket.RemoteAddress(), htonl(INADDR_LOOPBACK));

    socket.Host = "nothing-here.invalid";
    EXPECT_EQ(ThrownBy([&] { socket.ResolveHost(); }), "Host Lookup Failed");
    EXPECT_EQ(socket.RemoteAddress(), 0U);
    EXPECT_EQ(resolved, 1);
}

TEST(AsyncSocket, LookupCancelledOrTimedOut) {
    TAsyncSocket socket;
    socket.ReportLevel = 8;
    socket.TimeOut = 0; // not bounded: only the cancel ends it
    socket.Host = "localhost";
    socket.OnStatus = [&](TAsyncSocket& sender, const std::string& status) {
        if (status == "Timer On") {
            sender.Cancel();
        }
    };
    EXPECT_EQ(ThrownBy([&] { socket.ResolveHost(); }), "Host Lookup Canceled");

    // The flag stays set until an operation clears it: a lookup does not.
    EXPECT_TRUE(socket.Cancelled());
    EXPECT_EQ(ThrownBy([&] { socket.ResolveHost(); }), "Host Lookup Canceled");

    // The time-out also sets the cancel flag; the time-out is what is reported.
    TAsyncSocket fresh;
    fresh.ReportLevel = 8;
    fresh.TimeOut = 5000;
    fresh.Host = "slow-" + std::to_string(::getpid()) + ".invalid";
    fresh.OnStatus = [&](TAsyncSocket& sender, const std::string& status) {
        if (status == "Timer On") {
            QTimer::singleShot(0, &sender, [&sender] { sender.TimerFired(); });
        }
    };
    EXPECT_EQ(ThrownBy([&] { fresh.ResolveHost(); }), "Host Lookup Timed Out");
    EXPECT_TRUE(fresh.Cancelled());
    EXPECT_FALSE(fresh.Timer().Enabled());
}

TEST(AsyncSocket, ConnectOnceAndRefuseASecond) {
    LoopbackServer server([](int connection, LoopbackServer& self) { self.Drain(connection); });
    auto client = ClientFor(server.Port());
    int connects = 0;
    client->OnConnect = [&](TAsyncSocket&) { ++connects; };
    client->Connect();
    EXPECT_TRUE(client->Connected());
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(ThrownBy([&] { client->Connect(); }), "Already connected");
}

TEST(AsyncSocket, ARefusedConnectFailsAtOnce) {
    auto client = ClientFor(LoopbackServer::ClosedPort(), 0); // no time-out to end it
    int failures = 0;
    client->OnConnectionFailed = [&](TAsyncSocket&) { ++failures; };
    const std::string message = ThrownBy([&] { client->Connect(); });
    // Refused either by the connect call itself or by the connect event.
    EXPECT_TRUE(message == "10061:Connection refused" || message == "Connection Failed") << message;
    EXPECT_FALSE(client->Connected());
}

TEST(AsyncSocket, ConnectTimedOutOrCancelled) {
    test::FullListener silent;
    auto client = ClientFor(silent.Port(), 200);
    int failures = 0;
    client->OnConnectionFailed = [&](TAsyncSocket&) { ++failures; };
    EXPECT_EQ(ThrownBy([&] { client->Connect(); }), "Connection Timed out");
    client->Disconnect();

    LoopbackServer server([](int connection, LoopbackServer& self) { self.Drain(connection); });
    client->Port = server.Port();
    client->ReportLevel = 8;
    client->OnStatus = [&](TAsyncSocket& sender, const std::string& status) {
        if (status == "Timer On") {
            sender.Cancel();
        }
    };
    EXPECT_EQ(ThrownBy([&] { client->Connect(); }), "Connection Canceled");
    EXPECT_EQ(failures, 2);
}

TEST(AsyncSocket, AResetDuringAReadIsError10054) {
    // The server resets only once the client's line shows it is connected: a
    // reset before the connection is complete would fail the connect instead.
    LoopbackServer server([](int connection, LoopbackServer& self) {
        self.ReadLine(connection);
        LoopbackServer::Reset(connection);
    });
    auto client = ClientFor(server.Port());
    client->Connect();
    client->Writeln("hello");
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the reset arrives meanwhile
    EXPECT_EQ(ThrownBy([&] { client->Read(0); }), "10054:Connection reset by peer");
    EXPECT_EQ(client->LastError(), 10054);
}

TEST(AsyncSocket, WouldBlockIsNoError) {
    LoopbackServer server([](int connection, LoopbackServer& self) { self.Drain(connection); });
    auto client = ClientFor(server.Port());
    client->Connect();
    EXPECT_EQ(client->Read(0), ""); // nothing waiting: 10035, ignored
    EXPECT_EQ(client->LastError(), 10035);
    EXPECT_FALSE(client->DataAvailable());
}

TEST(AsyncSocket, ACloseWithDataWaitingLeavesTheSocketOpenUntilRead) {
    LoopbackServer server(
        [](int connection, LoopbackServer&) { LoopbackServer::Send(connection, "hello"); });
    auto client = ClientFor(server.Port());
    int dataEvents = 0;
    int disconnects = 0;
    client->OnDataAvailable = [&](TAsyncSocket&) { ++dataEvents; };
    client->OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
    client->Connect();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dataEvents > 0; }, 5000));
    QTest::qWait(100);
    EXPECT_TRUE(client->Connected());
    EXPECT_EQ(disconnects, 0);
    EXPECT_EQ(client->Read(0), "hello");
    QTest::qWait(50);
    EXPECT_TRUE(client->Connected());
    client->Disconnect();
    EXPECT_EQ(disconnects, 1);
}

TEST(AsyncSocket, ACloseWithoutDataClosesAndGivesAFreshSocket) {
    LoopbackServer server([](int, LoopbackServer&) {});
    auto client = ClientFor(server.Port());
    int disconnects = 0;
    client->OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
    client->Connect();
    ASSERT_TRUE(QTest::qWaitFor([&] { return disconnects > 0; }, 5000));
    EXPECT_FALSE(client->Connected());
    EXPECT_GE(client->Handle(), 0);
}

TEST(AsyncSocket, OnlyTheFirstSocketResetsOnCloseAndASecondExchangeWorks) {
    LoopbackServer server(
        [](int connection, LoopbackServer&) { LoopbackServer::Send(connection, "one\r\n"); });
    auto client = ClientFor(server.Port());
    linger option{};
    socklen_t length = sizeof option;
    ::getsockopt(client->Handle(), SOL_SOCKET, SO_LINGER, &option, &length);
    EXPECT_EQ(option.l_onoff, 1);
    EXPECT_EQ(option.l_linger, 0);
    for (int round = 0; round < 2; ++round) {
        client->Connect();
        EXPECT_EQ(client->ReadLn(), "one\r\n");
        client->Disconnect();
        EXPECT_FALSE(client->Connected());
    }
    ::getsockopt(client->Handle(), SOL_SOCKET, SO_LINGER, &option, &length);
    EXPECT_EQ(option.l_onoff, 0);
    EXPECT_EQ(server.Accepted(), 2);
}

TEST(AsyncSocket, TransactionWritesALineAndReadsTheReplyCode) {
    LoopbackServer server([](int connection, LoopbackServer& self) {
        const std::string line = self.ReadLine(connection);
        LoopbackServer::Send(connection, "250 OK " + line);
        self.Drain(connection);
    });
    auto client = ClientFor(server.Port());
    client->ReportLevel = 1;
    std::vector<std::string> reported;
    client->OnStatus = [&](TAsyncSocket&, const std::string& status) {
        reported.push_back(status);
    };
    client->Connect();
    EXPECT_EQ(client->Transaction("HELO x"), "250 OK HELO x\r\n");
    EXPECT_EQ(client->ReplyCode(), 250);
    EXPECT_EQ(client->LastReply(), "250 OK HELO x\r\n");
    EXPECT_EQ(reported, std::vector<std::string>{"250 OK HELO x\r\n"});
    client->Disconnect();
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.Received() == "HELO x\r\n"; }, 5000));
}

TEST(AsyncSocket, LinesAndCountsSplitOverSegmentsAreWaitedFor) {
    LoopbackServer server([](int connection, LoopbackServer& self) {
        LoopbackServer::Send(connection, "par");
        self.Pause(150);
        LoopbackServer::Send(connection, "tial\r\nre");
        self.Pause(150);
        LoopbackServer::Send(connection, "st");
        self.Drain(connection);
    });
    auto client = ClientFor(server.Port());
    client->Connect();
    EXPECT_EQ(client->ReadLn(), "partial\r\n");
    EXPECT_EQ(client->Read(4), "rest");
}

TEST(AsyncSocket, ReadOfACountEndsEmptyWhenThePeerCloses) {
    LoopbackServer server(
        [](int connection, LoopbackServer&) { LoopbackServer::Send(connection, "ab"); });
    auto client = ClientFor(server.Port());
    client->Connect();
    QTest::qWait(100);
    EXPECT_EQ(client->Read(2), "ab");
    EXPECT_EQ(client->Read(3), "");
}

TEST(AsyncSocket, CancelledReadsAndTimedOutLines) {
    LoopbackServer server([](int connection, LoopbackServer& self) { self.Drain(connection); });
    auto client = ClientFor(server.Port(), 100);
    client->Connect();
    QTimer::singleShot(50, client.get(), [&] { client->Cancel(); });
    EXPECT_EQ(ThrownBy<EAbortError>([&] { client->Read(5); }), "Socket send aborted");
    EXPECT_FALSE(client->Cancelled()); // cleared when raised
    // The time-out ends a line read through the cancel flag.
    EXPECT_EQ(ThrownBy<EAbortError>([&] { client->ReadLn(); }), "Socket readln aborted");
    EXPECT_TRUE(client->TimedOut());
    EXPECT_THROW(client->Read(65536), std::range_error);
}

TEST(AsyncSocket, LargeBuffersAreSentWhole) {
    LoopbackServer server([](int connection, LoopbackServer& self) {
        self.Pause(100); // let the socket fill first
        self.Drain(connection);
    });
    auto client = ClientFor(server.Port(), 0);
    client->Connect();
    const std::string big(4 << 20, 'x');
    client->SendBuffer(big.data(), static_cast<int>(big.size()));
    client->Write(std::string("zero\0ended", 10));
    client->Writeln("line");
    // Closing the first socket resets the connection: what is unsent would be lost.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return server.Received().size() >= big.size() + 10; }, 10000));
    EXPECT_EQ(server.Received().substr(big.size()), "zeroline\r\n");
    client->Disconnect();
}

TEST(AsyncSocket, ListenAndAccept) {
    TAsyncSocket listener;
    listener.Host = "127.0.0.1";
    listener.Port = 0;
    listener.TimeOut = 5000;
    listener.Listen();
    const int port = listener.LocalPort();
    ASSERT_GT(port, 0);
    int incoming = 0;
    listener.OnIncomingConnection = [&](TAsyncSocket&) { ++incoming; };
    std::thread peer([port] {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::send(s, "hi", 2, MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::close(s);
    });
    const int accepted = listener.Accept();
    ASSERT_GE(accepted, 0);
    EXPECT_EQ(incoming, 1);
    EXPECT_EQ(listener.PeerAddress(), htonl(INADDR_LOOPBACK));
    char buffer[2] = {};
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return ::recv(accepted, buffer, 2, MSG_DONTWAIT) == 2; }, 5000));
    EXPECT_EQ(std::string(buffer, 2), "hi");
    ::close(accepted);
    peer.join();

    listener.TimeOut = 50; // nobody comes
    EXPECT_EQ(ThrownBy([&] { listener.Accept(); }), "Accepting Canceled");
}

TEST(WindowTimer, RunsOnlyWhenEnabledWithAnIntervalAndAHandler) {
    TWindowTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000U);
    EXPECT_FALSE(timer.Running()); // no handler
    int ticks = 0;
    timer.SetOnTimer([&] {
        ++ticks;
        throw std::runtime_error("swallowed");
    });
    EXPECT_TRUE(timer.Running());
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());
    timer.SetInterval(10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
}

TEST(AsyncSocket, TheTimerFiresOncePerTimerOn) {
    TAsyncSocket socket;
    socket.TimeOut = 10;
    socket.TimerOn();
    EXPECT_TRUE(socket.Timer().Running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return socket.TimedOut(); }, 5000));
    EXPECT_TRUE(socket.Cancelled());
    EXPECT_FALSE(socket.Timer().Enabled());
    socket.TimeOut = 0;
    socket.TimerOn();
    EXPECT_FALSE(socket.Timer().Running()); // 0: not bounded
    EXPECT_FALSE(socket.TimedOut());
    socket.TimeOut = -1;
    EXPECT_THROW(socket.TimerOn(), std::range_error);
}

} // namespace
} // namespace rimo
