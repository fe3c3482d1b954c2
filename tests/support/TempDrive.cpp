#include "tests/support/TempDrive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace testsupport {

TempDrive::TempDrive(char letter) : letter_(letter) {
    std::string tmpl = (fs::temp_directory_path() / "qmdrive-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    native_ = tmpl;
    plat::MapDrive(letter_, native_);
}

TempDrive::~TempDrive() {
    plat::UnmapDrive(letter_);
    std::error_code ec;
    // Make everything writable again so a test that locked a folder cleans up.
    for (auto it = fs::recursive_directory_iterator(native_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink()) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(native_, ec);
}

std::string TempDrive::path(const std::string& rel) const {
    std::string p = std::string(1, letter_) + ":\\";
    std::string r = rel;
    while (!r.empty() && (r.front() == '\\' || r.front() == '/')) r.erase(0, 1);
    return p + r;
}

std::string TempDrive::nativePath(const std::string& rel) const {
    std::string r = rel;
    for (char& c : r)
        if (c == '\\') c = '/';
    while (!r.empty() && r.front() == '/') r.erase(0, 1);
    return r.empty() ? native_ : native_ + "/" + r;
}

void TempDrive::MakeFolder(const std::string& rel) const { fs::create_directories(nativePath(rel)); }

void TempDrive::WriteFile(const std::string& rel, const std::string& content) const {
    fs::path p = nativePath(rel);
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
}

std::string TempDrive::ReadFile(const std::string& rel) const {
    std::ifstream in(nativePath(rel), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void TempDrive::RewriteKeepingSizeAndTime(const std::string& rel, const std::string& content) const {
    const std::string native = nativePath(rel);
    struct stat before {}, after {};
    if (stat(native.c_str(), &before) != 0 || static_cast<std::size_t>(before.st_size) != content.size())
        throw std::runtime_error("no file of that size to rewrite: " + rel);
    // File times come from a coarse clock: a rewrite within the same tick
    // would keep even the status-change time.
    for (int tries = 0; tries < 1000; ++tries) {
        const int fd = open(native.c_str(), O_WRONLY);
        const bool written = fd >= 0 && pwrite(fd, content.data(), content.size(), 0) ==
                                            static_cast<ssize_t>(content.size());
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        const bool timed = fd >= 0 && futimens(fd, times) == 0;
        if (fd >= 0) close(fd);
        if (!written || !timed || stat(native.c_str(), &after) != 0) throw std::runtime_error("rewrite failed");
        if (after.st_ctim.tv_sec != before.st_ctim.tv_sec || after.st_ctim.tv_nsec != before.st_ctim.tv_nsec) return;
        usleep(1000);
    }
    throw std::runtime_error("the status-change time never moved");
}

bool TempDrive::Exists(const std::string& rel) const {
    std::error_code ec;
    return fs::exists(fs::symlink_status(nativePath(rel), ec));
}

}  // namespace testsupport
