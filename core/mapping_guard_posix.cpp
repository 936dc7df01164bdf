#include "mapping_guard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <mutex>

namespace tabulor {

namespace {

struct TGuardedMapping {
    std::atomic<const char*> Begin{nullptr};
    std::atomic<std::size_t> Size{0};
    std::atomic<bool> Cut{false};
};

// Few runs read at once; the handler looks through them all without a lock.
std::array<TGuardedMapping, 16> Guarded;
struct sigaction Previous {};
std::size_t PageSize = 4096;

void OnBusError(int signal, siginfo_t* info, void* context)
{
    const auto* address = static_cast<const char*>(info->si_addr);
    for (TGuardedMapping& mapping : Guarded) {
        const char* begin = mapping.Begin.load();
        const std::size_t size = mapping.Size.load();
        if (begin == nullptr || address < begin || address >= begin + size)
            continue;
        // The mapping starts on a page, so the page of the fault does too.
        char* page = const_cast<char*>(begin) + (static_cast<std::size_t>(address - begin) & ~(PageSize - 1));
        ::mmap(page, static_cast<std::size_t>(begin + size - page), PROT_READ | PROT_WRITE,
               MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        mapping.Cut.store(true);
        return;
    }
    if ((Previous.sa_flags & SA_SIGINFO) != 0) {
        Previous.sa_sigaction(signal, info, context);
    } else if (Previous.sa_handler != SIG_DFL && Previous.sa_handler != SIG_IGN) {
        Previous.sa_handler(signal);
    } else {
        // The fault comes again once this returns, and then ends the process as it would have.
        ::sigaction(SIGBUS, &Previous, nullptr);
    }
}

void InstallHandler()
{
    PageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &Previous);
}

TGuardedMapping* Find(const char* begin)
{
    for (TGuardedMapping& mapping : Guarded) {
        if (mapping.Begin.load() == begin)
            return &mapping;
    }
    return nullptr;
}

}  // namespace

bool GuardMapping(const char* begin, std::size_t size)
{
    static std::once_flag installed;
    std::call_once(installed, InstallHandler);
    for (TGuardedMapping& mapping : Guarded) {
        const char* free = nullptr;
        if (mapping.Begin.compare_exchange_strong(free, begin)) {
            // A free slot's size is 0, so the handler takes no fault for it until this is set.
            mapping.Cut.store(false);
            mapping.Size.store(size);
            return true;
        }
    }
    return false;
}

void UnguardMapping(const char* begin)
{
    if (TGuardedMapping* mapping = Find(begin)) {
        mapping->Size.store(0);
        mapping->Begin.store(nullptr);
    }
}

bool MappingWasCut(const char* begin)
{
    const TGuardedMapping* mapping = Find(begin);
    return mapping != nullptr && mapping->Cut.load();
}

}  // namespace tabulor
