#include "Settings.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace krv;
using krv::test::ReadBytes;
using krv::test::TempDir;
using krv::test::WriteBytes;

namespace {
const std::string kMagic("\x86\x42\xB8\x20", 4);
std::string File(const std::string& name8) { return "[KRVProgCfg]" + name8 + kMagic; }
} // namespace

TEST(Settings, ReadTable)
{
    const struct {
        const char* name;
        std::string bytes;
        std::optional<std::string> port;
    } cases[] = {
        {"COM12", File(std::string("COM12\0\0\0", 8)), "COM12"},
        {"letters in any order", File(std::string("MOC7\0\0\0\0", 8)), "MOC7"},
        {"eight characters, no zero", File("COMSIM12"), "COMSIM12"},
        {"no C, O and M", File(std::string("USB0\0\0\0\0", 8)), std::nullopt},
        {"empty name", File(std::string(8, '\0')), std::nullopt},
        {"magic missing (20 bytes)", File(std::string("COM3\0\0\0\0", 8)).substr(0, 20), std::nullopt},
        {"wrong magic", "[KRVProgCfg]" + std::string("COM3\0\0\0\0", 8) + "\x86\x42\xB8\x21", std::nullopt},
        {"wrong header", "[KRVProgCfG]" + std::string("COM3\0\0\0\0", 8) + kMagic, std::nullopt},
        {"trailing bytes ignored", File(std::string("COM4\0\0\0\0", 8)) + "tail", "COM4"},
        {"empty file", "", std::nullopt},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteBytes(dir.File("KRVConfig.cfg"), c.bytes);
        EXPECT_EQ(ReadSettings(dir.Path().string()), c.port) << c.name;
    }
    TempDir empty;
    EXPECT_EQ(ReadSettings(empty.Path().string()), std::nullopt) << "missing file";
}

TEST(Settings, WriteProducesTheExact24Bytes)
{
    TempDir dir;
    ASSERT_TRUE(WriteSettings(dir.Path().string() + "/", "COMU0"));
    EXPECT_EQ(ReadBytes(dir.File("KRVConfig.cfg")), File(std::string("COMU0\0\0\0", 8)));
    EXPECT_EQ(ReadSettings(dir.Path().string()), "COMU0");

    ASSERT_TRUE(WriteSettings(dir.Path().string(), "COM12345678"));
    EXPECT_EQ(ReadBytes(dir.File("KRVConfig.cfg")), File(std::string("COM1234\0", 8)));
    EXPECT_EQ(dir.Entries().size(), 1u);

    EXPECT_FALSE(WriteSettings(dir.File("missing-folder"), "COM1"));
}
