#include "file_io_shared.h"

#include <cstdio>
#include <cstring>
#include <random>

#include "file_errors.h"

namespace tabulor {

namespace {

// An empty name stays empty: there is no file to show.
std::string ShownPath(const std::filesystem::path& name)
{
    return name.empty() ? std::string() : FullPath(name);
}

}  // namespace

void ThrowFOpenError(const std::filesystem::path& name, TErrorCode code)
{
    throw EFOpenError(FOpenErrorMessage(ShownPath(name), SystemText(code)));
}

void ThrowFCreateError(const std::filesystem::path& name, TErrorCode code)
{
    throw EFCreateError(FCreateErrorMessage(ShownPath(name), SystemText(code)));
}

void ThrowSourceTextError(const std::filesystem::path& name, const ETextFault& fault)
{
    throw ESourceTextError(SourceTextErrorMessage(ShownPath(name), fault));
}

void ThrowWorkbookError(const std::filesystem::path& name, const EWorkbookFault& fault)
{
    throw EWorkbookError(WorkbookErrorMessage(ShownPath(name), fault));
}

TDestinationFile::~TDestinationFile()
{
    if (State->Committed)
        return;
    CloseFile(*State->File);
    if (!State->Temporary.empty())
        RemoveFile(State->Temporary);
    else if (State->Created)
        RemoveFile(State->Target);
}

namespace {

template <typename TWriteSome>
void WriteAll(std::string_view bytes, TWriteSome writeSome)
{
    while (!bytes.empty()) {
        const std::size_t written = writeSome(bytes);
        if (written == 0)
            ThrowWriteError();
        bytes.remove_prefix(written);
    }
}

}  // namespace

void TDestinationFile::Write(std::string_view bytes)
{
    WriteAll(bytes, [this](std::string_view rest) { return WriteSome(*State->File, rest); });
}

void TStandardOutput::Write(std::string_view bytes)
{
    WriteAll(bytes, WriteSomeToStandardOutput);
}

void TDestinationFile::Commit()
{
    // The bytes must be on the disk before the name moves to them, or a crash right after could
    // leave the destination empty where the old file was.
    const bool replacing = !State->Temporary.empty();
    if ((replacing && !FlushToDisk(*State->File)) || !CloseFile(*State->File))
        ThrowWriteError();
    if (replacing)
        MoveIntoPlace(*State->File, State->Temporary, State->Target, State->Name);
    State->Committed = true;
}

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target)
{
    static std::mt19937_64 generator{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".tabulor-%08llx.tmp",
                  static_cast<unsigned long long>(generator() & 0xFFFFFFFFu));
    return target.parent_path() / name;
}

TFileContents ReadToEnd(std::size_t sizeHint, const TReadSome& readSome)
{
    // One byte more than the size, so that a regular file is read without growing the buffer and
    // a file that grows or has no size (a pipe) is still read to its end.
    std::size_t capacity = sizeHint + 1;
    TFileContents contents{std::make_unique_for_overwrite<char[]>(capacity), 0};
    for (;;) {
        if (contents.Size == capacity) {
            capacity *= 2;
            auto larger = std::make_unique_for_overwrite<char[]>(capacity);
            std::memcpy(larger.get(), contents.Data.get(), contents.Size);
            contents.Data = std::move(larger);
        }
        const std::size_t got = readSome(contents.Data.get() + contents.Size, capacity - contents.Size);
        if (got == 0)
            return contents;
        contents.Size += got;
    }
}

}  // namespace tabulor
