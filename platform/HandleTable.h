// A worker thread's own table of handles.
//
// Every open and close of a process takes one lock on the process's table
// of handles; threads that open and close thousands of files each wait on
// it more than on the files. A thread that calls OwnHandleTable() gets a
// table of its own, a copy of the process's as it stands then: handles
// opened before stay usable on it, handles it opens are its own (and close
// when the thread ends), and a handle's number means nothing on another
// table. Beneath tags each handle it holds with the table it lives in and
// never uses or closes it on another, so a base opened on a worker and used
// elsewhere fails instead of reaching whatever that number names there.
#pragma once

#include <cstdint>

namespace plat {

// Gives the calling thread a table of handles of its own (for a run's worker
// threads); true when it has one. Where the system refuses, and in a build
// for ThreadSanitizer (which takes one number on two tables for one
// handle), the thread stays on the process's.
bool OwnHandleTable();

namespace detail {

// Where a handle lives: `table` 0 is the process's table, and there `seq`
// numbers the handle among those opened in it (for telling which a worker's
// copy holds).
struct HandleTag {
    std::uint64_t table = 0;
    std::uint64_t seq = 0;
};

// The tag of a handle just opened on this thread.
HandleTag TagNewHandle();
// This thread's table (0: the process's).
std::uint64_t ThisHandleTable();
// Whether the handle names the same object on this thread.
bool UsableHere(const HandleTag& tag);
// Closes the handle in its own table: now when it is this thread's, on the
// next close of the process's table when it is that one's, and not at all
// when it is another worker's (its table closes it when that thread ends).
void CloseTagged(int fd, const HandleTag& tag);

}  // namespace detail
}  // namespace plat
