// krvctl device commands: argument parsing and output only; the procedures
// live in link/.
#include "AtomicFile.h"
#include "Commands.h"
#include "ConfigFile.h"
#include "Cp1251.h"
#include "DeviceHostTerminal.h"
#include "DeviceOperation.h"
#include "DeviceProcedures.h"
#include "FieldRules.h"
#include "FieldValues.h"
#include "LiveState.h"

#include <QFile>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <thread>

namespace krv::cli {

void StderrSink::Print(const QString& text)
{
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    std::cerr << text.toStdString() << '\n' << std::flush;
}

SerialPortFactory TerminalHost::Port()
{
    return QtSerialPortFactory(m_port);
}

void TerminalHost::ShowMessage(const QString&, const QString& text, MessageIcon)
{
    StderrSink::Print(text);
}

bool TerminalHost::RunClearConfigCountdown()
{
    if (!waitCountdown)
        return false;
    constexpr int kCountdownSeconds = 1800;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (int tick = 1; tick <= kCountdownSeconds + 1; ++tick) {
        DeviceIdentity identity{};
        SilentSink silent;
        if (RunOperation(silent, Port(), Identify, identity, 0, 0, &Messages()) != 0)
            return false; // the controller went away: the countdown is void
        std::this_thread::sleep_until(start + std::chrono::seconds(tick));
    }
    return true;
}

namespace {

struct Options {
    std::string port;
    std::optional<std::string> password;
    std::string output;
    bool clearModes = false;
    bool noRestart = false;
    bool waitCountdown = false;
    std::vector<std::string> positional;
};

// Parses the options a command allows; false (after a message) on anything else.
bool Parse(const Args& args, const std::string& allowed, Options& o)
{
    auto allows = [&](const char* name) { return allowed.find(std::string(name) + ' ') != std::string::npos; };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (a == "--port" && allows("--port")) {
            if (!value(o.port))
                return false;
        } else if (a == "--password" && allows("--password")) {
            std::string pw;
            if (!value(pw))
                return false;
            o.password = pw;
        } else if (a == "-o" && allows("-o")) {
            if (!value(o.output))
                return false;
        } else if (a == "--clear-modes" && allows("--clear-modes")) {
            o.clearModes = true;
        } else if (a == "--no-restart" && allows("--no-restart")) {
            o.noRestart = true;
        } else if (a == "--wait-countdown" && allows("--wait-countdown")) {
            o.waitCountdown = true;
        } else if (a.size() > 1 && a[0] == '-' && !(a.size() > 1 && std::isdigit(static_cast<unsigned char>(a[1])))) {
            return false;
        } else {
            o.positional.push_back(a);
        }
    }
    return !o.port.empty();
}

int Usage(const char* text)
{
    std::cerr << "usage: krvctl " << text << "\n";
    return kExitUsage;
}

// The administrator password as the common connection page stores it in
// MainImage offset 20: without one, nine zero bytes.
void PutPassword(ConfigStore& store, const Options& o)
{
    EncodeText(std::span(store.MainImage).subspan(kAdminPasswordOffset, kAdminPasswordWidth),
               ToCp1251(QString::fromStdString(o.password.value_or(""))), Trim::None);
}

// A value on one line: CR LF inside it removed.
std::string OneLine(QString text)
{
    text.remove(QStringLiteral("\r\n"));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.remove(QLatin1Char('\r'));
    return text.toStdString();
}

void PrintIdentity(const IdentityTexts& t)
{
    const std::pair<const char*, const QString*> lines[] = {
        {"name", &t.name},       {"modification", &t.modification}, {"hardware", &t.hardware},
        {"software", &t.software}, {"bootloader", &t.bootloader},   {"date", &t.date},
        {"country", &t.country}, {"binding", &t.binding},           {"imei", &t.imei},
        {"unique", &t.unique},   {"version", &t.version},
    };
    for (const auto& [key, value] : lines)
        std::cout << key << ": " << OneLine(*value) << '\n';
}

int Identify(const Args& args)
{
    Options o;
    if (!Parse(args, "--port ", o) || !o.positional.empty())
        return Usage("identify --port P");
    TerminalHost host(QString::fromStdString(o.port));
    ConfigStore store;
    DeviceProcedures procedures(store, host);
    const int result = procedures.IdentifyAndAccept(host.ActionStatus());
    if (host.Identity().name != DisplayIdentity(PlaceholderIdentity()).name || result == 0)
        PrintIdentity(host.Identity());
    return result == 0 ? kExitOk : kExitFailed;
}

int Read(const Args& args)
{
    Options o;
    if (!Parse(args, "--port --password -o ", o) || o.output.empty() || !o.positional.empty())
        return Usage("read --port P [--password PW] -o FILE");
    TerminalHost host(QString::fromStdString(o.port));
    ConfigStore store;
    PutPassword(store, o);
    DeviceProcedures procedures(store, host);
    if (procedures.ReadConf() != 0)
        return kExitFailed;
    if (SaveConfigFile(store, o.output) != 0) {
        std::cerr << o.output << ": не удалось записать файл\n";
        return kExitFailed;
    }
    return kExitOk;
}

int Program(const Args& args)
{
    Options o;
    if (!Parse(args, "--port --password --clear-modes --no-restart ", o) || o.positional.size() != 1)
        return Usage("program --port P [--password PW] [--clear-modes] [--no-restart] FILE");
    ConfigStore store;
    if (!LoadImageOrReport(o.positional[0], store.MainImage))
        return kExitUsage;
    PutPassword(store, o);
    TerminalHost host(QString::fromStdString(o.port));
    host.clearModes = o.clearModes;
    DeviceProcedures procedures(store, host);
    const int result = o.noRestart ? procedures.Reconfigurate() : procedures.Programm();
    return result == 0 ? kExitOk : kExitFailed;
}

int Compare(const Args& args)
{
    Options o;
    if (!Parse(args, "--port ", o) || o.positional.size() != 1)
        return Usage("compare --port P FILE");
    ConfigStore store;
    if (!LoadImageOrReport(o.positional[0], store.MainImage))
        return kExitUsage;
    TerminalHost host(QString::fromStdString(o.port));
    DeviceProcedures procedures(store, host);
    MainImageBytes controller = store.MainImage; // stays so unless the whole read succeeds
    if (procedures.CompareConf(&controller) == 0)
        return kExitOk;
    for (const FieldDifference& d : DiffBlocks(BlockId::MainImage, controller, store.MainImage))
        std::cout << d.Line() << '\n';
    return kExitFailed;
}

int Restart(const Args& args)
{
    Options o;
    if (!Parse(args, "--port --password ", o) || !o.positional.empty())
        return Usage("restart --port P [--password PW]");
    TerminalHost host(QString::fromStdString(o.port));
    ConfigStore store;
    PutPassword(store, o);
    DeviceProcedures procedures(store, host);
    return procedures.Reset() == 0 ? kExitOk : kExitFailed;
}

int FactoryReset(const Args& args)
{
    Options o;
    if (!Parse(args, "--port --wait-countdown ", o) || !o.positional.empty())
        return Usage("factory-reset --port P [--wait-countdown]");
    TerminalHost host(QString::fromStdString(o.port));
    host.waitCountdown = o.waitCountdown;
    ConfigStore store;
    DeviceProcedures procedures(store, host);
    return procedures.FactoryConfig() == 0 ? kExitOk : kExitFailed;
}

int SysParams(const Args& args)
{
    const char* usage = "sysparams read --port P [--password PW] -o FILE | sysparams program --port P [--password PW] FILE";
    if (args.empty())
        return Usage(usage);
    const std::string sub = args[0];
    Options o;
    if (!Parse(Args(args.begin() + 1, args.end()), "--port --password -o ", o))
        return Usage(usage);
    TerminalHost host(QString::fromStdString(o.port));
    ConfigStore store;
    PutPassword(store, o);
    DeviceProcedures procedures(store, host);
    if (sub == "read" && !o.output.empty() && o.positional.empty()) {
        if (procedures.ReadSystemParameters() != 0)
            return kExitFailed;
        const std::span<const unsigned char> parts[] = {store.SystemParameters};
        if (!WriteFileAtomically(o.output, parts)) {
            std::cerr << o.output << ": не удалось записать файл\n";
            return kExitFailed;
        }
        return kExitOk;
    }
    if (sub == "program" && o.output.empty() && o.positional.size() == 1) {
        QFile file(QString::fromStdString(o.positional[0]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::cerr << o.positional[0] << ": файл не может быть открыт\n";
            return kExitUsage;
        }
        const QByteArray bytes = file.readAll();
        if (bytes.size() != qsizetype(kSystemParametersSize)) {
            std::cerr << o.positional[0] << ": файл должен содержать ровно 24 байта\n";
            return kExitUsage;
        }
        std::copy(bytes.begin(), bytes.end(), store.SystemParameters.begin());
        return procedures.ProgramSystemParameters() == 0 ? kExitOk : kExitFailed;
    }
    return Usage(usage);
}

int Status(const Args& args)
{
    Options o;
    if (!Parse(args, "--port ", o) || !o.positional.empty())
        return Usage("status --port P");
    TerminalHost host(QString::fromStdString(o.port));
    ConfigStore store;
    DeviceProcedures procedures(store, host);
    if (procedures.IdentifyAndAccept(host.ActionStatus()) != 0)
        return kExitFailed;
    PrintIdentity(host.Identity());
    std::array<std::uint8_t, kStatusRecordSize> bytes{};
    if (procedures.Run(host.ActionStatus(), Request12, bytes) != 0)
        return kExitFailed;
    const StatusRecord r = ParseStatusRecord(bytes);
    const QLocale locale = QLocale::system();
    auto line = [](const char* key, const QString& value) { std::cout << key << ": " << OneLine(value) << '\n'; };
    line("clock", ControllerClockText(r));
    line("gsm", GsmStateText(DefaultGsmStateTexts(), r.gsmState));
    line("signal", QString::number(SignalLevel(r.signalFlags)));
    line("balance", BalanceText(r.BalanceValid(), r.balance, locale));
    const TemperatureDisplay t = TemperatureFor(r.temperature, r.TemperatureValid(), locale);
    line("temperature", t.valid ? t.value : t.caption);
    const PowerDisplay power = MainPowerFor(r.mainPower, locale);
    line("power", power.text);
    const BatteryDisplay battery = BatteryFor(r.battery);
    line("battery", battery.percent + QLatin1Char(' ') + battery.message.trimmed());
    for (int p = 0; p < 4; ++p) {
        const std::string key = "perimeter" + std::to_string(p + 1);
        line(key.c_str(), PerimeterPanelFor(PerimeterMode(r.perimeterModes, p), PanelColour::ButtonFace).caption);
    }
    QString inputs, outputs, analog;
    for (int k = 0; k < 16; ++k)
        inputs += IndicatorColour(r.inputs, k) == PanelColour::Lime ? QLatin1Char('1') : QLatin1Char('0');
    for (int k = 0; k < 7; ++k)
        outputs += IndicatorColour(r.outputs, k) == PanelColour::Lime ? QLatin1Char('1') : QLatin1Char('0');
    for (int k = 0; k < 8; ++k)
        analog += (k ? QStringLiteral(" ") : QString()) + QString::number(r.analog[k]);
    line("inputs", inputs);
    line("outputs", outputs);
    line("analog", analog);
    return kExitOk;
}

// A 1-based number in [1, max]; nullopt otherwise.
std::optional<int> Index(const std::string& text, int max)
{
    const auto v = ParseInteger(text);
    if (!v || *v < 1 || *v > max)
        return std::nullopt;
    return int(*v);
}

int Control(const Args& args)
{
    const char* usage = "control --port P [--password PW] output K on|off|scenario S | arm N | disarm N | input N";
    Options o;
    if (!Parse(args, "--port --password ", o) || o.positional.size() < 2)
        return Usage(usage);
    const auto& p = o.positional;
    std::optional<std::array<std::uint8_t, 3>> payload;
    if (p[0] == "output" && p.size() >= 3) {
        const auto k = Index(p[1], 7);
        if (k && p[2] == "on" && p.size() == 3)
            payload = OutputOnPayload(*k - 1);
        else if (k && p[2] == "off" && p.size() == 3)
            payload = OutputOffPayload(*k - 1);
        else if (k && p[2] == "scenario" && p.size() == 4)
            if (const auto s = Index(p[3], 14))
                payload = ScenarioPayload(*k - 1, *s - 1);
    } else if (p.size() == 2) {
        if (p[0] == "arm")
            if (const auto n = Index(p[1], 4))
                payload = ArmPayload(*n - 1);
        if (p[0] == "disarm")
            if (const auto n = Index(p[1], 4))
                payload = DisarmPayload(*n - 1);
        if (p[0] == "input")
            if (const auto n = Index(p[1], 16))
                payload = InputPayload(*n - 1);
    }
    if (!payload)
        return Usage(usage);
    TerminalHost host(QString::fromStdString(o.port));
    ConfigStore store;
    PutPassword(store, o);
    DeviceProcedures procedures(store, host);
    return procedures.SendControl(*payload) == 0 ? kExitOk : kExitFailed;
}

int SetClock(const Args& args)
{
    Options o;
    if (!Parse(args, "--port ", o) || o.positional.size() != 1 || o.positional[0].empty())
        return Usage("set-clock --port P \"dd.mm.yy hh:mm:ss\"");
    const std::string& text = o.positional[0];
    if (const auto message = ValidateClockText(text)) {
        StderrSink::Print(*message);
        return kExitFailed;
    }
    TerminalHost host(QString::fromStdString(o.port));
    ConfigStore store;
    DeviceProcedures procedures(store, host);
    return procedures.SendClock(ClockPayload(text)) == 0 ? kExitOk : kExitFailed;
}

} // namespace

int RunDeviceCommand(const std::string& command, const Args& args)
{
    if (command == "identify") return Identify(args);
    if (command == "read") return Read(args);
    if (command == "program") return Program(args);
    if (command == "compare") return Compare(args);
    if (command == "restart") return Restart(args);
    if (command == "factory-reset") return FactoryReset(args);
    if (command == "sysparams") return SysParams(args);
    if (command == "status") return Status(args);
    if (command == "control") return Control(args);
    if (command == "set-clock") return SetClock(args);
    return -1;
}

} // namespace krv::cli
