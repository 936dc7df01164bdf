#include <gtest/gtest.h>

#include <sys/mount.h>

#include <cerrno>
#include <string>

#include "core/conversion.h"
#include "temp_folder.h"

namespace {

using namespace tabulor;
using namespace tabulor::testkit;
namespace fs = std::filesystem;

const std::string kTable = "<table border=\"1px\">\r\n  <tr><th>a</th></tr>\r\n</table>\r\n";

std::string OpenError(const std::string& fullPath, int code)
{
    return "EFOpenError: Impossible d'ouvrir le fichier \"" + fullPath + "\". " + SystemText(code);
}

std::string CreateError(const std::string& fullPath, int code)
{
    return "EFCreateError: Impossible de créer le fichier \"" + fullPath + "\". " + SystemText(code);
}

const std::string kWriteError = "EWriteError: Erreur d'écriture dans le flux";

class FileErrors : public ::testing::Test {
protected:
    FileErrors()
    {
        WriteFile(Folder / "source.txt", "a");
        Settings.SourceFileName = Folder / "source.txt";
        Settings.DestFileName = Folder / "result.html";
    }
    std::string Run() { return Outcome([this] { RunConversion(Settings); }); }
    std::string RunUnprivileged()
    {
        return OutcomeInChild({.Unprivileged = true}, [this] { RunConversion(Settings); });
    }
    TTempFolder Folder;
    TConversionSettings Settings;
};

TEST_F(FileErrors, SourceThatCannotBeOpened)
{
    const std::string folder = Folder.Path.string();
    const struct {
        fs::path name;
        std::string outcome;
    } cases[] = {
        {Folder / "missing.txt", OpenError(folder + "/missing.txt", ENOENT)},
        {Folder / "sub" / ".." / "missing.txt", OpenError(folder + "/missing.txt", ENOENT)},
        {Folder.Path, OpenError(folder, EISDIR)},
        {Folder / "source.txt" / "x", OpenError(folder + "/source.txt/x", ENOTDIR)},
        {"", OpenError("", ENOENT)},
    };
    for (const auto& c : cases) {
        Settings.SourceFileName = c.name;
        EXPECT_EQ(Run(), c.outcome) << c.name;
        EXPECT_FALSE(fs::exists(Folder / "result.html"));
    }

    Settings.SourceFileName = Folder / "source.txt";
    fs::permissions(Settings.SourceFileName, fs::perms::none);
    EXPECT_EQ(RunUnprivileged(), OpenError(folder + "/source.txt", EACCES));
}

TEST_F(FileErrors, RelativeNamesAreShownInFull)
{
    const auto previous = fs::current_path();
    fs::current_path(Folder.Path);
    Settings.SourceFileName = "nowhere/../gone.txt";
    const std::string openOutcome = Run();
    Settings.SourceFileName = "source.txt";
    Settings.DestFileName = "nowhere/out.html";
    const std::string createOutcome = Run();
    fs::current_path(previous);
    EXPECT_EQ(openOutcome, OpenError(Folder.Path.string() + "/gone.txt", ENOENT));
    EXPECT_EQ(createOutcome, CreateError(Folder.Path.string() + "/nowhere/out.html", ENOENT));
}

TEST_F(FileErrors, DestinationThatCannotBeCreated)
{
    fs::create_directory(Folder / "folder");
    const std::string folder = Folder.Path.string();
    const struct {
        fs::path name;
        std::string outcome;
    } cases[] = {
        {"", CreateError("", ENOENT)},
        {Folder / "folder", CreateError(folder + "/folder", EISDIR)},
        {Folder / "missing" / "result.html", CreateError(folder + "/missing/result.html", ENOENT)},
    };
    for (const auto& c : cases) {
        Settings.DestFileName = c.name;
        EXPECT_EQ(Run(), c.outcome) << c.name;
    }
    EXPECT_EQ(ReadFile(Folder / "source.txt"), "a");
}

TEST_F(FileErrors, ReadOnlyDestinationIsRefusedAndKept)
{
    WriteFile(Folder / "result.html", "old");
    fs::permissions(Folder / "result.html", fs::perms(0444));
    EXPECT_EQ(RunUnprivileged(), CreateError(Folder.Path.string() + "/result.html", EACCES));
    EXPECT_EQ(ReadFile(Folder / "result.html"), "old");
}

TEST_F(FileErrors, FolderThatTakesNoNewFile)
{
    fs::create_directory(Folder / "locked");
    WriteFile(Folder / "locked" / "writable.html", "old");
    fs::permissions(Folder / "locked" / "writable.html", fs::perms::all);
    fs::permissions(Folder / "locked", fs::perms(0555));

    // An existing file that may be written is written in place.
    Settings.DestFileName = Folder / "locked" / "writable.html";
    EXPECT_EQ(RunUnprivileged(), "ok");
    EXPECT_EQ(ReadFile(Folder / "locked" / "writable.html"), kTable);

    Settings.DestFileName = Folder / "locked" / "new.html";
    EXPECT_EQ(RunUnprivileged(), CreateError(Folder.Path.string() + "/locked/new.html", EACCES));
    fs::permissions(Folder / "locked", fs::perms::all);
}

TEST_F(FileErrors, FullDeviceIsWrittenInPlaceAndReported)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    Settings.DestFileName = "/dev/full";
    EXPECT_EQ(Run(), kWriteError);
}

// A write that fails part-way leaves the old destination as it was and no partial file.
TEST_F(FileErrors, FailedWriteKeepsTheOldDestination)
{
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += "cellule\tvaleur\r\n";
    WriteFile(Folder / "source.txt", big);
    WriteFile(Folder / "result.html", "old");
    EXPECT_EQ(OutcomeInChild({.FileSizeLimit = 64 * 1024}, [this] { RunConversion(Settings); }), kWriteError);
    EXPECT_EQ(ReadFile(Folder / "result.html"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder.Path), fs::directory_iterator()), 2);

    // The source as its own destination survives too.
    Settings.DestFileName = Settings.SourceFileName;
    EXPECT_EQ(OutcomeInChild({.FileSizeLimit = 64 * 1024}, [this] { RunConversion(Settings); }), kWriteError);
    EXPECT_EQ(ReadFile(Folder / "source.txt"), big);
}

TEST_F(FileErrors, NoRoomLeftOnASmallFileSystem)
{
    fs::create_directory(Folder / "small");
    if (::mount("tmpfs", (Folder / "small").c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << SystemText(errno);
    std::string big;
    for (int i = 0; i < 20000; ++i)
        big += "\xE9t\xE9\t\x80\r\n";
    WriteFile(Folder / "source.txt", big);
    WriteFile(Folder / "small" / "result.html", "old");
    Settings.DestFileName = Folder / "small" / "result.html";
    const std::string outcome = Run();
    const std::string kept = ReadFile(Folder / "small" / "result.html");
    const auto files = std::distance(fs::directory_iterator(Folder / "small"), fs::directory_iterator());
    ::umount((Folder / "small").c_str());
    EXPECT_EQ(outcome, kWriteError);
    EXPECT_EQ(kept, "old");
    EXPECT_EQ(files, 1);
}

}  // namespace
