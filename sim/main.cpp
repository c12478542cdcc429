// krv614-sim: the controller simulator on a pseudo-terminal.
#include "Simulator.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

int Usage()
{
    std::cerr <<
        "usage: krv614-sim [options]\n"
        "  --alias NAME            port alias to publish (default COMSIM; at most 7 characters with C, O and M)\n"
        "  --no-pacing             answer at pseudo-terminal speed instead of 19200 baud\n"
        "  --no-binary-byte        send nothing after \"BINARY\\r\" (default: one byte)\n"
        "  --password PW           administrator password of the controller\n"
        "  --software HEX          software version (default 0104)\n"
        "  --hardware HEX          hardware version (default 1402)\n"
        "  --name TEXT             device name (default KRV614)\n"
        "  --modification TEXT     modification (default TQ)\n"
        "  --clear-after S         polling seconds after a refused login that clear the password (1800)\n"
        "faults (apply to every command, or to --fault-command N only):\n"
        "  --silent  --short N  --bad-check  --wrong-echo  --status V  --third-attempt\n"
        "  --corrupt-read-back  --bit-errors RATE  --delay MS  --disconnect-after N\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace krv::sim;
    Options options;
    options.alias = "COMSIM";
    Faults faults;
    krv::DeviceIdentity identity = DefaultSimIdentity();
    auto putText = [&](std::size_t offset, std::size_t width, const std::string& text) {
        std::fill(identity.begin() + offset, identity.begin() + offset + width, 0);
        std::memcpy(identity.data() + offset, text.data(), std::min(text.size(), width - 1));
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "krv614-sim: " << a << " needs a value\n";
                std::exit(Usage());
            }
            return argv[++i];
        };
        if (a == "--alias") options.alias = value();
        else if (a == "--no-pacing") options.paced = false;
        else if (a == "--no-binary-byte") options.binaryAnswerByte = false;
        else if (a == "--password") options.password = value();
        else if (a == "--clear-after") options.clearAfterSeconds = std::stoi(value());
        else if (a == "--software" || a == "--hardware") {
            const unsigned v = unsigned(std::stoul(value(), nullptr, 16));
            const std::size_t at = a == "--software" ? 20 : 18;
            identity[at] = std::uint8_t(v);
            identity[at + 1] = std::uint8_t(v >> 8);
        }
        else if (a == "--name") putText(0, 9, value());
        else if (a == "--modification") putText(9, 9, value());
        else if (a == "--fault-command") faults.command = std::stoi(value());
        else if (a == "--silent") faults.silent = true;
        else if (a == "--short") faults.shortBy = std::stoi(value());
        else if (a == "--bad-check") faults.badCheck = true;
        else if (a == "--wrong-echo") faults.wrongEcho = true;
        else if (a == "--status") faults.status = std::stoi(value());
        else if (a == "--third-attempt") faults.successOnThirdAttempt = true;
        else if (a == "--corrupt-read-back") faults.corruptReadBack = true;
        else if (a == "--bit-errors") faults.bitErrorRate = std::stod(value());
        else if (a == "--delay") faults.delayMs = std::stoi(value());
        else if (a == "--disconnect-after") faults.disconnectAfter = std::stoi(value());
        else return Usage();
    }
    if (!options.alias.empty() &&
        (options.alias.size() > 7 || options.alias.find('C') == std::string::npos ||
         options.alias.find('O') == std::string::npos || options.alias.find('M') == std::string::npos)) {
        std::cerr << "krv614-sim: the alias must have at most 7 characters and hold C, O and M\n";
        return 2;
    }
    Simulator sim(options);
    sim.SetIdentity(identity);
    sim.SetFaults(faults);
    if (!sim.Start()) {
        std::cerr << "krv614-sim: cannot open a pseudo-terminal\n";
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::cout << "krv614-sim: " << (options.alias.empty() ? sim.DevicePath() : options.alias) << " -> "
              << sim.DevicePath() << std::endl;
    while (!g_stop && !sim.HungUp())
        ::usleep(200000);
    sim.Stop();
    return 0;
}
