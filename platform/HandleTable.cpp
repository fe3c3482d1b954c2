#include "platform/HandleTable.h"

#include <sched.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace plat {
namespace {

std::atomic<std::uint64_t> g_nextTable{1};
// Handles opened in the process's table, counted.
std::atomic<std::uint64_t> g_opened{0};
thread_local std::uint64_t t_table = 0;
// On an own table: the process's handles numbered up to this were copied in.
thread_local std::uint64_t t_inherited = 0;

// Handles of the process's table let go on a worker, closed by the next
// thread on that table.
std::mutex g_lateMutex;
std::vector<int> g_late;
std::atomic<bool> g_anyLate{false};

void CloseLate() {
    std::vector<int> late;
    {
        std::lock_guard lock(g_lateMutex);
        late.swap(g_late);
        g_anyLate.store(false, std::memory_order_relaxed);
    }
    for (const int fd : late) ::close(fd);
}

}  // namespace

bool OwnHandleTable() {
#if defined(__SANITIZE_THREAD__)
    return false;
#else
    if (t_table != 0) return true;
    // Read before the copy: what is counted by then is in it.
    const std::uint64_t before = g_opened.load(std::memory_order_acquire);
    if (unshare(CLONE_FILES) != 0) return false;
    t_inherited = before;
    t_table = g_nextTable.fetch_add(1, std::memory_order_relaxed);
    return true;
#endif
}

namespace detail {

HandleTag TagNewHandle() {
    if (t_table != 0) return {t_table, 0};
    return {0, g_opened.fetch_add(1, std::memory_order_acq_rel) + 1};
}

std::uint64_t ThisHandleTable() { return t_table; }

bool UsableHere(const HandleTag& tag) {
    return tag.table == t_table || (tag.table == 0 && tag.seq <= t_inherited);
}

void CloseTagged(int fd, const HandleTag& tag) {
    if (fd < 0) return;
    if (tag.table == t_table) {
        ::close(fd);
        if (t_table == 0 && g_anyLate.load(std::memory_order_relaxed)) CloseLate();
    } else if (tag.table == 0) {
        std::lock_guard lock(g_lateMutex);
        g_late.push_back(fd);
        g_anyLate.store(true, std::memory_order_relaxed);
    }
}

}  // namespace detail
}  // namespace plat
