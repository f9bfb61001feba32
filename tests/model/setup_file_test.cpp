#include "model/check_bytes.h"
#include "model/param_items.h"
#include "model/setup_document.h"
#include "model/setup_file.h"

#include "temp_dir.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quelvar;
using quelvar::test::TempDir;

namespace {

quelvar::Setup sampleSetup()
{
    quelvar::Setup setup;
    for (std::size_t i = 0; i < setup.image.size(); ++i)
        setup.image[i] = static_cast<std::uint8_t>(i * 31);
    setup.description = "Truck scale, north gate";
    setup.functionDescriptions[3 * 256] = 'T';
    setup.lineComments[3 * 960 + 30] = 'c';
    return setup;
}

}  // namespace

TEST(SetupFile, EncodeSealsAndDecodesBack)
{
    quelvar::Setup setup = sampleSetup();
    setup.description = std::string(600, 'd');
    sealSetup(setup);
    EXPECT_EQ(setup.description.size(), 511u);
    EXPECT_TRUE(VerifyCheckBytes(setup.image));

    const SetupFileBytes bytes = encodeSetupFile(setup);
    EXPECT_EQ(bytes[2048 + 511], 0);
    EXPECT_EQ(bytes[2560 + 3 * 256], 'T');
    EXPECT_EQ(bytes[6656 + 3 * 960 + 30], 'c');

    quelvar::Setup back;
    EXPECT_EQ(decodeSetupFile(bytes, back), 4);
    EXPECT_EQ(back, setup);
}

TEST(SetupFile, DecodeCountsWholeBlocksOnly)
{
    const SetupFileBytes full = encodeSetupFile(sampleSetup());
    const std::pair<std::size_t, int> cases[] = {
        {0, 0},    {2047, 0}, {2048, 1},  {2559, 1},  {2560, 2},
        {6655, 2}, {6656, 3}, {22015, 3}, {22016, 4},
    };
    for (auto [size, blocks] : cases) {
        quelvar::Setup setup;
        EXPECT_EQ(decodeSetupFile(std::span(full).first(size), setup), blocks) << size << " bytes";
    }
}

TEST(SetupFile, DescriptionRunsToTheFirstZeroOrTheWholeBlock)
{
    SetupFileBytes bytes{};
    std::fill_n(bytes.begin() + 2048, 512, 'x');
    quelvar::Setup setup;
    decodeSetupFile(bytes, setup);
    EXPECT_EQ(setup.description, std::string(512, 'x'));
    bytes[2048 + 3] = 0;
    decodeSetupFile(bytes, setup);
    EXPECT_EQ(setup.description, "xxx");
}

TEST(SetupFile, WrittenFileReadsBackInFull)
{
    TempDir dir;
    quelvar::Setup setup = sampleSetup();
    ASSERT_TRUE(writeSetupFile(dir.path("a.sf"), setup).ok());
    EXPECT_EQ(dir.fileSize("a.sf"), kSetupFileSize);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.sf"});  // no temporary file left

    quelvar::Setup back;
    const SetupReadResult result = readSetupFile(dir.path("a.sf"), back);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(back, setup);
}

TEST(SetupFile, ReadFailuresAreReportedWithTheEditorsMessages)
{
    TempDir dir;
    dir.write("short.sf", std::string(2048, 'a'));
    dir.write("empty.sf", "");
    dir.write("long.sf", std::string(22100, 'a'));
    ::mkdir(dir.path("folder.sf").c_str(), 0755);
    struct Case {
        std::string name;
        bool opened;
        int blocks;
        std::string message;
    };
    const Case cases[] = {
        {"missing.sf", false, 0, "Error Opening file: missing.sf"},
        {"folder.sf", false, 0, "Error Opening file: folder.sf"},
        {"empty.sf", true, 0, "Error reading file: empty.sfcount was/sb 0  4"},
        {"short.sf", true, 1, "Error reading file: short.sfcount was/sb 1  4"},
        {"long.sf", true, 4, ""},  // bytes after the setup are ignored
    };
    for (const auto& c : cases) {
        quelvar::Setup setup = sampleSetup();
        const SetupReadResult result = readSetupFile(dir.path(c.name), setup);
        EXPECT_EQ(result.opened, c.opened) << c.name;
        EXPECT_EQ(result.blocks, c.blocks) << c.name;
        EXPECT_EQ(setupReadMessage(result, c.name), c.message);
        EXPECT_EQ(result.reason.empty(), c.message.empty()) << c.name << ": " << result.reason;
        if (!c.opened) {
            EXPECT_EQ(setup, sampleSetup()) << c.name;
        }
    }
}

TEST(SetupFile, FailedWriteLeavesThePreviousFileIntact)
{
    TempDir dir;
    dir.write("a.sf", "previous");
    quelvar::Setup setup = sampleSetup();

    // Files may not grow past 100 bytes: the write stops part way.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const FileWriteResult result = writeSetupFile(dir.path("a.sf"), setup);
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result.failedAt, FileWriteStage::Writing);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(setupWriteMessage(result, "a.sf"), "Error writing file: a.sf");
    EXPECT_EQ(dir.read("a.sf"), "previous");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.sf"});
}

TEST(SetupFile, WriteFollowsLinksAndKeepsPermissions)
{
    TempDir dir;
    dir.write("real.sf", "old");
    ::chmod(dir.path("real.sf").c_str(), 0640);
    ASSERT_EQ(::symlink("real.sf", dir.path("link.sf").c_str()), 0);
    quelvar::Setup setup;
    ASSERT_TRUE(writeSetupFile(dir.path("link.sf"), setup).ok());

    struct stat st {};
    ASSERT_EQ(::lstat(dir.path("link.sf").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(dir.fileSize("real.sf"), kSetupFileSize);
    ASSERT_EQ(::stat(dir.path("real.sf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(SetupDocument, ChangesAreFoundInEveryBlock)
{
    const std::function<void(quelvar::Setup&)> edits[] = {
        [](quelvar::Setup& s) { s.description += "x"; },
        [](quelvar::Setup& s) { s.image[1000] ^= 1; },
        [](quelvar::Setup& s) { s.lineComments[15359] = 'x'; },
        [](quelvar::Setup& s) { s.functionDescriptions[0] = 'x'; },
    };
    for (const auto& edit : edits) {
        SetupDocument doc;
        EXPECT_FALSE(doc.IsSetupChanged());
        edit(doc.setup());
        EXPECT_TRUE(doc.IsSetupChanged());
        doc.TakeReferenceCopy();
        EXPECT_FALSE(doc.IsSetupChanged());
    }
    SetupDocument doc;
    EXPECT_TRUE(doc.IsSetupChanged("typed in the memo"));
    EXPECT_EQ(doc.setup().description, "typed in the memo");
}

TEST(SetupDocument, StartsAsTheFactorySetup)
{
    SetupDocument doc;
    SetupImage factory;
    ResetSetupToDefaults(factory);
    EXPECT_EQ(doc.setup().image, factory);
    EXPECT_EQ(doc.setup().description, "");
    EXPECT_EQ(doc.fileName(), "");
    EXPECT_FALSE(doc.IsSetupChanged());
}

TEST(SetupDocument, WholeFileReadsUnchangedWhateverItsCheckBytes)
{
    TempDir dir;
    SetupDocument doc;
    doc.setup().image[5] = 99;
    ASSERT_TRUE(doc.writeFile(dir.path("b.sf")).ok());
    EXPECT_EQ(doc.fileName(), dir.path("b.sf"));
    EXPECT_FALSE(doc.IsSetupChanged());
    dir.corrupt("b.sf", 10);
    EXPECT_TRUE(doc.readFile(dir.path("b.sf")).complete());
    EXPECT_FALSE(doc.IsSetupChanged());
    EXPECT_FALSE(VerifyCheckBytes(doc.setup().image));
}
