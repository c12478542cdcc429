#pragma once
// The item lists of the drop-down lists whose indexes the configuration
// stores, and the lists several pages share. Texts are UTF-8; a page takes them
// from here (the language file may later replace what a page shows).
#include <string>
#include <vector>

namespace krv {

enum class ListId {
    None,
    // shared lists
    ModeNameList,
    OutputNameList,        // "Реле 1" .. "Выход 5"
    OutputActionList,      // "Нет реакции", "Включить", "Выключить", "сценарий 1".. (root page)
    TaskActionList,        // 18 scheduler actions
    IndicationFunctionList,
    EnabledWordList,
    EventGroupCaptionList,
    // item lists of stored fields
    OutputAction,          // "нет реакции", "включить", "выключить", "сценарий 1".."сценарий 14"
    ProfileAction,         // "Не применять профиль", "Применить профиль 1".. 8
    Call2CallPause,
    DialPriority,
    OutdatedMsgTime,
    DataProtocol,
    TransportPriority,
    GroupNum,
    TranspWaitTime,
    IncomingCallAction,
    OnLineTime,
    ConnectionType,
    MessageLanguage,
    UserId,
    TimeZone,
    TaskPerimeter,
    PowerSignAverTime,
    RecoveryTime,
    IndFunction,
    TemperatureLevel,
    PortPwrSensAllOn,
    LoopPwrResetTime,
    NoScaningTimeAftArm,
    NoScaningTimeAftReset,
    SensType,
    AverageTime,
    SensActLevel,
    DelayTime,
    ReleToAlarm,
    ActiveTriggerNum,
    ListenNum,
    SensorPwrSource,
    AlarmTry,
    ArmDisMode,
    AlarmDelayTime,
    CommType,
    CalDir,
    BatteryType,
};

// The items of a list in index order; empty for ListId::None.
const std::vector<std::string>& Items(ListId list);

// The text of item `index`, or nullptr when the list has no such item.
const std::string* ItemText(ListId list, long index);

} // namespace krv
