// File errors whose causes only POSIX systems have or can bring about here: permission bits, an
// unprivileged child, a size limit, /dev/full, a small mounted file system and a mapped source
// cut short.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "child_process.h"
#include "core/conversion.h"
#include "core/file_io.h"
#include "tests/testkit/sheet_forms.h"
#include "file_errors_fixture.h"

namespace {

using namespace tabulor;
using namespace tabulor::testkit;
namespace fs = std::filesystem;

TEST_F(FileErrors, UnreadableSourceIsRefused)
{
    const std::string folder = Folder.Path.string();
    fs::permissions(Settings.SourceFileName, fs::perms::none);
    EXPECT_EQ(RunUnprivileged(), OpenError(folder + "/source.txt", EACCES));
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
    EXPECT_EQ(ReadFile(Folder / "locked" / "writable.html"), OneCellTable);

    Settings.DestFileName = Folder / "locked" / "new.html";
    EXPECT_EQ(RunUnprivileged(), CreateError(Folder.Path.string() + "/locked/new.html", EACCES));
    fs::permissions(Folder / "locked", fs::perms::all);
}

// A large source is read through a mapping, which truncating the file in place would cut from
// under the run: a source that is its own destination is read whole instead.
TEST_F(FileErrors, LargeSourceWrittenInPlaceOverItself)
{
    std::string source;
    while (source.size() < (std::size_t{2} << 20))
        source += "cellule\t\xE9t\xE9\r\n";
    fs::create_directory(Folder / "locked");
    WriteFile(Folder / "locked" / "own.txt", source);
    fs::permissions(Folder / "locked" / "own.txt", fs::perms::all);
    fs::permissions(Folder / "locked", fs::perms(0555));
    Settings.SourceFileName = Settings.DestFileName = Folder / "locked" / "own.txt";
    EXPECT_EQ(RunUnprivileged(), "ok");
    EXPECT_EQ(ReadFile(Folder / "locked" / "own.txt"), ConvertInMemory(source, Settings));
    fs::permissions(Folder / "locked", fs::perms::all);
}

// Another program may cut a mapped source short: its lost pages read as zeros, not as a crash,
// and the run fails as on a source it could not read.
TEST_F(FileErrors, SourceCutShortWhileMappedIsAnOpenError)
{
    const std::string bytes(std::size_t{4} << 20, 'x');
    WriteFile(Settings.SourceFileName, bytes);
    const TFileContents contents = ReadWholeFile(Settings.SourceFileName);
    EXPECT_NO_THROW(ThrowIfCutShort(contents, Settings.SourceFileName));
    fs::resize_file(Settings.SourceFileName, 4096);
    EXPECT_EQ(contents.View().find_first_not_of('x'), std::size_t{4096});
    EXPECT_EQ(contents.View().find_first_not_of('\0', 4096), std::string_view::npos);
    EXPECT_EQ(Outcome([&] { ThrowIfCutShort(contents, Settings.SourceFileName); }),
              OpenError(Settings.SourceFileName.string(), EIO));
}

TEST_F(FileErrors, FullDeviceIsWrittenInPlaceAndReported)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    Settings.DestFileName = "/dev/full";
    EXPECT_EQ(Run(), WriteError);
}

// A link such as /dev/stdout names a pipe by a target that is no path: the pipe itself is written.
TEST_F(FileErrors, LinkToAPipeIsWrittenInPlace)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    Settings.DestFileName = "/proc/self/fd/" + std::to_string(ends[1]);
    const std::string outcome = Run();
    ::close(ends[1]);
    std::string piped(4096, '\0');
    piped.resize(static_cast<std::size_t>(std::max<ssize_t>(::read(ends[0], piped.data(), piped.size()), 0)));
    ::close(ends[0]);
    EXPECT_EQ(outcome, "ok");
    EXPECT_EQ(piped, OneCellTable);
}

// A write that fails part-way leaves the old destination as it was and no partial file.
TEST_F(FileErrors, FailedWriteKeepsTheOldDestination)
{
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += "cellule\tvaleur\r\n";
    WriteFile(Folder / "source.txt", big);
    WriteFile(Folder / "result.html", "old");
    EXPECT_EQ(OutcomeInChild({.FileSizeLimit = 64 * 1024}, [this] { RunConversion(Settings); }), WriteError);
    EXPECT_EQ(ReadFile(Folder / "result.html"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder.Path), fs::directory_iterator()), 2);

    // The source as its own destination survives too.
    Settings.DestFileName = Settings.SourceFileName;
    EXPECT_EQ(OutcomeInChild({.FileSizeLimit = 64 * 1024}, [this] { RunConversion(Settings); }), WriteError);
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
    EXPECT_EQ(outcome, WriteError);
    EXPECT_EQ(kept, "old");
    EXPECT_EQ(files, 1);
}

// A file system out of inodes takes no new file: the destination is left alone, not emptied to be
// written in place.
TEST_F(FileErrors, NoRoomForANewFileLeavesTheDestination)
{
    fs::create_directory(Folder / "full");
    if (::mount("tmpfs", (Folder / "full").c_str(), "tmpfs", 0, "size=1m,nr_inodes=3") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << SystemText(errno);
    WriteFile(Folder / "full" / "result.html", "old");
    WriteFile(Folder / "full" / "other", "x");
    Settings.DestFileName = Folder / "full" / "result.html";
    const std::string outcome = Run();
    const std::string kept = ReadFile(Folder / "full" / "result.html");
    ::umount((Folder / "full").c_str());
    EXPECT_EQ(outcome, CreateError(Folder.Path.string() + "/full/result.html", ENOSPC));
    EXPECT_EQ(kept, "old");
}

// In a folder shared by all, another user's writable file cannot be replaced by one of ours, and
// would change owner if it could: it is written in place and stays its owner's.
TEST_F(FileErrors, AnotherUsersFileInASharedFolderIsWrittenInPlace)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a second user: run as root, the run itself goes as nobody";
    fs::create_directory(Folder / "shared");
    fs::permissions(Folder / "shared", fs::perms::all | fs::perms::sticky_bit);
    WriteFile(Folder / "shared" / "result.html", "old");
    fs::permissions(Folder / "shared" / "result.html", fs::perms(0666));
    Settings.DestFileName = Folder / "shared" / "result.html";
    EXPECT_EQ(RunUnprivileged(), "ok");
    EXPECT_EQ(ReadFile(Folder / "shared" / "result.html"), OneCellTable);
    struct stat status {};
    ASSERT_EQ(::stat((Folder / "shared" / "result.html").c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder / "shared"), fs::directory_iterator()), 1);
}

}  // namespace
