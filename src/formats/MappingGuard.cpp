#include "MappingGuard.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace MappingGuard {
namespace {

// Watched mappings, read by the signal handler without locks. A slot is taken
// by `used`; the handler trusts it once `begin` is set, which happens last.
struct Slot
{
    std::atomic<bool> used {false};
    std::atomic<std::uintptr_t> begin {0};
    std::atomic<std::uintptr_t> end {0};
    std::atomic<bool> faulted {false};
};

constexpr int kSlots = 64;
Slot slots[kSlots];
std::uintptr_t pageMask = 0;
struct sigaction previous = {};
std::once_flag installed;

void restoreDefault()
{
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigaction(SIGBUS, &fallback, nullptr);
}

// Hands a fault that is not ours on as if this handler did not exist. A
// handler installed to run once (a crash reporter that prints and returns)
// gets that: the default action is back before it runs, so that the read
// that faults again on return ends the program instead of calling it anew.
void forward(int signal, siginfo_t *info, void *context)
{
    const bool custom = (previous.sa_flags & SA_SIGINFO)
        ? previous.sa_sigaction != nullptr
        : previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN;
    // The default action: on return the faulting read runs again and ends
    // the program with the bus error it would have had.
    if (!custom || (previous.sa_flags & SA_RESETHAND))
        restoreDefault();
    if (!custom)
        return;
    if (previous.sa_flags & SA_SIGINFO)
        previous.sa_sigaction(signal, info, context);
    else
        previous.sa_handler(signal);
}

// A page of a watched mapping past the file's end: the rest of the mapping is
// replaced by zero pages (one system call; the file does not come back), so
// the read resumes. mmap is a plain system call here, safe in a handler.
bool zeroRest(std::uintptr_t address)
{
    for (Slot &slot : slots) {
        const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = slot.end.load(std::memory_order_relaxed);
        if (begin == 0 || address < begin || address >= end)
            continue;
        const std::uintptr_t page = address & pageMask;
        void *zeros = mmap(reinterpret_cast<void *>(page), end - page, PROT_READ,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros == MAP_FAILED)
            return false;
        slot.faulted.store(true, std::memory_order_relaxed);
        return true;
    }
    return false;
}

void onBusError(int signal, siginfo_t *info, void *context)
{
    const int savedErrno = errno;
    const bool ours =
        info->si_code == BUS_ADRERR && zeroRest(reinterpret_cast<std::uintptr_t>(info->si_addr));
    errno = savedErrno;
    if (!ours)
        forward(signal, info, context);
}

void install()
{
    pageMask = ~std::uintptr_t(sysconf(_SC_PAGESIZE) - 1);
    struct sigaction action = {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &previous);
}

} // namespace

int watch(const void *begin, std::size_t length)
{
    std::call_once(installed, install);
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (!slots[i].used.compare_exchange_strong(expected, true))
            continue;
        const auto start = reinterpret_cast<std::uintptr_t>(begin);
        slots[i].faulted.store(false, std::memory_order_relaxed);
        slots[i].end.store(start + length, std::memory_order_relaxed);
        slots[i].begin.store(start, std::memory_order_release);
        return i;
    }
    return -1;
}

bool faulted(int slot)
{
    return slot >= 0 && slot < kSlots && slots[slot].faulted.load(std::memory_order_relaxed);
}

void release(int slot)
{
    if (slot < 0 || slot >= kSlots)
        return;
    slots[slot].begin.store(0, std::memory_order_release);
    slots[slot].used.store(false, std::memory_order_release);
}

} // namespace MappingGuard
