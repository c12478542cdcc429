#include "LinkLog.h"

#include <QByteArray>

namespace krv {

Q_LOGGING_CATEGORY(lcLink, "krv.link", QtWarningMsg)

void LogFrame(const char* direction, std::span<const std::uint8_t> bytes)
{
    if (!lcLink().isDebugEnabled())
        return;
    const QByteArray raw(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    qCDebug(lcLink).noquote() << direction << bytes.size() << raw.toHex(' ');
}

} // namespace krv
