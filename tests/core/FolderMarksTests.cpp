// The undo's folder marks: found again by key whatever the table's size,
// keys told apart when their hashes meet, bits kept through growth.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "core/FolderMarks.h"

namespace {

// Records are indexes into a list of paths; a key is the path lowered.
struct Paths {
    std::vector<std::string> paths;
    int keysMade = 0;
};
Paths* current = nullptr;

void LowerKey(std::string_view path, std::string& key) {
    ++current->keysMade;
    key.clear();
    for (char c : path) key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

class FolderMarksTest : public ::testing::Test {
protected:
    Paths p;
    FolderMarks marks{[this](FolderMarks::Record r) { return std::string_view(p.paths[r]); }, LowerKey};
    void SetUp() override { current = &p; }

    // Marks the path as record `r` with `bits`, under the hash given.
    void Mark(const std::string& path, std::uint32_t hash, unsigned char bits) {
        p.paths.push_back(path);
        std::string key;
        LowerKey(path, key);
        std::size_t slot = marks.Find(key, hash);
        ASSERT_FALSE(marks.Marked(slot)) << path;
        slot = marks.Add(slot, hash, static_cast<FolderMarks::Record>(p.paths.size() - 1));
        marks.Bits(slot) |= bits;
    }
};

TEST_F(FolderMarksTest, KeysAreFoundAgainThroughGrowthAndCollidingHashes) {
    for (int i = 0; i < 5000; ++i) {
        const std::string path = "C:\\Jobs\\F" + std::to_string(i);
        // Every tenth key shares one hash: those are told apart by their keys.
        Mark(path, i % 10 == 0 ? 7u : FolderMarks::HashOf(path), static_cast<unsigned char>(1 + i % 2));
    }
    EXPECT_EQ(marks.Size(), 5000u);
    for (int i = 0; i < 5000; i += 37) {
        const std::string key = "c:\\jobs\\f" + std::to_string(i);
        const std::uint32_t hash = i % 10 == 0 ? 7u : FolderMarks::HashOf("C:\\Jobs\\F" + std::to_string(i));
        const std::size_t slot = marks.Find(key, hash);
        ASSERT_TRUE(marks.Marked(slot)) << key;
        EXPECT_EQ(marks.RecordOf(slot), static_cast<FolderMarks::Record>(i));
        EXPECT_EQ(marks.Bits(slot), 1 + i % 2);
    }
    EXPECT_FALSE(marks.Marked(marks.Find("c:\\jobs\\none", 7u)));

    marks.ClearBits(1);
    EXPECT_EQ(marks.Bits(marks.Find("c:\\jobs\\f1", FolderMarks::HashOf("C:\\Jobs\\F1"))), 2);
    EXPECT_EQ(marks.Bits(marks.Find("c:\\jobs\\f2", FolderMarks::HashOf("C:\\Jobs\\F2"))), 0);
    marks.Clear();
    EXPECT_EQ(marks.Size(), 0u);
    EXPECT_FALSE(marks.Marked(marks.Find("c:\\jobs\\f1", FolderMarks::HashOf("C:\\Jobs\\F1"))));
}

// A folder met in the spelling its record has is found without making the
// record's key again; another spelling of it is found by its key.
TEST_F(FolderMarksTest, TheRecordedSpellingNeedsNoKey) {
    Mark("C:\\Jobs", 5u, 1);
    p.keysMade = 0;
    EXPECT_TRUE(marks.Marked(marks.Find("c:\\jobs", 5u, "C:\\Jobs")));
    EXPECT_EQ(p.keysMade, 0);
    EXPECT_TRUE(marks.Marked(marks.Find("c:\\jobs", 5u, "c:\\JOBS")));
    EXPECT_EQ(p.keysMade, 1);
}

}  // namespace
