// Faults that strike in the middle of a run: the folder vanishing before the new file takes the
// destination's place, the source replaced while it is read. Afterwards no file of the user's may
// have changed and nothing of ours may be left behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <thread>

#include "core/conversion.h"
#include "core/file_io.h"
#include "tests/testkit/starting_settings.h"
#include "temp_folder.h"

namespace {

using namespace tabulor;
using namespace tabulor::testkit;
namespace fs = std::filesystem;

TEST(FaultInjection, FolderRemovedBeforeTheNewFileTakesItsPlace)
{
    TTempFolder folder;
    fs::create_directory(folder / "out");
    WriteFile(folder / "keep.txt", "user's file");
    const fs::path destination = folder / "out" / "result.html";
    const std::string outcome = Outcome([&] {
        TDestinationFile file(destination);
        fs::remove_all(folder / "out");
        file.Write("<table>\r\n</table>\r\n");
        file.Commit();
    });
    EXPECT_EQ(outcome, "EFCreateError: Impossible de créer le fichier \"" + destination.string() + "\". " +
                           SystemText(ENOENT));
    EXPECT_FALSE(fs::exists(folder / "out"));
    EXPECT_EQ(ReadFile(folder / "keep.txt"), "user's file");
}

TEST(FaultInjection, AbandonedWriteLeavesTheDestinationAndNoPartialFile)
{
    TTempFolder folder;
    WriteFile(folder / "result.html", "old");
    {
        TDestinationFile file(folder / "result.html");
        file.Write("half of the new ");
    }
    EXPECT_EQ(ReadFile(folder / "result.html"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path), fs::directory_iterator()), 1);
}

// The source is a pipe whose name is taken by another file half-way through: the run goes on
// reading what it opened, and the file that took the name is left alone.
TEST(FaultInjection, SourceReplacedWhileRead)
{
    TTempFolder folder;
    const fs::path source = folder / "source.txt";
    ASSERT_EQ(::mkfifo(source.c_str(), 0666), 0);
    WriteFile(folder / "replacement.txt", "replacement");

    std::thread writer([&] {
        const int fd = ::open(source.c_str(), O_WRONLY);
        (void)!::write(fd, "a\tb\r\n", 5);
        fs::rename(folder / "replacement.txt", source);
        (void)!::write(fd, "c\r\n", 3);
        ::close(fd);
    });
    TConversionSettings settings = StartingSettings();
    settings.SourceFileName = source;
    settings.DestFileName = folder / "result.html";
    const std::string outcome = Outcome([&] { RunConversion(settings); });
    writer.join();

    EXPECT_EQ(outcome, "ok");
    EXPECT_EQ(ReadFile(folder / "result.html"),
              "<table border=\"1px\">\r\n  <tr><th>a</th><th>b</th></tr>\r\n  <tr><td>c</td></tr>\r\n</table>\r\n");
    EXPECT_EQ(ReadFile(source), "replacement");
}

}  // namespace
