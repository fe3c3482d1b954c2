/* A slow network share, for the whole test process: while it is on, every
 * file-system call of every thread waits a fixed time before it is made,
 * and the file systems say they are a network share (so that runs size
 * their pools as on one). The window thread's stretches without polling
 * its event loop are measured: the longest, and the one with the most
 * file-system calls, with the stack of its first.
 *
 * The calls are taken from the C library by defining them here: the test
 * program's own definitions come before the library's, for the program's
 * code and for every library it loads. The real call is found with
 * dlsym(RTLD_NEXT). Written in C: the C++ headers declare these functions
 * with exception specifications a definition would have to repeat. */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <stdarg.h>
#include <stdatomic.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include "tests/support/SlowShareCalls.h"

enum { kNfsMagic = 0x6969, kFrames = 48 };

static atomic_long delayNs;    /* 0: off */
static pthread_t window;       /* the thread whose waits are measured */
static atomic_int measuring;
/* The window thread's alone: */
static long long stretchStart; /* the last poll's end */
static int stretchCalls;       /* file-system calls since */
static void* firstStack[kFrames];
static int firstFrames;
static long long longestNs;
static int longestCalls;
static int mostCalls;
static void* mostStack[kFrames];
static int mostFrames;
static __thread int inside;    /* a call made by this file */

static long long Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int OnWindow(void) { return atomic_load(&measuring) && pthread_equal(pthread_self(), window); }

/* A stretch ends: the longest is kept. */
static void EndStretch(long long now) {
    const long long took = now - stretchStart;
    if (took > longestNs) {
        longestNs = took;
        longestCalls = stretchCalls;
    }
    if (stretchCalls > mostCalls) {
        mostCalls = stretchCalls;
        mostFrames = firstFrames;
        memcpy(mostStack, firstStack, sizeof(void*) * (size_t)firstFrames);
    }
    stretchStart = now;
    stretchCalls = 0;
    firstFrames = 0;
}

static void Slow(void) {
    const long ns = atomic_load(&delayNs);
    if (!ns || inside) return;
    inside = 1;
    if (OnWindow() && stretchCalls++ == 0) firstFrames = backtrace(firstStack, kFrames);
    struct timespec t = {ns / 1000000000L, ns % 1000000000L};
    while (nanosleep(&t, &t) != 0) {
    }
    inside = 0;
}

void SlowShareStart(long perCallUs) {
    window = pthread_self();
    stretchStart = Now();
    stretchCalls = firstFrames = 0;
    longestNs = 0;
    longestCalls = 0;
    mostCalls = mostFrames = 0;
    atomic_store(&measuring, 1);
    atomic_store(&delayNs, perCallUs * 1000L);
}

void SlowShareStop(void) {
    atomic_store(&delayNs, 0);
    if (atomic_load(&measuring)) EndStretch(Now());
    atomic_store(&measuring, 0);
}

long SlowShareLongestMs(void) { return (long)(longestNs / 1000000LL); }
int SlowShareLongestCalls(void) { return longestCalls; }
static int CopyStack(void* const* stack, int frames, void** out, int size) {
    const int n = frames < size ? frames : size;
    memcpy(out, stack, sizeof(void*) * (size_t)n);
    return n;
}
int SlowShareMostCalls(void) { return mostCalls; }
int SlowShareMostCallsStack(void** frames, int size) { return CopyStack(mostStack, mostFrames, frames, size); }

#define REAL(name)                          \
    static __typeof__(name)* real = NULL;   \
    if (!real) real = (__typeof__(name)*)dlsym(RTLD_NEXT, #name)

/* ---- the event loop's polls end a stretch -------------------------------- */

int poll(struct pollfd* fds, nfds_t n, int timeout) {
    REAL(poll);
    if (OnWindow()) EndStretch(Now());
    const int r = real(fds, n, timeout);
    if (OnWindow()) stretchStart = Now();
    return r;
}

int ppoll(struct pollfd* fds, nfds_t n, const struct timespec* timeout, const sigset_t* mask) {
    REAL(ppoll);
    if (OnWindow()) EndStretch(Now());
    const int r = real(fds, n, timeout, mask);
    if (OnWindow()) stretchStart = Now();
    return r;
}

/* ---- the file-system calls ----------------------------------------------- */

#define OPEN_LIKE(name, ...)                                                   \
    int name(__VA_ARGS__, int flags, ...) {                                    \
        REAL(name);                                                            \
        va_list a;                                                             \
        va_start(a, flags);                                                    \
        const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(a, mode_t) : 0; \
        va_end(a);                                                             \
        Slow();                                                                \
        return real(OPEN_ARGS, flags, mode);                                   \
    }
#define OPEN_ARGS dir, path
OPEN_LIKE(openat, int dir, const char* path)
OPEN_LIKE(openat64, int dir, const char* path)
#undef OPEN_ARGS
#define OPEN_ARGS path
OPEN_LIKE(open, const char* path)
OPEN_LIKE(open64, const char* path)
#undef OPEN_ARGS

#define WRAP(ret, name, params, args) \
    ret name params {                 \
        REAL(name);                   \
        Slow();                       \
        return real args;             \
    }
WRAP(int, fstatat, (int d, const char* p, struct stat* s, int f), (d, p, s, f))
WRAP(int, fstatat64, (int d, const char* p, struct stat64* s, int f), (d, p, s, f))
WRAP(int, fstat, (int d, struct stat* s), (d, s))
WRAP(int, fstat64, (int d, struct stat64* s), (d, s))
WRAP(int, stat, (const char* p, struct stat* s), (p, s))
WRAP(int, stat64, (const char* p, struct stat64* s), (p, s))
WRAP(int, lstat, (const char* p, struct stat* s), (p, s))
WRAP(int, lstat64, (const char* p, struct stat64* s), (p, s))
WRAP(int, statx, (int d, const char* p, int f, unsigned m, struct statx* s), (d, p, f, m, s))
WRAP(ssize_t, getdents64, (int d, void* b, size_t n), (d, b, n))
WRAP(struct dirent*, readdir, (DIR * d), (d))
WRAP(struct dirent64*, readdir64, (DIR * d), (d))
WRAP(int, mkdirat, (int d, const char* p, mode_t m), (d, p, m))
WRAP(int, mkdir, (const char* p, mode_t m), (p, m))
WRAP(int, unlinkat, (int d, const char* p, int f), (d, p, f))
WRAP(int, unlink, (const char* p), (p))
WRAP(int, rmdir, (const char* p), (p))
WRAP(int, renameat, (int a, const char* p, int b, const char* q), (a, p, b, q))
WRAP(int, renameat2, (int a, const char* p, int b, const char* q, unsigned f), (a, p, b, q, f))
WRAP(int, rename, (const char* p, const char* q), (p, q))
WRAP(int, faccessat, (int d, const char* p, int m, int f), (d, p, m, f))
WRAP(int, access, (const char* p, int m), (p, m))
WRAP(ssize_t, readlinkat, (int d, const char* p, char* b, size_t n), (d, p, b, n))
WRAP(ssize_t, readlink, (const char* p, char* b, size_t n), (p, b, n))
WRAP(int, statvfs, (const char* p, struct statvfs* s), (p, s))
WRAP(int, fstatvfs, (int d, struct statvfs* s), (d, s))
WRAP(ssize_t, copy_file_range, (int a, off64_t* x, int b, off64_t* y, size_t n, unsigned f), (a, x, b, y, n, f))
WRAP(ssize_t, pread, (int d, void* b, size_t n, off_t o), (d, b, n, o))
WRAP(ssize_t, pwrite, (int d, const void* b, size_t n, off_t o), (d, b, n, o))
WRAP(int, fchmod, (int d, mode_t m), (d, m))
WRAP(int, fchmodat, (int d, const char* p, mode_t m, int f), (d, p, m, f))
WRAP(int, futimens, (int d, const struct timespec t[2]), (d, t))
WRAP(int, utimensat, (int d, const char* p, const struct timespec t[2], int f), (d, p, t, f))
WRAP(int, linkat, (int a, const char* p, int b, const char* q, int f), (a, p, b, q, f))
WRAP(int, symlinkat, (const char* p, int d, const char* q), (p, d, q))

/* A share, to the runs' rule of workers. */
int statfs(const char* path, struct statfs* s) {
    REAL(statfs);
    Slow();
    const int r = real(path, s);
    if (r == 0 && atomic_load(&delayNs)) s->f_type = kNfsMagic;
    return r;
}
int fstatfs(int fd, struct statfs* s) {
    REAL(fstatfs);
    Slow();
    const int r = real(fd, s);
    if (r == 0 && atomic_load(&delayNs)) s->f_type = kNfsMagic;
    return r;
}

/* openat2 has no wrapper in this C library: it comes through syscall(). */
long syscall(long number, ...) {
    REAL(syscall);
    va_list a;
    va_start(a, number);
    const long a1 = va_arg(a, long), a2 = va_arg(a, long), a3 = va_arg(a, long);
    const long a4 = va_arg(a, long), a5 = va_arg(a, long), a6 = va_arg(a, long);
    va_end(a);
    if (number == SYS_openat2) Slow();
    return real(number, a1, a2, a3, a4, a5, a6);
}
