#pragma once
// A stand-in for the controller on a pseudo-terminal: answers every command of
// the binary protocol, keeps memory areas 1 to 7, an administrator password,
// live values that change over time, paces its output at 19200 baud, and
// injects faults on request. Usable in-process (tests) and by krv614-sim.
//
// Thread safety: the simulator serves on its own thread; every public member
// may be called from any other thread.
#include "DeviceIdentity.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace krv::sim {

// Faults applied to the answers of frames with command `command` (-1: every
// command). Several may be combined.
struct Faults {
    int command = -1;
    bool silent = false;          // no answer at all
    int shortBy = 0;              // answers lose their last `shortBy` bytes
    bool badCheck = false;        // wrong check byte
    bool wrongEcho = false;       // command byte (and, for blocks, address) not echoed
    int status = -1;              // status byte forced to this value (0..255)
    bool successOnThirdAttempt = false; // the first two attempts of a request get 5 bytes
    bool corruptReadBack = false; // block reads deliver one data byte altered (check byte right)
    double bitErrorRate = 0.0;    // probability that an answer byte has one bit flipped
    int delayMs = 0;              // wait before each answer
    int disconnectAfter = 0;      // hang up instead of answering frame N+1 (0: never)
    bool wrongLengthField = false; // length field altered (check byte right); the configurator ignores it
};

struct Options {
    std::string alias;            // published in SimulatorPortFolder() when not empty
    bool paced = true;            // 19200 baud in both directions
    bool binaryAnswerByte = true; // one byte (0x06) after "BINARY\r", else nothing
    std::string password;         // administrator password in area 1 (offset 20)
    int clearAfterSeconds = 1800; // polling time after a refused login that clears the password
    unsigned seed = 1;
};

inline constexpr int kAreaCount = 7;
std::size_t AreaSize(int area); // 1..7

// The identity the simulator reports by default: KRV614, TQ, software 01.04.
DeviceIdentity DefaultSimIdentity();

class Simulator {
public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Opens the pseudo-terminal, publishes the alias and starts serving.
    bool Start();
    // Stops serving, closes the terminal and removes the alias.
    void Stop();
    // The device path of the side the configurator opens ("/dev/pts/N").
    std::string DevicePath() const;
    std::string Alias() const { return m_options.alias; }
    // True after a hang-up (disconnect fault) or Stop().
    bool HungUp() const { return m_hungUp.load(); }

    void SetFaults(const Faults& faults);
    void SetIdentity(const DeviceIdentity& identity);
    void SetPassword(const std::string& password);
    void SetBinaryAnswerByte(bool on);

    std::vector<std::uint8_t> Area(int area) const;
    void SetArea(int area, const std::vector<std::uint8_t>& bytes);

    // Every well-formed frame received, in order.
    std::vector<std::vector<std::uint8_t>> Received() const;
    void ClearReceived();
    // Bytes received and sent since start (the "BINARY\r" lines included).
    std::uint64_t BytesIn() const { return m_bytesIn.load(); }
    std::uint64_t BytesOut() const { return m_bytesOut.load(); }
    bool LoggedIn() const;
    // The last clock set by command 13 (its six payload bytes), if any.
    std::optional<std::vector<std::uint8_t>> LastClock() const;
    // The current live answers of commands 12 and 14.
    std::vector<std::uint8_t> StatusRecordNow() const;
    std::vector<std::uint8_t> TouchKeyRecordNow() const;

private:
    struct Impl;
    void Serve();
    // The answer to one well-formed frame (empty: no answer); sets hangUp
    // for the disconnect fault and delayMs for the delay fault.
    std::vector<std::uint8_t> Answer(const std::vector<std::uint8_t>& frame, bool& hangUp, int& delayMs);
    void HangUp();

    Options m_options;
    std::unique_ptr<Impl> m_impl;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_hungUp{false};
    std::atomic<std::uint64_t> m_bytesIn{0};
    std::atomic<std::uint64_t> m_bytesOut{0};
};

} // namespace krv::sim
