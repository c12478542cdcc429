// The procedures as chains of operations against the simulator.
#include "DeviceProcedures.h"
#include "Frame.h"
#include "TestHost.h"

namespace krv::test {
namespace {

class Procedure : public SimFixture {
protected:
    ConfigStore store;
    TestHost host;
    DeviceProcedures procedures{store, host};

    void SetStoredPassword(const char* pw)
    {
        std::fill_n(store.MainImage.begin() + kAdminPasswordOffset, kAdminPasswordWidth, 0);
        std::memcpy(store.MainImage.data() + kAdminPasswordOffset, pw, std::strlen(pw));
    }
};

TEST_F(Procedure, ProgramTextsAndChain)
{
    host.clearModes = true;
    store.MainImage[200] ^= 0x55;
    store.ModeMemory[0] ^= 0xFF;
    EXPECT_EQ(procedures.Programm(), 0);
    const QStringList expected = {Msg(1), Msg(10), Msg(1), Msg(11), Msg(1), Msg(2), Msg(4), Msg(5),
                                  Msg(1), Msg(2),  Msg(4), Msg(5),  Msg(1), Msg(12)};
    EXPECT_EQ(host.action.Plain(), expected);
    EXPECT_EQ(host.action.Last().colour, StatusColour::Blue);
    EXPECT_EQ(sim->Area(1), std::vector<std::uint8_t>(store.MainImage.begin(), store.MainImage.end()));
    EXPECT_EQ(store.ModeMemory, FactoryModeMemory());
    EXPECT_EQ(sim->Area(4), std::vector<std::uint8_t>(store.ModeMemory.begin(), store.ModeMemory.end()));
    // Actions and monitoring come back only with the timer.
    EXPECT_EQ(host.events, (QStringList{"stop monitoring", "page 0", "disable", "identity KRV614",
                                        "identity --------", "timer"}));
    procedures.FinishAfterRestart();
    EXPECT_EQ(host.events.mid(6), (QStringList{"start monitoring", "enable"}));
}

TEST_F(Procedure, ProgramWithoutClearingModesNeverTouchesThem)
{
    const ModeMemoryBytes modes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    store.ModeMemory = modes;
    EXPECT_EQ(procedures.Programm(), 0);
    EXPECT_EQ(store.ModeMemory, modes);
    EXPECT_EQ(FramesOf(CmdWriteArea4), 0);
    EXPECT_EQ(FramesOf(CmdRestart), 1);
}

TEST_F(Procedure, ProgramRefusedLoginWritesNothing)
{
    sim->SetPassword("secret");
    SetStoredPassword("wrong");
    EXPECT_EQ(procedures.Programm(), 1);
    EXPECT_EQ(host.action.Last(), (ShownText{Msg(19), StatusColour::Red}));
    EXPECT_EQ(FramesOf(CmdWriteArea1), 0);
    EXPECT_EQ(host.events.mid(host.events.size() - 2), (QStringList{"enable", "start monitoring"}));

    // With the right password stored, it programs (and the image carries it).
    SetStoredPassword("secret");
    EXPECT_EQ(procedures.Programm(), 0);
    EXPECT_EQ(sim->Area(1)[kAdminPasswordOffset], 's');
}

TEST_F(Procedure, ProgramVerifyMismatchSendsNoRestart)
{
    sim->SetFaults({.command = CmdReadArea1, .corruptReadBack = true});
    EXPECT_EQ(procedures.Programm(), 1);
    EXPECT_EQ(host.action.Last(), (ShownText{Msg(6), StatusColour::Red}));
    EXPECT_EQ(FramesOf(CmdRestart), 0);
    EXPECT_EQ(host.events.back(), "start monitoring");
}

TEST_F(Procedure, ProgramRefusedByTheConfigurationCheck)
{
    DeviceIdentity id = sim::DefaultSimIdentity();
    id[18] = 0x02;
    id[19] = 0x13; // hardware 13.02
    sim->SetIdentity(id);
    store.MainImage[52 + 36 * 3] = (store.MainImage[52 + 36 * 3] & ~3) | 1; // connection 3 of type 1
    EXPECT_EQ(procedures.Programm(), 1);
    EXPECT_TRUE(host.events.contains("page 4"));
    EXPECT_TRUE(host.events.filter("message Проверка конфигурации").size() == 1);
    EXPECT_EQ(FramesOf(CmdLogin), 0);
    EXPECT_EQ(FramesOf(CmdWriteArea1), 0);
}

TEST_F(Procedure, IdentificationFailuresAndRefusals)
{
    sim->SetFaults({.silent = true});
    EXPECT_EQ(procedures.CompareConf(), 1);
    EXPECT_EQ(host.action.Last(), (ShownText{Msg(14), StatusColour::Red}));
    EXPECT_EQ(host.shown.name, "--------");

    sim->SetFaults({});
    DeviceIdentity id = sim::DefaultSimIdentity();
    id[20] = 0x05; // software 01.05
    sim->SetIdentity(id);
    host.action.Clear();
    EXPECT_EQ(procedures.ReadConf(), 1);
    EXPECT_EQ(host.action.Last(), (ShownText{"Версия TQ.01.05 не поддерживается", StatusColour::Blue, true}));
    id[0] = 'X';
    sim->SetIdentity(id);
    EXPECT_EQ(procedures.Programm(), 1);
    EXPECT_EQ(host.action.Last().text, "Устройство XRV614 не поддерживается");
    EXPECT_EQ(FramesOf(CmdLogin), 0);
}

TEST_F(Procedure, ReadReplacesTheStoreOnlyOnSuccess)
{
    std::vector<std::uint8_t> image = sim->Area(1);
    image[300] = 0x42;
    sim->SetArea(1, image);
    EXPECT_EQ(procedures.ReadConf(), 0);
    EXPECT_EQ(store.MainImage[300], 0x42);
    EXPECT_EQ(host.action.Plain(), (QStringList{Msg(1), Msg(10), Msg(1), Msg(11), Msg(1), Msg(4), Msg(7)}));

    // A read failing midway leaves the store and shows the transfer failure,
    // even when the store's own marker is not the default one.
    store.MainImage[0] = 9;
    const ConfigStore before = store;
    sim->SetFaults({.command = CmdReadArea1, .disconnectAfter = 10});
    EXPECT_EQ(procedures.ReadConf(), 1);
    EXPECT_EQ(store, before);
    EXPECT_EQ(host.action.Last().colour, StatusColour::Red);
    EXPECT_NE(host.action.Last().text, QString::fromUtf8(kInvalidConfigurationText));
    EXPECT_FALSE(host.events.contains("file default.cnt"));
}

TEST_F(Procedure, ReadWithoutTheMarkerGivesDefaults)
{
    std::vector<std::uint8_t> image = sim->Area(1);
    image[0] = 2;
    image[300] = 0x42;
    sim->SetArea(1, image);
    store.MainImage[300] = 0x17;
    EXPECT_EQ(procedures.ReadConf(), 1);
    EXPECT_EQ(store.MainImage, FactoryMainImage());
    EXPECT_EQ(host.action.Last(), (ShownText{QString::fromUtf8(kInvalidConfigurationText), StatusColour::Red}));
    EXPECT_TRUE(host.events.contains("file default.cnt"));
}

TEST_F(Procedure, CompareRestartReconfigure)
{
    EXPECT_EQ(procedures.CompareConf(), 0);
    EXPECT_EQ(host.action.Last(), (ShownText{Msg(8), StatusColour::Blue}));
    EXPECT_EQ(FramesOf(CmdLogin), 0);
    store.MainImage[4000] ^= 1;
    EXPECT_EQ(procedures.CompareConf(), 1);
    EXPECT_EQ(host.action.Last(), (ShownText{Msg(9), StatusColour::Red}));

    host.events.clear();
    EXPECT_EQ(procedures.Reset(), 0);
    EXPECT_EQ(host.action.Last(), (ShownText{Msg(12), StatusColour::Blue}));
    EXPECT_EQ(host.events.back(), "timer");

    // Reconfigure applies even after a failed write; its texts stay hidden.
    sim->SetFaults({.command = CmdWriteArea1, .status = 1});
    host.clearModes = true;
    host.action.Clear();
    EXPECT_EQ(procedures.Reconfigurate(), 1);
    EXPECT_EQ(FramesOf(CmdApplyConfiguration), 1);
    EXPECT_EQ(FramesOf(CmdWriteArea4), 0);
    EXPECT_EQ(host.action.Last(), (ShownText{Msg(18), StatusColour::Red}));
    EXPECT_EQ(host.hidden.Last(), (ShownText{Msg(11), StatusColour::Blue}));
}

TEST_F(Procedure, FactoryReset)
{
    store.MainImage[500] ^= 0xFF;
    EXPECT_EQ(procedures.FactoryConfig(), 0);
    EXPECT_FALSE(host.events.contains("countdown"));
    EXPECT_EQ(store.MainImage, FactoryMainImage());
    EXPECT_EQ(sim->Area(1), std::vector<std::uint8_t>(FactoryMainImage().begin(), FactoryMainImage().end()));
    EXPECT_EQ(FramesOf(CmdApplyConfiguration), 1);

    // A password set: the countdown; cancelled, nothing is written.
    sim->SetPassword("secret");
    sim->ClearReceived();
    host.events.clear();
    EXPECT_EQ(procedures.FactoryConfig(), 1);
    EXPECT_EQ(host.events.mid(host.events.size() - 3), (QStringList{"start monitoring", "countdown", "enable"}));
    EXPECT_EQ(FramesOf(CmdWriteArea1), 0);
}

TEST_F(Procedure, FactoryResetAfterTheCountdown)
{
    StartSim({.password = "secret", .clearAfterSeconds = 0});
    host.countdownCompletes = true;
    EXPECT_EQ(procedures.FactoryConfig(), 0);
    EXPECT_TRUE(host.events.contains("countdown"));
    EXPECT_EQ(sim->Area(1)[kAdminPasswordOffset], 0);
}

TEST_F(Procedure, SystemParameters)
{
    EXPECT_EQ(procedures.ReadSystemParameters(), 0);
    EXPECT_EQ(host.system.Plain(), (QStringList{Msg(1), Msg(10), Msg(1), Msg(11), Msg(1), Msg(4), Msg(7)}));
    EXPECT_EQ(std::vector<std::uint8_t>(store.SystemParameters.begin(), store.SystemParameters.end()), sim->Area(5));
    EXPECT_TRUE(host.events.contains("enable programming"));
    store.SystemParameters[23] = 0x77;
    EXPECT_EQ(procedures.ProgramSystemParameters(), 0);
    EXPECT_EQ(sim->Area(5)[23], 0x77);
    EXPECT_EQ(host.system.Last(), (ShownText{Msg(5), StatusColour::Blue}));
    EXPECT_TRUE(host.action.Texts().empty());

    // A refused login leaves the block and the program button alone.
    sim->SetPassword("secret");
    host.events.clear();
    const auto before = store.SystemParameters;
    EXPECT_EQ(procedures.ReadSystemParameters(), 1);
    EXPECT_EQ(host.system.Last(), (ShownText{Msg(19), StatusColour::Red}));
    EXPECT_EQ(store.SystemParameters, before);
    EXPECT_FALSE(host.events.contains("enable programming"));
    EXPECT_EQ(host.events.back(), "start monitoring");
}

TEST_F(Procedure, ControlAndClockChains)
{
    EXPECT_EQ(procedures.SendControl({2, 1, 2}), 0);
    EXPECT_EQ(host.action.Plain(), (QStringList{Msg(1), Msg(10), Msg(1), Msg(11)}));
    EXPECT_TRUE(host.events.contains("panel3 " + Msg(11)));
    const auto frames = sim->Received();
    EXPECT_EQ(frames.back(), BuildFrame(CmdControl, std::vector<std::uint8_t>{2, 1, 2}));

    host.action.Clear();
    EXPECT_EQ(procedures.SendClock({0, 0, 0, 0, 0, 99}), 0);
    EXPECT_EQ(host.action.Plain(), (QStringList{Msg(1), Msg(10)}));
    EXPECT_EQ(sim->LastClock(), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 99}));

    sim->SetPassword("pw");
    host.events.clear();
    EXPECT_EQ(procedures.SendControl({0, 2, 0}), 1);
    EXPECT_EQ(host.action.Last().text, Msg(19));
    EXPECT_EQ(FramesOf(CmdControl), 1);
    EXPECT_EQ(host.events.mid(host.events.size() - 2), (QStringList{"enable", "start monitoring"}));
}

} // namespace
} // namespace krv::test
