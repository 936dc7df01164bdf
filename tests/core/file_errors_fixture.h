// What the file error tests share: the messages as the user reads them and a run of a one-cell
// source into a fresh folder. One fixture type for every file that uses it, as GoogleTest wants
// one fixture per test suite.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/conversion.h"
#include "tests/testkit/starting_settings.h"
#include "temp_folder.h"

namespace tabulor::testkit {

inline const std::string OneCellTable = "<table border=\"1px\">\r\n  <tr><th>a</th></tr>\r\n</table>\r\n";
inline const std::string WriteError = "EWriteError: Erreur d'écriture dans le flux";

inline std::string OpenError(const std::string& fullPath, TSystemError code)
{
    return "EFOpenError: Impossible d'ouvrir le fichier \"" + fullPath + "\". " + SystemText(code);
}

inline std::string CreateError(const std::string& fullPath, TSystemError code)
{
    return "EFCreateError: Impossible de créer le fichier \"" + fullPath + "\". " + SystemText(code);
}

class FileErrors : public ::testing::Test {
protected:
    FileErrors()
    {
        WriteFile(Folder / "source.txt", "a");
        Settings.SourceFileName = Folder / "source.txt";
        Settings.DestFileName = Folder / "result.html";
    }
    std::string Run() { return Outcome([this] { RunConversion(Settings); }); }
#ifndef _WIN32
    std::string RunUnprivileged()
    {
        return OutcomeInChild({.Unprivileged = true}, [this] { RunConversion(Settings); });
    }
#endif
    TTempFolder Folder;
    TConversionSettings Settings = StartingSettings();
};

}  // namespace tabulor::testkit
