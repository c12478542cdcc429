#include "Icons.h"

#include <QDir>

static void InitResourcesOnce()
{
    Q_INIT_RESOURCE(resources);
}

namespace krv {

void InitAppResources()
{
    static const bool done = (InitResourcesOnce(), true);
    (void)done;
}

QIcon ProgramIcon(const char* name)
{
    InitAppResources();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace krv
