#pragma once
// What the device procedures need from their front end (the window or
// krvctl). All calls come from the thread that runs the procedure (the UI
// thread in the window), never from an operation thread — except the status
// sinks, which operations call from their own thread while the procedure
// waits.
#include "DeviceIdentity.h"
#include "SerialPort.h"
#include "StatusSink.h"

namespace krv {

enum class MessageIcon { Information, Warning, Exclamation, Error };

class DeviceHost {
public:
    virtual ~DeviceHost() = default;

    // The port every operation opens (created on the operation's thread).
    virtual SerialPortFactory Port() = 0;
    // The status label and progress bar of the root page (ActionName, ProgressBar1).
    virtual StatusSink& ActionStatus() = 0;
    // The hidden label (TMPLabel): its texts are not shown.
    virtual StatusSink& HiddenStatus() = 0;
    // The status line and progress bar of the system-parameter page.
    virtual StatusSink& SystemStatus() = 0;
    // The 20 operation texts (the language file may have replaced them).
    virtual const QStringList& Messages() { return DefaultStatusMessages(); }

    // Shows an identity in the identity labels and status panel 2.
    virtual void ShowIdentity(const IdentityTexts& identity) = 0;
    // Selects navigation node `pageIndex`; leaving a page encodes it into the store.
    virtual void SelectPage(int pageIndex) = 0;
    virtual void DisableDeviceActions() = 0;
    virtual void EnableDeviceActions() = 0;
    virtual void StartMonitoring() = 0;
    virtual void StopMonitoring() = 0;
    // A modal message box with an OK button.
    virtual void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // Status-bar panel 0 (file name) and panel 3 (result of the last command).
    virtual void ShowFileName(const QString& name) = 0;
    virtual void ShowCommandResult(const QString& text) = 0;
    // The one-shot 3000 ms timer after a restart; when it fires the host calls
    // FinishAfterRestart() (start monitoring, enable the device actions).
    virtual void ArmRestartTimer() = 0;
    // "При программировании очистить память режимов".
    virtual bool ClearModeMemoryChecked() = 0;
    // The clear-configuration countdown (modal); true when it completed.
    virtual bool RunClearConfigCountdown() = 0;
    // The system-parameter page: encode its controls into the store, decode
    // the store into them, and enable its program button after a read.
    virtual void EncodeCurrentPage() {}
    virtual void DecodeCurrentPage() {}
    virtual void EnableSystemProgramming() {}

    // Runs a started operation to its end; a window overrides it to keep
    // painting while it waits. Returns the operation's result.
    virtual int WaitForOperation(class TReadData& operation);
};

} // namespace krv
