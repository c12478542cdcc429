#include "ConfigFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace krv;
using krv::test::ReadBytes;
using krv::test::TempDir;
using krv::test::WriteBytes;

namespace {

// A store that differs from the defaults everywhere it can, so that a load
// that wrongly touched it would show.
ConfigStore MarkedStore()
{
    ConfigStore s;
    for (std::size_t i = 100; i < kMainImageSize; i += 7)
        s.MainImage[i] ^= 0x5A;
    return s;
}

std::string ValidFile(const ConfigStore& from)
{
    TempDir dir;
    ConfigStore copy = from;
    EXPECT_EQ(SaveConfigFile(copy, dir.File("x.cnt")), 0);
    return ReadBytes(dir.File("x.cnt"));
}

} // namespace

TEST(ConfigFile, SavedFileHasTheDocumentedBytesAndLoadsBack)
{
    TempDir dir;
    ConfigStore store = MarkedStore();
    const char password[] = "secret";
    std::copy(password, password + 6, store.MainImage.begin() + kAdminPasswordOffset);
    const MainImageBytes typed = store.MainImage;

    ASSERT_EQ(SaveConfigFile(store, dir.File("a.cnt")), 0);
    const std::string bytes = ReadBytes(dir.File("a.cnt"));
    ASSERT_EQ(bytes.size(), 5328u);
    EXPECT_EQ(bytes.substr(0, 35), "[KRVControllerConfiguration_v01.02]");
    std::uint8_t x = 0;
    for (std::size_t i = 35; i < 5327; ++i)
        x ^= std::uint8_t(bytes[i]);
    EXPECT_EQ(std::uint8_t(x + std::uint8_t(bytes[5327])), 0) << "check byte";

    // The administrator password is emptied in the store and the file (byte 20 only).
    EXPECT_EQ(store.MainImage[20], 0);
    EXPECT_EQ(bytes[35 + 20], 0);
    EXPECT_EQ(bytes[35 + 21], 'e');

    ConfigStore loaded;
    ASSERT_EQ(LoadConfigFile(loaded, dir.File("a.cnt")), LoadOk);
    MainImageBytes expected = typed;
    expected[20] = 0;
    EXPECT_EQ(loaded.MainImage, expected);
    EXPECT_EQ(dir.Entries().size(), 1u) << "no temporary file is left";
}

TEST(ConfigFile, LoadResultsAndUntouchedStore)
{
    const std::string valid = ValidFile(ConfigStore{});
    std::string badPrefix = valid;
    badPrefix[3] = 'x';
    std::string oldVersion = valid;
    oldVersion.replace(0, 35, "[KRVControllerConfiguration_v01.00]");
    std::string changedByte = valid;
    changedByte[35 + 2000] ^= 0x01;
    std::string badCheck = valid;
    badCheck[5327] ^= 0x80;

    const struct {
        const char* name;
        std::string bytes;
        int expected;
    } cases[] = {
        {"valid", valid, LoadOk},
        {"valid with trailing bytes", valid + "junk", LoadOk},
        {"empty", "", LoadUnknownFormat},
        {"header cut", valid.substr(0, 20), LoadUnknownFormat},
        {"header only", valid.substr(0, 35), LoadUnknownFormat},
        {"cut after header", valid.substr(0, 36), LoadUnknownFormat},
        {"cut inside image", valid.substr(0, 3000), LoadUnknownFormat},
        {"check byte missing", valid.substr(0, 5327), LoadUnknownFormat},
        {"other prefix", badPrefix, LoadUnknownFormat},
        {"template version", oldVersion, LoadVersionMismatch},
        {"template version, cut", oldVersion.substr(0, 35), LoadVersionMismatch},
        {"changed image byte", changedByte, LoadUnknownFormat},
        {"wrong check byte", badCheck, LoadUnknownFormat},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteBytes(dir.File("f.cnt"), c.bytes);
        ConfigStore store = MarkedStore();
        const ConfigStore before = store;
        EXPECT_EQ(LoadConfigFile(store, dir.File("f.cnt")), c.expected) << c.name;
        if (c.expected == LoadOk)
            EXPECT_EQ(store.MainImage, ConfigStore{}.MainImage) << c.name;
        else
            EXPECT_EQ(store, before) << c.name;
    }

    TempDir dir;
    ConfigStore store = MarkedStore();
    const ConfigStore before = store;
    EXPECT_EQ(LoadConfigFile(store, dir.File("missing.cnt")), LoadCannotOpen);
    EXPECT_EQ(LoadConfigFile(store, dir.Path().string()), LoadCannotOpen) << "a folder";
    EXPECT_EQ(store, before);
}

TEST(ConfigFile, FailedSaveKeepsTheOldFileAndStillEmptiesThePassword)
{
    TempDir dir;
    const std::string path = dir.File("keep.cnt");
    ConfigStore original;
    ASSERT_EQ(SaveConfigFile(original, path), 0);
    const std::string oldBytes = ReadBytes(path);

    // A save that dies when the disk refuses more bytes (file size limit).
    ConfigStore store = MarkedStore();
    store.MainImage[kAdminPasswordOffset] = 'p';
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = SaveConfigFile(store, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, 1);
    EXPECT_EQ(ReadBytes(path), oldBytes) << "the earlier file survives whole";
    EXPECT_EQ(dir.Entries().size(), 1u) << "no temporary file is left";
    EXPECT_EQ(store.MainImage[kAdminPasswordOffset], 0);

    // A folder that does not exist.
    ConfigStore other = MarkedStore();
    other.MainImage[kAdminPasswordOffset] = 'p';
    EXPECT_EQ(SaveConfigFile(other, dir.File("no/such/folder.cnt")), 1);
    EXPECT_EQ(other.MainImage[kAdminPasswordOffset], 0);
}

TEST(ConfigFile, HeaderCarriesTheImageVersion)
{
    ConfigStore store;
    EXPECT_EQ(ConfigFileHeader(store.MainImage), "[KRVControllerConfiguration_v01.02]");
    store.MainImage[7] = '9';
    EXPECT_EQ(ConfigFileHeader(store.MainImage), "[KRVControllerConfiguration_v01.09]");
    // Such a file is written as it is, but does not load.
    TempDir dir;
    ASSERT_EQ(SaveConfigFile(store, dir.File("v.cnt")), 0);
    ConfigStore other;
    EXPECT_EQ(LoadConfigFile(other, dir.File("v.cnt")), LoadVersionMismatch);
}

TEST(ConfigFile, AutosaveFallsBackToTheDefaults)
{
    TempDir dir;
    const std::string folder = dir.Path().string();
    ConfigStore store = MarkedStore();
    EXPECT_EQ(LoadAutosave(store, folder), LoadCannotOpen) << "no default.cnt";
    EXPECT_EQ(store.MainImage, FactoryMainImage());

    ConfigStore edited = MarkedStore();
    ASSERT_EQ(SaveAutosave(edited, folder), 0);
    ConfigStore loaded;
    EXPECT_EQ(LoadAutosave(loaded, folder), LoadOk);
    EXPECT_EQ(loaded.MainImage, edited.MainImage);

    WriteBytes(dir.File("default.cnt"), "[KRVControllerConfiguration_v01.02]");
    EXPECT_EQ(LoadAutosave(loaded, folder), LoadUnknownFormat);
    EXPECT_EQ(loaded.MainImage, FactoryMainImage()) << "a damaged autosave gives the defaults";
}
