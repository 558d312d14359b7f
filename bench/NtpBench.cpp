// The NTP exchange: wall and processor time of one exchange on loopback (with
// a server of our own, and with chrony), and the accuracy of the measured
// offset against chrony serving this machine's own clock, whose true offset
// is zero, over 100 exchanges.
#include "NetBench.h"
#include "net/ChronyServer.h"
#include "net/NtpClient.h"
#include "net/NtpTestServer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace rimo {
namespace {

using test::ChronyServer;
using test::NtpTestServer;

// One chronyd for all the benchmarks, ended at exit (before the application).
ChronyServer& Chrony() {
    EnsureApplication();
    static const std::unique_ptr<ChronyServer> chrony = std::make_unique<ChronyServer>();
    return *chrony;
}

// Runs exchanges with `client` in the benchmark's loop; wall time is the
// benchmark's own, processor time of the whole process a counter.
void Exchanges(benchmark::State& state, TNtpClient& client) {
    double processCpu = 0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        const NtpReading reading = client.GetNtpTime();
        processCpu += ProcessCpuSeconds() - before;
        if (reading.Fault != NtpFault::None) {
            state.SkipWithError("the server's reply gives no time");
            break;
        }
    }
    state.counters["process_cpu_us"] =
        benchmark::Counter(processCpu * 1e6 / static_cast<double>(state.iterations()));
}

void BM_NtpExchangeOnLoopback(benchmark::State& state) {
    EnsureApplication();
    NtpTestServer server(NtpTestServer::Honest());
    TNtpClient client;
    client.Host = "127.0.0.1";
    client.Port = server.Port();
    client.TimeOut = 5000;
    Exchanges(state, client);
}
BENCHMARK(BM_NtpExchangeOnLoopback)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Points the client at chrony; false (the benchmark skipped) when chrony does not run.
bool AskChrony(benchmark::State& state, TNtpClient& client) {
    if (!Chrony().Running()) {
        state.SkipWithError(Chrony().WhyNot().c_str());
        return false;
    }
    client.Host = Chrony().Address();
    client.TimeOut = 5000;
    return true;
}

void BM_NtpExchangeWithChrony(benchmark::State& state) {
    TNtpClient client;
    if (AskChrony(state, client)) {
        Exchanges(state, client);
    }
}
BENCHMARK(BM_NtpExchangeWithChrony)->UseRealTime()->Unit(benchmark::kMicrosecond);

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_NtpOffsetAccuracyAgainstChrony(benchmark::State& state) {
    TNtpClient client;
    if (!AskChrony(state, client)) {
        return;
    }
    std::vector<double> offsets;
    std::vector<double> roundTrips;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            const NtpReading reading = client.GetNtpTime();
            if (reading.Fault != NtpFault::None) {
                state.SkipWithError("chrony's reply gives no time");
                return;
            }
            offsets.push_back(std::abs(static_cast<double>(reading.OffsetNs)) / 1e6);
            roundTrips.push_back(static_cast<double>(reading.DelayNs) / 1e6);
        }
    }
    state.counters["median_abs_offset_ms"] = Median(offsets);
    state.counters["worst_abs_offset_ms"] = *std::max_element(offsets.begin(), offsets.end());
    state.counters["median_round_trip_ms"] = Median(roundTrips);
    state.counters["worst_round_trip_ms"] = *std::max_element(roundTrips.begin(), roundTrips.end());
}
BENCHMARK(BM_NtpOffsetAccuracyAgainstChrony)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rimo
