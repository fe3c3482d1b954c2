// A temporary folder mapped as a drive letter for the length of a test.
#pragma once

#include <string>

namespace testsupport {

class TempDrive {
public:
    explicit TempDrive(char letter = 'T');
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    char letter() const { return letter_; }
    // Linux path of the drive's root.
    const std::string& native() const { return native_; }
    // Drive-form path of a relative path ("T:\" + rel).
    std::string path(const std::string& rel = "") const;
    // Linux path of a relative path given with backslashes.
    std::string nativePath(const std::string& rel) const;

    // Helpers that write straight to Linux, bypassing the layer under test.
    void MakeFolder(const std::string& rel) const;
    void WriteFile(const std::string& rel, const std::string& content) const;
    std::string ReadFile(const std::string& rel) const;
    // Rewrites an existing file in place (same inode) with content of the
    // same size and sets its modification time back, as a user can; only
    // its status-change time then tells. Waits for the clock to move on.
    void RewriteKeepingSizeAndTime(const std::string& rel, const std::string& content) const;
    bool Exists(const std::string& rel) const;

private:
    char letter_;
    std::string native_;
};

}  // namespace testsupport
