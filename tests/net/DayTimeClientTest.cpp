#include "net/DayTimeClient.h"

#include "net/LoopbackServer.h"
#include "net/SockExceptions.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <poll.h>

namespace rimo {
namespace {

using test::LoopbackServer;

// A daytime server of the tests' own that sends `reply` and closes.
std::unique_ptr<LoopbackServer> Replying(std::string reply) {
    return std::make_unique<LoopbackServer>(
        [reply](int connection, LoopbackServer&) { LoopbackServer::Send(connection, reply); });
}

struct Outcome {
    std::string Reply;
    std::string Error;
    bool SocketError = false; // an ESockError rather than another exception
};

Outcome Exchange(TDayTimeClient& client) {
    // Should a wait not end by itself, the test fails instead of hanging.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &client, [&] { client.Cancel(); });
    watchdog.start(20000);
    Outcome outcome;
    try {
        outcome.Reply = client.GetDayTime();
    } catch (const ESockError& error) {
        outcome.Error = error.what();
        outcome.SocketError = true;
    } catch (const std::exception& error) {
        outcome.Error = error.what();
    }
    return outcome;
}

std::unique_ptr<TDayTimeClient> ClientFor(int port, int timeOut = 5000) {
    auto client = std::make_unique<TDayTimeClient>();
    client->Host = "127.0.0.1";
    client->Port = port;
    client->TimeOut = timeOut;
    return client;
}

TEST(DayTimeClient, Defaults) {
    TDayTimeClient client;
    EXPECT_EQ(client.Port, 13);
    EXPECT_EQ(client.TimeOut, 500);
    EXPECT_EQ(client.ReportLevel, 0);
    EXPECT_TRUE(client.Host.empty());
}

TEST(DayTimeClient, ReturnsEachLayoutAsSentAndRepeatsOnOneInstance) {
    const std::string replies[] = {
        "\n60675 24-12-31 13:59:58 00 0 0  50.0 UTC(NIST) * \n",
        "Tuesday, December 31, 2024 9:59:58AM EDT\r\n",
        "Tue Dec 31 13:59:58 UTC 2024\r\n",
        "Tue Dec 31 09:59:58 2024\r\n",
    };
    auto client = ClientFor(0);
    for (const std::string& reply : replies) {
        auto server = Replying(reply);
        client->Port = server->Port();
        const Outcome outcome = Exchange(*client);
        EXPECT_EQ(outcome.Error, "");
        EXPECT_EQ(outcome.Reply, reply);
        EXPECT_FALSE(client->Connected()); // a fresh socket for the next exchange
    }
}

TEST(DayTimeClient, ARefusedConnectionFailsAtOnceWithItsError) {
    auto client = ClientFor(LoopbackServer::ClosedPort(), 0); // no time-out could end it
    const Outcome outcome = Exchange(*client);
    EXPECT_EQ(outcome.Error, "10061:Connection refused");
    EXPECT_TRUE(outcome.SocketError);
}

TEST(DayTimeClient, NoConnectionWithinTheTimeOut) {
    test::FullListener silent;
    auto client = ClientFor(silent.Port(), 200);
    const Outcome outcome = Exchange(*client);
    EXPECT_EQ(outcome.Error, "Connection Timed out");
    EXPECT_FALSE(outcome.SocketError); // the general exception, not a socket error
    EXPECT_FALSE(client->Connected());
}

TEST(DayTimeClient, AServerThatNeverSendsEndsAtTheTimeOut) {
    LoopbackServer server([](int connection, LoopbackServer& self) { self.Drain(connection); });
    auto client = ClientFor(server.Port(), 200);
    const Outcome outcome = Exchange(*client);
    EXPECT_EQ(outcome.Error, "10060:Connection timed out");
    EXPECT_FALSE(client->Connected());
    // The component is usable again.
    auto second = Replying("Tue Dec 31 09:59:58 2024\r\n");
    client->Port = second->Port();
    EXPECT_EQ(Exchange(*client).Reply, "Tue Dec 31 09:59:58 2024\r\n");
}

TEST(DayTimeClient, ACloseWithoutDataIsANetworkError) {
    LoopbackServer server([](int, LoopbackServer&) {});
    auto client = ClientFor(server.Port(), 0);
    const Outcome outcome = Exchange(*client);
    EXPECT_EQ(outcome.Error, "10057:Socket is not connected");
    EXPECT_TRUE(outcome.SocketError);
    EXPECT_FALSE(client->Connected());
}

// Waits (without the event loop) until the client's socket has bytes to read.
bool BytesWaitOn(const TAsyncSocket& client) {
    pollfd state{client.Handle(), POLLIN, 0};
    return ::poll(&state, 1, 10000) == 1;
}

TEST(DayTimeClient, DataThatComesWithTheTimeOutWins) {
    const std::string reply = "Tue Dec 31 09:59:58 2024\r\n";
    auto server = Replying(reply);
    auto client = ClientFor(server->Port());
    client->ReportLevel = 8;
    bool fired = false;
    // The data wait's first look: the reply is there and the time-out fires at
    // the same moment, before the wait has seen either.
    client->OnStatus = [&](TAsyncSocket& sender, const std::string& status) {
        if (status == "Data Available" && !fired) {
            fired = true;
            ASSERT_TRUE(BytesWaitOn(sender));
            sender.TimerFired();
        }
    };
    const Outcome outcome = Exchange(*client);
    EXPECT_TRUE(fired);
    EXPECT_EQ(outcome.Error, "");
    EXPECT_EQ(outcome.Reply, reply);
    EXPECT_FALSE(client->Connected());
}

TEST(DayTimeClient, AConnectionMadeAsTheTimeOutFiresWins) {
    const std::string reply = "Tue Dec 31 09:59:58 2024\r\n";
    auto server = Replying(reply);
    auto client = ClientFor(server->Port());
    int connects = 0;
    client->OnConnect = [&](TAsyncSocket& sender) {
        ++connects;
        sender.TimerFired(); // in the same pass as the connect event
    };
    const Outcome outcome = Exchange(*client);
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(outcome.Error, "");
    EXPECT_EQ(outcome.Reply, reply);
}

TEST(DayTimeClient, AResetIsError10054) {
    LoopbackServer server(
        [](int connection, LoopbackServer&) { LoopbackServer::Reset(connection); });
    auto client = ClientFor(server.Port(), 0);
    const Outcome outcome = Exchange(*client);
    EXPECT_EQ(outcome.Error, "10054:Connection reset by peer");
}

TEST(DayTimeClient, ASplitReplyGivesWhatHadArrived) {
    LoopbackServer server([](int connection, LoopbackServer& self) {
        LoopbackServer::Send(connection, "Tue Dec 31 ");
        self.Pause(500);
        LoopbackServer::Send(connection, "09:59:58 2024\r\n");
    });
    auto client = ClientFor(server.Port());
    EXPECT_EQ(Exchange(*client).Reply, "Tue Dec 31 ");
}

TEST(DayTimeClient, AServerThatSendsForeverGivesOneBufferAndCloses) {
    LoopbackServer server([](int connection, LoopbackServer& self) {
        const std::string block(8192, 'Z');
        while (!self.Stopping() &&
               ::send(connection, block.data(), block.size(), MSG_NOSIGNAL) > 0) {
        }
    });
    auto client = ClientFor(server.Port());
    const Outcome outcome = Exchange(*client);
    EXPECT_EQ(outcome.Error, "");
    EXPECT_FALSE(outcome.Reply.empty());
    EXPECT_LE(outcome.Reply.size(), 65535U);
    EXPECT_EQ(outcome.Reply.find_first_not_of('Z'), std::string::npos);
}

TEST(DayTimeClient, NamesAndOneRetryForAnUnknownName) {
    auto server = Replying("Tue Dec 31 09:59:58 2024\r\n");
    auto client = ClientFor(server->Port());
    client->Host = "localhost";
    EXPECT_EQ(Exchange(*client).Reply, "Tue Dec 31 09:59:58 2024\r\n");

    client->Host = "nowhere.invalid";
    EXPECT_EQ(Exchange(*client).Error, "Null Remote Address"); // no handler

    int asked = 0;
    client->OnInvalidHost = [&](bool& handled) {
        ++asked;
        client->Host = "127.0.0.1";
        handled = true;
    };
    EXPECT_EQ(Exchange(*client).Reply, "Tue Dec 31 09:59:58 2024\r\n");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(client->Host, "127.0.0.1"); // the handler's name stays

    asked = 0;
    client->Host = "nowhere.invalid";
    client->OnInvalidHost = [&](bool& handled) {
        ++asked;
        client->Host = "still-nowhere.invalid";
        handled = true;
    };
    EXPECT_EQ(Exchange(*client).Error, "Null Remote Address");
    EXPECT_EQ(asked, 1);

    client->Host = "nowhere.invalid";
    client->OnInvalidHost = [&](bool&) { ++asked; }; // declines
    EXPECT_EQ(Exchange(*client).Error, "Null Remote Address");
    EXPECT_EQ(asked, 2);
}

TEST(DayTimeClient, ALookupTimeOutAsksForNoOtherName) {
    auto client = ClientFor(13);
    client->Host = "slow-" + std::to_string(::getpid()) + ".invalid";
    client->ReportLevel = 8;
    client->OnStatus = [&](TAsyncSocket& sender, const std::string& status) {
        if (status == "Timer On") {
            QTimer::singleShot(0, &sender, [&sender] { sender.TimerFired(); });
        }
    };
    int asked = 0;
    client->OnInvalidHost = [&](bool&) { ++asked; };
    EXPECT_EQ(Exchange(*client).Error, "Host Lookup Timed Out");
    EXPECT_EQ(asked, 0);
}

TEST(DayTimeClient, ASecondRequestDuringAnExchangeIsRefusedAndTheFirstGoesOn) {
    LoopbackServer server([](int connection, LoopbackServer& self) {
        self.Pause(300);
        LoopbackServer::Send(connection, "Tue Dec 31 09:59:58 2024\r\n");
    });
    auto client = ClientFor(server.Port());
    client->ReportLevel = 8;
    std::vector<std::string> seconds;
    bool asked = false;
    // While the connection is being made ...
    client->OnStatus = [&](TAsyncSocket&, const std::string& status) {
        if (status == "Timer On" && !asked) {
            asked = true;
            seconds.push_back(Exchange(*client).Error);
        }
    };
    // ... and while the data is waited for.
    QTimer::singleShot(100, client.get(), [&] { seconds.push_back(Exchange(*client).Error); });
    const Outcome first = Exchange(*client);
    EXPECT_EQ(seconds, (std::vector<std::string>{"10037:Operation already in progress",
                                                 "Already connected"}));
    EXPECT_EQ(first.Error, "");
    EXPECT_EQ(first.Reply, "Tue Dec 31 09:59:58 2024\r\n");
    EXPECT_EQ(server.Accepted(), 1);
}

TEST(DayTimeClient, ACancelEndsTheDataWait) {
    LoopbackServer server([](int connection, LoopbackServer& self) { self.Drain(connection); });
    auto client = ClientFor(server.Port(), 0);
    QTimer::singleShot(100, client.get(), [&] { client->Cancel(); });
    try {
        client->GetDayTime();
        ADD_FAILURE() << "no exception";
    } catch (const EAbortError& error) {
        EXPECT_STREQ(error.what(), "Socket send aborted");
    }
    EXPECT_FALSE(client->Connected());
}

} // namespace
} // namespace rimo
