#include <gtest/gtest.h>

#include <sstream>

#include "core/ImportClass.h"
#include "core/ListPresence.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"

namespace {

StringList Parts(const std::string& line, const std::string& delimiter, bool abandon = true) {
    StringList parts;
    int marks = 0;
    EXPECT_TRUE(SplitImportLine(line, delimiter, abandon, parts, marks)) << line;
    return parts;
}

StringList ImportFile(const testsupport::TempDrive& drive, const std::string& content, int format,
                      const std::string& delimiter = ",", bool abandon = true, int column = 1) {
    drive.WriteFile("in.txt", content);
    ImportClass parser({drive.path("in.txt"), format, delimiter, "\"", abandon});
    if (format == kImportOneColumn) parser.SetColumn(column);
    parser.Import();
    return parser.GetList();
}

}  // namespace

TEST(ImportClass, QuoteAndDequote) {
    EXPECT_EQ(QuoteText("a\"b", '"'), "\"a\"\"b\"");
    EXPECT_EQ(DequoteText("\"a b\"", '"'), "a b");
    EXPECT_EQ(DequoteText("\"\"", '"'), "");
    EXPECT_EQ(DequoteText("\"abc", '"'), "\"abc");  // no closing mark
    EXPECT_EQ(DequoteText("abc\"", '"'), "abc\"");
    EXPECT_EQ(DequoteText("\"a\"\"b\"", '"'), "a\"b");
    // The text behind the closing mark is kept, not dropped.
    EXPECT_EQ(DequoteText("\"My Folder\" (old)", '"'), "My Folder (old)");
}

TEST(ImportClass, BlankDelimiterFollowsTheMarksOfEachLine) {
    EXPECT_EQ(Parts("a b  c", " "), (StringList{"a", "b", "c"}));
    EXPECT_EQ(Parts("a \"b c\" d", " "), (StringList{"a", "b c", "d"}));
    EXPECT_EQ(Parts("\"a b\" c d \"e\"", " "), (StringList{"a b", "c d", "e"}));
    EXPECT_EQ(Parts("\"x\" \"y\"", " "), (StringList{"x", "", "y"}));
    EXPECT_EQ(Parts("a 'b c' d", " "), (StringList{"a", "b c", "d"}));
    // Kept marks: every part of a quoted line comes back wrapped.
    EXPECT_EQ(Parts("a \"b c\"", " ", false), (StringList{"\"a\"", "\"b c\""}));
    EXPECT_EQ(Parts("'it''s' x", " ", false), (StringList{"'it''s'", "'x'"}));
    EXPECT_EQ(Parts("'it''s' x", " "), (StringList{"it's", "x"}));
}

TEST(ImportClass, QuotedCsvKeepsDelimitersInsideFields) {
    EXPECT_EQ(Parts("a,\"b,c\",d", ","), (StringList{"a", "b,c", "d"}));
    EXPECT_EQ(Parts("1,\"Smith, John\",\"C:\\Jobs\\A, B\"", ","), (StringList{"1", "Smith, John", "C:\\Jobs\\A, B"}));
    EXPECT_EQ(Parts("\"5\"\" disk\",x", ","), (StringList{"5\" disk", "x"}));  // doubled mark inside a field
    EXPECT_EQ(Parts("\"5\"\" disk\",x", ",", false), (StringList{"\"5\"\" disk\"", "\"x\""}));
    EXPECT_EQ(Parts("a,\"\",c", ","), (StringList{"a", "", "c"}));  // a quoted empty field keeps its place
    // Apostrophes are text with any other delimiter.
    EXPECT_EQ(Parts("Bob's,Ann's", ","), (StringList{"Bob's", "Ann's"}));
    // Empty fields, leading and trailing delimiters give no part; tabs work as any delimiter.
    EXPECT_EQ(Parts(",,a,,b,", ","), (StringList{"a", "b"}));
    EXPECT_EQ(Parts("a\tb c\t\"d\te\"", "\t"), (StringList{"a", "b c", "d\te"}));
    EXPECT_EQ(Parts("a;b", ""), (StringList{"a;b"}));  // an empty delimiter splits nothing
    EXPECT_EQ(Parts("a\"b\"\"c", "\""), (StringList{"a", "b", "c"}));  // a delimiter is never a quotation mark

    StringList parts{"old"};
    int marks = 0;
    EXPECT_FALSE(SplitImportLine("a,\"b,c", ",", true, parts, marks));
    EXPECT_TRUE(parts.empty());
    EXPECT_EQ(marks, 1);
    EXPECT_FALSE(SplitImportLine("Bob's folder", " ", true, parts, marks));
    EXPECT_FALSE(SplitImportLine("x \"a\"\"", " ", true, parts, marks));
    EXPECT_EQ(marks, 3);
}

TEST(ImportClass, ReadsRealWorldFiles) {
    testsupport::TempDrive drive;
    // BOM, CRLF, blank and control-only lines, no line break at the end.
    const std::string text = "\xEF\xBB\xBF  C:\\Jobs\\A \r\n\r\n \t \r\nC:/Jobs/B\r\n\"C:\\Jobs\\C\" old\nlast";
    EXPECT_EQ(ImportFile(drive, text, kImportPlainLines),
              (StringList{"C:\\Jobs\\A", "C:/Jobs/B", "C:\\Jobs\\C old", "last"}));
    EXPECT_EQ(ImportFile(drive, text, kImportPlainLines, ",", false),
              (StringList{"C:\\Jobs\\A", "C:/Jobs/B", "\"C:\\Jobs\\C\" old", "last"}));
    EXPECT_TRUE(ImportFile(drive, " \n\t\r\n\n", kImportAllColumns).empty());

    const std::string csv = "id,name,path\r\n1,\"Smith, John\",C:\\A\r\n2,,C:\\B\r\n,,\"x\"\r\n";
    EXPECT_EQ(ImportFile(drive, csv, kImportOneColumn, ",", true, 2), (StringList{"name", "Smith, John", "C:\\B"}));
    EXPECT_EQ(ImportFile(drive, csv, kImportOneColumn, ",", true, 1), (StringList{"id", "1", "2", "x"}));
    EXPECT_EQ(ImportFile(drive, csv, kImportAllColumns).size(), 9u);
    // Columns that do not exist take nothing.
    EXPECT_TRUE(ImportFile(drive, csv, kImportOneColumn, ",", true, 9).empty());
    EXPECT_TRUE(ImportFile(drive, csv, kImportOneColumn, ",", true, 0).empty());
    EXPECT_TRUE(ImportFile(drive, csv, kImportOneColumn, ",", true, -3).empty());
    EXPECT_EQ(ImportFile(drive, "\"x\" \"y\"\n", kImportOneColumn, "space", true, 3), (StringList{"y"}));
    EXPECT_EQ(ImportFile(drive, "a b\n", kImportAllColumns, "space"), (StringList{"a", "b"}));

    // Windows-1252 bytes become UTF-8; valid UTF-8 stays.
    EXPECT_EQ(ImportFile(drive, "Caf\xE9 \x80\nK\xC3\xB6ln\n", kImportPlainLines),
              (StringList{"Caf\xC3\xA9 \xE2\x82\xAC", "K\xC3\xB6ln"}));
    // A long line and binary bytes do no harm.
    const std::string longLine(200000, 'x');
    EXPECT_EQ(ImportFile(drive, longLine + "\n", kImportPlainLines), (StringList{longLine}));
    const std::string binary("\x00\xFF\xFE\x01,\x00\x02\n\x7F", 9);
    EXPECT_NO_THROW(ImportFile(drive, binary, kImportAllColumns));
}

// A delimiter that is no whole character (from a damaged settings file)
// splits nothing and never stops the import.
TEST(ImportClass, DelimiterOfBrokenCharactersSplitsNothing) {
    testsupport::TempDrive drive;
    const std::string text = "\xCE\xAD,\xCE\xAD\nC:\\A\xCE" "B\n";
    // The lone byte in the text is read as Windows-1252.
    const StringList whole{"\xCE\xAD,\xCE\xAD", "C:\\A\xC3\x8E" "B"};
    EXPECT_EQ(ImportFile(drive, text, kImportAllColumns, "\xCE"), whole);
    EXPECT_EQ(ImportFile(drive, text, kImportOneColumn, "\xAD", true, 1), whole);
}

TEST(ImportClass, FailuresAreReportedAndTakeNothing) {
    testsupport::TempDrive drive;
    plat::MessageBoxScript boxes;
    ImportClass missing({drive.path("nope.txt"), kImportPlainLines, ",", "\"", true});
    missing.Import();
    EXPECT_EQ(missing.GetStatus(), kImportOpenFailed);
    EXPECT_TRUE(missing.GetList().empty());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Import File content.            Warnings no: 0313.");

    boxes.Clear();
    drive.WriteFile("odd.txt", "a,b\n\"c,d\n");
    ImportClass odd({drive.path("odd.txt"), kImportAllColumns, ",", "\"", true});
    odd.Import();
    EXPECT_EQ(odd.GetStatus(), kImportOddMarks);
    EXPECT_TRUE(odd.GetList().empty());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              "Odd number of marks(separators) : 1\n\nAction : You must enter an even number of separators(marks).");
    EXPECT_EQ(boxes.shown()[0].caption, "Warning !    Msg no: 0519.");

    // Plain lines are never split, so an odd mark there is just text.
    boxes.Clear();
    drive.WriteFile("plain.txt", "5\" disk\n");
    ImportClass plain({drive.path("plain.txt"), kImportPlainLines, ",", "\"", true});
    plain.Import();
    EXPECT_EQ(plain.GetList(), (StringList{"5\" disk"}));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(ImportClass, LineReaderAndRepair) {
    std::istringstream in(
        "\xEF\xBB\xBF"
        "a\r\n\xEF\xBB\xBF"
        "b\r\r\n");
    ImportLineReader reader(in);
    std::string line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "a");
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line,
              "\xEF\xBB\xBF"
              "b\r");  // only the file's first mark and one CR per line go
    EXPECT_FALSE(reader.Next(line));

    EXPECT_EQ(RepairUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");                  // an overlong form is no UTF-8
    EXPECT_EQ(RepairUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");  // nor a surrogate
    EXPECT_EQ(RepairUtf8("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(RepairUtf8("\x81"), "\xC2\x81");
}

TEST(ImportClass, ImportedStructuresAndTemplatesAreChecked) {
    std::string report;
    EXPECT_FALSE(CheckImportedPaths({"C:\\Jobs\\A", "D:/Data//X"}, true, report));
    EXPECT_FALSE(CheckImportedPaths({"\\A\\B", "/x/y"}, false, report));
    EXPECT_EQ(report, "");

    // Five offenders: three shown, a blank line, the rest counted.
    EXPECT_TRUE(CheckImportedPaths({"a", "C:\\ok", "b", "c", "d", "e"}, true, report));
    EXPECT_EQ(report,
              "You can only enter full paths with drive letters.\nThere are no drive letters in paths (total: 5 )\n"
              "a\nb\nc\n\n2  more left\n\n");

    report = "before\n";
    EXPECT_TRUE(CheckImportedPaths({"\\t\\x.txt", "C:\\x.txt"}, false, report));
    EXPECT_EQ(report.rfind("before\nYou can only enter relative paths without drive letters.\nThere are drive letters "
                           "in paths (total: 1 )\nC:\\x.txt\n",
                           0),
              0u);
    EXPECT_NE(report.find("not beginning with \\ (backslash)"), std::string::npos);  // C:\x.txt again

    // Characters no folder may hold, colons and "." / ".." names are refused too.
    for (const char* line : {"C:\\a*b", "C:\\a:b", "C:\\a\\..\\b", "C:\\.\\b"}) {
        report.clear();
        EXPECT_TRUE(CheckImportedPaths({line}, true, report)) << line;
        EXPECT_EQ(report.find("You can only"), std::string::npos) << line;
    }
    report.clear();
    EXPECT_TRUE(CheckImportedPaths({"\\a\\..\\..\\etc"}, false, report));
}

// A folder list holds each entry once: names count byte for byte, the drive
// letter is no name; the lists of marks ignore case.
TEST(ListPresence, FolderLinesAreOneOnlyWhenTheyNameOneEntry) {
    ListPresence presence(StringList{"C:\\Data", "C:\\\xC3\x84"});
    EXPECT_TRUE(presence.Holds("c:\\Data"));
    for (const char* other : {"c:\\data", "C:\\DATA", "C:\\Data.", "C:\\Data ", "C:\\Data2", "c:\\\xC3\xA4"})
        EXPECT_FALSE(presence.Holds(other)) << other;
    EXPECT_TRUE(ListPresence(StringList{"Ab"}, ListPresence::Lines::IgnoringCase).Holds("aB"));

    StringList include{"C:\\A"};
    const StringList exclude{"C:\\X"};
    const std::size_t added = AppendNewLines(include, exclude, {"c:\\A", "C:\\B", "c:\\b", "c:\\X", "", "C:\\b"},
                                             [](std::string& line) { return !line.empty(); });
    EXPECT_EQ(added, 2u);
    EXPECT_EQ(include, (StringList{"C:\\A", "C:\\B", "c:\\b"}));
}
