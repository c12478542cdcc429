// Random answers to every exchange kind. The first byte picks the exchange
// (and the area of block transfers); every read then takes one length byte
// from the input and delivers that many of the following bytes. Every
// failure must end in one red text of the failure table.
#include "Exchanges.h"
#include "Frame.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using namespace krv;

class ScriptedPort final : public SerialPort {
public:
    ScriptedPort(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    QString Name() const override { return QStringLiteral("COMFUZZ"); }
    bool Open() override { return true; }
    bool IsOpen() const override { return true; }
    void Close() override {}
    bool Purge() override { return true; }
    bool Write(std::span<const std::uint8_t>) override { return true; }
    int Read(std::span<std::uint8_t> dest) override
    {
        if (m_at >= m_size)
            return 0;
        const std::uint8_t code = m_data[m_at++];
        if (code == 0xFF)
            return -1; // a port error
        std::size_t n = code == 0xFE ? dest.size() : std::min<std::size_t>(code, dest.size());
        n = std::min(n, m_size - m_at);
        std::copy_n(m_data + m_at, n, dest.begin());
        m_at += n;
        return int(n);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

class LastTextSink final : public StatusSink {
public:
    void ShowStatus(const QString& text, StatusColour colour) override
    {
        last = text;
        red = colour == StatusColour::Red;
        ++count;
    }
    void ShowText(const QString& text) override { last = text; }
    QString last;
    bool red = false;
    int count = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    ScriptedPort port(data + 1, size - 1);
    LastTextSink sink;
    const QStringList& messages = DefaultStatusMessages();
    ExchangeContext ctx{port, sink, messages};
    const int kind = data[0] & 3;
    const int area = (data[0] >> 2) % 9; // 0 and 8 are invalid areas
    int rc = 0;
    std::vector<std::uint8_t> buffer;
    switch (kind) {
    case 0:
        buffer.assign(88, 0xEE);
        rc = Query(ctx, CmdIdentify, buffer);
        break;
    case 1: {
        const std::uint8_t payload[9] = {};
        rc = SendCommand(ctx, CmdLogin, payload);
        break;
    }
    case 2:
        buffer.assign(600, 0x11);
        rc = WriteBlocks(ctx, area, 0, buffer);
        break;
    default:
        buffer.assign(600, 0xEE);
        rc = ReadBlocks(ctx, area, 0, buffer);
        break;
    }
    if (rc != 0 && rc != 1)
        std::abort();
    if (rc == 0) {
        if (sink.count != 0)
            std::abort(); // success leaves the label alone
        return 0;
    }
    const bool known = sink.last == messages[MsgPortError] + QStringLiteral("COMFUZZ") ||
                       sink.last == QString::fromUtf8(kBadAreaText) ||
                       (messages.indexOf(sink.last) >= MsgNoValidAnswer && messages.indexOf(sink.last) <= MsgPasswordRequired);
    if (!known || !sink.red || sink.count != 1)
        std::abort();
    if (kind == 0 && std::any_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b != 0xEE; }))
        std::abort(); // a failed query never touches its destination
    return 0;
}
