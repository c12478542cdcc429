// krvctl device commands as a user runs them, against the simulator.
#include "ConfigFile.h"
#include "Frame.h"
#include "SimFixture.h"

#include <QProcess>

namespace krv::test {
namespace {

struct Outcome {
    int exit = -1;
    QStringList out, err;
};

class Krvctl : public SimFixture {
protected:
    Outcome Run(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral(KRVCTL_PATH), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        Outcome o;
        o.exit = p.exitCode();
        auto lines = [](const QByteArray& b) {
            QStringList l = QString::fromUtf8(b).split('\n');
            if (!l.isEmpty() && l.back().isEmpty())
                l.pop_back();
            return l;
        };
        o.out = lines(p.readAllStandardOutput());
        o.err = lines(p.readAllStandardError());
        return o;
    }
    QString File(const char* name) const { return files.filePath(name); }
    QTemporaryDir files;
};

TEST_F(Krvctl, Identify)
{
    const Outcome o = Run({"identify", "--port", "COMSIM"});
    EXPECT_EQ(o.exit, 0);
    EXPECT_EQ(o.err, (QStringList{Msg(1), Msg(10)}));
    EXPECT_EQ(o.out, (QStringList{"name: KRV614", "modification: TQ", "hardware: 14.02", "software: 01.04",
                                  "bootloader: 01.01", "date: 14.03.2024", "country: 007",
                                  "binding: " + QString(48, ' ') + "-", "imei: 356938035643809",
                                  "unique: 0305419896 2271560481 0000000007 4000000000", "version: TQ.01.04"}));
    // A device path works as well as the alias.
    EXPECT_EQ(Run({"identify", "--port", QString::fromStdString(sim->DevicePath())}).exit, 0);

    sim->SetFaults({.silent = true});
    const Outcome silent = Run({"identify", "--port", "COMSIM"});
    EXPECT_EQ(silent.exit, 1);
    EXPECT_EQ(silent.err, (QStringList{Msg(1), Msg(14)}));
}

TEST_F(Krvctl, ReadWithPassword)
{
    sim->SetPassword("abc");
    const Outcome refused = Run({"read", "--port", "COMSIM", "-o", File("r.cnt")});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_EQ(refused.err.back(), Msg(19));
    EXPECT_FALSE(QFile::exists(File("r.cnt")));

    const Outcome ok = Run({"read", "--port", "COMSIM", "--password", "abc", "-o", File("r.cnt")});
    EXPECT_EQ(ok.exit, 0);
    EXPECT_EQ(ok.err, (QStringList{Msg(1), Msg(10), Msg(1), Msg(11), Msg(1), Msg(4), Msg(7)}));
    MainImageBytes image{};
    ASSERT_EQ(LoadConfigImage(image, File("r.cnt").toStdString()), LoadOk);
    std::vector<std::uint8_t> expected = sim->Area(1);
    expected[kAdminPasswordOffset] = 0; // files never carry the password
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.end()), expected);
}

TEST_F(Krvctl, ReadWithoutTheMarker)
{
    auto image = sim->Area(1);
    image[1] = 'x';
    sim->SetArea(1, image);
    const Outcome o = Run({"read", "--port", "COMSIM", "-o", File("r.cnt")});
    EXPECT_EQ(o.exit, 1);
    EXPECT_EQ(o.err.mid(o.err.size() - 2),
              (QStringList{"Контроллер не содержит достоверную конфигурацию.",
                           "Настройте параметры как необходимо и запрограммируйте конфигурацию."}));
    EXPECT_FALSE(QFile::exists(File("r.cnt")));
}

TEST_F(Krvctl, ProgramAndCompare)
{
    ASSERT_EQ(Run({"defaults", "-o", File("d.cnt")}).exit, 0);
    const Outcome o = Run({"program", "--port", "COMSIM", "--password", "pw", "--clear-modes", File("d.cnt")});
    EXPECT_EQ(o.exit, 0);
    EXPECT_EQ(o.err, (QStringList{Msg(1), Msg(10), Msg(1), Msg(11), Msg(1), Msg(2), Msg(4), Msg(5), Msg(1), Msg(2),
                                  Msg(4), Msg(5), Msg(1), Msg(12)}));
    auto expected = std::vector<std::uint8_t>(FactoryMainImage().begin(), FactoryMainImage().end());
    expected[kAdminPasswordOffset] = 'p';
    expected[kAdminPasswordOffset + 1] = 'w';
    EXPECT_EQ(sim->Area(1), expected);
    EXPECT_EQ(FramesOf(CmdWriteArea4), 1);

    // The password is in force now; compare does not log in, so the read is refused.
    const Outcome refused = Run({"compare", "--port", "COMSIM", File("d.cnt")});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_EQ(refused.err.back(), Msg(15));
    EXPECT_TRUE(refused.out.isEmpty());

    // Unprotected, with a text in the password field: that one field differs.
    sim->SetPassword("");
    auto image = sim->Area(1);
    image[kAdminPasswordOffset] = 'z';
    sim->SetArea(1, image);
    const Outcome differ = Run({"compare", "--port", "COMSIM", File("d.cnt")});
    EXPECT_EQ(differ.exit, 1);
    EXPECT_EQ(differ.err.back(), Msg(9));
    ASSERT_EQ(differ.out.size(), 1);
    EXPECT_TRUE(differ.out[0].contains("\"z\" -> \"\"")) << differ.out[0].toStdString();

    sim->SetPassword("");
    EXPECT_EQ(Run({"program", "--port", "COMSIM", "--no-restart", File("d.cnt")}).exit, 0);
    EXPECT_EQ(FramesOf(CmdApplyConfiguration), 1);
    const Outcome same = Run({"compare", "--port", "COMSIM", File("d.cnt")});
    EXPECT_EQ(same.exit, 0);
    EXPECT_TRUE(same.out.isEmpty());
    EXPECT_EQ(same.err.back(), Msg(8));
}

TEST_F(Krvctl, UsageAndUnloadableFiles)
{
    QFile bad(File("bad.cnt"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a configuration");
    bad.close();
    const QList<QStringList> usage = {
        {"identify"},
        {"read", "--port", "COMSIM"},
        {"program", "--port", "COMSIM"},
        {"program", "--port", "COMSIM", File("bad.cnt")},
        {"compare", "--port", "COMSIM", File("missing.cnt")},
        {"control", "--port", "COMSIM", "output", "8", "on"},
        {"control", "--port", "COMSIM", "arm", "0"},
        {"control", "--port", "COMSIM", "output", "1", "scenario", "15"},
        {"sysparams", "frobnicate", "--port", "COMSIM"},
        {"identify", "--port", "COMSIM", "--bogus"},
    };
    for (const QStringList& args : usage)
        EXPECT_EQ(Run(args).exit, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(sim->Received().empty());
}

TEST_F(Krvctl, ControlAndClock)
{
    const struct {
        QStringList args;
        std::vector<std::uint8_t> payload;
    } table[] = {
        {{"output", "2", "off"}, {2, 1, 2}},
        {{"output", "1", "on"}, {2, 0, 1}},
        {{"output", "3", "scenario", "14"}, {2, 2, 16}},
        {{"arm", "3"}, {0, 2, 0}},
        {{"disarm", "1"}, {1, 0, 0}},
        {{"input", "8"}, {4, 7, 0}},
    };
    for (const auto& row : table) {
        const Outcome o = Run(QStringList{"control", "--port", "COMSIM"} + row.args);
        EXPECT_EQ(o.exit, 0);
        EXPECT_EQ(o.err, (QStringList{Msg(1), Msg(10), Msg(1), Msg(11), Msg(11)}));
        EXPECT_EQ(sim->Received().back(), BuildFrame(CmdControl, row.payload));
    }

    sim->ClearReceived();
    const Outcome invalid = Run({"set-clock", "--port", "COMSIM", "32.01.10 10:00:00"});
    EXPECT_EQ(invalid.exit, 1);
    EXPECT_EQ(invalid.err, QStringList{"Не верно установлено число"});
    EXPECT_TRUE(sim->Received().empty());
    EXPECT_EQ(Run({"set-clock", "--port", "COMSIM", "00.00.00 00:00:99"}).exit, 0);
    EXPECT_EQ(sim->LastClock(), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 99}));
}

TEST_F(Krvctl, SystemParametersRoundTrip)
{
    const Outcome read = Run({"sysparams", "read", "--port", "COMSIM", "-o", File("sp.bin")});
    EXPECT_EQ(read.exit, 0);
    QFile f(File("sp.bin"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), sim->Area(5));
    bytes[7] = char(0x42);
    QFile g(File("sp2.bin"));
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(bytes);
    g.close();
    EXPECT_EQ(Run({"sysparams", "program", "--port", "COMSIM", File("sp2.bin")}).exit, 0);
    EXPECT_EQ(sim->Area(5)[7], 0x42);
    EXPECT_EQ(Run({"sysparams", "program", "--port", "COMSIM", File("r.cnt")}).exit, 2);
}

TEST_F(Krvctl, StatusAndRefusals)
{
    const Outcome o = Run({"status", "--port", "COMSIM"});
    EXPECT_EQ(o.exit, 0);
    EXPECT_TRUE(o.out.contains("gsm: Зарегистрирован в домашней сети"));
    EXPECT_TRUE(o.out.contains("perimeter2: ОХРАНА"));

    DeviceIdentity id = sim::DefaultSimIdentity();
    id[20] = 0x07;
    sim->SetIdentity(id);
    const Outcome refused = Run({"restart", "--port", "COMSIM"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_EQ(refused.err.back(), "Версия TQ.01.07 не поддерживается");
    EXPECT_EQ(FramesOf(CmdRestart), 0);
}

TEST_F(Krvctl, PortHeldAndFactoryReset)
{
    auto holder = MakeQtSerialPort(QStringLiteral("COMSIM"));
    ASSERT_TRUE(holder->Open());
    const Outcome held = Run({"identify", "--port", "COMSIM"});
    EXPECT_EQ(held.exit, 1);
    EXPECT_EQ(held.err, QStringList{Msg(0) + "COMSIM"});
    holder->Close();

    sim->SetPassword("abc");
    const Outcome cancelled = Run({"factory-reset", "--port", "COMSIM"});
    EXPECT_EQ(cancelled.exit, 1);
    EXPECT_EQ(FramesOf(CmdWriteArea1), 0);
    sim->SetPassword("");
    EXPECT_EQ(Run({"factory-reset", "--port", "COMSIM"}).exit, 0);
    EXPECT_EQ(FramesOf(CmdWriteArea1), 21);
    EXPECT_EQ(FramesOf(CmdReadArea1), 21); // read back
}

} // namespace
} // namespace krv::test
