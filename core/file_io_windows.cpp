#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "file_errors.h"
#include "file_io.h"
#include "file_io_shared.h"

namespace fs = std::filesystem;

namespace tabulor {

namespace {

// ReadFile and WriteFile take a 32-bit count.
constexpr std::size_t MaxTransfer = std::size_t{1} << 30;

std::string Utf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    // Names and system texts stay far below the 2 GiB that the count can hold.
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

struct TLocalFree {
    void operator()(wchar_t* text) const { ::LocalFree(text); }
};

class THandle {
public:
    explicit THandle(HANDLE handle = INVALID_HANDLE_VALUE) : Handle(handle) {}
    ~THandle() { Close(); }
    THandle(THandle&& other) noexcept : Handle(std::exchange(other.Handle, INVALID_HANDLE_VALUE)) {}
    THandle& operator=(THandle&& other) noexcept
    {
        Close();
        Handle = std::exchange(other.Handle, INVALID_HANDLE_VALUE);
        return *this;
    }
    HANDLE Get() const { return Handle; }
    bool Valid() const { return Handle != INVALID_HANDLE_VALUE; }
    // False when closing failed, so that a late write error is not lost.
    bool Close() { return !Valid() || ::CloseHandle(std::exchange(Handle, INVALID_HANDLE_VALUE)); }

private:
    HANDLE Handle;
};

HANDLE Open(const fs::path& name, DWORD access, DWORD share, DWORD disposition)
{
    return ::CreateFileW(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// The full path, however long; the name as given where there is none.
std::string FullPath(const fs::path& name)
{
    std::wstring full;
    DWORD needed = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    // Asked again while it does not fit: the current folder may change between two calls.
    while (needed > full.size()) {
        full.resize(needed);
        needed = ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (needed == 0)
        return Utf8(name.native());
    full.resize(needed);
    return Utf8(full);
}

std::string SystemText(TErrorCode code)
{
    // The user's own language first; where the system has no messages in it, FormatMessageW's
    // own choice of language.
    const DWORD languages[] = {MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), 0};
    for (const DWORD language : languages) {
        wchar_t* buffer = nullptr;
        const DWORD length = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, code, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        const std::unique_ptr<wchar_t, TLocalFree> text(buffer);
        if (length != 0)
            return Utf8({text.get(), length});
    }
    return {};
}

// The source is read into memory of the program's own: nothing here maps it, and nobody may
// change it while it is read.
void TReleaseBytes::operator()(char* bytes) const noexcept
{
    delete[] bytes;
}

void ThrowIfCutShort(const TFileContents&, const fs::path&) {}

TFileContents ReadWholeFile(const fs::path& name, bool)
{
    if (name.empty())
        ThrowFOpenError(name, ERROR_FILE_NOT_FOUND);
    // Others may read the source meanwhile but not change it, and one that is being changed is
    // refused. A folder fails here too: opening one takes FILE_FLAG_BACKUP_SEMANTICS.
    const THandle file(Open(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    if (!file.Valid())
        ThrowFOpenError(name, ::GetLastError());

    LARGE_INTEGER size{};
    const bool sized = ::GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0;
    return ReadToEnd(sized ? static_cast<std::size_t>(size.QuadPart) : 0, [&](char* into, std::size_t room) {
        DWORD got = 0;
        if (::ReadFile(file.Get(), into, static_cast<DWORD>(std::min(room, MaxTransfer)), &got, nullptr))
            return static_cast<std::size_t>(got);
        const DWORD error = ::GetLastError();
        // A pipe whose writer has closed it has simply ended.
        if (error == ERROR_BROKEN_PIPE)
            return std::size_t{0};
        ThrowFOpenError(name, error);
    });
}

struct TPlatformFile {
    THandle Held;    // the destination as it was, shared with nobody until it is replaced
    THandle Handle;  // where the bytes go: the new file, or the destination itself
};

TDestinationFile::TState::TState() : File(std::make_unique<TPlatformFile>()) {}
TDestinationFile::TState::~TState() = default;

std::size_t WriteSomeTo(HANDLE handle, std::string_view bytes)
{
    DWORD written = 0;
    const auto wanted = static_cast<DWORD>(std::min(bytes.size(), MaxTransfer));
    if (!::WriteFile(handle, bytes.data(), wanted, &written, nullptr))
        return 0;
    return written;
}

std::size_t WriteSome(TPlatformFile& file, std::string_view bytes)
{
    return WriteSomeTo(file.Handle.Get(), bytes);
}

std::size_t WriteSomeToStandardOutput(std::string_view bytes)
{
    return WriteSomeTo(::GetStdHandle(STD_OUTPUT_HANDLE), bytes);
}

bool FlushToDisk(TPlatformFile& file)
{
    return ::FlushFileBuffers(file.Handle.Get());
}

bool CloseFile(TPlatformFile& file)
{
    return file.Handle.Close();
}

// ReplaceFileW keeps the replaced file's attributes, security and streams. Where it is not
// offered (some file systems) or the destination has gone meanwhile, the plain move still changes
// the destination in one step.
void MoveIntoPlace(TPlatformFile& file, const fs::path& temporary, const fs::path& target, const fs::path& name)
{
    const bool replacing = file.Held.Valid();
    file.Held.Close();
    if (replacing && ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                    nullptr, nullptr))
        return;
    if (!::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowFCreateError(name, ::GetLastError());
}

void RemoveFile(const fs::path& name)
{
    ::DeleteFileW(name.c_str());
}

namespace {

// A new file beside the target, shared with nobody; not valid, with error set, when there is none.
THandle CreateTemporary(const fs::path& target, DWORD attributes, fs::path& temporary, DWORD& error)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryNameBeside(target);
        THandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
        if (file.Valid())
            return file;
        error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    temporary.clear();
    return THandle();
}

// The file a link finally names, so that the new file goes beside it and replaces it, not the
// link; any other name stays as it is.
fs::path LinkTarget(const fs::path& name, const THandle& held)
{
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (!held.Valid() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return name;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD needed = ::GetFinalPathNameByHandleW(held.Get(), path.data(), static_cast<DWORD>(path.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (needed == 0)
            return name;
        if (needed < path.size()) {
            path.resize(needed);
            return path;
        }
        path.resize(needed);
    }
}

bool IsDiskFile(const THandle& file)
{
    return ::GetFileType(file.Get()) == FILE_TYPE_DISK;
}

DWORD AttributesOf(const THandle& file)
{
    BY_HANDLE_FILE_INFORMATION information{};
    return ::GetFileInformationByHandle(file.Get(), &information) ? information.dwFileAttributes : 0;
}

// The destination as it is, held unshared so that nobody reads it half replaced; not valid when
// there is none. Opening it for writing tells whether it may be written: a read-only file stays
// read-only, one held open by another program is left to it.
THandle OpenExisting(const fs::path& name)
{
    THandle file(Open(name, GENERIC_WRITE, 0, OPEN_EXISTING));
    if (!file.Valid()) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            ThrowFCreateError(name, error);
    } else if (IsDiskFile(file) && (AttributesOf(file) & FILE_ATTRIBUTE_READONLY) != 0) {
        // Windows itself refuses to open such a file for writing, but Wine run by root does not.
        ThrowFCreateError(name, ERROR_ACCESS_DENIED);
    }
    return file;
}

// The attributes that the new file takes over from the one it replaces. ReplaceFileW would carry
// them over itself, but neither the plain move nor Wine's ReplaceFileW does.
DWORD AttributesToKeep(const THandle& existing)
{
    constexpr DWORD Kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD kept = existing.Valid() ? AttributesOf(existing) & Kept : 0;
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

// Empties a disk file that is to be written in place; devices have nothing to empty.
bool Empty(const THandle& file)
{
    return !IsDiskFile(file) || (::SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
                                 ::SetEndOfFile(file.Get()));
}

}  // namespace

TDestinationFile::TDestinationFile(const fs::path& name) : State(std::make_unique<TState>())
{
    if (name.empty())
        ThrowFCreateError(name, ERROR_FILE_NOT_FOUND);
    State->Name = name;
    TPlatformFile& file = *State->File;
    file.Held = OpenExisting(name);
    State->Target = LinkTarget(name, file.Held);
    const bool exists = file.Held.Valid();
    DWORD error = 0;
    if (!exists || IsDiskFile(file.Held))
        file.Handle = CreateTemporary(State->Target, AttributesToKeep(file.Held), State->Temporary, error);
    if (file.Handle.Valid())
        return;
    // No room, no folder: the destination is left alone rather than emptied to be written in place.
    if (error != 0 && error != ERROR_ACCESS_DENIED)
        ThrowFCreateError(name, error);

    // Devices, and folders that take no new file: written in place.
    if (exists) {
        file.Handle = std::move(file.Held);
        if (!Empty(file.Handle))
            ThrowFCreateError(name, ::GetLastError());
        return;
    }
    file.Handle = THandle(Open(name, GENERIC_WRITE, 0, CREATE_NEW));
    if (!file.Handle.Valid())
        ThrowFCreateError(name, ::GetLastError());
    State->Created = true;
}

}  // namespace tabulor
