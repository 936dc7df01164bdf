// The core's file layer: reading the source whole and writing the destination so that it changes
// in one step. Only the platform's file calls live behind it; messages are built in file_errors.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

#include "file_errors.h"
#include "output_lines.h"

namespace tabulor {

// Frees a file's bytes the way they were got: a mapping of the file is unmapped, memory of the
// program's own is deleted.
struct TReleaseBytes {
    TReleaseBytes() = default;
    explicit TReleaseBytes(std::size_t mappedSize) : MappedSize(mappedSize) {}
    TReleaseBytes(std::default_delete<char[]>) {}
    void operator()(char* bytes) const noexcept;

    std::size_t MappedSize = 0;  // 0 for memory of the program's own
};

// The bytes may be written where they lie: a mapping is the program's private copy.
struct TFileContents {
    std::unique_ptr<char[], TReleaseBytes> Data;
    std::size_t Size = 0;
    std::string_view View() const { return {Data.get(), Size}; }
};

// Reads the whole file; throws EFOpenError when it cannot be opened or read (a folder included).
// A large regular file is mapped rather than copied where the system allows it and mayMap is
// true; a file that the run itself changes, as when it is its own destination, must be copied.
TFileContents ReadWholeFile(const std::filesystem::path& name, bool mayMap = true);

// Throws EFOpenError for the name when another program cut the mapped file short while it was
// read: the bytes past its new end read as zeros.
void ThrowIfCutShort(const TFileContents& contents, const std::filesystem::path& name);

// Throws EWorkbookError for the workbook's fault, naming the file by its full path as the other
// file errors do.
[[noreturn]] void ThrowWorkbookError(const std::filesystem::path& name, const EWorkbookFault& fault);

// The destination as it is being written. Bytes go to a new file beside it, which Commit puts in
// place of the destination in one step; destroyed without Commit, it removes that file and leaves
// the destination as it was. A symbolic link is written through to its target, and the replaced
// file's permission bits carry over.
//
// It does not write devices, pipes or files in a folder that takes no new file through a new file:
// those are written in place, and a failure there leaves what was written.
class TDestinationFile : public TByteSink {
public:
    // Throws EFCreateError when the destination cannot be created or written.
    explicit TDestinationFile(const std::filesystem::path& name);
    ~TDestinationFile() override;
    TDestinationFile(const TDestinationFile&) = delete;
    TDestinationFile& operator=(const TDestinationFile&) = delete;

    // Throws EWriteError when fewer bytes could be written.
    void Write(std::string_view bytes) override;

    // Throws EWriteError when the bytes cannot be made to stay, EFCreateError when the new file
    // cannot take the destination's place.
    void Commit();

private:
    struct TState;
    std::unique_ptr<TState> State;
};

// Standard output, as bytes: nothing is changed on the way, line ends included. It is not the
// program's to close.
class TStandardOutput final : public TByteSink {
public:
    // Throws EWriteError when fewer bytes could be written.
    void Write(std::string_view bytes) override;
};

}  // namespace tabulor
