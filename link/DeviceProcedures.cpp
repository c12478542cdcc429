#include "DeviceProcedures.h"

#include "CheckConfiguration.h"
#include "ConfigFile.h"
#include "DeviceOperation.h"

namespace krv {
namespace {

inline constexpr int kRootPage = 0;
inline constexpr std::uint32_t kNoOffset = 0;
inline constexpr int kAreaMainImage = 1;
inline constexpr int kAreaModeMemory = 4;
inline constexpr int kAreaSystemParameters = 5;

// Forwards to another sink and remembers the last text, for the hidden label
// whose final text goes to status panel 3.
class RememberingSink final : public StatusSink {
public:
    explicit RememberingSink(StatusSink& target) : m_target(target) {}
    void ShowStatus(const QString& text, StatusColour colour) override
    {
        m_last = text;
        m_target.ShowStatus(text, colour);
    }
    void ShowText(const QString& text) override
    {
        m_last = text;
        m_target.ShowText(text);
    }
    void ShowProgress(int position, int maximum) override { m_target.ShowProgress(position, maximum); }
    const QString& Last() const { return m_last; }

private:
    StatusSink& m_target;
    QString m_last;
};

} // namespace

int DeviceHost::WaitForOperation(TReadData& operation)
{
    return operation.Wait();
}

DeviceProcedures::DeviceProcedures(ConfigStore& store, DeviceHost& host)
    : m_store(store), m_host(host), m_shown(DisplayIdentity(PlaceholderIdentity()))
{
}

int DeviceProcedures::Run(StatusSink& sink, int operation, std::span<std::uint8_t> buffer, int area)
{
    TReadData op(sink, m_host.Port(), kNoOffset, buffer, area, operation);
    op.SetMessages(m_host.Messages());
    op.Start();
    return m_host.WaitForOperation(op);
}

void DeviceProcedures::ShowPlaceholder()
{
    m_shown = DisplayIdentity(PlaceholderIdentity());
    m_host.ShowIdentity(m_shown);
}

int DeviceProcedures::IdentifyAndAccept(StatusSink& sink)
{
    DeviceIdentity identity{};
    if (Run(sink, Identify, identity) != 0) {
        ShowPlaceholder();
        return 1;
    }
    m_shown = DisplayIdentity(identity);
    m_host.ShowIdentity(m_shown);
    if (!IsSupportedDevice(m_shown)) {
        sink.ShowText(UnsupportedDeviceText(m_shown));
        return 1;
    }
    if (!IsSupportedVersion(m_shown)) {
        sink.ShowText(UnsupportedVersionText(m_shown));
        return 1;
    }
    return 0;
}

void DeviceProcedures::Start()
{
    m_host.StopMonitoring();
    m_host.SelectPage(kRootPage);
    m_host.DisableDeviceActions();
}

void DeviceProcedures::End()
{
    m_host.EnableDeviceActions();
    m_host.StartMonitoring();
}

void DeviceProcedures::FinishAfterRestart()
{
    m_host.StartMonitoring();
    m_host.EnableDeviceActions();
}

int DeviceProcedures::LoginWith(StatusSink& sink, std::span<const std::uint8_t> password)
{
    std::array<std::uint8_t, kAdminPasswordWidth> payload{};
    std::copy_n(password.begin(), std::min(password.size(), payload.size()), payload.begin());
    return Run(sink, Login, payload);
}

int DeviceProcedures::LoginStored(StatusSink& sink)
{
    return LoginWith(sink, AdminPasswordField(m_store.MainImage));
}

bool DeviceProcedures::ConfigurationAccepted()
{
    const std::string hardware = m_shown.hardware.toStdString();
    const int connection = CheckConfiguration(hardware, m_store.MainImage);
    if (connection == 0)
        return true;
    m_host.SelectPage(connection + 1);
    m_host.ShowMessage(QString::fromUtf8(kCheckConfigurationCaption),
                       QString::fromStdString(CheckConfigurationMessage(hardware, connection)),
                       MessageIcon::Exclamation);
    return false;
}

int DeviceProcedures::ReadConf()
{
    Start();
    StatusSink& status = m_host.ActionStatus();
    int result = 1;
    if (IdentifyAndAccept(status) == 0 && LoginStored(status) == 0) {
        // ReadArea copies into the store only after the whole read succeeded.
        // The marker is judged only then: a failed read leaves the store (and
        // the failure text) as they were.
        if (Run(status, ReadArea, m_store.MainImage, kAreaMainImage) == 0) {
            if (m_store.MarkerMatchesDefault()) {
                result = 0;
            } else {
                m_store.SetDefaultMainImage();
                m_host.ShowFileName(QString::fromUtf8(kAutosaveFileName));
                status.ShowStatus(QString::fromUtf8(kInvalidConfigurationText), StatusColour::Red);
            }
        }
    }
    End();
    return result;
}

int DeviceProcedures::CompareConf(MainImageBytes* controllerImage)
{
    Start();
    StatusSink& status = m_host.ActionStatus();
    int result = 1;
    if (IdentifyAndAccept(status) == 0) {
        TReadData op(status, m_host.Port(), kNoOffset, m_store.MainImage, kAreaMainImage, CompareArea);
        op.SetMessages(m_host.Messages());
        if (controllerImage)
            op.KeepReadData(*controllerImage);
        op.Start();
        result = m_host.WaitForOperation(op);
    }
    End();
    return result;
}

int DeviceProcedures::Programm()
{
    Start();
    StatusSink& status = m_host.ActionStatus();
    if (IdentifyAndAccept(status) != 0 || !ConfigurationAccepted() || LoginStored(status) != 0 ||
        Run(status, WriteArea, m_store.MainImage, kAreaMainImage) != 0) {
        End();
        return 1;
    }
    if (m_host.ClearModeMemoryChecked()) {
        m_store.SetDefaultModeMemory();
        if (Run(status, WriteArea, m_store.ModeMemory, kAreaModeMemory) != 0) {
            End();
            return 1;
        }
    }
    std::array<std::uint8_t, 1> zero{};
    Run(status, Restart, zero); // result not examined
    ShowPlaceholder();
    m_host.ArmRestartTimer();
    return 0;
}

int DeviceProcedures::Reset()
{
    Start();
    StatusSink& status = m_host.ActionStatus();
    if (IdentifyAndAccept(status) != 0 || LoginStored(status) != 0) {
        End();
        return 1;
    }
    std::array<std::uint8_t, 1> zero{};
    const int result = Run(status, Restart, zero);
    ShowPlaceholder();
    m_host.ArmRestartTimer();
    return result;
}

int DeviceProcedures::Reconfigurate()
{
    Start();
    StatusSink& status = m_host.ActionStatus();
    if (IdentifyAndAccept(status) != 0 || !ConfigurationAccepted() || LoginStored(status) != 0) {
        End();
        return 1;
    }
    const int written = Run(status, WriteArea, m_store.MainImage, kAreaMainImage);
    if (written == 0 && m_host.ClearModeMemoryChecked()) {
        m_store.SetDefaultModeMemory();
        Run(status, WriteArea, m_store.ModeMemory, kAreaModeMemory); // result not examined
    }
    std::array<std::uint8_t, 1> zero{};
    Run(m_host.HiddenStatus(), ApplyConfiguration, zero); // sent even after a failed write
    End();
    return written;
}

int DeviceProcedures::FactoryConfig()
{
    Start();
    StatusSink& status = m_host.ActionStatus();
    if (IdentifyAndAccept(status) != 0) {
        End();
        return 1;
    }
    const std::array<std::uint8_t, kAdminPasswordWidth> empty{};
    if (LoginWith(status, empty) != 0) {
        // A password is set: the controller clears it after the countdown,
        // during which monitoring keeps the link busy.
        m_host.StartMonitoring();
        if (!m_host.RunClearConfigCountdown()) {
            m_host.EnableDeviceActions();
            return 1;
        }
        m_host.StopMonitoring();
    }
    m_store.SetDefaultMainImage();
    const int written = Run(status, WriteArea, m_store.MainImage, kAreaMainImage);
    if (written == 0) {
        m_store.SetDefaultModeMemory();
        Run(status, WriteArea, m_store.ModeMemory, kAreaModeMemory); // result not examined
        std::array<std::uint8_t, 1> zero{};
        Run(m_host.HiddenStatus(), ApplyConfiguration, zero); // result not examined
    }
    End();
    return written;
}

int DeviceProcedures::ReadSystemParameters()
{
    m_host.StopMonitoring();
    StatusSink& status = m_host.SystemStatus();
    int result = 1;
    if (IdentifyAndAccept(status) == 0 && LoginStored(status) == 0) {
        m_host.EncodeCurrentPage();
        result = Run(status, ReadArea, m_store.SystemParameters, kAreaSystemParameters);
        if (result == 0)
            m_host.EnableSystemProgramming();
        m_host.DecodeCurrentPage();
    }
    m_host.StartMonitoring();
    return result;
}

int DeviceProcedures::ProgramSystemParameters()
{
    m_host.StopMonitoring();
    StatusSink& status = m_host.SystemStatus();
    int result = 1;
    if (IdentifyAndAccept(status) == 0) {
        m_host.EncodeCurrentPage();
        m_host.DecodeCurrentPage();
        if (LoginStored(status) == 0)
            result = Run(status, WriteArea, m_store.SystemParameters, kAreaSystemParameters);
    }
    m_host.StartMonitoring();
    return result;
}

int DeviceProcedures::SendControl(const std::array<std::uint8_t, 3>& payload)
{
    m_host.StopMonitoring();
    m_host.DisableDeviceActions();
    StatusSink& status = m_host.ActionStatus();
    int result = 1;
    if (IdentifyAndAccept(status) == 0 && LoginStored(status) == 0) {
        RememberingSink hidden(m_host.HiddenStatus());
        std::array<std::uint8_t, 3> bytes = payload;
        result = Run(hidden, Control, bytes);
        m_host.ShowCommandResult(hidden.Last());
    }
    m_host.EnableDeviceActions();
    m_host.StartMonitoring();
    return result;
}

int DeviceProcedures::SendClock(const std::array<std::uint8_t, 6>& payload)
{
    m_host.StopMonitoring();
    m_host.DisableDeviceActions();
    StatusSink& status = m_host.ActionStatus();
    int result = 1;
    if (IdentifyAndAccept(status) == 0) {
        RememberingSink hidden(m_host.HiddenStatus());
        std::array<std::uint8_t, 6> bytes = payload;
        result = Run(hidden, SetClock, bytes);
        m_host.ShowCommandResult(hidden.Last());
    }
    m_host.EnableDeviceActions();
    m_host.StartMonitoring();
    return result;
}

} // namespace krv
