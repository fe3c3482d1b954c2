#include <gtest/gtest.h>

#include "core/LineSplit.h"

namespace {

StringList Import(const std::string& line, const std::string& separator) {
    std::deque<int> marks;
    FindAllPositions(line, "\"", marks);
    return SplitLineQuotedImport(line, separator, marks);
}

StringList Masks(const std::string& text) {
    std::deque<int> marks;
    FindAllPositions(text, "\"", marks);
    return SplitQuotedItems(text, "\"", marks);
}

}  // namespace

TEST(LineSplit, FindPositionsAndOdd) {
    std::deque<int> positions{7};
    EXPECT_EQ(FindAllPositions("aaa", "aa", positions), 2);
    EXPECT_EQ(positions, (std::deque<int>{7, 0, 1}));  // appended, overlapping hits count
    EXPECT_EQ(FindAllPositions("abc", "", positions), 0);
    EXPECT_EQ(positions.size(), 3u);

    EXPECT_TRUE(IsOdd(3));
    EXPECT_TRUE(IsOdd(-3));
    EXPECT_FALSE(IsOdd(0));
}

TEST(LineSplit, WhiteSpaceAndSeparators) {
    EXPECT_EQ(SplitAtWhiteSpace(" \ta\r\nb\v\fc  "), (StringList{"a", "b", "c"}));
    EXPECT_EQ(SplitAtWhiteSpace("\xC2\xA0x"), (StringList{"\xC2\xA0x"}));  // UTF-8 bytes are no white space

    EXPECT_EQ(SplitAtSeparators("a; b", ";"), (StringList{"a", " b"}));
    EXPECT_EQ(SplitAtSeparators(",,a,,b,,", ","), (StringList{"a", "b"}));
    // The start skips any separator character; the end needs the whole separator.
    EXPECT_EQ(SplitAtSeparators(", a,b, c", ", "), (StringList{"a,b", "c"}));
    EXPECT_EQ(SplitAtSeparators("abc", ""), (StringList{"abc"}));
    EXPECT_TRUE(SplitAtSeparators("", "").empty());
}

TEST(LineSplit, QuotedSpans) {
    EXPECT_EQ(Masks("*.txt \"my file*.doc\" *.pdf"), (StringList{"*.txt", "my file*.doc", "*.pdf"}));
    EXPECT_EQ(Masks("\"  \""), (StringList{""}));  // a quoted span of blanks is one empty item
    EXPECT_EQ(Masks("\"\"x"), (StringList{"", "x"}));

    EXPECT_EQ(Import("a,\"b,c\",d", ","), (StringList{"a", "b,c", "d"}));
    EXPECT_EQ(Import(",,a,,", ","), (StringList{"a"}));
    EXPECT_EQ(Import("\" x \" \" y \"", "\""), (StringList{"x", " ", "y"}));
    // An odd mark count: the last quoted span runs to the end.
    EXPECT_EQ(Import("a,\"b,c", ","), (StringList{"a", "b,c"}));

    std::deque<int> marks;
    FindAllPositions("a,\"b\"", "\"", marks);
    SplitLineQuotedImport("a,\"b\"", ",", marks);
    EXPECT_EQ(marks, (std::deque<int>{0, 2, 4, 5}));  // framed in the caller's list
}

// Separators and marks are whole UTF-8 characters: one never cuts another
// that shares its first byte (§ is C2 A7, ° is C2 B0).
TEST(LineSplit, SeparatorsAndMarksAreCharacters) {
    EXPECT_EQ(SplitAtSeparators("x\u00A7\u00B0C", "\u00A7"), (StringList{"x", "\u00B0C"}));
    EXPECT_EQ(SplitAtSeparators("\u00A7\u00A7a\u00A7\u00B0", "\u00A7"), (StringList{"a", "\u00B0"}));
    EXPECT_EQ(Import("x\u00A7\u00B0C\u00A7\"\u00A7 y\"", "\u00A7"), (StringList{"x", "\u00B0C", "\u00A7 y"}));
    // A separator of several characters: the start skips each, the end needs all.
    EXPECT_EQ(SplitAtSeparators("\u00E9a\u00E9\u00E8b\u00E8c", "\u00E9\u00E8"), (StringList{"a", "b\u00E8c"}));
    // Three-byte characters that share two bytes.
    EXPECT_EQ(SplitAtSeparators("1\u20AC\u20AD2", "\u20AC"), (StringList{"1", "\u20AD2"}));

    std::deque<int> marks;
    EXPECT_EQ(FindAllPositions("\u00AB\u00AB\u00AB", "\u00AB\u00AB", marks), 2);
    EXPECT_EQ(marks, (std::deque<int>{0, 2}));
    // An import mark that is not ASCII goes whole.
    marks = {1, 6};
    EXPECT_EQ(SplitLineQuotedImport("a\u00ABb c\u00ABd", ",", marks), (StringList{"a", "b c", "d"}));
    // Bytes that are no UTF-8 still advance one by one.
    EXPECT_EQ(SplitAtSeparators("\xC2x\xA7", "\xA7"), (StringList{"\xC2x"}));
}

TEST(LineSplit, OddMarkListsAreSafe) {
    // Positions out of order (double quotes found before apostrophes) are sorted.
    std::deque<int> marks{6, 2};
    EXPECT_EQ(SplitLineQuotedImport("a 'b c\" d", " ", marks), (StringList{"a", "b c", "d"}));
    // Positions outside the text are kept inside it.
    marks = {-5, 99};
    EXPECT_EQ(SplitLineQuotedImport("xyz", ",", marks), (StringList{"yz"}));
    // An empty mark stands nowhere; the whole text is cut as one.
    marks = {1, 3};
    EXPECT_EQ(SplitQuotedItems("a \"b c\"", "", marks), (StringList{"a", "\"b", "c\""}));
    // A mark longer than one character is skipped whole, overlapping ones give empty spans.
    marks.clear();
    FindAllPositions("x<<a b<<y", "<<", marks);
    EXPECT_EQ(SplitQuotedItems("x<<a b<<y", "<<", marks), (StringList{"x", "a b", "y"}));
    marks.clear();
    FindAllPositions("<<<", "<<", marks);
    EXPECT_EQ(SplitQuotedItems("<<<", "<<", marks), (StringList{""}));
    // An empty separator splits nothing, and does not hang.
    marks.clear();
    EXPECT_EQ(SplitLineQuotedImport("a,b", "", marks), (StringList{"a,b"}));
}

// A separator that is the lead byte of a character in the text ("\xCE"
// before "\xCE\xAD") or any other part of one: every cut moves on, and no
// empty item comes out.
TEST(LineSplit, LoneLeadBytesNeverStopTheCut) {
    EXPECT_EQ(SplitAtSeparators("\xCE\xAD", "\xCE"), (StringList{"\xCE\xAD"}));
    EXPECT_EQ(SplitAtSeparators("a\xCE\xAD" "b\xCE\xAD", "\xCE"), (StringList{"a\xCE\xAD" "b\xCE\xAD"}));
    EXPECT_EQ(SplitAtSeparators("a\xCE" "b", "\xCE"), (StringList{"a", "b"}));  // a lone byte cuts a lone byte
    EXPECT_EQ(SplitAtSeparators("\xE2\x82\xAC" "x", "\xE2\x82"), (StringList{"\xE2\x82\xAC" "x"}));
    EXPECT_EQ(Import("p\xCE\xAD,q", "\xCE"), (StringList{"p\xCE\xAD,q"}));

    // Random texts and separators from bytes that make and break characters.
    const std::string bytes = "\xCE\xAD\xC3\x84\xE2\x82\xAC\xF0\x9F, a\"";
    std::uint32_t seed = 19;
    const auto next = [&](std::size_t below) { return (seed = seed * 1103515245u + 12345u) / 65536u % below; };
    for (int round = 0; round < 20000; ++round) {
        std::string text, separator;
        for (std::size_t n = next(12); n > 0; --n) text += bytes[next(bytes.size())];
        for (std::size_t n = 1 + next(3); n > 0; --n) separator += bytes[next(bytes.size())];
        std::size_t total = 0;
        for (const auto& item : SplitAtSeparators(text, separator)) {
            ASSERT_FALSE(item.empty()) << round;
            total += item.size();
        }
        ASSERT_LE(total, text.size()) << round;
        std::deque<int> marks;
        FindAllPositions(text, "\"", marks);
        ASSERT_LE(SplitLineQuotedImport(text, separator, marks).size(), text.size() + 1) << round;
    }
}
