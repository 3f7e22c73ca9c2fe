#include "cli/Cli.h"
#include "document/KeyFileWriter.h"
#include "link/SimulatedKeyboard.h"

#include "../tests/support/TableFixtures.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace quilby;

// A full `quilby-key download --port=sim` with the real pacing, timed from the
// keyboard's announcement to the last byte (the command's own "seconds")
// against the floor of 1960 x 25 ms = 49.0 s. It takes about 49 s, so it runs
// only when QUILBY_BENCH_CLI=1.

namespace {

constexpr double kFloorSeconds = 49.0;

double secondsOf(const std::string& json) {
    const auto at = json.find("\"seconds\": ");
    return at == std::string::npos ? -1 : std::strtod(json.c_str() + at + 11, nullptr);
}

void BM_CliFullDownloadPacing(benchmark::State& state) {
    const auto file = std::filesystem::temp_directory_path() / "quilby-bench-cli.KEY";
    std::ofstream(file, std::ios::binary) << writeKeyFile(quilby::testing::fullTable());
    for (auto _ : state) {
        SimulatedKeyboard keyboard;
        LinkEnvironment env;
        env.portEnv = "sim";
        env.simulator = &keyboard;
        env.simulatorAnnounceAfter = std::chrono::milliseconds(0);
        env.catchSignals = false;
        std::ostringstream out, err;
        const int status = runQuilbyKey({"download", "--json", file.string()}, out, err, env);
        const double seconds = secondsOf(out.str().substr(out.str().find("\"done\"")));
        if (status != 0 || seconds <= 0) {
            state.SkipWithError("the download did not complete");
            break;
        }
        state.SetIterationTime(seconds);
        state.counters["ratio_to_floor"] = seconds / kFloorSeconds;
        state.counters["bytes_received"] = static_cast<double>(keyboard.counters().bytesReceived);
    }
    std::filesystem::remove(file);
}

[[maybe_unused]] const bool registered = [] {
    const char* env = std::getenv("QUILBY_BENCH_CLI");
    if (env != nullptr && std::string(env) == "1") {
        benchmark::RegisterBenchmark("BM_CliFullDownloadPacing", BM_CliFullDownloadPacing)
            ->UseManualTime()
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    return true;
}();

} // namespace
