// Read, program and compare of MainImage against the paced simulator. For
// each: the measured time, the wire floor for the bytes actually sent and
// received (10 bits a byte at 19200 baud), and their ratio.
#include "DeviceHost.h"
#include "DeviceProcedures.h"
#include "Simulator.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace krv;

class NullSink final : public StatusSink {
public:
    void ShowStatus(const QString&, StatusColour) override {}
    void ShowText(const QString&) override {}
};

class BenchHost final : public DeviceHost {
public:
    SerialPortFactory Port() override { return QtSerialPortFactory(QStringLiteral("COMBNCH")); }
    StatusSink& ActionStatus() override { return m_sink; }
    StatusSink& HiddenStatus() override { return m_sink; }
    StatusSink& SystemStatus() override { return m_sink; }
    void ShowIdentity(const IdentityTexts&) override {}
    void SelectPage(int) override {}
    void DisableDeviceActions() override {}
    void EnableDeviceActions() override {}
    void StartMonitoring() override {}
    void StopMonitoring() override {}
    void ShowMessage(const QString&, const QString&, MessageIcon) override {}
    void ShowFileName(const QString&) override {}
    void ShowCommandResult(const QString&) override {}
    void ArmRestartTimer() override {}
    bool ClearModeMemoryChecked() override { return false; }
    bool RunClearConfigCountdown() override { return false; }

private:
    NullSink m_sink;
};

enum class Procedure { Read, Program, Compare };

void Run(benchmark::State& state, Procedure procedure, bool binaryByte)
{
    QTemporaryDir ports;
    qputenv("KRV_PORT_DIR", ports.path().toLocal8Bit());
    sim::Simulator controller({.alias = "COMBNCH", .paced = true, .binaryAnswerByte = binaryByte});
    if (!controller.Start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    ConfigStore store;
    BenchHost host;
    DeviceProcedures procedures(store, host);
    double seconds = 0, floor = 0;
    for (auto _ : state) {
        const auto in = controller.BytesIn(), out = controller.BytesOut();
        const auto start = std::chrono::steady_clock::now();
        const int rc = procedure == Procedure::Read      ? procedures.ReadConf()
                       : procedure == Procedure::Program ? procedures.Programm()
                                                         : procedures.CompareConf();
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        if (rc != 0) {
            state.SkipWithError("procedure failed");
            break;
        }
        seconds += elapsed;
        const double bytes = double(controller.BytesIn() - in + controller.BytesOut() - out);
        floor += bytes * 10 / kBaudRate;
    }
    controller.Stop();
    qunsetenv("KRV_PORT_DIR");
    const double n = double(state.iterations());
    state.counters["measured_s"] = seconds / n;
    state.counters["wire_floor_s"] = floor / n;
    state.counters["ratio"] = seconds / floor;
}

void BM_Read(benchmark::State& s) { Run(s, Procedure::Read, s.range(0) != 0); }
void BM_Program(benchmark::State& s) { Run(s, Procedure::Program, s.range(0) != 0); }
void BM_Compare(benchmark::State& s) { Run(s, Procedure::Compare, s.range(0) != 0); }

// Argument: 1 = the simulator sends one byte after "BINARY\r", 0 = nothing.
BENCHMARK(BM_Read)->Arg(1)->Arg(0)->Iterations(2)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Program)->Arg(1)->Arg(0)->Iterations(2)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Compare)->Arg(1)->Arg(0)->Iterations(2)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
