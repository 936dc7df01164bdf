// What only Windows files have: share modes that keep other programs out, attributes, devices
// and pipes, wide names and full paths of any length.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "core/file_io.h"
#include "file_errors_fixture.h"
#include "system_text.h"
#include "temp_folder.h"

namespace {

using namespace tabulor;
using namespace tabulor::testkit;
namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::StartsWith;

struct TCloseHandle {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using THandle = std::unique_ptr<void, TCloseHandle>;

// The file opened by "another program": empty when that failed, with the reason in lastError.
THandle OpenOther(const fs::path& name, DWORD access, DWORD share, DWORD* lastError = nullptr)
{
    const HANDLE handle =
        ::CreateFileW(name.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (lastError != nullptr)
        *lastError = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    return THandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

std::vector<std::string> FileNames(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

DWORD Attributes(const fs::path& name)
{
    return ::GetFileAttributesW(name.c_str());
}

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
const std::string OpenErrorStart = "EFOpenError: Impossible d'ouvrir le fichier \"";

using WindowsFiles = FileErrors;

// The source may be read by others while it is read, but one that another program may be
// changing is refused, and so is one that another program keeps to itself.
TEST_F(WindowsFiles, SourceHeldOpenByAnotherProgram)
{
    const std::string refused = OpenError(Shown(Folder / "source.txt"), ERROR_SHARING_VIOLATION);
    const struct {
        DWORD access;
        DWORD share;
        std::string outcome;
    } cases[] = {
        {GENERIC_READ, FILE_SHARE_READ, "ok"},
        {GENERIC_READ, ShareAll, "ok"},
        {GENERIC_WRITE, ShareAll, refused},
        {GENERIC_READ | GENERIC_WRITE, ShareAll, refused},
        {GENERIC_READ, 0, refused},
    };
    for (const auto& c : cases) {
        fs::remove(Folder / "result.html");
        const THandle other = OpenOther(Folder / "source.txt", c.access, c.share);
        ASSERT_TRUE(other) << c.access << " " << c.share;
        EXPECT_EQ(Run(), c.outcome) << c.access << " " << c.share;
        EXPECT_EQ(fs::exists(Folder / "result.html"), c.outcome == "ok");
        EXPECT_EQ(ReadFile(Folder / "result.html"), c.outcome == "ok" ? OneCellTable : "");
    }
}

// Whatever another program wants of a destination it holds open, the destination is left to it.
TEST_F(WindowsFiles, DestinationHeldOpenByAnotherProgram)
{
    WriteFile(Folder / "result.html", "old");
    const std::string refused = CreateError(Shown(Folder / "result.html"), ERROR_SHARING_VIOLATION);
    for (const DWORD access : {DWORD{GENERIC_READ}, DWORD{GENERIC_WRITE}}) {
        const THandle other = OpenOther(Folder / "result.html", access, ShareAll);
        ASSERT_TRUE(other);
        EXPECT_EQ(Run(), refused) << access;
    }
    EXPECT_EQ(ReadFile(Folder / "result.html"), "old");
    EXPECT_THAT(FileNames(Folder.Path), ElementsAre("result.html", "source.txt"));
}

// Nobody reads a half-written state: neither the old destination nor the new file beside it
// opens for anyone until the new one has taken the destination's place.
TEST_F(WindowsFiles, NothingIsReadableWhileWritten)
{
    WriteFile(Folder / "result.html", "old");
    {
        TDestinationFile file(Folder / "result.html");
        file.Write("new");
        const std::vector<std::string> names = FileNames(Folder.Path);
        ASSERT_EQ(names.size(), 3u);
        for (const std::string& name : names) {
            if (name == "source.txt")
                continue;
            DWORD error = ERROR_SUCCESS;
            EXPECT_FALSE(OpenOther(Folder / name, GENERIC_READ, ShareAll, &error)) << name;
            EXPECT_EQ(error, DWORD{ERROR_SHARING_VIOLATION}) << name;
        }
        file.Commit();
    }
    EXPECT_EQ(ReadFile(Folder / "result.html"), "new");
    EXPECT_THAT(FileNames(Folder.Path), ElementsAre("result.html", "source.txt"));
}

// A destination given up half-way, old or new, is as it was before: nothing of the new bytes stays.
TEST_F(WindowsFiles, AbandonedWriteLeavesTheDestinationAsItWas)
{
    WriteFile(Folder / "old.html", "old");
    const struct {
        std::string name;
        std::vector<std::string> filesAfter;
    } cases[] = {
        {"old.html", {"old.html", "source.txt"}},
        {"new.html", {"old.html", "source.txt"}},
    };
    for (const auto& c : cases) {
        {
            TDestinationFile file(Folder / c.name);
            file.Write("half of the new ");
        }
        EXPECT_EQ(FileNames(Folder.Path), c.filesAfter) << c.name;
    }
    EXPECT_EQ(ReadFile(Folder / "old.html"), "old");
}

TEST_F(WindowsFiles, ReadOnlyDestinationIsRefusedAndKept)
{
    WriteFile(Folder / "result.html", "old");
    ASSERT_TRUE(::SetFileAttributesW((Folder / "result.html").c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string outcome = Run();
    const DWORD attributes = Attributes(Folder / "result.html");
    ::SetFileAttributesW((Folder / "result.html").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(outcome, CreateError(Shown(Folder / "result.html"), ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadFile(Folder / "result.html"), "old");
    EXPECT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_THAT(FileNames(Folder.Path), ElementsAre("result.html", "source.txt"));
}

// A replaced file keeps the attributes the user gave it; a new one has none of them.
TEST_F(WindowsFiles, AttributesOfTheReplacedFileStay)
{
    constexpr DWORD Kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    for (const DWORD before : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                               DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}}) {
        WriteFile(Folder / "result.html", "old");
        ASSERT_TRUE(::SetFileAttributesW((Folder / "result.html").c_str(), before));
        EXPECT_EQ(Run(), "ok") << before;
        EXPECT_EQ(Attributes(Folder / "result.html") & Kept, before);
        EXPECT_EQ(ReadFile(Folder / "result.html"), OneCellTable) << before;
        ASSERT_TRUE(::SetFileAttributesW((Folder / "result.html").c_str(), FILE_ATTRIBUTE_NORMAL));
    }
    fs::remove(Folder / "result.html");
    EXPECT_EQ(Run(), "ok");
    EXPECT_EQ(Attributes(Folder / "result.html") & Kept, 0u);
}

// The full path that the message shows has no length limit and keeps every character of a
// name, whatever the user's code page.
TEST_F(WindowsFiles, FullPathsOfAnyNameAndLength)
{
    const std::wstring longFolder(200, L'd');
    const std::wstring longerFolder(200, L'e');
    const struct {
        fs::path relative;
        fs::path full;
    } cases[] = {
        {L"nowhere\\.\\..\\gone.txt", Folder / "gone.txt"},
        {L"sub/gone.txt", Folder / "sub" / "gone.txt"},
        {longFolder + L"\\" + longerFolder + L"\\gone.txt", Folder.Path / longFolder / longerFolder / "gone.txt"},
        {L"donn\u00E9es \u20AC \u65E5\u672C.txt", Folder.Path / L"donn\u00E9es \u20AC \u65E5\u672C.txt"},
    };
    const auto previous = fs::current_path();
    fs::current_path(Folder.Path);
    std::vector<std::string> outcomes;
    for (const auto& c : cases) {
        Settings.SourceFileName = c.relative;
        outcomes.push_back(Run());
    }
    fs::current_path(previous);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_THAT(outcomes[i], StartsWith(OpenErrorStart + Shown(cases[i].full) + "\". ")) << i;
    EXPECT_GT(Shown(cases[2].full).size(), std::size_t{MAX_PATH});
    EXPECT_EQ(outcomes[3], OpenError(Shown(cases[3].full), NoSuchFile));
}

// Names outside every code page are read and written as they are.
TEST_F(WindowsFiles, WideNamesAreReadAndWritten)
{
    const fs::path source = Folder.Path / L"tableau \u0153 \u20AC \u65E5\u672C.txt";
    const fs::path destination = Folder.Path / L"r\u00E9sultat \u0416.html";
    WriteFile(source, "a");
    Settings.SourceFileName = source;
    Settings.DestFileName = destination;
    EXPECT_EQ(Run(), "ok");
    EXPECT_EQ(ReadFile(destination), OneCellTable);
}

// A device takes the bytes where it is: no new file is made beside it.
TEST_F(WindowsFiles, DeviceIsWrittenInPlace)
{
    const auto previous = fs::current_path();
    fs::current_path(Folder.Path);
    Settings.DestFileName = "NUL";
    const std::string outcome = Run();
    fs::current_path(previous);
    EXPECT_EQ(outcome, "ok");
    EXPECT_THAT(FileNames(Folder.Path), ElementsAre("source.txt"));
}

// A pipe is written where it is, and one whose reader has gone takes no more bytes.
TEST_F(WindowsFiles, PipeIsWrittenInPlaceUntilItsReaderGoes)
{
    const std::wstring name = L"\\\\.\\pipe\\tabulor-test-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE pipe = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0,
                                           4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    THandle reader(pipe);
    TDestinationFile file(name);
    file.Write("abc");
    char got[8];
    DWORD count = 0;
    ASSERT_TRUE(::ReadFile(reader.get(), got, sizeof got, &count, nullptr));
    EXPECT_EQ(std::string(got, count), "abc");
    reader.reset();
    EXPECT_EQ(Outcome([&] { file.Write("def"); }), WriteError);
}

}  // namespace
