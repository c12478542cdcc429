#pragma once
// Where device operations and procedures put their texts and progress: the
// window's status label and progress bar, or lines on a terminal.
#include <QString>
#include <QStringList>

#include <cstdint>

namespace krv {

// Colour of a status text.
enum class StatusColour { Black, Blue, Red };

// The colour as the toolkit's blue-green-red value: 0, 16711680 (blue), 255 (red).
constexpr std::uint32_t ToolkitColourValue(StatusColour c)
{
    return c == StatusColour::Blue ? 0xFF0000u : c == StatusColour::Red ? 0x0000FFu : 0u;
}
// The colour as 0xRRGGBB: black 0x000000, blue 0x0000FF, red 0xFF0000.
constexpr std::uint32_t RgbValue(StatusColour c)
{
    return c == StatusColour::Blue ? 0x0000FFu : c == StatusColour::Red ? 0xFF0000u : 0u;
}

// Receives the texts of one status label and the positions of its progress
// bar. Operations call it from their own thread while the creator waits, so a
// sink is never called from two threads at once; a sink that shows texts on a
// UI thread must hand them over itself (queued), in order.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    // Sets the label's text and colour.
    virtual void ShowStatus(const QString& text, StatusColour colour) = 0;
    // Sets the label's text and keeps its colour.
    virtual void ShowText(const QString& text) = 0;
    // Sets the progress bar's maximum and position. Default: no progress bar.
    virtual void ShowProgress(int /*position*/, int /*maximum*/) {}
};

// The 20 result texts of device operations, in their fixed order (UTF-8 in
// source). A replacement list (from the language file) must have 20 entries.
inline constexpr int kStatusMessageCount = 20;
enum StatusMessage : int {
    MsgCannotOpen = 0,
    MsgIdentifying = 1,
    MsgWriting = 2,
    MsgPortError = 3,
    MsgReading = 4,
    MsgProgrammed = 5,
    MsgVerifyMismatch = 6,
    MsgDataRead = 7,
    MsgCompareEqual = 8,
    MsgCompareDiffer = 9,
    MsgVersionRead = 10,
    MsgDataSent = 11,
    MsgRestartStarted = 12,
    MsgNoValidAnswer = 13,
    MsgNoAnswer = 14,
    MsgTransferCode1 = 15,
    MsgTransferCode2 = 16,
    MsgTransferCode3 = 17,
    MsgFlashError = 18,
    MsgPasswordRequired = 19,
};
const QStringList& DefaultStatusMessages();

// Fails a block transfer to an area outside 1..7.
inline constexpr char kBadAreaText[] = "Ошибка идентификатора области FLASH памяти";

} // namespace krv
