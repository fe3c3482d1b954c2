// The run records' lists walk as the random-access ranges they say they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <string>
#include <vector>

#include "core/RunRecord.h"

TEST(RunRecord, ListsWalkBothWaysAndJump) {
    DEQ_CREATED_FOLDERS folders;
    for (std::uint32_t i = 0; i < 10; ++i) folders.push_back({"C:\\F" + std::to_string(i), {}, i});
    const auto begin = folders.begin(), end = folders.end();
    EXPECT_EQ(end - begin, 10);
    EXPECT_EQ((*(end - 1)).Path, "C:\\F9");
    EXPECT_EQ((*(2 + begin)).Base, 2u);
    EXPECT_EQ(begin[7].Path, "C:\\F7");
    auto it = end;
    --it;
    it--;
    EXPECT_EQ((*it).Base, 8u);
    it -= 5;
    EXPECT_EQ(it.Index(), 3u);
    EXPECT_EQ(it[-1].Base, 2u);
    EXPECT_TRUE(begin < it && it <= end && end > it);

    std::vector<std::uint32_t> backwards;
    for (const auto& folder : folders | std::views::reverse) backwards.push_back(folder.Base);
    EXPECT_EQ(backwards, (std::vector<std::uint32_t>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    const auto found = std::ranges::lower_bound(folders, 6u, {}, [](const runrecord::FolderRef& r) { return r.Base; });
    EXPECT_EQ(found.Index(), 6u);

    DEQ_CREATED_FILES files{{"C:\\a.txt", true, {{}, 3, 7, 7}, 0}, {"C:\\b.txt", true, {{}, 4, 8, 8}, 1}};
    EXPECT_EQ((*std::ranges::next(files.begin())).Stamp.size, 4u);
    EXPECT_EQ(std::ranges::distance(files), 2);
}

// An entry taken from another list keeps its numbers and shares its path,
// which outlives the list it came from.
TEST(RunRecord, EntriesTakenFromAnotherListShareTheirPaths) {
    DEQ_CREATED_FOLDERS taken;
    {
        DEQ_CREATED_FOLDERS run;
        for (std::uint32_t i = 0; i < 4; ++i) run.push_back({"C:\\P" + std::to_string(i), {}, i});
        taken.AppendEntryOf(run, 3);
        taken.push_back({"own", {}, 9});
        taken.AppendEntryOf(run, 1);
        EXPECT_EQ(taken.PathAt(0).data(), run.PathAt(3).data());
    }
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].Path, "C:\\P3");
    EXPECT_EQ(taken[1].Path, "own");
    EXPECT_EQ(taken[2].Path, "C:\\P1");
    EXPECT_EQ(taken[2].Base, 1u);
}
