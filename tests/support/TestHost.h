#pragma once
// A device host that records what the procedures ask of the window.
#include "DeviceHost.h"
#include "SimFixture.h"

namespace krv::test {

class TestHost : public DeviceHost {
public:
    SerialPortFactory Port() override { return QtSerialPortFactory(QStringLiteral("COMSIM")); }
    StatusSink& ActionStatus() override { return action; }
    StatusSink& HiddenStatus() override { return hidden; }
    StatusSink& SystemStatus() override { return system; }
    void ShowIdentity(const IdentityTexts& identity) override
    {
        shown = identity;
        events << "identity " + identity.name;
    }
    void SelectPage(int pageIndex) override { events << QStringLiteral("page %1").arg(pageIndex); }
    void DisableDeviceActions() override { events << "disable"; }
    void EnableDeviceActions() override { events << "enable"; }
    void StartMonitoring() override { events << "start monitoring"; }
    void StopMonitoring() override { events << "stop monitoring"; }
    void ShowMessage(const QString& caption, const QString& text, MessageIcon) override
    {
        events << "message " + caption + ": " + text;
    }
    void ShowFileName(const QString& name) override { events << "file " + name; }
    void ShowCommandResult(const QString& text) override { events << "panel3 " + text; }
    void ArmRestartTimer() override { events << "timer"; }
    bool ClearModeMemoryChecked() override { return clearModes; }
    bool RunClearConfigCountdown() override
    {
        events << "countdown";
        return countdownCompletes;
    }
    void EncodeCurrentPage() override { events << "encode"; }
    void DecodeCurrentPage() override { events << "decode"; }
    void EnableSystemProgramming() override { events << "enable programming"; }

    RecordingSink action, hidden, system;
    IdentityTexts shown;
    QStringList events;
    bool clearModes = false;
    bool countdownCompletes = false;
};

} // namespace krv::test
