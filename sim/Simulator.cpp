#include "Simulator.h"

#include "Bytes.h"
#include "ConfigStore.h"
#include "Frame.h"
#include "PortNames.h"
#include "SerialPort.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <random>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace krv::sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::nanoseconds;

// One byte at 19200 baud, 8N1: 10 bits.
constexpr nanoseconds kByteTime{1'000'000'000LL * 10 / kBaudRate};
constexpr std::size_t kMaxPayload = kBlockSize + 6;
constexpr auto kPartialFrameTimeout = std::chrono::milliseconds(100);
constexpr std::size_t kPaceChunk = 8;

constexpr std::size_t kAreaSizes[kAreaCount] = {kMainImageSize, 2048, 2048, kModeMemorySize,
                                                kSystemParametersSize, kKeyListSize, 1024};

void SleepUntil(Clock::time_point t)
{
    const auto ns = std::chrono::duration_cast<nanoseconds>(t.time_since_epoch()).count();
    timespec ts{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void MakeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
}

void PutText(DeviceIdentity& id, std::size_t offset, const char* text)
{
    std::memcpy(id.data() + offset, text, std::strlen(text));
}

} // namespace

std::size_t AreaSize(int area)
{
    return area >= 1 && area <= kAreaCount ? kAreaSizes[area - 1] : 0;
}

DeviceIdentity DefaultSimIdentity()
{
    DeviceIdentity id{};
    PutText(id, 0, "KRV614");
    PutText(id, 9, "TQ");
    WriteU16(id, 18, 0x1402);
    WriteU16(id, 20, 0x0104);
    WriteU16(id, 22, 0x0101);
    PutText(id, 24, "14.03.2024");
    PutText(id, 36, "007");
    PutText(id, 56, "356938035643809");
    WriteU32(id, 72, 305419896);
    WriteU32(id, 76, 2271560481u);
    WriteU32(id, 80, 7);
    WriteU32(id, 84, 4000000000u);
    return id;
}

struct Simulator::Impl {
    mutable std::mutex mutex;
    int master = -1;
    int slave = -1; // kept open so that the terminal survives the configurator's closes
    int wake = -1;
    std::string devicePath;
    std::string linkPath;

    Faults faults;
    DeviceIdentity identity = DefaultSimIdentity();
    std::array<std::vector<std::uint8_t>, kAreaCount> areas;
    bool loggedIn = false;
    bool binaryAnswerByte = true;
    std::vector<std::vector<std::uint8_t>> received;
    std::optional<std::vector<std::uint8_t>> lastClock;
    std::mt19937 random;

    // Live state.
    Clock::time_point started = Clock::now();
    std::time_t clockBase = 0; // controller clock (as UTC fields) at clockSetAt
    Clock::time_point clockSetAt = Clock::now();
    std::uint8_t outputs = 0x01;
    std::array<std::uint8_t, 4> perimeterMode{0, 2, 0, 3};
    std::array<Clock::time_point, 4> perimeterChangeUntil{};
    std::array<std::uint8_t, 4> perimeterTarget{0, 2, 0, 3};
    std::uint16_t inputPulse = 0;
    Clock::time_point inputPulseUntil{};

    // Attempt tracking and the clear-password countdown.
    std::vector<std::uint8_t> lastFrame;
    int attempt = 0;
    int answered = 0;
    std::optional<Clock::time_point> refusedAt;
    Clock::time_point busySince{};
    Clock::time_point lastFrameAt{};

    // The password in force: taken from area 1 when the configuration is
    // applied or the controller restarts, not while area 1 is being written.
    std::array<std::uint8_t, kAdminPasswordWidth> password{};
    void ActivatePassword() { password = AdminPasswordField(areas[0]); }
    bool PasswordSet() const { return password[0] != 0; }
    bool NeedsLogin() const { return PasswordSet() && !loggedIn; }

    double Seconds() const { return std::chrono::duration<double>(Clock::now() - started).count(); }

    void UpdateModes()
    {
        const auto now = Clock::now();
        for (int p = 0; p < 4; ++p)
            if (perimeterMode[p] == 1 && now >= perimeterChangeUntil[p])
                perimeterMode[p] = perimeterTarget[p];
    }

    std::vector<std::uint8_t> StatusRecord()
    {
        UpdateModes();
        std::vector<std::uint8_t> r(36, 0);
        const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - clockSetAt).count();
        const std::time_t t = clockBase + std::time_t(elapsed);
        std::tm tm{};
        gmtime_r(&t, &tm);
        r[0] = std::uint8_t(tm.tm_year % 100);
        r[1] = std::uint8_t(tm.tm_mon + 1);
        r[2] = std::uint8_t(tm.tm_mday);
        r[3] = std::uint8_t(tm.tm_hour);
        r[4] = std::uint8_t(tm.tm_min);
        r[5] = std::uint8_t(tm.tm_sec);
        const double s = Seconds();
        for (int k = 0; k < 8; ++k) {
            const double v = 2048 + 1800 * std::sin(s / 4.0 + k * 0.7);
            WriteU16(r, std::size_t(6 + 2 * k), std::uint16_t(std::clamp(v, 0.0, 4095.0)));
        }
        r[22] = std::uint8_t(122 + int(s / 3) % 6);
        const int second = int(s) % 60;
        r[24] = second >= 50 && second < 55 ? 254 : std::uint8_t(70 + int(s / 10) % 31);
        r[25] = std::uint8_t((12 + int(s / 2) % 15) | 0x20);
        std::uint8_t modes = 0;
        for (int p = 0; p < 4; ++p)
            modes |= std::uint8_t((perimeterMode[p] & 3) << (2 * p));
        r[26] = modes;
        r[27] = 0x03;
        std::uint8_t inputs = std::uint8_t(1u << (int(s) % 8));
        if (Clock::now() < inputPulseUntil)
            inputs |= std::uint8_t(inputPulse);
        r[28] = inputs;
        r[29] = outputs;
        r[30] = 8;
        r[31] = std::uint8_t(std::int8_t(21 + int(s / 5) % 5));
        const float balance = 1234.56f;
        std::uint32_t bits;
        std::memcpy(&bits, &balance, 4);
        WriteU32(r, 32, bits);
        return r;
    }

    std::vector<std::uint8_t> TouchKeyRecord() const
    {
        std::vector<std::uint8_t> r(12, 0);
        const int phase = int(Seconds()) % 15;
        if (phase >= 10 && phase < 13) {
            const std::uint8_t code[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
            std::copy(code, code + 8, r.begin());
            r[8] = 0x03;
        }
        return r;
    }
};

Simulator::Simulator(Options options) : m_options(std::move(options)), m_impl(std::make_unique<Impl>())
{
    Impl& d = *m_impl;
    d.binaryAnswerByte = m_options.binaryAnswerByte;
    d.random.seed(m_options.seed);
    const MainImageBytes& factory = FactoryMainImage();
    d.areas[0].assign(factory.begin(), factory.end());
    const ModeMemoryBytes& modes = FactoryModeMemory();
    d.areas[3].assign(modes.begin(), modes.end());
    for (int a = 1; a <= kAreaCount; ++a)
        if (d.areas[a - 1].empty())
            d.areas[a - 1].assign(AreaSize(a), 0);
    // Individual values of this unit: clock calibration 12345, add a second.
    WriteU32(d.areas[4], 0, 12345u | (0u << 17));
    ConfigStore keys;
    d.areas[5].assign(keys.KeyList.begin(), keys.KeyList.end());
    SetPassword(m_options.password);
    d.clockBase = std::time(nullptr);
    {
        std::tm local{};
        localtime_r(&d.clockBase, &local);
        d.clockBase = timegm(&local);
    }
}

Simulator::~Simulator()
{
    Stop();
}

bool Simulator::Start()
{
    Impl& d = *m_impl;
    if (m_thread.joinable())
        return true;
    d.master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (d.master < 0 || grantpt(d.master) != 0 || unlockpt(d.master) != 0)
        return false;
    char name[128];
    if (ptsname_r(d.master, name, sizeof name) != 0)
        return false;
    d.devicePath = name;
    d.slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (d.slave < 0)
        return false;
    MakeRaw(d.slave);
    MakeRaw(d.master);
    fcntl(d.master, F_SETFL, fcntl(d.master, F_GETFL) | O_NONBLOCK);
    d.wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (!m_options.alias.empty()) {
        const std::string folder = SimulatorPortFolder().toStdString();
        ::mkdir(folder.c_str(), 0700);
        d.linkPath = folder + "/" + m_options.alias;
        ::unlink(d.linkPath.c_str());
        if (::symlink(d.devicePath.c_str(), d.linkPath.c_str()) != 0)
            d.linkPath.clear();
    }
    m_stop = false;
    m_hungUp = false;
    m_thread = std::thread([this] { Serve(); });
    return true;
}

void Simulator::Stop()
{
    Impl& d = *m_impl;
    m_stop = true;
    if (d.wake >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] auto n = ::write(d.wake, &one, sizeof one);
    }
    if (m_thread.joinable())
        m_thread.join();
    HangUp();
    if (d.wake >= 0) {
        ::close(d.wake);
        d.wake = -1;
    }
}

void Simulator::HangUp()
{
    Impl& d = *m_impl;
    std::lock_guard lock(d.mutex);
    if (!d.linkPath.empty()) {
        ::unlink(d.linkPath.c_str());
        d.linkPath.clear();
    }
    if (d.slave >= 0) {
        ::close(d.slave);
        d.slave = -1;
    }
    if (d.master >= 0) {
        ::close(d.master);
        d.master = -1;
    }
    m_hungUp = true;
}

std::string Simulator::DevicePath() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->devicePath;
}

void Simulator::SetFaults(const Faults& faults)
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->faults = faults;
    m_impl->lastFrame.clear();
    m_impl->attempt = 0;
}

void Simulator::SetIdentity(const DeviceIdentity& identity)
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->identity = identity;
}

void Simulator::SetPassword(const std::string& password)
{
    std::lock_guard lock(m_impl->mutex);
    auto& area = m_impl->areas[0];
    std::fill(area.begin() + kAdminPasswordOffset, area.begin() + kAdminPasswordOffset + kAdminPasswordWidth, 0);
    std::copy_n(password.begin(), std::min<std::size_t>(password.size(), kAdminPasswordWidth - 1),
                area.begin() + kAdminPasswordOffset);
    m_impl->ActivatePassword();
    m_impl->loggedIn = false;
}

void Simulator::SetBinaryAnswerByte(bool on)
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->binaryAnswerByte = on;
}

std::vector<std::uint8_t> Simulator::Area(int area) const
{
    std::lock_guard lock(m_impl->mutex);
    return area >= 1 && area <= kAreaCount ? m_impl->areas[area - 1] : std::vector<std::uint8_t>{};
}

void Simulator::SetArea(int area, const std::vector<std::uint8_t>& bytes)
{
    std::lock_guard lock(m_impl->mutex);
    if (area >= 1 && area <= kAreaCount) {
        auto& a = m_impl->areas[area - 1];
        std::copy_n(bytes.begin(), std::min(bytes.size(), a.size()), a.begin());
    }
}

std::vector<std::vector<std::uint8_t>> Simulator::Received() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->received;
}

void Simulator::ClearReceived()
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->received.clear();
}

bool Simulator::LoggedIn() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->loggedIn;
}

std::optional<std::vector<std::uint8_t>> Simulator::LastClock() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->lastClock;
}

std::vector<std::uint8_t> Simulator::StatusRecordNow() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->StatusRecord();
}

std::vector<std::uint8_t> Simulator::TouchKeyRecordNow() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->TouchKeyRecord();
}

namespace {

std::vector<std::uint8_t> CommandAnswer(std::uint8_t command, std::uint8_t status)
{
    const std::uint8_t payload[1] = {status};
    return BuildFrame(command, payload);
}

} // namespace

// Serving loop: reads what the configurator sends, paces it as a 19200-baud
// line would deliver it, answers complete frames, and paces the answers.
void Simulator::Serve()
{
    Impl& d = *m_impl;
    std::vector<std::uint8_t> in;
    Clock::time_point rxClock{}; // when the last byte read would have arrived on the wire
    Clock::time_point txClock{}; // when the last byte sent has left on the wire
    Clock::time_point lastRx = Clock::now();

    // Sends bytes, paced unless pacing is off. Returns false after a hang-up.
    auto send = [&](std::vector<std::uint8_t> bytes) {
        if (bytes.empty())
            return true;
        std::size_t done = 0;
        Clock::time_point t = std::max(Clock::now(), txClock);
        while (done < bytes.size()) {
            const std::size_t n = m_options.paced ? std::min(kPaceChunk, bytes.size() - done) : bytes.size() - done;
            if (m_options.paced) {
                t += kByteTime * std::int64_t(n);
                SleepUntil(t); // the chunk's last byte has left the wire
            }
            int master;
            {
                std::lock_guard lock(d.mutex);
                master = d.master;
            }
            if (master < 0)
                return false;
            const ssize_t w = ::write(master, bytes.data() + done, n);
            if (w < 0) {
                if (errno == EAGAIN || errno == EINTR) {
                    pollfd p{master, POLLOUT, 0};
                    ::poll(&p, 1, 10);
                    continue;
                }
                return false;
            }
            done += std::size_t(w);
            m_bytesOut += std::uint64_t(w);
        }
        txClock = t;
        return true;
    };

    while (!m_stop) {
        int master;
        {
            std::lock_guard lock(d.mutex);
            master = d.master;
        }
        if (master < 0)
            return;
        pollfd fds[2] = {{master, POLLIN, 0}, {d.wake, POLLIN, 0}};
        const int ready = ::poll(fds, 2, in.empty() ? 200 : 20);
        if (m_stop)
            return;
        if (ready > 0 && (fds[0].revents & POLLIN)) {
            std::uint8_t buf[4096];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                const auto now = Clock::now();
                lastRx = now;
                in.insert(in.end(), buf, buf + n);
                m_bytesIn += std::uint64_t(n);
                rxClock = std::max(rxClock, now) + kByteTime * std::int64_t(n);
            }
        } else if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
            // Cannot happen while our own slave descriptor is open; avoid spinning anyway.
            ::poll(nullptr, 0, 20);
        }
        if (!in.empty() && Clock::now() - lastRx > kPartialFrameTimeout)
            in.clear(); // a partial frame that never completed

        // Answer everything complete in the buffer.
        for (;;) {
            if (in.empty())
                break;
            if (in[0] == 'B') {
                const std::size_t lineSize = sizeof kBinaryLine - 1;
                const std::size_t n = std::min(in.size(), lineSize);
                if (std::memcmp(in.data(), kBinaryLine, n) != 0) {
                    in.erase(in.begin());
                    continue;
                }
                if (in.size() < lineSize)
                    break;
                in.erase(in.begin(), in.begin() + lineSize);
                bool answerByte;
                {
                    std::lock_guard lock(d.mutex);
                    answerByte = d.binaryAnswerByte;
                    d.lastFrame.clear(); // a new operation: attempts count afresh
                }
                if (m_options.paced)
                    SleepUntil(rxClock);
                if (answerByte && !send({0x06}))
                    return;
                continue;
            }
            if (in[0] != kFrameStart) {
                in.erase(in.begin());
                continue;
            }
            if (in.size() < 4)
                break;
            const std::size_t length = ReadU16(in, 2);
            if (length > kMaxPayload) {
                in.erase(in.begin());
                continue;
            }
            if (in.size() < length + kFrameOverhead)
                break;
            std::vector<std::uint8_t> frame(in.begin(), in.begin() + std::ptrdiff_t(length + kFrameOverhead));
            if (!CheckByteMatches(frame)) {
                in.erase(in.begin()); // not a frame after all; look further
                continue;
            }
            in.erase(in.begin(), in.begin() + std::ptrdiff_t(frame.size()));
            if (m_options.paced)
                SleepUntil(rxClock);
            bool hangUp = false;
            int delayMs = 0;
            std::vector<std::uint8_t> answer = Answer(frame, hangUp, delayMs);
            if (hangUp) {
                HangUp();
                return;
            }
            if (delayMs > 0)
                SleepUntil(Clock::now() + std::chrono::milliseconds(delayMs));
            if (!send(std::move(answer)))
                return;
        }
    }
}

std::vector<std::uint8_t> Simulator::Answer(const std::vector<std::uint8_t>& frame, bool& hangUp, int& delayMs)
{
    Impl& d = *m_impl;
    std::lock_guard lock(d.mutex);
    d.received.push_back(frame);
    const auto now = Clock::now();
    const std::uint8_t command = frame[1];
    const std::span<const std::uint8_t> payload(frame.data() + 4, frame.size() - kFrameOverhead);

    if (frame == d.lastFrame) {
        ++d.attempt;
    } else {
        d.attempt = 1;
        d.lastFrame = frame;
    }

    // A refused login followed by uninterrupted polling clears the password.
    if (d.refusedAt) {
        if (now - d.lastFrameAt > std::chrono::seconds(5))
            d.busySince = now;
        if (now - d.busySince >= std::chrono::seconds(m_options.clearAfterSeconds)) {
            const MainImageBytes& factory = FactoryMainImage();
            d.areas[0].assign(factory.begin(), factory.end());
            d.ActivatePassword();
            d.refusedAt.reset();
        }
    }
    d.lastFrameAt = now;

    const Faults& f = d.faults;
    const bool faulty = f.command < 0 || f.command == command;
    if (faulty && f.disconnectAfter > 0 && d.answered >= f.disconnectAfter) {
        hangUp = true;
        return {};
    }
    ++d.answered;
    if (faulty && f.silent)
        return {};
    if (faulty)
        delayMs = f.delayMs;

    std::vector<std::uint8_t> answer;
    bool isStatusAnswer = false; // command answers and write acknowledgements carry a status
    std::size_t statusAt = 0;
    bool isBlockRead = false;
    if (const auto block = AreaOfCommand(command)) {
        auto& area = d.areas[block->area - 1];
        const std::uint32_t address = payload.size() >= 6 ? ReadU32(payload, 0) : 0;
        const std::uint16_t count = payload.size() >= 6 ? ReadU16(payload, 4) : 0;
        const bool inRange = payload.size() >= 6 && count <= kBlockSize && address + count <= area.size();
        if (block->write) {
            std::uint8_t status = StatusOk;
            if (d.NeedsLogin())
                status = StatusPasswordRequired;
            else if (!inRange || payload.size() != std::size_t(count) + 6)
                status = 3;
            else
                std::copy(payload.begin() + 6, payload.end(), area.begin() + address);
            std::uint8_t body[8];
            std::copy_n(payload.begin(), std::min<std::size_t>(6, payload.size()), body);
            body[6] = status;
            body[7] = 0;
            answer = BuildFrame(command, body);
            isStatusAnswer = true;
            statusAt = 10;
        } else if (d.NeedsLogin() || !inRange || payload.size() != 8) {
            // No data without a login or for a range outside the area: a
            // status answer, which the configurator takes as a short answer.
            answer = CommandAnswer(command, d.NeedsLogin() ? StatusPasswordRequired : 3);
        } else {
            std::vector<std::uint8_t> body(6 + count);
            std::copy_n(payload.begin(), 6, body.begin());
            std::copy_n(area.begin() + address, count, body.begin() + 6);
            if (faulty && f.corruptReadBack && count > 0)
                body[6 + count / 2] ^= 0x5A;
            answer = BuildFrame(command, body);
            isBlockRead = true;
        }
    } else {
        auto status = [&](std::uint8_t s) {
            answer = CommandAnswer(command, s);
            isStatusAnswer = true;
            statusAt = 4;
        };
        switch (command) {
        case CmdIdentify: answer = BuildFrame(command, d.identity); break;
        case CmdRequest12: answer = BuildFrame(command, d.StatusRecord()); break;
        case CmdRequest14: answer = BuildFrame(command, d.TouchKeyRecord()); break;
        case CmdRequest21: {
            std::vector<std::uint8_t> body(16, 0);
            WriteU32(body, 0, std::uint32_t(d.answered));
            answer = BuildFrame(command, body);
            break;
        }
        case CmdSetClock:
            if (payload.size() != 6) {
                status(3);
                break;
            }
            {
                std::tm tm{};
                tm.tm_year = 100 + payload[0];
                tm.tm_mon = payload[1] - 1;
                tm.tm_mday = payload[2];
                tm.tm_hour = payload[3];
                tm.tm_min = payload[4];
                tm.tm_sec = payload[5];
                d.clockBase = timegm(&tm);
                d.clockSetAt = now;
                d.lastClock = std::vector<std::uint8_t>(payload.begin(), payload.end());
            }
            status(StatusOk);
            break;
        case CmdLogin: {
            const auto& stored = d.password;
            // Without a password any login is accepted: that is how a first
            // password gets programmed.
            const bool right = payload.size() == kAdminPasswordWidth &&
                               (!d.PasswordSet() || std::equal(stored.begin(), stored.end(), payload.begin()));
            d.loggedIn = right;
            if (right) {
                d.refusedAt.reset();
            } else if (!d.refusedAt) {
                d.refusedAt = now;
                d.busySince = now;
            }
            status(right ? StatusOk : StatusPasswordRequired);
            break;
        }
        case CmdApplyConfiguration:
            if (d.NeedsLogin()) {
                status(StatusPasswordRequired);
            } else {
                status(StatusOk);
                d.ActivatePassword();
            }
            break;
        case CmdRestart:
            if (d.NeedsLogin()) {
                status(StatusPasswordRequired);
            } else {
                status(StatusOk);
                d.ActivatePassword();
                d.loggedIn = false;
            }
            break;
        case CmdControl: {
            if (d.NeedsLogin()) {
                status(StatusPasswordRequired);
                break;
            }
            if (payload.size() != 3) {
                status(3);
                break;
            }
            const std::uint8_t sub = payload[0], object = payload[1], action = payload[2];
            std::uint8_t result = StatusOk;
            if ((sub == 0 || sub == 1) && object < 4) {
                d.perimeterMode[object] = 1;
                d.perimeterTarget[object] = sub == 0 ? 2 : 0;
                d.perimeterChangeUntil[object] = now + std::chrono::seconds(2);
            } else if (sub == 2 && object < 7 && action >= 1 && action <= 16) {
                const std::uint8_t bit = std::uint8_t(1u << object);
                if (action == 2)
                    d.outputs &= std::uint8_t(~bit);
                else
                    d.outputs |= bit;
            } else if (sub == 4 && object < 16) {
                d.inputPulse = std::uint16_t(1u << object);
                d.inputPulseUntil = now + std::chrono::seconds(2);
            } else {
                result = 3;
            }
            status(result);
            break;
        }
        default: status(3); break;
        }
    }

    if (!faulty)
        return answer;
    bool recheck = false;
    if (f.status >= 0 && isStatusAnswer) {
        answer[statusAt] = std::uint8_t(f.status);
        recheck = true;
    }
    if (f.wrongLengthField) {
        answer[2] ^= 0x33;
        recheck = true;
    }
    if (f.wrongEcho) {
        answer[1] ^= 0x40;
        if (isBlockRead || (isStatusAnswer && statusAt == 10))
            answer[4] ^= 0x01;
        recheck = true;
    }
    if (recheck)
        answer.back() = CheckByte(std::span(answer).subspan(1, answer.size() - 2));
    if (f.badCheck)
        answer.back() ^= 0xFF;
    if (f.successOnThirdAttempt) {
        if (d.attempt < 3)
            answer.resize(std::min<std::size_t>(answer.size(), 5));
        else
            d.lastFrame.clear(); // the next request starts again at attempt 1
    }
    if (f.shortBy > 0)
        answer.resize(answer.size() > std::size_t(f.shortBy) ? answer.size() - std::size_t(f.shortBy) : 0);
    if (f.bitErrorRate > 0) {
        std::bernoulli_distribution hit(std::min(1.0, f.bitErrorRate));
        std::uniform_int_distribution<int> bit(0, 7);
        for (auto& b : answer)
            if (hit(d.random))
                b ^= std::uint8_t(1u << bit(d.random));
    }
    return answer;
}

} // namespace krv::sim
