// The run records' lists walk as the random-access ranges they say they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <string>
#include <vector>

#include "core/RunRecord.h"
#include "tests/support/FailingAllocation.h"

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

// A view reads a range of a list where the list keeps it; appending to the
// view gives it entries of its own and leaves the list as it was.
TEST(RunRecord, ViewsReadARangeAndCopyOnlyWhenAppendedTo) {
    DEQ_CREATED_FOLDERS run;
    for (std::uint32_t i = 0; i < 6; ++i) run.push_back({"C:\\P" + std::to_string(i), {}, i});
    const DEQ_CREATED_FOLDERS view = DEQ_CREATED_FOLDERS::ViewOf(run, 2, 3);
    ASSERT_EQ(view.size(), 3u);
    EXPECT_EQ(view.PathAt(0).data(), run.PathAt(2).data());
    EXPECT_EQ(view.back().Path, "C:\\P4");
    EXPECT_EQ(view[1].Base, 3u);
    const DEQ_CREATED_FOLDERS inner = DEQ_CREATED_FOLDERS::ViewOf(view, 1, 2);  // a view of a view: of the list
    EXPECT_EQ(inner.front().Path, "C:\\P3");
    EXPECT_TRUE(DEQ_CREATED_FOLDERS::ViewOf(run, 6, 0).empty());

    DEQ_CREATED_FOLDERS grown = view;
    grown.push_back({"own", {}, 9});
    grown.AppendEntryOf(view, 0);
    ASSERT_EQ(grown.size(), 5u);
    EXPECT_EQ(grown[2].Path, "C:\\P4");
    EXPECT_EQ(grown[3].Path, "own");
    EXPECT_EQ(grown[4].Path, "C:\\P2");
    EXPECT_EQ(run.size(), 6u);
    EXPECT_EQ(view.size(), 3u);
    grown.clear();
    EXPECT_TRUE(grown.empty());
}

// An append that runs out of memory part-way, wherever it does, leaves the
// list as it was (an own list, a view, which copies its entries first, and
// an empty one), and the list takes entries afterwards.
TEST(RunRecord, AnAppendThatRunsOutOfMemoryLeavesTheListAsItWas) {
    const auto texts = [](const DEQ_CREATED_FOLDERS& list) {
        std::vector<std::string> out;
        for (const auto r : list) out.push_back(std::string(r.Path) + "@" + std::to_string(r.Base));
        return out;
    };
    DEQ_CREATED_FOLDERS run, added;
    for (std::uint32_t i = 0; i < 6; ++i) run.push_back({"C:\\P" + std::to_string(i), {}, i});
    for (std::uint32_t i = 0; i < 40; ++i) added.push_back({"C:\\N" + std::to_string(i), {}, 100 + i});
    for (int kind = 0; kind < 3; ++kind) {
        for (std::size_t n = 0;; ++n) {
            DEQ_CREATED_FOLDERS list = kind == 0   ? run
                                       : kind == 1 ? DEQ_CREATED_FOLDERS::ViewOf(run, 2, 3)
                                                   : DEQ_CREATED_FOLDERS();
            const std::vector<std::string> before = texts(list);
            const bool failed = testsupport::FailsAt(n, [&] { list.insert(list.end(), added.begin(), added.end()); });
            if (!failed) {
                EXPECT_EQ(list.size(), before.size() + added.size()) << kind;
                EXPECT_GT(n, 3u) << kind;
                break;
            }
            EXPECT_EQ(texts(list), before) << kind << ", allocation " << n;
            list.push_back({"C:\\after", {}, 7});
            EXPECT_EQ(list.back().Path, "C:\\after") << kind << ", allocation " << n;
        }
    }
}
