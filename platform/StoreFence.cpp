#include "platform/StoreFence.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "platform/FileSystemInternal.h"

namespace plat {
namespace {

std::atomic<const StoreFence*> g_standing{nullptr};
std::atomic<std::uint64_t> g_serials{0};

FileIdentity IdentityOfStat(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

enum class Found { Folder, Missing, Unknown };

// The folder as the program's own writes reach it (by its path, links
// followed), with every folder above it.
Found Identify(const std::string& folder, FileIdentity& id, std::vector<FileIdentity>& chain) {
    std::string native;
    if (!ToNative(folder, native)) return Found::Unknown;
    const int fd = open(native.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? Found::Missing : Found::Unknown;
    struct stat st;
    Found found = Found::Unknown;
    if (fstat(fd, &st) == 0) {
        id = IdentityOfStat(st);
        chain = detail::AncestryOf(fd, id);
        // Up to the root, or the folders above it are not known.
        struct stat root;
        if (!chain.empty() && stat("/", &root) == 0 && chain.back() == IdentityOfStat(root)) found = Found::Folder;
    }
    ::close(fd);
    return found;
}

}  // namespace

StoreFence::StoreFence(const std::string& programFolder, const std::string& workingDir)
    : serial_(g_serials.fetch_add(1) + 1) {
    if (!programFolder.empty() && Identify(programFolder, program_, programChain_) == Found::Unknown)
        identified_ = false;
    if (!workingDir.empty() && Identify(workingDir, working_, workingChain_) == Found::Unknown) identified_ = false;
}

StoreFence::StoreFence(Unidentified) : identified_(false), serial_(g_serials.fetch_add(1) + 1) {}

bool StoreFence::InChain(const std::vector<FileIdentity>& chain, const FileIdentity& id) {
    return std::find(chain.begin(), chain.end(), id) != chain.end();
}

bool StoreFence::HoldsStore(const FileIdentity& id) const {
    return (program_.Known() && InChain(programChain_, id)) || (working_.Known() && InChain(workingChain_, id));
}

unsigned StoreFence::RelationOf(int fd, const FileIdentity& id) const {
    if (!identified_ || fd < 0) return kUnknown;
    if (working_.Known() && id == working_) return kInside;
    unsigned relation = 0;
    if (program_.Known() && InChain(programChain_, id)) relation |= kHoldsProgram;
    if (working_.Known() && InChain(workingChain_, id)) relation |= kHoldsWorking;
    if (relation != 0) return relation;
    return InWorking(fd, id) ? unsigned{kInside} : 0u;
}

bool StoreFence::InWorking(int fd, const FileIdentity& id) const {
    if (!working_.Known()) return false;
    if (id == working_) return true;
    if (InChain(workingChain_, id)) return false;
    {
        const std::lock_guard lock(m_);
        if (const auto it = known_.find(id); it != known_.end()) return it->second;
    }
    // Climbed through ".." until the working folder, a folder above it, a
    // folder already judged or the root.
    std::vector<FileIdentity> met{id};
    bool inside = false, judged = false;
    int at = fd;
    for (int depth = 0; depth < 4096; ++depth) {
        const int up = openat(at, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (at != fd) ::close(at);
        at = up;
        struct stat st;
        if (at < 0 || fstat(at, &st) != 0) break;
        const FileIdentity above = IdentityOfStat(st);
        if (above == working_) {
            inside = judged = true;
            break;
        }
        if (above == met.back() || InChain(workingChain_, above)) {  // the root, or beside the working folder
            judged = true;
            break;
        }
        {
            const std::lock_guard lock(m_);
            if (const auto it = known_.find(above); it != known_.end()) {
                inside = it->second;
                judged = true;
                break;
            }
        }
        met.push_back(above);
    }
    if (at >= 0 && at != fd) ::close(at);
    // A folder whose place cannot be told is not written in.
    if (!judged) return true;
    const std::lock_guard lock(m_);
    for (const FileIdentity& folder : met) known_.emplace(folder, inside);
    return inside;
}

StoreFenceScope::StoreFenceScope(std::shared_ptr<const StoreFence> fence)
    : fence_(std::move(fence)), before_(g_standing.exchange(fence_.get(), std::memory_order_acq_rel)) {}

StoreFenceScope::~StoreFenceScope() { g_standing.store(before_, std::memory_order_release); }

const StoreFence* StandingStoreFence() { return g_standing.load(std::memory_order_acquire); }

}  // namespace plat
