#pragma once
// The device procedures (read, compare, program, restart, reconfigure,
// factory reset), the system-parameter transfers and the short command chains
// of direct control, as sequences of device operations over the store and a
// host. Front-end independent: the window and krvctl drive the same code.
//
// Every procedure runs on the caller's thread and returns 0 on success and 1
// on failure or refusal; the reason has been shown on the host's status sink.
#include "ConfigStore.h"
#include "DeviceHost.h"
#include "DeviceIdentity.h"

#include <array>
#include <cstdint>

namespace krv {

inline constexpr char kInvalidConfigurationText[] =
    "Контроллер не содержит достоверную конфигурацию.\n"
    "Настройте параметры как необходимо и запрограммируйте конфигурацию.";

class DeviceProcedures {
public:
    DeviceProcedures(ConfigStore& store, DeviceHost& host);

    int ReadConf();
    // With `controllerImage`, a complete read also delivers the controller's image there.
    int CompareConf(MainImageBytes* controllerImage = nullptr);
    int Programm();
    int Reset();
    int Reconfigurate();
    int FactoryConfig();
    // Timer2 fired: start monitoring, enable the device actions.
    void FinishAfterRestart();

    int ReadSystemParameters();
    int ProgramSystemParameters();

    // Identify with the given sink and accept the controller: shows the
    // identity (or the placeholder) and the refusal texts. 0 when accepted.
    int IdentifyAndAccept(StatusSink& sink);
    // The command chain of direct control (command 20, with login).
    int SendControl(const std::array<std::uint8_t, 3>& payload);
    // The clock chain (command 13, no login).
    int SendClock(const std::array<std::uint8_t, 6>& payload);

    // The identity last shown (the placeholder before any identification).
    const IdentityTexts& ShownIdentity() const { return m_shown; }
    // Runs one operation with the host's texts and waits for it.
    int Run(StatusSink& sink, int operation, std::span<std::uint8_t> buffer, int area = 0);

private:
    void Start();
    void End();
    int LoginWith(StatusSink& sink, std::span<const std::uint8_t> password);
    int LoginStored(StatusSink& sink);
    bool ConfigurationAccepted();
    void ShowPlaceholder();

    ConfigStore& m_store;
    DeviceHost& m_host;
    IdentityTexts m_shown;
};

} // namespace krv
