// The desktop seam opens documents only: never a folder, a link or anything
// that could run.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "tests/support/TempDrive.h"

TEST(DesktopSeam, OpensPlainDocumentsAndRefusesWhatCouldRun) {
    testsupport::TempDrive drive;
    drive.WriteFile("readme.md", "# notes\n");
    drive.WriteFile("run.sh", "#!/bin/sh\n");
    ASSERT_EQ(::chmod(drive.nativePath("run.sh").c_str(), 0744), 0);
    drive.MakeFolder("docs");
    ASSERT_EQ(::symlink(drive.nativePath("readme.md").c_str(), drive.nativePath("link.md").c_str()), 0);

    std::vector<std::string> opened;
    const plat::OpenDocumentHandler previous = plat::SetOpenDocumentHandler([&](const std::string& file) {
        opened.push_back(file);
        return true;
    });
    EXPECT_TRUE(plat::OpenDocumentWithDesktop(drive.path("readme.md")));
    for (const char* refused : {"run.sh", "docs", "link.md", "missing.md"})
        EXPECT_FALSE(plat::OpenDocumentWithDesktop(drive.path(refused))) << refused;
    EXPECT_FALSE(plat::OpenDocumentWithDesktop(""));
    EXPECT_EQ(opened, std::vector<std::string>{drive.path("readme.md")});

    // Without a desktop nothing is opened.
    plat::SetOpenDocumentHandler({});
    EXPECT_FALSE(plat::OpenDocumentWithDesktop(drive.path("readme.md")));
    plat::SetOpenDocumentHandler(previous);
}
