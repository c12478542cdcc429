#pragma once
// One device operation on its own short-lived thread (TReadData): open the
// port, enter binary mode, run one exchange or block transfer, show the
// result on the status sink, close the port.
//
// Creator's protocol: construct, optionally SetMessages(), Start(), Wait()
// (or just destroy: the destructor waits for the end). While the operation
// runs the creator touches neither the buffer nor the sink. Nothing is thrown
// across the thread boundary; the result is 0 for success and 1 otherwise.
#include "SerialPort.h"
#include "StatusSink.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <memory>

class QThread;

namespace krv {

enum DeviceOperation : int {
    ReadArea = 0,
    WriteArea = 1,
    CompareArea = 2,
    Identify = 3,
    Request12 = 4,
    SetClock = 5,
    Request14 = 6,
    ApplyConfiguration = 7,
    Restart = 8,
    Login = 9,
    Control = 10,
    Request21 = 11,
};

class TReadData {
public:
    // Block form: `buffer` is the source (write, compare) or the destination
    // (read) of buffer.size() bytes of `area` from `startOffset`.
    TReadData(StatusSink& sink, SerialPortFactory port, std::uint32_t startOffset, std::span<std::uint8_t> buffer,
              int area, int operation);
    // Simple form: `buffer` holds the command payload (commands) or receives
    // the answer data (queries, N = buffer.size()).
    TReadData(StatusSink& sink, SerialPortFactory port, std::span<std::uint8_t> buffer, int operation);
    ~TReadData();
    TReadData(const TReadData&) = delete;
    TReadData& operator=(const TReadData&) = delete;

    // Replaces the texts; a list without exactly 20 entries is ignored.
    // Only before Start().
    void SetMessages(const QStringList& messages);
    // Called on the operation's thread right after the port has been closed;
    // lets a UI creator wake its waiting loop. Only before Start().
    void SetFinishedCallback(std::function<void()> callback);

    // CompareArea only: after a complete read, the bytes read are also copied
    // to `out` (of the buffer's size), so that a caller can show what differs.
    // Only before Start().
    void KeepReadData(std::span<std::uint8_t> out);

    // Runs the operation on a new thread. Once only.
    void Start();
    // Waits for the end and returns the result (1 when never started).
    int Wait();
    bool Finished() const { return m_finished.load(std::memory_order_acquire); }

private:
    void Execute();
    int RunSteps(SerialPort& port, std::span<std::uint8_t> work);

    StatusSink& m_sink;
    SerialPortFactory m_portFactory;
    std::uint32_t m_startOffset = 0;
    std::span<std::uint8_t> m_buffer;
    int m_area = 0;
    int m_operation = 0;
    QStringList m_messages;
    std::function<void()> m_finishedCallback;
    std::span<std::uint8_t> m_readCopy;
    int m_result = 1;
    std::atomic<bool> m_finished{false};
    std::unique_ptr<QThread> m_thread; // a QThread, so that QSerialPort finds its event dispatcher
};

// Constructs, starts and waits for one operation; returns its result.
int RunOperation(StatusSink& sink, const SerialPortFactory& port, int operation, std::span<std::uint8_t> buffer,
                 int area = 0, std::uint32_t startOffset = 0, const QStringList* messages = nullptr);

} // namespace krv
