#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "file_errors.h"
#include "file_io.h"
#include "file_io_shared.h"
#include "mapping_guard.h"

namespace fs = std::filesystem;

namespace tabulor {

namespace {

class TFd {
public:
    explicit TFd(int fd = -1) : Fd(fd) {}
    ~TFd() { Close(); }
    TFd(TFd&& other) noexcept : Fd(std::exchange(other.Fd, -1)) {}
    TFd& operator=(TFd&& other) noexcept
    {
        Close();
        Fd = std::exchange(other.Fd, -1);
        return *this;
    }
    int Get() const { return Fd; }
    // The result of close, so that a late write error is not lost.
    int Close() { return Fd < 0 ? 0 : ::close(std::exchange(Fd, -1)); }

private:
    int Fd;
};

int OpenRetrying(const char* name, int flags, mode_t mode = 0)
{
    int fd;
    do
        fd = ::open(name, flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Follows symbolic links to the file they finally name, which need not exist yet.
fs::path ResolveLinks(fs::path name)
{
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(name, error))
            break;
        const fs::path target = fs::read_symlink(name, error);
        if (error)
            break;
        name = target.is_absolute() ? target : name.parent_path() / target;
    }
    return name;
}

}  // namespace

std::string FullPath(const fs::path& name)
{
    std::error_code error;
    const fs::path full = fs::absolute(name, error);
    return error ? name.string() : full.lexically_normal().string();
}

std::string SystemText(TErrorCode code)
{
    char buffer[512];
    return strerror_r(code, buffer, sizeof buffer);
}

void TReleaseBytes::operator()(char* bytes) const noexcept
{
    if (MappedSize == 0) {
        delete[] bytes;
        return;
    }
    UnguardMapping(bytes);
    ::munmap(bytes, MappedSize);
}

void ThrowIfCutShort(const TFileContents& contents, const fs::path& name)
{
    if (contents.Data.get_deleter().MappedSize != 0 && MappingWasCut(contents.Data.get()))
        ThrowFOpenError(name, EIO);
}

namespace {

// Below this a copy costs less than setting up a mapping.
constexpr std::size_t LeastMappedSize = std::size_t{1} << 20;

// The file's pages, mapped as they are first read (by the threads that check the text, side by
// side); empty where the system maps no such file. Writing a page copies it, and it alone.
TFileContents MapWhole(int fd, std::size_t size)
{
    void* bytes = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
    if (bytes == MAP_FAILED)
        return {};
    if (!GuardMapping(static_cast<char*>(bytes), size)) {
        ::munmap(bytes, size);
        return {};
    }
    return {std::unique_ptr<char[], TReleaseBytes>(static_cast<char*>(bytes), TReleaseBytes(size)), size};
}

}  // namespace

TFileContents ReadWholeFile(const fs::path& name, bool mayMap)
{
    if (name.empty())
        ThrowFOpenError(name, ENOENT);
    TFd fd(OpenRetrying(name.c_str(), O_RDONLY));
    struct stat status {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &status) != 0)
        ThrowFOpenError(name, errno);
    if (S_ISDIR(status.st_mode))
        ThrowFOpenError(name, EISDIR);

    const auto size = static_cast<std::size_t>(std::max<off_t>(status.st_size, 0));
    if (mayMap && S_ISREG(status.st_mode) && size >= LeastMappedSize) {
        if (TFileContents mapped = MapWhole(fd.Get(), size); mapped.Data)
            return mapped;
    }
    return ReadToEnd(size, [&](char* into, std::size_t room) {
        for (;;) {
            const ssize_t got = ::read(fd.Get(), into, room);
            if (got >= 0)
                return static_cast<std::size_t>(got);
            if (errno != EINTR)
                ThrowFOpenError(name, errno);
        }
    });
}

struct TPlatformFile {
    TFd Fd;
};

TDestinationFile::TState::TState() : File(std::make_unique<TPlatformFile>()) {}
TDestinationFile::TState::~TState() = default;

// Both retry a write that a signal broke off.
std::size_t WriteSomeTo(int fd, std::string_view bytes)
{
    for (;;) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written >= 0)
            return static_cast<std::size_t>(written);
        if (errno != EINTR)
            return 0;
    }
}

std::size_t WriteSome(TPlatformFile& file, std::string_view bytes)
{
    return WriteSomeTo(file.Fd.Get(), bytes);
}

std::size_t WriteSomeToStandardOutput(std::string_view bytes)
{
    return WriteSomeTo(STDOUT_FILENO, bytes);
}

bool FlushToDisk(TPlatformFile& file)
{
    return ::fsync(file.Fd.Get()) == 0;
}

bool CloseFile(TPlatformFile& file)
{
    return file.Fd.Close() == 0;
}

void MoveIntoPlace(TPlatformFile&, const fs::path& temporary, const fs::path& target, const fs::path& name)
{
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        ThrowFCreateError(name, errno);
}

void RemoveFile(const fs::path& name)
{
    ::unlink(name.c_str());
}

namespace {

// The replaced file's owner, group and permission bits, given to the new file; false where they
// cannot all be kept, as when the folder is shared with another user who owns the file.
bool KeepOwnerAndMode(int fd, const struct stat& existing)
{
    // Owner first: a change of owner clears the set-user-ID bits that fchmod then restores.
    return ::fchown(fd, existing.st_uid, existing.st_gid) == 0 &&
           ::fchmod(fd, existing.st_mode & 07777) == 0;
}

// A new file beside the target that takes over what the existing file has; -1 with error set
// when there is none (EPERM where the owner could not be kept).
int CreateTemporary(const fs::path& target, const struct stat* existing, fs::path& temporary, int& error)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryNameBeside(target);
        const int fd = OpenRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd < 0) {
            error = errno;
            if (error == EEXIST)
                continue;
            break;
        }
        if (existing == nullptr || KeepOwnerAndMode(fd, *existing))
            return fd;
        ::close(fd);
        ::unlink(temporary.c_str());
        error = EPERM;
        break;
    }
    temporary.clear();
    return -1;
}

// Errors of a folder that takes no new file from us, where writing in place may still work. Any
// other (no room, no folder) leaves the destination alone.
bool RefusesNewFile(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

TDestinationFile::TDestinationFile(const fs::path& name) : State(std::make_unique<TState>())
{
    if (name.empty())
        ThrowFCreateError(name, ENOENT);
    State->Name = name;
    struct stat status {};
    const bool exists = ::stat(name.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode))
        ThrowFCreateError(name, EISDIR);
    // Links are followed by hand only to find the folder where the new file goes; a device or a
    // pipe is opened by its own name, since a link such as /dev/stdout may name no real path.
    State->Target = exists && !S_ISREG(status.st_mode) ? name : ResolveLinks(name);
    const char* target = State->Target.c_str();
    if (exists && S_ISREG(status.st_mode)) {
        // A destination that cannot be written is refused even though a new file could take its
        // place: a read-only file stays read-only.
        TFd probe(OpenRetrying(target, O_WRONLY));
        if (probe.Get() < 0)
            ThrowFCreateError(name, errno);
    }
    TFd& fd = State->File->Fd;
    int error = 0;
    if (!exists || S_ISREG(status.st_mode))
        fd = TFd(CreateTemporary(State->Target, exists ? &status : nullptr, State->Temporary, error));
    if (fd.Get() >= 0)
        return;
    if (error != 0 && !RefusesNewFile(error))
        ThrowFCreateError(name, error);

    // Devices and pipes, and folders that take no new file from us: written in place.
    fd = TFd(OpenRetrying(target, O_WRONLY | O_CREAT | O_TRUNC, 0666));
    if (fd.Get() < 0)
        ThrowFCreateError(name, errno);
    State->Created = !exists;
}

}  // namespace tabulor
