#include "shell/file_names.h"

#include <gtest/gtest.h>

#include <vector>

#include "shell/pickers.h"

namespace tabulor {
namespace {

TEST(FileNames, DerivedDestination)
{
    constexpr TFileSystem posix = TFileSystem::Posix;
    constexpr TFileSystem windows = TFileSystem::Windows;
    const struct {
        std::u16string_view Source;
        TFileSystem System;
        std::u16string_view Destination;
    } cases[] = {
        {u"/d/ventes.txt", posix, u"/d/ventes.html"},
        {u"/d/ventes.2024.txt", posix, u"/d/ventes.2024.html"},
        {u"/d/v1.0/ventes", posix, u"/d/v1.0/ventes.html"},
        {u"/d/ventes.", posix, u"/d/ventes.html"},
        {u"/d/.txt", posix, u"/d/.html"},
        {u"/d/page.html", posix, u"/d/page.html"},
        {u"/d/VENTES.TXT", posix, u"/d/VENTES.html"},
        {u"ventes", posix, u"ventes.html"},
        {u"", posix, u".html"},
        // A backslash and a colon are characters of a POSIX name.
        {u"C:\\v1.0\\ventes", posix, u"C:\\v1.html"},
        {u"a.b:c", posix, u"a.html"},
        {u"C:\\v1.0\\ventes", windows, u"C:\\v1.0\\ventes.html"},
        {u"a.b:c", windows, u"a.b:c.html"},
        {u"C:ventes", windows, u"C:ventes.html"},
        {u"C:\\d\\ventes.txt", windows, u"C:\\d\\ventes.html"},
        {u"C:/v.1/ventes", windows, u"C:/v.1/ventes.html"},
        {u"\\\\serveur\\partage.1\\ventes", windows, u"\\\\serveur\\partage.1\\ventes.html"},
        {u"", windows, u".html"},
    };
    for (const auto& c : cases) {
        const TFileFields chosen = SourceChosen(c.Source, c.System);
        EXPECT_EQ(chosen.SourceFileName, c.Source);
        EXPECT_EQ(chosen.DestFileName, c.Destination);
    }
}

// A drop on the destination field sets that field alone; anywhere else the file is a source.
TEST(FileNames, DroppedFile)
{
    const TFileFields current = {u"a.txt", u"b.html"};
    for (const TFileSystem system : {TFileSystem::Windows, TFileSystem::Posix}) {
        const TFileFields onDestination = FileDropped(current, u"c.htm", true, system);
        EXPECT_EQ(onDestination.SourceFileName, u"a.txt");
        EXPECT_EQ(onDestination.DestFileName, u"c.htm");
    }
    const TFileFields elsewhere = FileDropped(current, u"d.1\\csv", false, TFileSystem::Windows);
    EXPECT_EQ(elsewhere.SourceFileName, u"d.1\\csv");
    EXPECT_EQ(elsewhere.DestFileName, u"d.1\\csv.html");
    EXPECT_EQ(FileDropped(current, u"d.1\\csv", false, TFileSystem::Posix).DestFileName, u"d.html");
}

// Only "*.*" matches every name on Windows, a name without a full stop included; elsewhere "*"
// does. The source picker offers it last, after the files it reads.
TEST(FileNames, EveryFileInTheSourcePicker)
{
    const struct {
        TFileSystem System;
        std::u16string_view Description, Patterns;
    } cases[] = {
        {TFileSystem::Windows, u"Tous les fichiers (*.*)", u"*.*"},
        {TFileSystem::Posix, u"Tous les fichiers (*)", u"*"},
    };
    for (const auto& c : cases) {
        const TPickerSetup setup = OpenPickerSetup(c.System);
        ASSERT_EQ(setup.Filters.size(), 4u);
        EXPECT_EQ(setup.Filters.back().Description, c.Description);
        EXPECT_EQ(setup.Filters.back().Patterns, c.Patterns);
        EXPECT_EQ(setup.Filters.front().Patterns, u"*.txt");
    }
}

TEST(FileNames, OneDroppedOrNamedFile)
{
    using TNames = std::vector<std::u16string>;
    EXPECT_FALSE(SingleFileName(TNames{}));
    EXPECT_FALSE(SingleFileName(TNames{u""}));
    EXPECT_FALSE(SingleFileName(TNames{u"a.txt", u"b.txt"}));
    const auto relative = SingleFileName(TNames{u"ventes é.txt"});
    ASSERT_TRUE(relative);
    EXPECT_EQ(std::filesystem::path(*relative), std::filesystem::current_path() / u"ventes é.txt");
    const std::u16string absolute = (std::filesystem::current_path() / "a.txt").u16string();
    EXPECT_EQ(SingleFileName(TNames{absolute}), absolute);
#ifndef _WIN32
    // Started in a folder that is gone, the program keeps the name as given.
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path gone = std::filesystem::temp_directory_path() / "tabulor-gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    const auto kept = SingleFileName(TNames{u"a.txt"});
    std::filesystem::current_path(before);
    EXPECT_EQ(kept, u"a.txt");
#endif
}

}  // namespace
}  // namespace tabulor
