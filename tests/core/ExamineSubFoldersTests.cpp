#include <gtest/gtest.h>

#include "core/ExamineSubFolders.h"

namespace {

StringList Sorted(const StringList& items) {
    ExamineSubFolders examine(items);
    examine.ExamineSorted();
    return examine.GetList();
}

StringList Top(const StringList& items) {
    ExamineSubFolders examine(items);
    examine.ExamineTopFolders();
    return examine.GetList();
}

}  // namespace

TEST(ExamineSubFolders, SortedForm) {
    EXPECT_EQ(Sorted({" D:\\Jobs ", "D:\\Jobs", "", "   "}), (StringList{"D:\\Jobs"}));
    EXPECT_EQ(Sorted({"d:\\jobs", "D:\\Jobs"}), (StringList{"D:\\Jobs", "d:\\jobs"}));
    EXPECT_EQ(Sorted({"D:\\a", "D:\\Z", "E:\\B\\C", "D:\\\xC3\xA9"}),
              (StringList{"D:\\Z", "D:\\a", "D:\\\xC3\xA9", "E:\\B\\C"}));  // unsigned bytes
    EXPECT_TRUE(Sorted({}).empty());
}

TEST(ExamineSubFolders, TopMostForm) {
    EXPECT_EQ(Top({" D:\\Jobs ", "D:\\Jobs", ""}), (StringList{"D:\\Jobs"}));
    // Names count byte for byte; the drive letter is no name.
    EXPECT_EQ(Top({"d:\\Jobs", "D:\\Jobs", "D:\\jobs", "D:\\Jobs."}), (StringList{"D:\\Jobs", "D:\\Jobs.", "D:\\jobs"}));
    EXPECT_EQ(Top({"D:\\Jobs\\Alpha", "D:\\JobsOld", "D:\\Jobs", "d:\\Jobs\\Alpha\\x", "D:\\JOBS\\x", "D:\\Jobs\\"}),
              (StringList{"D:\\Jobs", "D:\\JobsOld", "D:\\JOBS\\x"}));
    // A drive root drops nothing below it; levels come first.
    EXPECT_EQ(Top({"D:\\Jobs", "D:\\", "D:\\Jobs\\A"}), (StringList{"D:\\", "D:\\Jobs"}));
    EXPECT_EQ(Top({"E:\\B\\C", "D:\\A"}), (StringList{"D:\\A", "E:\\B\\C"}));
    EXPECT_EQ(Top({"D:\\\xC3\x89t\xC3\xA9", "D:\\\xC3\xA9T\xC3\xA9\\x"}),
              (StringList{"D:\\\xC3\x89t\xC3\xA9", "D:\\\xC3\xA9T\xC3\xA9\\x"}));
}
