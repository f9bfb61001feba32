#include "model/check_bytes.h"
#include "model/param_items.h"
#include "model/setup_document.h"
#include "model/setup_file.h"

#include "other_user.h"
#include "temp_dir.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quelvar;
using quelvar::test::asOtherUser;
using quelvar::test::runningAsRoot;
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

// Files may not grow past `bytes`, as on a full disk.
void limitFileSize(rlim_t bytes, rlimit* saved)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited{};
    ::getrlimit(RLIMIT_FSIZE, &limited);
    *saved = limited;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
}

std::size_t entryCount(const std::string& folder)
{
    const std::filesystem::directory_iterator entries(folder);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
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

    rlimit saved{};
    limitFileSize(100, &saved);  // the write stops part way
    const FileWriteResult result = writeSetupFile(dir.path("a.sf"), setup);
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result.failedAt, FileWriteStage::Writing);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(setupWriteMessage(result, "a.sf"), "Error writing file: a.sf");
    EXPECT_EQ(dir.read("a.sf"), "previous");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.sf"});
}

// Where the folder refuses the temporary file or the rename, a file the user may
// write is written in place; a full disk there still leaves the old bytes.
TEST(SetupFile, SaveWritesInPlaceWhereOnlyTheFolderRefuses)
{
    const struct {
        const char* name;
        mode_t folderMode;
        bool hasFile, fullDisk;
        FileWriteStage failedAt;
    } cases[] = {
        {"read-only folder", 0555, true, false, FileWriteStage::None},
        {"sticky folder, another user's file", 01777, true, false, FileWriteStage::None},
        {"read-only folder, no file", 0555, false, false, FileWriteStage::Opening},
        {"read-only folder, full disk", 0555, true, true, FileWriteStage::Writing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.folderMode & S_ISVTX && !runningAsRoot()) {
            std::cout << "skipped \"" << c.name << "\": only root can leave a file of its own\n";
            continue;
        }
        TempDir dir;
        if (c.hasFile) dir.write("a.sf", "previous");
        ::chmod(dir.path("a.sf").c_str(), 0666);
        ::chmod(dir.path().c_str(), c.folderMode);
        const auto outcome = asOtherUser([&] {
            rlimit saved{};
            if (c.fullDisk) limitFileSize(100, &saved);
            quelvar::Setup setup = sampleSetup();
            const FileWriteResult result = writeSetupFile(dir.path("a.sf"), setup);
            if (c.fullDisk) ::setrlimit(RLIMIT_FSIZE, &saved);
            const std::string after = dir.read("a.sf");
            const bool kept = result.ok() ? after.size() == kSetupFileSize
                                          : after == (c.hasFile ? "previous" : "");
            int faults = result.failedAt != c.failedAt ? 1 : 0;
            if (!kept) faults |= 2;
            if (result.ok() != result.reason.empty()) faults |= 4;
            if (entryCount(dir.path()) != (c.hasFile ? 1u : 0u)) faults |= 8;
            return faults;
        });
        ::chmod(dir.path().c_str(), 0755);
        if (!outcome) GTEST_SKIP() << "no second user to write as";
        EXPECT_EQ(*outcome, 0) << "1 stage, 2 file contents, 4 reason, 8 temporary file left";
    }
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

// As root, a rename over `-o /dev/null` would replace the system's /dev/null.
TEST(SetupFile, WriteGoesThroughAFifoAndKeepsIt)
{
    TempDir dir;
    const std::string fifo = dir.path("out");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const std::vector<std::uint8_t> bytes{'s', 'e', 't'};
    EXPECT_TRUE(writeFileAtomically(fifo, bytes).ok());
    char got[8] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 3);
    ::close(reader);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.entries().size(), 1u);
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

TEST(SetupFile, DoubtsNameTheSizeAndTheCheckBytes)
{
    TempDir dir;
    quelvar::Setup setup = sampleSetup();
    ASSERT_TRUE(writeSetupFile(dir.path("sealed.sf"), setup).ok());
    std::string bytes = dir.read("sealed.sf");
    dir.write("longer.sf", bytes + "x");
    bytes[5] = static_cast<char>(bytes[5] + 1);
    dir.write("unsealed.sf", bytes);
    const std::pair<const char*, const char*> cases[] = {
        {"sealed.sf", ""},
        {"longer.sf", "22017 bytes"},
        {"unsealed.sf", "check bytes do not verify"},
        {"missing.sf", ""},  // opening it says why
    };
    for (const auto& [name, doubts] : cases)
        EXPECT_EQ(setupFileDoubts(dir.path(name)), doubts) << name;
}
