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
        {Folder / "missing.txt", OpenError(Shown(Folder / "missing.txt"), NoSuchFile)},
        {Folder / "sub" / ".." / "missing.txt", OpenError(Shown(Folder / "missing.txt"), NoSuchFile)},
        {Folder.Path, OpenError(Shown(Folder.Path), IsAFolder)},
        {Folder / "source.txt" / "x", OpenError(Shown(Folder / "source.txt" / "x"), NotAFolder)},
        {"", OpenError("", NoSuchFile)},
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
    EXPECT_EQ(openOutcome, OpenError(Shown(Folder / "gone.txt"), NoSuchFile));
    EXPECT_EQ(createOutcome, CreateError(Shown(Folder / "nowhere" / "out.html"), NoSuchFolder));
}

TEST_F(FileErrors, DestinationThatCannotBeCreated)
{
    fs::create_directory(Folder / "folder");
    const struct {
        fs::path name;
        std::string outcome;
    } cases[] = {
        {"", CreateError("", NoSuchFile)},
        {Folder / "folder", CreateError(Shown(Folder / "folder"), IsAFolder)},
        {Folder / "missing" / "result.html", CreateError(Shown(Folder / "missing" / "result.html"), NoSuchFolder)},
    };
    for (const auto& c : cases) {
        Settings.DestFileName = c.name;
        EXPECT_EQ(Run(), c.outcome) << c.name;
    }
    EXPECT_EQ(ReadFile(Folder / "source.txt"), "a");
}

// A source that is no text of its encoding fails before the old destination changes, and a
// quoted field left open fails after rows were written: neither leaves anything behind.
TEST_F(FileErrors, SourceThatIsNoTextOfItsEncoding)
{
    using namespace std::string_literals;
    const std::string shown = Shown(Folder / "source.txt");
    const auto malformed = [&](const char* encoding, int line) {
        return "ESourceTextError: Le fichier \"" + shown + "\" n'est pas un texte " + encoding +
               " valide à la ligne " + std::to_string(line);
    };
    const struct {
        std::string bytes;
        TSourceEncoding encoding;
        TFieldSeparator separator;
        std::string outcome;
    } cases[] = {
        {"a\r\nb\0c"s, TSourceEncoding::Windows1252, TFieldSeparator::Tab, malformed("Windows-1252", 2)},
        {"a\n\n\xE9t\xE9", TSourceEncoding::Utf8, TFieldSeparator::Tab, malformed("UTF-8", 3)},
        {"\xFF\xFE" "a\0\n\0b"s, TSourceEncoding::Utf16, TFieldSeparator::Tab, malformed("UTF-16", 2)},
        {"\xEF\xBB\xBF" "\xC3", TSourceEncoding::Automatic, TFieldSeparator::Tab, malformed("UTF-8", 1)},
        {"\xE9;\"\r\n\r\n", TSourceEncoding::Automatic, TFieldSeparator::Semicolon,
         "ESourceTextError: Le fichier \"" + shown + "\" a un guillemet non fermé à la ligne 1"},
        {"a,b\n\"c\nd", TSourceEncoding::Utf8, TFieldSeparator::Comma,
         "ESourceTextError: Le fichier \"" + shown + "\" a un guillemet non fermé à la ligne 2"},
    };
    for (const auto& c : cases) {
        WriteFile(Folder / "source.txt", c.bytes);
        WriteFile(Folder / "result.html", "old");
        Settings.SourceEncoding = c.encoding;
        Settings.FieldSeparator = c.separator;
        EXPECT_EQ(Run(), c.outcome);
        EXPECT_EQ(ReadFile(Folder / "result.html"), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(Folder.Path), fs::directory_iterator()), 2);
    }
}

}  // namespace
