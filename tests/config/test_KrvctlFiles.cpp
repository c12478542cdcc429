// krvctl's file commands, run as a real process on real files.
#include "ConfigFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

using krv::test::ReadBytes;
using krv::test::TempDir;
using krv::test::WriteBytes;

namespace {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

RunResult Krvctl(const TempDir& dir, const std::string& args)
{
    const std::string errFile = dir.File("stderr.txt");
    const std::string cmd = std::string(KRVCTL_PATH) + " " + args + " 2>" + errFile;
    RunResult r;
    FILE* p = ::popen(cmd.c_str(), "r");
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.err = ReadBytes(errFile);
    return r;
}

} // namespace

TEST(KrvctlFiles, DefaultsAndDump)
{
    TempDir dir;
    const std::string file = dir.File("d.cnt");
    ASSERT_EQ(Krvctl(dir, "defaults -o " + file).status, 0);
    krv::ConfigStore loaded;
    loaded.MainImage.fill(0);
    ASSERT_EQ(krv::LoadConfigFile(loaded, file), krv::LoadOk);
    EXPECT_EQ(loaded.MainImage, krv::ConfigStore{}.MainImage);

    const RunResult dump = Krvctl(dir, "dump " + file);
    ASSERT_EQ(dump.status, 0) << dump.err;
    for (const char* expected : {
             "\"Соединение 3\": {",
             "\"ComboBoxGroupNum\": {\"index\": 2, \"item\": \"3\"}",
             "\"ComboBoxSensName\": \"ВХОД1\"",
             "\"ComboBoxTimeZone\": {\"value\": 3, \"item\": \"(GMT+3:00) Москва, Санкт-Петербург, Тула\"}",
             "\"EditBalansMinVal\": 0",
             "\"MaskEditMaxVal\": 10",
         })
        EXPECT_NE(dump.out.find(expected), std::string::npos) << expected;
    EXPECT_EQ(dump.out.find("Системные параметры"), std::string::npos) << "not part of a file";
    // The group of connection 3 is the one inside its own object.
    const auto conn3 = dump.out.find("\"Соединение 3\": {");
    const auto conn4 = dump.out.find("\"Соединение 4\": {");
    const auto group = dump.out.find("\"ComboBoxGroupNum\": {\"index\": 2, \"item\": \"3\"}");
    EXPECT_TRUE(conn3 < group && group < conn4);
}

TEST(KrvctlFiles, DiffLinesAndExitStatus)
{
    TempDir dir;
    const std::string a = dir.File("a.cnt"), b = dir.File("b.cnt");
    ASSERT_EQ(Krvctl(dir, "defaults -o " + a).status, 0);
    krv::ConfigStore store;
    store.MainImage[360 + 92 * 2 + 58] = 0x00; // input 3 low threshold 1365 -> 1280
    store.MainImage[32 + 36 * 5 + 29] = 0x06;  // connection 5: language 2, user id 1
    ASSERT_EQ(krv::SaveConfigFile(store, b), 0);

    const RunResult same = Krvctl(dir, "diff " + a + " " + a);
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    const RunResult diff = Krvctl(dir, "diff " + a + " " + b);
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out, "Соединение 5 / ComboBoxLang: 1 \"Русский\" -> 2 \"eScout\"\n"
                        "Вход 3 / TrackBarLoBarrier: 1365 -> 1280\n");
}

TEST(KrvctlFiles, UnloadableFilesAndUsage)
{
    TempDir dir;
    WriteBytes(dir.File("short.cnt"), "[KRVControllerConfiguration_v01.02]");
    WriteBytes(dir.File("old.cnt"), "[KRVControllerConfiguration_v01.00]");
    const struct {
        std::string args;
        int status;
        const char* message;
    } cases[] = {
        {"dump " + dir.File("short.cnt"), 2, "Неизвестный формат файла"},
        {"dump " + dir.File("old.cnt"), 2, "Несоответствие версий!"},
        {"dump " + dir.File("missing.cnt"), 2, "Невозможно открыть файл"},
        {"diff " + dir.File("missing.cnt") + " " + dir.File("short.cnt"), 2, "Невозможно открыть файл"},
        {"defaults -o " + dir.File("no/folder.cnt"), 1, "Невозможно сохранить файл"},
        {"dump", 2, "usage"},
        {"frobnicate", 2, "usage"},
        {"", 2, "usage"},
    };
    for (const auto& c : cases) {
        const RunResult r = Krvctl(dir, c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.args;
    }
}
