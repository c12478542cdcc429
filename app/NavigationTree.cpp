#include "NavigationTree.h"

#include <QList>
#include <QStringList>
#include <QTreeWidget>

namespace krv {

QString NodeText()
{
    QStringList lines;
    lines << QStringLiteral("GSM контроллер KRV614-TQ") << QStringLiteral("\tОбщие параметры соединений");
    for (int k = 1; k <= 8; ++k)
        lines << QStringLiteral("\t\tСоединение %1").arg(k);
    lines << QStringLiteral("\tЧасы, планировщик задач")
          << QStringLiteral("\tПитание, температура, индикация, контроль вскрытия");
    for (int k = 1; k <= 4; ++k)
        lines << QStringLiteral("\tПериметр %1").arg(k);
    lines << QStringLiteral("\tВходы");
    for (int k = 1; k <= 8; ++k)
        lines << QStringLiteral("\t\tВход %1").arg(k);
    lines << QStringLiteral("\tВыходы") << QStringLiteral("\t\tРеле 1") << QStringLiteral("\t\tРеле 2");
    for (int k = 1; k <= 5; ++k)
        lines << QStringLiteral("\t\tВыход %1").arg(k);
    lines << QStringLiteral("\t\tСценарии управления") << QStringLiteral("\tПрофили");
    for (int k = 1; k <= 8; ++k)
        lines << QStringLiteral("\t\tПрофиль %1").arg(k);
    lines << QStringLiteral("\tСистемные параметры");
    return lines.join(QStringLiteral("\r\n"));
}

int BuildTree(QTreeWidget* tree, const QString& text)
{
    tree->clear();
    QList<QTreeWidgetItem*> parents; // parents[level] is the last item of that level
    int index = 0;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        int level = 0;
        while (level < line.size() && line[level] == QLatin1Char('\t'))
            ++level;
        const QString caption = line.mid(level);
        if (caption.isEmpty())
            continue;
        level = std::min(level, int(parents.size()));
        QTreeWidgetItem* item = level == 0 ? new QTreeWidgetItem(tree) : new QTreeWidgetItem(parents[level - 1]);
        item->setText(0, caption);
        item->setData(0, Qt::UserRole, index++);
        parents.resize(level);
        parents.append(item);
    }
    return index;
}

} // namespace krv
