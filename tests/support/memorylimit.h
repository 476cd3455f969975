#pragma once

#include <QtGlobal>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// AddressSanitizer's allocator keeps redzones and a quarantine of freed blocks, and its slow
// unwinding makes million-line inputs take minutes: memory bounds are checked in plain builds only.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool memoryBoundsChecked = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool memoryBoundsChecked = false;
#else
constexpr bool memoryBoundsChecked = true;
#endif
#else
constexpr bool memoryBoundsChecked = true;
#endif

// Runs `work` in a child process whose address space may grow by at most `extraBytes` beyond
// what it holds at the start: work that allocates more fails there (or dies) instead of passing.
// With `cpuSeconds`, work that runs longer is stopped too (work meant to be linear that is not).
// True when the child ran to the end and `work` returned true.
inline bool runWithMemoryLimit(qint64 extraBytes, const std::function<bool()>& work, int cpuSeconds = 0)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The address space in use now: the first field of statm, in pages.
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        const qint64 used = qint64(pages) * ::sysconf(_SC_PAGESIZE);
        const rlimit limit { rlim_t(used + extraBytes), rlim_t(used + extraBytes) };
        ::setrlimit(RLIMIT_AS, &limit);
        if (cpuSeconds > 0) {
            const rlimit cpu { rlim_t(cpuSeconds), rlim_t(cpuSeconds) };
            ::setrlimit(RLIMIT_CPU, &cpu);
        }
        bool ok = false;
        try {
            ok = work();
        } catch (...) { }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
