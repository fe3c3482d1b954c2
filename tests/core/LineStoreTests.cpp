// The block store of the results lists: lines come back as they went in,
// across blocks, after a take-back and in a copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/FolderLineIndex.h"
#include "core/LineStore.h"

TEST(LineStore, LinesComeBackWholeAcrossBlocks) {
    LineStore store;
    std::vector<std::string> lines;
    for (int i = 0; i < 200000; ++i) lines.push_back("C:\\Projects\\Job " + std::to_string(i) + std::string(i % 37, 'x'));
    lines.push_back(std::string(5u << 20, 'b'));  // longer than a block
    lines.push_back("");
    lines.push_back("after the long one");
    for (const auto& line : lines) store.Append(line);
    ASSERT_EQ(store.Size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(store[i], lines[i]) << i;

    store.PopBack();
    store.PopBack();
    store.Append("again");
    EXPECT_EQ(store[store.Size() - 1], "again");
    EXPECT_EQ(store[store.Size() - 2], lines[lines.size() - 3]);

    const LineStore copy = store;
    ASSERT_EQ(copy.Size(), store.Size());
    EXPECT_EQ(copy[12345], lines[12345]);
    EXPECT_EQ(copy.Bytes(), store.Bytes());
    store.Clear();
    EXPECT_TRUE(store.Empty());
    EXPECT_EQ(copy[0], lines[0]);
}

TEST(LineStore, AFolderLineIndexFindsEachLineOnce) {
    LineStore store;
    auto index = MakeFolderLineIndex([&](std::size_t i) { return store[i]; });
    std::vector<std::size_t> repeats;
    for (const char* text : {"C:\\A", "c:\\A", "C:\\\xC3\x84rger", "c:\\\xC3\x84rger", "C:\\a", "C:\\A "}) {
        store.Append(text);
        const std::size_t found = index.FindOrAdd(text, store.Size() - 1);
        if (found != index.npos) {
            repeats.push_back(found);
            store.PopBack();
        }
    }
    EXPECT_EQ(repeats, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(store.Size(), 4u);
    EXPECT_TRUE(index.Contains("c:\\a"));
    EXPECT_FALSE(index.Contains("C:\\B"));
    for (int i = 0; i < 100000; ++i) {  // grows past many rehashes
        store.Append("x" + std::to_string(i));
        ASSERT_EQ(index.FindOrAdd(store[store.Size() - 1], store.Size() - 1), index.npos);
    }
    EXPECT_TRUE(index.Contains("x99999"));
    EXPECT_FALSE(index.Contains("X99999"));
}

// Lines that end a block exactly, an empty line behind them, lines of a
// block's size and longer, and the longest line: each comes back as it went
// in, and an empty line stays in the block it was appended to.
TEST(LineStore, ExactBlockBoundaries) {
    constexpr std::size_t kBlock = LineStore::kLastBlock;
    const auto check = [](const LineStore& store, const std::vector<std::string>& lines) {
        ASSERT_EQ(store.Size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ASSERT_EQ(store[i], lines[i]) << i;
            if (lines[i].empty() && i > 0) {  // in the block of the line before it
                EXPECT_GE(store[i].data(), store[i - 1].data()) << i;
                EXPECT_LE(store[i].data(), store[i - 1].data() + store[i - 1].size()) << i;
            }
        }
    };
    std::vector<std::string> lines;
    // Lines of 4 KiB that fill the growing blocks (4 KiB to kBlock) exactly.
    for (int i = 0; i < 15 + 16 * 64; ++i) lines.push_back(std::string(4095, static_cast<char>('a' + i % 26)) + "|");
    lines.push_back("");  // the last block is full
    lines.push_back("");
    lines.push_back("next block");
    lines.push_back(std::string(kBlock - 10, 'f'));  // ends this block exactly
    lines.push_back("");
    lines.push_back(std::string(kBlock, 'w'));  // a whole block
    lines.push_back("");
    lines.push_back(std::string(kBlock + 1, 'o'));  // longer than a block
    lines.push_back("");
    lines.push_back(std::string(LineStore::kMaxLine, 'm'));
    lines.push_back("");
    lines.push_back("tail");
    LineStore store;
    for (const auto& line : lines) store.Append(line);
    check(store, lines);

    // Longer than the longest: cut there.
    store.Append(std::string(LineStore::kMaxLine + 1, 'c'));
    EXPECT_EQ(store[store.Size() - 1].size(), LineStore::kMaxLine);
    store.PopBack();

    // The line that filled the block taken back, and the block filled again.
    LineStore full;
    std::vector<std::string> again(lines.begin(), lines.begin() + 1024);
    for (const auto& line : again) full.Append(line);
    full.PopBack();
    again.back() = std::string(4096, 'z');
    again.push_back("");
    again.push_back("x");
    for (std::size_t i = 1023; i < again.size(); ++i) full.Append(again[i]);
    check(full, again);
    EXPECT_EQ(full[1024].data(), full[1023].data() + 4096);  // at the end of the first block

    const LineStore copy = store;
    check(copy, lines);
}

// A copy shares the blocks: taking lines back and appending in either store
// never changes a line of the other.
TEST(LineStore, CopiesKeepTheirLinesWhateverTheOtherDoes) {
    LineStore source;
    for (int i = 0; i < 1000; ++i) source.Append("line " + std::to_string(i));
    LineStore copy = source;
    source.PopBack();
    source.PopBack();
    source.Append("source's own");
    copy.PopBack();
    copy.Append("copy's own");
    EXPECT_EQ(copy[998], "line 998");
    EXPECT_EQ(copy[999], "copy's own");
    EXPECT_EQ(source[997], "line 997");
    EXPECT_EQ(source[998], "source's own");
    EXPECT_EQ(source.Size(), 999u);

    LineStore second;
    second = copy;
    copy.Clear();
    source.Clear();
    second.PopBack();  // the last holder of the block takes the bytes back
    second.Append("again");
    EXPECT_EQ(second[998], "line 998");
    EXPECT_EQ(second[999], "again");
    std::size_t bytes = 5;
    for (int i = 0; i < 999; ++i) bytes += ("line " + std::to_string(i)).size();
    EXPECT_EQ(second.Bytes(), bytes);
}

// A store that shares another's blocks takes its lines by reference, in any
// order and more than once; what either does later changes none of them.
// Runs give every byte of the lines in order, as few as the lines lie in.
TEST(LineStore, SharedLinesAndRuns) {
    LineStore source;
    std::string all;
    for (int i = 0; i < 400000; ++i) {  // some 5 MB: a few dozen blocks
        source.Append("C:\\Jobs\\" + std::to_string(i));
        all += source[source.Size() - 1];
    }
    std::string joined;
    int runs = 0;
    source.ForEachRun([&](std::string_view run) { joined += run, ++runs; });
    EXPECT_EQ(joined, all);
    EXPECT_GT(runs, 1);
    EXPECT_LT(runs, 100);  // a run a block, not a line

    LineStore taken = source.SharingBlocks();
    for (std::size_t i : {5u, 2u, 5u, 399999u}) taken.AppendLineOf(source, i);
    taken.Append("own");
    taken.PopBack();
    taken.PopBack();  // shared bytes stay where they are
    taken.Append("z");
    source.PopBack();
    source.Append("source's own");
    source.Append("in a new block of the source");
    taken.AppendLineOf(source, source.Size() - 1);  // a block it does not hold: copied
    source.Clear();
    ASSERT_EQ(taken.Size(), 5u);
    EXPECT_EQ(taken[0], "C:\\Jobs\\5");
    EXPECT_EQ(taken[1], "C:\\Jobs\\2");
    EXPECT_EQ(taken[2], "C:\\Jobs\\5");
    EXPECT_EQ(taken[3], "z");
    EXPECT_EQ(taken[4], "in a new block of the source");
    joined.clear();
    taken.ForEachRun([&](std::string_view run) { joined += run; });
    EXPECT_EQ(joined, "C:\\Jobs\\5C:\\Jobs\\2C:\\Jobs\\5zin a new block of the source");

    // Parts of lines, one far into a line longer than a block.
    LineStore longer;
    longer.Append("C:\\Jobs\\x");
    longer.Append(std::string(3u << 20, 'a') + std::string(3u << 20, 'b'));
    LineStore parts = longer.SharingBlocks();
    parts.AppendLineOf(longer, 0, 2);
    parts.AppendLineOf(longer, 1, (3u << 20) - 1);
    parts.AppendLineOf(longer, 1, (5u << 20));
    parts.AppendLineOf(longer, 0, 99);
    longer.Clear();
    EXPECT_EQ(parts[0], "\\Jobs\\x");
    EXPECT_EQ(parts[1], "a" + std::string(3u << 20, 'b'));
    EXPECT_EQ(parts[2], std::string(1u << 20, 'b'));
    EXPECT_EQ(parts[3], "");

    LineStore copied;  // holds no block of the other: copies
    copied.AppendLineOf(taken, 1);
    taken.Clear();
    EXPECT_EQ(copied[0], "C:\\Jobs\\2");
    EXPECT_EQ(copied.Bytes(), 9u);
}

// A copy with its bytes mapped has the same lines, mapped, wherever they lie
// (across blocks, more than once, in a block of their own, empty); the
// source keeps its bytes. Cutting the front of each line shares the blocks,
// and a line shorter than the cut becomes empty.
TEST(LineStore, MappedBytesAndCutFronts) {
    LineStore source;
    std::vector<std::string> expected;
    for (int i = 0; i < 300000; ++i) source.Append("C:\\Jobs\\" + std::to_string(i));
    source.Append("");
    source.Append(std::string(5u << 20, '\\'));
    source.Append("");
    source.Append("C:\\tail");
    LineStore picked = source.SharingBlocks();
    for (std::size_t i : {7u, 7u, 299999u, 300000u, 300001u, 300002u, 300003u, 3u}) picked.AppendLineOf(source, i);
    const auto upper = [](char* out, const char* in, std::size_t n) {
        for (std::size_t k = 0; k < n; ++k) out[k] = in[k] == '\\' ? '/' : in[k];
    };
    const LineStore mapped = picked.MapBytes(upper);
    ASSERT_EQ(mapped.Size(), picked.Size());
    EXPECT_EQ(mapped.Bytes(), picked.Bytes());
    for (std::size_t i = 0; i < picked.Size(); ++i) {
        std::string want(picked[i]);
        std::replace(want.begin(), want.end(), '\\', '/');
        EXPECT_EQ(mapped[i], want) << i;
    }
    EXPECT_EQ(picked[0], "C:\\Jobs\\7");

    const LineStore cut = mapped.WithoutFirstBytes(2);
    ASSERT_EQ(cut.Size(), mapped.Size());
    EXPECT_EQ(cut[0], "/Jobs/7");
    EXPECT_EQ(cut[2], "/Jobs/299999");
    EXPECT_EQ(cut[3], "");
    EXPECT_EQ(cut[4], std::string((5u << 20) - 2, '/'));
    EXPECT_EQ(cut[6], "/tail");
    EXPECT_EQ(cut.Bytes(), mapped.Bytes() - 2 * (mapped.Size() - 2));
    EXPECT_TRUE(LineStore().MapBytes(upper).Empty());
    EXPECT_TRUE(LineStore().WithoutFirstBytes(2).Empty());
}

// The references lie in chunks of 65,536: a copy changed at a chunk's exact
// end, either holder growing after the other took its own, a reserved store
// and a cut of many lines (the quick pass and the line-by-line one) keep
// every line where it was.
TEST(LineStore, ManyLinesAcrossReferenceChunks) {
    constexpr std::size_t kChunk = 65536;
    const auto text = [](std::size_t i) { return "C:\\Jobs\\" + std::to_string(i); };
    LineStore store;
    for (std::size_t i = 0; i < 2 * kChunk; ++i) store.Append(text(i));
    LineStore copy = store;
    store.PopBack();
    store.Append("store's own");
    copy.Append("copy's own");  // the references it kept, grown by a chunk
    ASSERT_EQ(store.Size(), 2 * kChunk);
    ASSERT_EQ(copy.Size(), 2 * kChunk + 1);
    for (std::size_t i : {std::size_t{0}, kChunk - 1, kChunk, 2 * kChunk - 2}) {
        EXPECT_EQ(store[i], text(i)) << i;
        EXPECT_EQ(copy[i], text(i)) << i;
    }
    EXPECT_EQ(store[2 * kChunk - 1], "store's own");
    EXPECT_EQ(copy[2 * kChunk - 1], text(2 * kChunk - 1));
    EXPECT_EQ(copy[2 * kChunk], "copy's own");

    LineStore reserved;
    reserved.Reserve(3 * kChunk + 5, 0);
    for (std::size_t i = 0; i < 3 * kChunk + 9; ++i) reserved.Append(text(i));
    for (std::size_t i = 0; i < reserved.Size(); i += 997) ASSERT_EQ(reserved[i], text(i)) << i;
    EXPECT_EQ(reserved[3 * kChunk + 8], text(3 * kChunk + 8));

    const LineStore cut = copy.WithoutFirstBytes(3);
    ASSERT_EQ(cut.Size(), copy.Size());
    EXPECT_EQ(cut[kChunk], text(kChunk).substr(3));
    EXPECT_EQ(cut[2 * kChunk], "y's own");
    copy.Append("C:");  // shorter than the cut: each line on its own
    const LineStore each = copy.WithoutFirstBytes(3);
    ASSERT_EQ(each.Size(), copy.Size());
    EXPECT_EQ(each[kChunk + 1], text(kChunk + 1).substr(3));
    EXPECT_EQ(each[each.Size() - 1], "");
    EXPECT_EQ(each.Bytes(), cut.Bytes());
}
