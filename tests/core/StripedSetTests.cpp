// The set workers ask and add to at once: every text added by any worker
// is there for all of them, one never added is not, and a copy keeps its
// own texts.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/StripedSet.h"

namespace {

std::string Shared(int i) { return "C:\\Work\\COPYFILES\\report" + std::to_string(i) + ".txt"; }
std::string Own(int worker, int i) { return "C:\\D" + std::to_string(worker) + "\\file" + std::to_string(i) + ".txt"; }

}  // namespace

TEST(StripedSet, TextsAddedByWorkersAtOnceAreThereForAllAndCopiesKeepTheirOwn) {
    StripedSet set;
    constexpr int kWorkers = 8, kEach = 2000;
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w)
        workers.emplace_back([&set, w] {
            for (int i = 0; i < kEach; ++i) {
                set.Add(Own(w, i));
                set.Add(Shared(i));  // every worker adds these
                if (!set.Has(Own(w, i)) || !set.Has(Shared(i))) ADD_FAILURE() << "lost " << i;
            }
        });
    for (std::thread& t : workers) t.join();
    for (int w = 0; w < kWorkers; ++w)
        for (int i = 0; i < kEach; i += 7) ASSERT_TRUE(set.Has(Own(w, i))) << w << " " << i;
    EXPECT_FALSE(set.Has(Own(kWorkers, 0)));
    EXPECT_FALSE(set.Has(Shared(kEach)));
    EXPECT_FALSE(set.Has(""));
    set.Add("");
    EXPECT_TRUE(set.Has(""));

    StripedSet copy = set;
    copy.Add("only in the copy");
    set.Clear();
    EXPECT_FALSE(set.Has(Shared(3)));
    EXPECT_FALSE(set.Has("only in the copy"));
    EXPECT_TRUE(copy.Has(Shared(3)));
    EXPECT_TRUE(copy.Has(Own(5, kEach - 1)));
    EXPECT_TRUE(copy.Has(""));
    set = copy;
    EXPECT_TRUE(set.Has("only in the copy"));
}
