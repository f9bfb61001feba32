// The backups folder and the editor's options in the settings file.

#include "cli_runner.h"
#include "model/backups.h"
#include "model/editor_options.h"
#include "model/setup_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quelvar {
namespace {

Setup backupSetup(std::uint8_t mark, const std::string& description)
{
    Setup setup;
    setup.image.fill(mark);
    setup.description = description;
    return setup;
}

TEST(Backups, AreNamedByTimeAndPortNeverReplacedAndListedNewestFirst)
{
    test::TempDir dir;
    const std::string folder = dir.path("data/quelvar/backups");  // made when missing
    const std::time_t noon = 1717156800;                           // one moment, local time
    std::tm local{};
    ::localtime_r(&noon, &local);
    char stamp[32], shown[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    std::strftime(shown, sizeof shown, "%Y-%m-%d %H:%M:%S", &local);
    const std::string first = folder + "/" + stamp + "_COM1.sf";

    const struct {
        std::uint8_t mark;
        std::time_t when;
        const char* port;
        std::string path;
    } writes[] = {
        {1, noon, "COM1", first},
        {2, noon, "COM1", folder + "/" + stamp + "_COM1_2.sf"},  // the same second
        {3, noon - 3600, "/dev/ttyUSB0", ""},
    };
    for (const auto& w : writes) {
        const BackupResult r =
            writeBackup(folder, backupSetup(w.mark, "copy " + std::to_string(w.mark) + "\r\nmore"),
                        w.port, w.when);
        ASSERT_TRUE(r.ok()) << r.reason;
        if (!w.path.empty()) {
            EXPECT_EQ(r.path, w.path);
        }
        quelvar::Setup back;
        ASSERT_TRUE(readSetupFile(r.path, back).complete());
        EXPECT_EQ(back.image[0], w.mark);
    }
    dir.write("data/quelvar/backups/notes.txt", "not a backup");

    const std::vector<Backup> listed = listBackups(folder);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].path, writes[1].path);
    EXPECT_EQ(listed[1].path, first);
    EXPECT_EQ(listed[2].port, "-dev-ttyUSB0");
    EXPECT_EQ(listed[1].port, "COM1");
    EXPECT_EQ(listed[1].description, "copy 1");
    EXPECT_EQ(listed[1].date + " " + listed[1].time, shown);

    // quelvar-cli backups lists the same, from $XDG_DATA_HOME.
    ::setenv("XDG_DATA_HOME", dir.path("data").c_str(), 1);
    const test::CliRun run = test::runCli({"backups"});
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with(writes[1].path + "\t" + shown + "\tCOM1\tcopy 2\n")) << run.out;
}

TEST(Backups, AFolderThatCannotBeMadeSaysWhy)
{
    test::TempDir dir;
    dir.write("file", "");
    const BackupResult r = writeBackup(dir.path("file/backups"), quelvar::Setup(), "COM1", 0);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.reason.starts_with(dir.path("file/backups") + ": ")) << r.reason;
    // A folder that cannot be read says so; a missing one holds no backups yet.
    for (const std::string& folder : {dir.path("file"), dir.path("missing")}) {
        std::string problem;
        EXPECT_TRUE(listBackups(folder, &problem).empty());
        EXPECT_EQ(problem, folder == dir.path("file") ? folder + ": Not a directory" : "");
    }
}

TEST(EditorOptions, AreKeptInTheSettingsFileAndRecentFilesComeNewestFirstOnce)
{
    EditorOptions options;
    EXPECT_TRUE(options.readFirst);
    for (const char* file : {"a", "b", "a", "c;d", "e\n[Com]", " f"})
        addRecentFile(options.recentFiles, file);
    EXPECT_EQ(options.recentFiles, (std::vector<std::string>{"a", "b"}));
    for (const char* file : {"c", "d", "e", "f", "g", "h", "i"})
        addRecentFile(options.recentFiles, file);
    EXPECT_EQ(options.recentFiles,
              (std::vector<std::string>{"i", "h", "g", "f", "e", "d", "c", "a"}));

    // What the files give already stays out of a file that never had it.
    IniFile file("[Com]\nbaud=9600\n");
    writeEditorOptions(file, EditorOptions(), EditorOptions());
    EXPECT_EQ(file.text(), "[Com]\nbaud=9600\n");
    options.readFirst = false;
    options.backupDownloads = true;
    writeEditorOptions(file, options, EditorOptions());
    const EditorOptions back = readEditorOptions(std::span(&file, 1));
    EXPECT_FALSE(back.readFirst);
    EXPECT_TRUE(back.backupDownloads);
    EXPECT_EQ(back.recentFiles, options.recentFiles);

    // A shorter list empties the places it no longer fills; a bad flag is the default.
    options.recentFiles = {"z"};
    writeEditorOptions(file, options, back);
    file.setValue("Transfer", "readFirst", "yes");
    const EditorOptions shorter = readEditorOptions(std::span(&file, 1));
    EXPECT_EQ(shorter.recentFiles, std::vector<std::string>{"z"});
    EXPECT_TRUE(shorter.readFirst);
}

}  // namespace
}  // namespace quelvar
