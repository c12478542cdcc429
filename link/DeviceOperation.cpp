#include "DeviceOperation.h"

#include "Exchanges.h"
#include "Frame.h"
#include "LinkLog.h"

#include <QThread>

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

namespace krv {
namespace {

bool IsBlockOperation(int operation)
{
    return operation == ReadArea || operation == WriteArea || operation == CompareArea;
}

std::uint8_t CommandOf(int operation)
{
    switch (operation) {
    case Identify: return CmdIdentify;
    case Request12: return CmdRequest12;
    case SetClock: return CmdSetClock;
    case Request14: return CmdRequest14;
    case ApplyConfiguration: return CmdApplyConfiguration;
    case Restart: return CmdRestart;
    case Login: return CmdLogin;
    case Control: return CmdControl;
    case Request21: return CmdRequest21;
    default: return 0;
    }
}

bool IsQuery(int operation)
{
    return operation == Identify || operation == Request12 || operation == Request14 || operation == Request21;
}

int SuccessText(int operation)
{
    switch (operation) {
    case Identify: return MsgVersionRead;
    case Request12:
    case Request14:
    case Request21: return MsgDataRead;
    case Restart: return MsgRestartStarted;
    default: return MsgDataSent;
    }
}

} // namespace

TReadData::TReadData(StatusSink& sink, SerialPortFactory port, std::uint32_t startOffset,
                     std::span<std::uint8_t> buffer, int area, int operation)
    : m_sink(sink), m_portFactory(std::move(port)), m_startOffset(startOffset), m_buffer(buffer), m_area(area),
      m_operation(operation), m_messages(DefaultStatusMessages())
{
}

TReadData::TReadData(StatusSink& sink, SerialPortFactory port, std::span<std::uint8_t> buffer, int operation)
    : TReadData(sink, std::move(port), 0, buffer, 0, operation)
{
}

TReadData::~TReadData()
{
    Wait();
}

void TReadData::SetMessages(const QStringList& messages)
{
    if (messages.size() == kStatusMessageCount && !m_thread)
        m_messages = messages;
}

void TReadData::SetFinishedCallback(std::function<void()> callback)
{
    if (!m_thread)
        m_finishedCallback = std::move(callback);
}

void TReadData::KeepReadData(std::span<std::uint8_t> out)
{
    if (!m_thread && out.size() == m_buffer.size())
        m_readCopy = out;
}

void TReadData::Start()
{
    if (m_thread)
        return;
    m_thread.reset(QThread::create([this] { Execute(); }));
    m_thread->start(QThread::NormalPriority);
}

int TReadData::Wait()
{
    if (m_thread)
        m_thread->wait();
    return m_result;
}

void TReadData::Execute()
{
    try {
        std::vector<std::uint8_t> work(m_buffer.size());
        std::unique_ptr<SerialPort> port = m_portFactory ? m_portFactory() : nullptr;
        if (!port || !port->Open() || !port->IsOpen()) {
            const QString name = port ? port->Name() : QString();
            m_sink.ShowStatus(m_messages.value(MsgCannotOpen) + name, StatusColour::Red);
        } else {
            m_result = RunSteps(*port, work);
            port->Close();
        }
    } catch (const std::exception& e) {
        qCWarning(lcLink) << "device operation failed:" << e.what();
        m_result = 1;
    } catch (...) {
        m_result = 1;
    }
    m_finished.store(true, std::memory_order_release);
    if (m_finishedCallback)
        m_finishedCallback();
}

int TReadData::RunSteps(SerialPort& port, std::span<std::uint8_t> work)
{
    if (m_operation < ReadArea || m_operation > Request21)
        return 1; // nothing sent, nothing shown
    ExchangeContext ctx{port, m_sink, m_messages};
    auto show = [&](int message, StatusColour colour) { m_sink.ShowStatus(m_messages.value(message), colour); };
    auto enterBinary = [&] {
        const auto* line = reinterpret_cast<const std::uint8_t*>(kBinaryLine);
        if (port.Purge() && port.Write({line, sizeof kBinaryLine - 1}))
            return true;
        m_sink.ShowStatus(m_messages.value(MsgPortError) + port.Name(), StatusColour::Red);
        return false;
    };

    if (IsBlockOperation(m_operation)) {
        show(MsgIdentifying, StatusColour::Black);
        show(m_operation == WriteArea ? MsgWriting : MsgReading, StatusColour::Black);
        if (!enterBinary())
            return 1;
        if (m_operation == WriteArea) {
            if (WriteBlocks(ctx, m_area, m_startOffset, m_buffer) != 0)
                return 1;
            show(MsgReading, StatusColour::Black);
            if (ReadBlocks(ctx, m_area, m_startOffset, work) != 0)
                return 1;
            if (!std::equal(work.begin(), work.end(), m_buffer.begin())) {
                show(MsgVerifyMismatch, StatusColour::Red);
                return 1;
            }
            show(MsgProgrammed, StatusColour::Blue);
            return 0;
        }
        if (ReadBlocks(ctx, m_area, m_startOffset, work) != 0)
            return 1;
        if (m_operation == ReadArea) {
            std::copy(work.begin(), work.end(), m_buffer.begin());
            show(MsgDataRead, StatusColour::Blue);
            return 0;
        }
        if (!m_readCopy.empty())
            std::copy(work.begin(), work.end(), m_readCopy.begin());
        if (!std::equal(work.begin(), work.end(), m_buffer.begin())) {
            show(MsgCompareDiffer, StatusColour::Red);
            return 1;
        }
        show(MsgCompareEqual, StatusColour::Blue);
        return 0;
    }

    if (!enterBinary())
        return 1;
    show(MsgIdentifying, StatusColour::Black);
    const std::uint8_t command = CommandOf(m_operation);
    const int rc = IsQuery(m_operation) ? Query(ctx, command, work) : SendCommand(ctx, command, m_buffer);
    if (rc != 0)
        return 1;
    if (IsQuery(m_operation))
        std::copy(work.begin(), work.end(), m_buffer.begin());
    show(SuccessText(m_operation), StatusColour::Blue);
    return 0;
}

int RunOperation(StatusSink& sink, const SerialPortFactory& port, int operation, std::span<std::uint8_t> buffer,
                 int area, std::uint32_t startOffset, const QStringList* messages)
{
    TReadData op(sink, port, startOffset, buffer, area, operation);
    if (messages)
        op.SetMessages(*messages);
    op.Start();
    return op.Wait();
}

} // namespace krv
