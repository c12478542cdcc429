#include "Exchanges.h"

#include "Bytes.h"
#include "Frame.h"

#include <algorithm>
#include <vector>

namespace krv {
namespace {

enum class Kind { Query, Command, BlockWrite, BlockRead };

void Fail(ExchangeContext& ctx, int message)
{
    ctx.sink.ShowStatus(ctx.messages.value(message), StatusColour::Red);
}

void FailPort(ExchangeContext& ctx)
{
    ctx.sink.ShowStatus(ctx.messages.value(MsgPortError) + ctx.port.Name(), StatusColour::Red);
}

// One request with up to three attempts. Returns the count of the last
// attempt's answer in `answer` (resized to it), or false on a port error.
bool Exchange(ExchangeContext& ctx, std::span<const std::uint8_t> request, std::size_t expected,
              std::vector<std::uint8_t>& answer)
{
    answer.assign(expected, 0);
    int got = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (!ctx.port.Purge() || !ctx.port.Write(request))
            return false;
        got = ctx.port.Read(answer);
        if (got < 0)
            return false;
        if (std::size_t(got) == expected)
            break;
    }
    answer.resize(std::size_t(got));
    return true;
}

// Judges the count and the check byte; true when both are right, otherwise
// it has shown the failure.
bool CountAndCheckRight(ExchangeContext& ctx, Kind kind, const std::vector<std::uint8_t>& answer,
                        std::size_t expected)
{
    if (answer.size() != expected) {
        if (kind == Kind::BlockRead)
            Fail(ctx, MsgTransferCode1);
        else
            Fail(ctx, answer.empty() ? MsgNoAnswer : MsgNoValidAnswer);
        return false;
    }
    if (!CheckByteMatches(answer)) {
        Fail(ctx, MsgTransferCode2);
        return false;
    }
    return true;
}

bool BlockEchoRight(const std::vector<std::uint8_t>& answer, std::span<const std::uint8_t> request)
{
    // start, command, address (offsets 4..7) and count (8..9) as requested.
    return answer[0] == request[0] && answer[1] == request[1] && std::equal(answer.begin() + 4, answer.begin() + 10, request.begin() + 4);
}

} // namespace

bool DiscardOneByte(SerialPort& port)
{
    std::uint8_t b[1];
    return port.Read(b) >= 0;
}

int Query(ExchangeContext& ctx, std::uint8_t command, std::span<std::uint8_t> dest)
{
    if (!DiscardOneByte(ctx.port)) {
        FailPort(ctx);
        return 1;
    }
    const auto request = BuildFrame(command, {});
    const std::size_t expected = dest.size() + kFrameOverhead;
    std::vector<std::uint8_t> answer;
    if (!Exchange(ctx, request, expected, answer)) {
        FailPort(ctx);
        return 1;
    }
    if (!CountAndCheckRight(ctx, Kind::Query, answer, expected))
        return 1;
    if (answer[0] != request[0] || answer[1] != request[1]) {
        Fail(ctx, MsgTransferCode3);
        return 1;
    }
    std::copy_n(answer.begin() + 4, dest.size(), dest.begin());
    return 0;
}

int SendCommand(ExchangeContext& ctx, std::uint8_t command, std::span<const std::uint8_t> payload)
{
    if (!DiscardOneByte(ctx.port)) {
        FailPort(ctx);
        return 1;
    }
    const auto request = BuildFrame(command, payload);
    std::vector<std::uint8_t> answer;
    if (!Exchange(ctx, request, kCommandAnswerSize, answer)) {
        FailPort(ctx);
        return 1;
    }
    if (!CountAndCheckRight(ctx, Kind::Command, answer, kCommandAnswerSize))
        return 1;
    const std::uint8_t status = answer[4];
    const bool echoed = answer[0] == request[0] && answer[1] == request[1];
    if (echoed && status == StatusOk)
        return 0;
    Fail(ctx, status == StatusFlashError ? MsgFlashError
              : status == StatusPasswordRequired ? MsgPasswordRequired
                                                 : MsgTransferCode3);
    return 1;
}

int WriteBlocks(ExchangeContext& ctx, int area, std::uint32_t startOffset, std::span<const std::uint8_t> source)
{
    ctx.sink.ShowProgress(0, int(source.size()));
    if (!DiscardOneByte(ctx.port)) {
        FailPort(ctx);
        return 1;
    }
    const auto command = WriteCommandOfArea(area);
    if (!command) {
        ctx.sink.ShowStatus(QString::fromUtf8(kBadAreaText), StatusColour::Red);
        return 1;
    }
    std::vector<std::uint8_t> answer;
    std::size_t done = 0;
    while (done < source.size()) {
        const std::size_t count = std::min(kBlockSize, source.size() - done);
        const auto request = BuildWriteBlock(*command, std::uint32_t(startOffset + done), source.subspan(done, count));
        if (!Exchange(ctx, request, kWriteAckSize, answer)) {
            FailPort(ctx);
            return 1;
        }
        if (!CountAndCheckRight(ctx, Kind::BlockWrite, answer, kWriteAckSize))
            return 1;
        const std::uint8_t status = answer[10];
        if (!BlockEchoRight(answer, request) || status != StatusOk) {
            Fail(ctx, status == StatusFlashError ? MsgFlashError : MsgTransferCode3);
            return 1;
        }
        done += count;
        ctx.sink.ShowProgress(int(done), int(source.size()));
    }
    return 0;
}

int ReadBlocks(ExchangeContext& ctx, int area, std::uint32_t startOffset, std::span<std::uint8_t> dest)
{
    ctx.sink.ShowProgress(0, int(dest.size()));
    if (!DiscardOneByte(ctx.port)) {
        FailPort(ctx);
        return 1;
    }
    const auto command = ReadCommandOfArea(area);
    if (!command) {
        ctx.sink.ShowStatus(QString::fromUtf8(kBadAreaText), StatusColour::Red);
        return 1;
    }
    std::vector<std::uint8_t> answer;
    std::size_t done = 0;
    while (done < dest.size()) {
        const std::size_t count = std::min(kBlockSize, dest.size() - done);
        const auto request = BuildReadBlock(*command, std::uint32_t(startOffset + done), std::uint16_t(count));
        const std::size_t expected = count + kReadAnswerOverhead;
        if (!Exchange(ctx, request, expected, answer)) {
            FailPort(ctx);
            return 1;
        }
        if (!CountAndCheckRight(ctx, Kind::BlockRead, answer, expected))
            return 1;
        if (!BlockEchoRight(answer, request)) {
            Fail(ctx, MsgTransferCode3);
            return 1;
        }
        std::copy_n(answer.begin() + 10, count, dest.begin() + done);
        done += count;
        ctx.sink.ShowProgress(int(done), int(dest.size()));
    }
    return 0;
}

} // namespace krv
