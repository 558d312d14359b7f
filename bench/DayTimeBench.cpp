// The daytime exchange: processor time while waiting for a slow server (the
// waits are event loops, so it must stay near zero), and the time of one
// exchange on loopback.
#include "NetBench.h"
#include "net/DayTimeClient.h"
#include "net/DayTimeReply.h"
#include "net/LoopbackServer.h"

#include <benchmark/benchmark.h>

namespace rimo {
namespace {

using test::LoopbackServer;

void BM_SyncWaitingTwoSecondsForASlowServer(benchmark::State& state) {
    EnsureApplication();
    LoopbackServer server([](int connection, LoopbackServer& self) {
        self.Pause(2000);
        LoopbackServer::Send(connection, "Tue Dec 31 09:59:58 2024\r\n");
    });
    TDayTimeClient client;
    client.Host = "127.0.0.1";
    client.Port = server.Port();
    client.TimeOut = 5000;
    double processCpu = 0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        const std::string reply = client.GetDayTime();
        processCpu += ProcessCpuSeconds() - before;
        benchmark::DoNotOptimize(reply);
        if (reply.empty()) {
            state.SkipWithError("no reply");
        }
    }
    // The whole process, the server's thread (sleeping in 5 ms steps) included.
    state.counters["process_cpu_ms"] =
        benchmark::Counter(processCpu * 1000 / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_SyncWaitingTwoSecondsForASlowServer)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_DayTimeExchangeOnLoopback(benchmark::State& state) {
    EnsureApplication();
    LoopbackServer server([](int connection, LoopbackServer&) {
        LoopbackServer::Send(connection, "Tue Dec 31 13:59:58 UTC 2024\r\n");
    });
    TDayTimeClient client;
    client.Host = "127.0.0.1";
    client.Port = server.Port();
    client.TimeOut = 5000;
    for (auto _ : state) {
        const DayTimeReading reading = ReadDayTimeReply(client.GetDayTime());
        if (!reading.Utc) {
            state.SkipWithError("unreadable reply");
        }
    }
}
BENCHMARK(BM_DayTimeExchangeOnLoopback)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The same against openbsd-inetd's internal service on port 13, when it runs.
void BM_DayTimeExchangeWithInetd(benchmark::State& state) {
    EnsureApplication();
    TDayTimeClient client;
    client.Host = "127.0.0.1";
    client.TimeOut = 5000;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(client.GetDayTime());
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
}
BENCHMARK(BM_DayTimeExchangeWithInetd)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rimo

BENCHMARK_MAIN();
