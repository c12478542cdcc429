#include "ItemLists.h"

#include <map>

namespace krv {
namespace {

using List = std::vector<std::string>;

List Numbered(const std::string& prefix, int from, int to, const std::string& suffix = "")
{
    List l;
    for (int i = from; i <= to; ++i)
        l.push_back(prefix + std::to_string(i) + suffix);
    return l;
}

List Concat(List a, const List& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

List Build(ListId id)
{
    switch (id) {
    case ListId::None:
        return {};
    case ListId::ModeNameList:
        return {"ОХРАНА", "НАБЛЮДЕНИЕ", "ЗАЩИТА", "Смена режима"};
    case ListId::OutputNameList:
        return {"Реле 1", "Реле 2", "Выход 1", "Выход 2", "Выход 3", "Выход 4", "Выход 5"};
    case ListId::OutputActionList:
        return Concat({"Нет реакции", "Включить", "Выключить"}, Numbered("сценарий ", 1, 14));
    case ListId::TaskActionList:
        return Concat(Concat({"Нет действия", "Перейти в реж. Охрана", "Перейти в реж. Наблюдение", "Управление Реле 1",
                              "Управление Реле 2"},
                             Numbered("Управление Выходом ", 1, 5)),
                      Numbered("Применить профиль ", 1, 8));
    case ListId::IndicationFunctionList:
        return {"Показывать состояние входов 1-8 на индикаторах In1-In8",
                "Показывать уровень GSM сигнала на индикаторах In1-In8",
                "Показывать состояние входов 9-16 на индикаторах In1-In8",
                "Показывать состояние входов на индикаторах In1-In4",
                "Показывать уровень GSM сигнала на индикаторах In1-In4",
                "Показывать состояние выходов на индикаторах In1-In4",
                "Показывать информацию попеременно",
                "Установлена плата расширенной индикации"};
    case ListId::EnabledWordList:
        return {"Разрешено", "Разрешен"};
    case ListId::EventGroupCaptionList:
        return {" События воздействующие на это реле [Вкладка | Воздействие | Событие] ",
                " События воздействующие на этот выход [Вкладка | Воздействие | Событие] "};
    case ListId::OutputAction:
        return Concat({"нет реакции", "включить", "выключить"}, Numbered("сценарий ", 1, 14));
    case ListId::ProfileAction:
        return Concat({"Не применять профиль"}, Numbered("Применить профиль ", 1, 8));
    case ListId::Call2CallPause:
        return {"0", "10", "20", "30", "40", "50", "60", "70"};
    case ListId::DialPriority:
        return {"Чередование от 1 до 8 по кольцу, без приоритета.", "Приоритет у соединения с меньшим номером.",
                "Приоритет у текущего соединения, до полной передачи.",
                "Приоритет у текущего соединения, до первой неудачи."};
    case ListId::OutdatedMsgTime: {
        List l{"---"};
        for (int i = 1; i <= 15; ++i)
            l.push_back(std::to_string(2 * i) + " Min.");
        return l;
    }
    case ListId::DataProtocol:
        return {"V.32 (9600 bps)", "V.110 (9600 bps)"};
    case ListId::TransportPriority:
        return {"Голосовое и SMS оповещения равнозначны", "Посылать SMS только если не доставлено голосовое оповещ.",
                "Голосовое оповещение только если не отправлено SMS"};
    case ListId::GroupNum:
        return Numbered("", 1, 8);
    case ListId::TranspWaitTime:
        return Numbered("", 1, 16, " Min.");
    case ListId::IncomingCallAction:
        return {"Принять и перейти в голосовое меню, с паролем (DTMF управление)",
                "Принять и перейти в голосовое меню, без пароля (DTMF управление)",
                "Отбить (DTMF управление невозможно)"};
    case ListId::OnLineTime:
        return Concat({"По длине сообщения", "Задается DTMF упр."}, Numbered("", 2, 61, " Sec."));
    case ListId::ConnectionType:
        return {"Голосовое", "PatrolLink", "Голосовое PL"};
    case ListId::MessageLanguage:
        return {"Английский", "Русский", "eScout"};
    case ListId::UserId:
        return {"Код ключа TouchMem", "Имя пользователя"};
    case ListId::TimeZone: {
        List l;
        for (int off = -12; off <= -1; ++off)
            l.push_back("(GMT" + std::to_string(off) + ":00)");
        l.push_back("(GMT) Время по Гринвичу: Дублин, Лондон");
        l.push_back("(GMT+1:00)");
        static const char* const endings[] = {":00) Киев, Харьков",
                                              ":00) Москва, Санкт-Петербург, Тула",
                                              ":00) Ижевск, Самара",
                                              ":00) Екатеринбург",
                                              ":00) Омск, Новосибирск, Алма-Ата",
                                              ":00) Красноярск",
                                              ":00) Иркутск",
                                              ":00) Якутск",
                                              ":00) Владивосток"};
        for (int i = 0; i < 9; ++i)
            l.push_back("(GMT+" + std::to_string(2 + i) + endings[i]);
        for (int off = 11; off <= 13; ++off)
            l.push_back("(GMT+" + std::to_string(off) + ":00)");
        return l;
    }
    case ListId::TaskPerimeter:
        return {"Периметр 1", "Периметр 2", "Периметр 3", "Периметр 4", "Периметр 1 и 2", "Периметр 3 и 4",
                "Все периметры"};
    case ListId::PowerSignAverTime:
    case ListId::RecoveryTime: {
        List l;
        for (int n = 0; n < 8; ++n)
            l.push_back(std::to_string(2 << n) + (id == ListId::PowerSignAverTime ? " Sec." : " Min."));
        return l;
    }
    case ListId::IndFunction: {
        const List all = Build(ListId::IndicationFunctionList);
        return {all[0], all[1], all[7]};
    }
    case ListId::TemperatureLevel: {
        List l;
        for (int t = 89; t >= -39; --t)
            l.push_back(std::to_string(t) + "° C");
        return l;
    }
    case ListId::PortPwrSensAllOn:
        return {"Зависит от режима (Охрана - включен, Наблюдение - выключен)", "Питание всегда подано"};
    case ListId::LoopPwrResetTime:
        return Numbered("", 1, 8, "0  Sec.");
    case ListId::NoScaningTimeAftArm: {
        List l;
        for (int i = 0; i < 16; ++i)
            l.push_back(std::to_string(10 * i) + "  Sec.");
        return l;
    }
    case ListId::NoScaningTimeAftReset:
        return {"0 Sec.", "15 Sec.", "30  Sec.", "45  Sec.", "60  Sec.", "75  Sec.", "90  Sec.", "105  Sec."};
    case ListId::SensType:
        return {"Запрещен", "Дискретный", "Аналоговый", "Термодатчик RTD-02", "Термодатчик RTD-03"};
    case ListId::AverageTime:
        return {"60 mSec.", "120 mSec.", "240 mSec.", "360 mSec.", "480 mSec.", "660 mSec.", "840 mSec.", "1 Sec.",
                "2 Sec.",   "3 Sec.",    "4 Sec.",    "6 Sec.",    "8 Sec.",    "10 Sec.",   "12 Sec.",   "15 Sec."};
    case ListId::SensActLevel:
        return {"Низкий (Uвх. <= Нижн. гр.) или высокий (Uвх. >= Верхн. гр.)", "Низкий (Uвх. <= Нижн. гр.)",
                "Свободный (Нижн. гр. <= Uвх. <= Верхн. гр.)", "Высокий (Uвх. >= Верхн. гр.)",
                "Низкий гистерезисный (Uвх. <= Нижн. гр.)", "Высокий гистерезисный (Uвх. >= Верхн. гр.)"};
    case ListId::DelayTime: {
        List l;
        for (int k = 0; k < 64; ++k)
            l.push_back(std::to_string(5 * k) + " Sec.");
        return l;
    }
    case ListId::ReleToAlarm:
        return {"напрямую, сигналом на входе", "тревожным событием, с учетом блокировки",
                "тревожным событием, без учета блокировки"};
    case ListId::ActiveTriggerNum:
        return {"1", "2", "3", "4"};
    case ListId::ListenNum:
        return Concat({" -"}, Numbered("", 1, 8));
    case ListId::SensorPwrSource:
        return {"Порт питания датчиков (10VS)", "По шлейфу, со сбросом питания", "Другое"};
    case ListId::AlarmTry:
        return {"без ограничения", "не более 1 раза", "не более 3 раз", "не более 7 раз"};
    case ListId::ArmDisMode:
        return {"не менять", "ОХРАНА", "НАБЛЮДЕНИЕ", "Противоположный"};
    case ListId::AlarmDelayTime: {
        List l;
        for (int k = 0; k < 16; ++k)
            l.push_back(std::to_string(10 * (k + 1)) + " Сек.");
        return l;
    }
    case ListId::CommType:
        return Concat({"уровень"}, Numbered("сценарий ", 1, 14));
    case ListId::CalDir:
        return {"добавить 1 секунду", "вычесть 1 секунду"};
    case ListId::BatteryType:
        return {"Литий-фосфатная LiFePO4 - (12В; 1,3 А/ч)", "Свинцово-кислотная Pb (12В; от 3,5 А/ч)"};
    }
    return {};
}

} // namespace

const std::vector<std::string>& Items(ListId list)
{
    static const std::map<ListId, List> lists = [] {
        std::map<ListId, List> all;
        for (int id = 0; id <= int(ListId::BatteryType); ++id)
            all.emplace(ListId(id), Build(ListId(id)));
        return all;
    }();
    return lists.at(list);
}

const std::string* ItemText(ListId list, long index)
{
    const List& items = Items(list);
    if (index < 0 || std::size_t(index) >= items.size())
        return nullptr;
    return &items[std::size_t(index)];
}

} // namespace krv
