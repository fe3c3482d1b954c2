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
