#include "StatusSink.h"

namespace krv {

const QStringList& DefaultStatusMessages()
{
    static const QStringList texts = {
        QStringLiteral("Невозможно открыть "),
        QStringLiteral("Идентификация..."),
        QStringLiteral("Передача данных в память контроллера..."),
        QStringLiteral("Ошибка порта "),
        QStringLiteral("Чтение данных из памяти контроллера..."),
        QStringLiteral("Программирование завершено успешно"),
        QStringLiteral("Ошибка, найдены несоответствия в данных"),
        QStringLiteral("Данные считаны"),
        QStringLiteral("Данные в памяти контроллера аналогичны текущим"),
        QStringLiteral("Данные в памяти контроллера отличаются от текущих"),
        QStringLiteral("Версия устройства считана"),
        QStringLiteral("Данные переданы"),
        QStringLiteral("Перезагрузка устройства инициированна"),
        QStringLiteral("Нет корректного ответа от устройства"),
        QStringLiteral("Нет ответа от устройства"),
        QStringLiteral("Ошибка передачи данных, код 1"),
        QStringLiteral("Ошибка передачи данных, код 2"),
        QStringLiteral("Ошибка передачи данных, код 3"),
        QStringLiteral("Внутренняя ошибка взаимодействия с FLASH памятью"),
        QStringLiteral("Взаимодействие запрещено без указания пароля, команды чтения/записи и ряд управляющих команд не могут быть выполнены"),
    };
    return texts;
}

} // namespace krv
