#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "core/ExportWriter.h"
#include "core/PathTools.h"
#include "tests/support/TempDrive.h"

TEST(ExportWriter, LineConversions) {
    EXPECT_EQ(ConvertExportSlashes("C:/A//B\\\\C", false), "C:\\A\\B\\C");
    EXPECT_EQ(ConvertExportSlashes("C:\\A\\\\B/C", true), "C:/A/B/C");
    // A server path loses one of its leading backslashes.
    EXPECT_EQ(ConvertExportSlashes("\\\\server\\share", false), "\\server\\share");
    EXPECT_EQ(ConvertExportSlashes("\\\\server\\share", true), "/server/share");

    EXPECT_EQ(CutExportDrive("C:\\Projects\\A"), "\\Projects\\A");
    EXPECT_EQ(CutExportDrive("note:x"), "x");
    EXPECT_EQ(CutExportDrive("plain text"), "plain text");
    EXPECT_EQ(CutExportDrive("a:b:c"), "b:c");

    EXPECT_TRUE(HasExportDrivePart("C:\\Projects\\A"));
    EXPECT_TRUE(HasExportDrivePart("  \tC:\\A"));
    EXPECT_TRUE(HasExportDrivePart("\\\\server\\share"));
    EXPECT_TRUE(HasExportDrivePart("C:\\A,D:\\B"));
    EXPECT_FALSE(HasExportDrivePart("Projects\\A"));
    EXPECT_FALSE(HasExportDrivePart("A"));
    EXPECT_FALSE(HasExportDrivePart(""));
    EXPECT_FALSE(HasExportDrivePart("\\single"));
    EXPECT_FALSE(HasExportDrivePart("Copy  Source: C:\\A To Dest: D:\\A"));

    EXPECT_TRUE(IsExportListKind(" folders "));
    EXPECT_TRUE(IsExportListKind("RenamedFiles"));
    EXPECT_FALSE(IsExportListKind("FILES"));
    EXPECT_TRUE(IsStringsListKind("strings\t"));
    EXPECT_FALSE(IsStringsListKind("FOLDERS"));

    EXPECT_EQ(ExportDelimiterFromText(" space "), " ");
    EXPECT_EQ(ExportDelimiterFromText("SPACE"), "SPACE");
    EXPECT_EQ(ExportDelimiterFromText("\t;; "), ";;");
    EXPECT_EQ(ExportDelimiterFromText("   "), "");
    EXPECT_EQ(BuiltInExportDelimiters().size(), 17u);
    EXPECT_EQ(BuiltInExportDelimiters()[1], "space");
}

TEST(ExportWriter, PreviewDropsLinesEqualAfterConversion) {
    // Names count byte for byte ("Projects" and "projects" are two folders);
    // the drive letter is no name.
    const StringList buffer{"C:\\A", "c:\\A", "D:\\A", "a/b", "a\\b", "C:\\Projects\\X", "c:\\projects\\x", "E:\\Ä", "e:\\ä"};
    EXPECT_EQ(BuildExportPreview(buffer, false, false),
              (std::vector<std::string>{"C:\\A", "D:\\A", "a\\b", "C:\\Projects\\X", "c:\\projects\\x", "E:\\Ä", "e:\\ä"}));
    EXPECT_EQ(BuildExportPreview(buffer, true, false),
              (std::vector<std::string>{"\\A", "a\\b", "\\Projects\\X", "\\projects\\x", "\\Ä", "\\ä"}));
    EXPECT_EQ(BuildExportPreview(buffer, true, true),
              (std::vector<std::string>{"/A", "a/b", "/Projects/X", "/projects/x", "/Ä", "/ä"}));
    EXPECT_TRUE(BuildExportPreview(StringList{}, false, false).empty());
}

// The preview of a block of lines looks at every byte once: slashes to
// convert and runs of them wherever they fall in a line, lines ending and
// beginning with a slash one behind the other, and the bytes the folder-name
// check reports (a "/" is none: the check turns it into "\\").
TEST(ExportWriter, PreviewOfABlockFindsWhatToConvertAndToCheck) {
    const auto preview = [](const StringList& lines, bool withoutDrive, bool forward, bool distinct) {
        LineStore store;
        for (const auto& line : lines) store.Append(line);
        ExportPreview built = BuildExportPreview(store, withoutDrive, forward, distinct);
        StringList out;
        for (std::size_t i = 0; i < built.lines.Size(); ++i) out.emplace_back(built.lines[i]);
        return std::pair{out, built.mayFailSyntaxCheck};
    };
    for (std::size_t k = 0; k < 40; ++k) {
        const std::string pad(k, 'p');
        EXPECT_EQ(preview({"C:" + pad + "\\\\x", "C:" + pad + "/y"}, false, false, true),
                  std::pair(StringList{"C:" + pad + "\\x", "C:" + pad + "\\y"}, false))
            << k;
        EXPECT_EQ(preview({"C:" + pad + "//x", "C:\\" + pad}, false, true, true),
                  std::pair(StringList{"C:" + pad + "/x", "C:/" + pad}, false))
            << k;
        for (const char c : std::string("\"*|<>?")) {
            const std::string line = "C:\\" + pad + c;
            EXPECT_TRUE(preview({"C:\\A", line}, false, false, true).second) << k << c;
            EXPECT_TRUE(preview({"C:\\A", line}, true, true, false).second) << k << c;
        }
    }
    // One line ends with the slash that begins the next: each stays as it
    // is; a server path loses a backslash.
    EXPECT_EQ(preview({"C:\\A\\", "\\B", "C:\\B"}, false, false, true),
              std::pair(StringList{"C:\\A\\", "\\B", "C:\\B"}, false));
    EXPECT_EQ(preview({"C:\\A\\", "\\\\server\\s"}, false, false, true),
              std::pair(StringList{"C:\\A\\", "\\server\\s"}, false));
    // Lines not known to be distinct are compared; known ones that the
    // conversion leaves alone are the preview as they are.
    EXPECT_EQ(preview({"C:\\A", "c:\\A", "c:\\a", "C:\\B"}, false, false, false).first,
              (StringList{"C:\\A", "c:\\a", "C:\\B"}));
    EXPECT_EQ(preview({"C:\\A", "C:\\B"}, false, false, true).first, (StringList{"C:\\A", "C:\\B"}));
    EXPECT_EQ(preview({"C:\\A", "D:\\A"}, true, false, true).first, StringList{"\\A"});
    EXPECT_FALSE(preview({"C:/A", "D:/B"}, false, false, true).second);
}

TEST(ExportWriter, FileBytesForEveryLayout) {
    const std::vector<std::string> lines{"C:\\A", "C:\\B"};
    ExportFormat plain;
    EXPECT_EQ(BuildExportText(lines, plain), "C:\\A\r\nC:\\B\r\n");
    ExportFormat quotedPlain{false, ";", true};
    EXPECT_EQ(BuildExportText(lines, quotedPlain), "\"C:\\A\"\r\n\"C:\\B\"\r\n");
    ExportFormat quotedSemicolon{true, ";", true};
    const std::string csv = BuildExportText(lines, quotedSemicolon);
    EXPECT_EQ(csv, "\"C:\\A\";\"C:\\B\";");
    EXPECT_EQ(csv.size(), 14u);
    EXPECT_EQ(BuildExportText(lines, ExportFormat{true, "", false}), "C:\\AC:\\B");
    EXPECT_EQ(BuildExportText(lines, ExportFormat{true, ExportDelimiterFromText("space"), false}), "C:\\A C:\\B ");
    EXPECT_EQ(BuildExportText(lines, ExportFormat{true, "<>", false}), "C:\\A<>C:\\B<>");
    EXPECT_EQ(BuildExportText({}, plain), "");
}

TEST(ExportWriter, WritesWholeFileOrKeepsTheOld) {
    testsupport::TempDrive drive('T');
    drive.WriteFile("old.txt", "previous content");

    std::size_t lastProgress = 0;
    const std::vector<std::string> lines{"C:/Jobs//Ä", "\\\\srv\\x"};
    ASSERT_TRUE(
        WriteExportFile(drive.path("out.txt"), lines, ExportFormat{}, false, [&](std::size_t n) { lastProgress = n; }));
    EXPECT_EQ(drive.ReadFile("out.txt"), "C:\\Jobs\\Ä\r\n\\srv\\x\r\n");
    LineStore swapped;
    swapped.Append("C:\\J\\Ä");
    ASSERT_TRUE(WriteExportPreview(drive.path("swapped.txt"), swapped, ExportFormat{true, ";", true}, {}, '\\', '/'));
    EXPECT_EQ(drive.ReadFile("swapped.txt"), "\"C:/J/Ä\";");
    // A delimiter that holds the swapped slash keeps it.
    ASSERT_TRUE(WriteExportPreview(drive.path("kept.txt"), swapped, ExportFormat{true, "\\", false}, {}, '\\', '/'));
    EXPECT_EQ(drive.ReadFile("kept.txt"), "C:/J/Ä\\");
    EXPECT_EQ(lastProgress, 2u);

    ASSERT_TRUE(WriteExportFile(drive.path("old.txt"), {"C:\\A"}, ExportFormat{true, ",", true}, true));
    EXPECT_EQ(drive.ReadFile("old.txt"), "\"C:/A\",");

    ASSERT_TRUE(WriteExportFile(drive.path("empty.txt"), std::vector<std::string>{}, ExportFormat{}, false));
    EXPECT_TRUE(drive.Exists("empty.txt"));
    EXPECT_EQ(drive.ReadFile("empty.txt"), "");

    // A folder in the way, a missing folder or an unmapped drive: nothing
    // is written and nothing is left behind.
    drive.MakeFolder("taken");
    EXPECT_FALSE(WriteExportFile(drive.path("taken"), lines, ExportFormat{}, false));
    EXPECT_FALSE(WriteExportFile(drive.path("missing\\out.txt"), lines, ExportFormat{}, false));
    EXPECT_FALSE(WriteExportFile("Q:\\out.txt", lines, ExportFormat{}, false));

    // A folder that cannot be written keeps its file as it was.
    drive.MakeFolder("locked");
    drive.WriteFile("locked\\keep.txt", "keep");
    chmod(drive.nativePath("locked").c_str(), 0555);
    if (access(drive.nativePath("locked").c_str(), W_OK) != 0) {  // not when running as root
        EXPECT_FALSE(WriteExportFile(drive.path("locked\\keep.txt"), lines, ExportFormat{}, false));
        EXPECT_EQ(drive.ReadFile("locked\\keep.txt"), "keep");
    }
    chmod(drive.nativePath("locked").c_str(), 0755);
}

// Lines known to be distinct whose conversion only swaps slashes, or whose
// drives are all one, are not looked up: their preview must hold the very
// lines, in the same order, that comparing every line gives, for every
// layout, with case variants, mixed and repeated slashes, several drives,
// server paths, colons further in and non-ASCII text.
TEST(ExportWriter, PreviewWithoutLookupsMatchesTheComparingOne) {
    const std::vector<std::string> parts{"C:",  "c:",  "D:",   "\\\\srv", "\\",  "/",     "\\\\", "//",
                                         "Ab",  "aB",  "Ä",    "ä",       "x:y", "Jobs",  "é",    " "};
    unsigned seed = 7;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    for (int trial = 0; trial < 300; ++trial) {
        // Lines of one drive or several; slashes of one kind or both.
        const bool oneDrive = trial % 2 == 0, oneSlash = trial % 3 != 0;
        StringList lines;
        std::vector<std::string> keys;
        for (int n = 0; n < 12; ++n) {
            std::string line = oneDrive ? (n % 2 ? "C:" : "c:") : parts[next() % 4];
            for (unsigned k = 0, count = 1 + next() % 5; k < count; ++k) {
                std::string part = parts[4 + next() % (parts.size() - 4)];
                if (oneSlash && (part == "/" || part == "//" || part == "\\\\" || part == "\\"))
                    part = line.back() == '\\' ? "q" : "\\";
                line += part;
            }
            std::string key = FolderLineKey(line);
            if (std::find(keys.begin(), keys.end(), key) != keys.end()) continue;
            keys.push_back(key);
            lines.push_back(line);
        }
        LineStore store;
        ExportTextFacts facts;
        for (const auto& line : lines) {
            store.Append(line);
            facts.Scan(line);
            facts.NoteDrive(line);
        }
        for (const bool withoutDrive : {false, true})
            for (const bool forward : {false, true})
                for (const bool swapWhenShown : {false, true}) {
                    const ExportPreview built =
                        BuildExportPreview(store, withoutDrive, forward, true, facts, swapWhenShown);
                    const LineStore shown = built.Shown();
                    std::vector<std::string> got;
                    for (std::size_t i = 0; i < shown.Size(); ++i) got.emplace_back(shown[i]);
                    EXPECT_EQ(got, BuildExportPreview(lines, withoutDrive, forward))
                        << trial << " " << withoutDrive << forward << swapWhenShown << " " << lines.front();
                    EXPECT_TRUE(swapWhenShown || built.swapFrom == 0);
                }
    }
}
