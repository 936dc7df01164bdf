// File errors whose causes every system has; the expected system texts are each platform's own.
#include <gtest/gtest.h>

#include <string>

#include "core/conversion.h"
#include "file_errors_fixture.h"

namespace {

using namespace tabulor;
using namespace tabulor::testkit;
namespace fs = std::filesystem;

TEST_F(FileErrors, SourceThatCannotBeOpened)
{
    const struct {
        fs::path name;
        std::string outcome;
    } cases[] = {
        {Folder / "missing.txt", OpenError(Shown(Folder / "missing.txt"), kNoSuchFile)},
        {Folder / "sub" / ".." / "missing.txt", OpenError(Shown(Folder / "missing.txt"), kNoSuchFile)},
        {Folder.Path, OpenError(Shown(Folder.Path), kIsAFolder)},
        {Folder / "source.txt" / "x", OpenError(Shown(Folder / "source.txt" / "x"), kNotAFolder)},
        {"", OpenError("", kNoSuchFile)},
    };
    for (const auto& c : cases) {
        Settings.SourceFileName = c.name;
        EXPECT_EQ(Run(), c.outcome) << c.name;
        EXPECT_FALSE(fs::exists(Folder / "result.html"));
    }
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
    EXPECT_EQ(openOutcome, OpenError(Shown(Folder / "gone.txt"), kNoSuchFile));
    EXPECT_EQ(createOutcome, CreateError(Shown(Folder / "nowhere" / "out.html"), kNoSuchFolder));
}

TEST_F(FileErrors, DestinationThatCannotBeCreated)
{
    fs::create_directory(Folder / "folder");
    const struct {
        fs::path name;
        std::string outcome;
    } cases[] = {
        {"", CreateError("", kNoSuchFile)},
        {Folder / "folder", CreateError(Shown(Folder / "folder"), kIsAFolder)},
        {Folder / "missing" / "result.html", CreateError(Shown(Folder / "missing" / "result.html"), kNoSuchFolder)},
    };
    for (const auto& c : cases) {
        Settings.DestFileName = c.name;
        EXPECT_EQ(Run(), c.outcome) << c.name;
    }
    EXPECT_EQ(ReadFile(Folder / "source.txt"), "a");
}

}  // namespace
