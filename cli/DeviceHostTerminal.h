#pragma once
// The device host of krvctl: status texts as lines on stderr, in order,
// exactly as the window's status label shows them; no window, no monitoring.
#include "DeviceHost.h"
#include "DeviceIdentity.h"

#include <mutex>

namespace krv::cli {

// Prints every text as one line on stderr (UTF-8).
class StderrSink final : public StatusSink {
public:
    void ShowStatus(const QString& text, StatusColour) override { Print(text); }
    void ShowText(const QString& text) override { Print(text); }
    static void Print(const QString& text);
};

// Drops every text (the hidden label).
class SilentSink final : public StatusSink {
public:
    void ShowStatus(const QString&, StatusColour) override {}
    void ShowText(const QString&) override {}
};

class TerminalHost final : public DeviceHost {
public:
    explicit TerminalHost(QString port) : m_port(std::move(port)) {}

    SerialPortFactory Port() override;
    StatusSink& ActionStatus() override { return m_stderr; }
    StatusSink& HiddenStatus() override { return m_silent; }
    StatusSink& SystemStatus() override { return m_stderr; }
    void ShowIdentity(const IdentityTexts& identity) override { m_identity = identity; }
    void SelectPage(int) override {}
    void DisableDeviceActions() override {}
    void EnableDeviceActions() override {}
    void StartMonitoring() override {}
    void StopMonitoring() override {}
    void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    void ShowFileName(const QString&) override {}
    void ShowCommandResult(const QString& text) override { StderrSink::Print(text); }
    void ArmRestartTimer() override {}
    bool ClearModeMemoryChecked() override { return clearModes; }
    // With waitCountdown: 1800 seconds during which the controller is
    // identified once a second, as monitoring would; false as soon as it is
    // absent. Without it the countdown counts as cancelled.
    bool RunClearConfigCountdown() override;

    const IdentityTexts& Identity() const { return m_identity; }

    bool clearModes = false;
    bool waitCountdown = false;

private:
    QString m_port;
    StderrSink m_stderr;
    SilentSink m_silent;
    IdentityTexts m_identity = DisplayIdentity(PlaceholderIdentity());
};

} // namespace krv::cli
