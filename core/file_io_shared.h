// What the platform file layers have in common: the steps that put the new file in the
// destination's place and the raising of the errors that name a file, written once over a few
// platform calls; the name of that new file; and reading a file whose length is only a hint to
// its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "file_errors.h"
#include "file_io.h"

namespace tabulor {

// The open file the bytes go to, and whatever else the platform holds until the new file has
// taken the destination's place. Each platform layer defines it.
struct TPlatformFile;

struct TDestinationFile::TState {
    // Both where TPlatformFile is known.
    TState();
    ~TState();

    std::filesystem::path Name;       // as the user gave it, for messages
    std::filesystem::path Target;     // the file that changes, links followed
    std::filesystem::path Temporary;  // the new file, empty when writing in place
    std::unique_ptr<TPlatformFile> File;
    bool Created = false;  // writing in place a file that did not exist before
    bool Committed = false;
};

// An error as the platform numbers it.
#ifdef _WIN32
using TErrorCode = unsigned long;  // DWORD
#else
using TErrorCode = int;  // errno
#endif

// The platform's parts of the file messages: the name made absolute against the current folder,
// and the system's text for an error.
std::string FullPath(const std::filesystem::path& name);
std::string SystemText(TErrorCode code);

// The file errors for a name as the user gave it.
[[noreturn]] void ThrowFOpenError(const std::filesystem::path& name, TErrorCode code);
[[noreturn]] void ThrowFCreateError(const std::filesystem::path& name, TErrorCode code);
[[noreturn]] void ThrowSourceTextError(const std::filesystem::path& name, const ETextFault& fault);

// The platform calls under the shared steps.
// How many of the bytes could be written; 0 when none could.
std::size_t WriteSome(TPlatformFile& file, std::string_view bytes);
// As WriteSome, to standard output.
std::size_t WriteSomeToStandardOutput(std::string_view bytes);
// False when the bytes written cannot be made to reach the disk.
bool FlushToDisk(TPlatformFile& file);
// False when closing failed, so that a late write error is not lost. Closing again does nothing.
bool CloseFile(TPlatformFile& file);
// Puts the new file, closed, in the target's place in one step; throws EFCreateError for the
// name the user gave when it cannot.
void MoveIntoPlace(TPlatformFile& file, const std::filesystem::path& temporary,
                   const std::filesystem::path& target, const std::filesystem::path& name);
void RemoveFile(const std::filesystem::path& name);

// A name in the target's folder that no other file is likely to have.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target);

// Reads with readSome, which gives the count of bytes it put at "into" (0 at the end) and throws
// on failure. sizeHint is the file's size where known, else 0.
using TReadSome = std::function<std::size_t(char* into, std::size_t room)>;
TFileContents ReadToEnd(std::size_t sizeHint, const TReadSome& readSome);

}  // namespace tabulor
