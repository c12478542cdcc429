#pragma once
// Logging of the device link (category "krv.link"). A debug line with a hex
// dump of every frame sent and received; enable it at run time with
// QT_LOGGING_RULES="krv.link.debug=true".
#include <QLoggingCategory>

#include <cstdint>
#include <span>

namespace krv {

Q_DECLARE_LOGGING_CATEGORY(lcLink)

// Logs `bytes` in hex under `direction` ("->" sent, "<-" received) when debug
// output of krv.link is enabled.
void LogFrame(const char* direction, std::span<const std::uint8_t> bytes);

} // namespace krv
