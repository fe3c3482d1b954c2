#include <gtest/gtest.h>

#include <filesystem>
#include <locale>

#include "core/FileNames.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"

TEST(FileNames, ExtensionsAndMasks) {
    std::string ext;
    EXPECT_FALSE(GetFileExtension("C:\\a.b\\file", ext));
    EXPECT_EQ(ext, "noext");
    EXPECT_TRUE(GetFileExtension("C:/dir/file.txt", ext));
    EXPECT_EQ(ext, "txt");
    EXPECT_TRUE(GetFileExtensionAnsi("file.", ext));
    EXPECT_EQ(ext, "");
    EXPECT_FALSE(GetFileExtension("C:\\a.b/file", ext));

    std::string base;
    EXPECT_FALSE(StripFileExtension("C:\\a.b\\file", base));
    EXPECT_EQ(base, "C:\\a.b\\file");
    EXPECT_TRUE(StripFileExtension("C:\\dir\\file.tar.gz", base));
    EXPECT_EQ(base, "C:\\dir\\file.tar");

    EXPECT_FALSE(MatchFileMask("*.doc", "a.DOC"));
    EXPECT_TRUE(MatchFileMask("*.?oc", "a.doc"));
    EXPECT_TRUE(MatchFileMask("x.t?t", "y.txt"));
    EXPECT_FALSE(MatchFileMask("*.*", "README"));
    EXPECT_TRUE(MatchFileMask("*.*", "C:\\dir\\a.x"));
    EXPECT_TRUE(MatchFileMask("C:\\in\\abc*.txt", "zzz.txt"));  // the name part is not compared
    EXPECT_TRUE(MatchFileMask("*.t*", "a.t"));
    EXPECT_FALSE(MatchFileMask("*.t*", "a.x"));
    EXPECT_TRUE(MatchFileMask("*", "README"));
    EXPECT_FALSE(MatchFileMask("*", "a.txt"));
    EXPECT_FALSE(MatchFileMask("*.t?t", "a.txtx"));
    // "?" is one character, not one byte.
    EXPECT_TRUE(MatchFileMask("*.t?t", "a.t\u00E9t"));
    EXPECT_TRUE(MatchFileMask("*.?", "a.\u20AC"));
    EXPECT_FALSE(MatchFileMask("*.??", "a.\u00E9"));
    EXPECT_FALSE(MatchFileMask("*.?", "a.\u00E9e"));
}

TEST(FileNames, IncreasedNames) {
    EXPECT_EQ(MakeIncreasedFileName(""), "INC0000001");
    EXPECT_EQ(MakeIncreasedFileName("INC0000001"), "INC0000002");
    EXPECT_EQ(MakeIncreasedFileName("ReportINC0000009"), "ReportINC0000010");
    EXPECT_EQ(MakeIncreasedFileName("ReportINC9999999"), "ReportINC10000000");
    EXPECT_EQ(MakeIncreasedFileName("INCOME"), "INCOMEINC0000001");
    EXPECT_EQ(MakeIncreasedFileName("INC12"), "INC12INC0000001");
    EXPECT_EQ(MakeIncreasedFileName("xINC00000a1"), "xINC00000a1INC0000001");
    // Increased many times at once as one time after the other, past the
    // seventh digit too (the marker then stops being one).
    for (const std::string name : {"", "Report", "ReportINC0000005", "INC12", "xINC9999990", "xINC9999999"}) {
        std::string stepped = name;
        for (std::uint64_t times = 0; times < 25; ++times) {
            EXPECT_EQ(MakeIncreasedFileName(name, times), stepped) << name << " " << times;
            stepped = MakeIncreasedFileName(stepped);
        }
    }
    EXPECT_EQ(MakeIncreasedFileName("Report", 1234567), "ReportINC1234567");

    testsupport::TempDrive drive('T');
    drive.WriteFile("a.txt", "1");
    drive.WriteFile("aINC0000001.txt", "2");
    plat::MessageBoxScript boxes;
    EXPECT_EQ(MakeIncreasedCopyName(drive.path("a.txt")), "T:\\aINC0000002.txt");
    drive.MakeFolder("d\\bINC0000001");  // a folder of that name counts as taken too
    EXPECT_EQ(MakeIncreasedCopyName(drive.path("d/b")), "T:\\d\\bINC0000002");
    EXPECT_TRUE(boxes.shown().empty());

    // Every increased name up to the limit taken: box 0238, last candidate back.
    drive.WriteFile("full\\c.txt", "c");
    for (int n = 1; n <= 30000; ++n)  // links are much cheaper to make than files
        std::filesystem::create_hard_link(drive.nativePath("full\\c.txt"),
                                          drive.nativePath("full\\cINC" + IntToZeroPaddedStr(n, 7) + ".txt"));
    EXPECT_EQ(MakeIncreasedCopyName(drive.path("full\\c.txt")), "T:\\full\\cINC0030000.txt");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              "The Copy Procedure FAIL because the increase number is higher than max. 30000 !");
    EXPECT_EQ(boxes.shown()[0].caption, "Error !    Msg no: 0238.");
    EXPECT_EQ(boxes.shown()[0].flags, plat::MB_ICONERROR | plat::MB_OK);
}

namespace {
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
}  // namespace

TEST(FileNames, NumbersAndSizesIgnoreTheLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    EXPECT_EQ(DoubleToStr(12), "12");
    EXPECT_EQ(DoubleToStr(2.5), "2.5");
    EXPECT_EQ(DoubleToStr(1234567), "1.23457e+06");
    EXPECT_EQ(DoubleToStr(0.00001), "1e-05");
    EXPECT_EQ(FormatByteSize(1073741824), "1.00 GB");
    EXPECT_EQ(FormatByteSize(1023), "1023.00 Bytes");
    EXPECT_EQ(FormatByteSize(1536), "1.50 KB");
    double value = 0;
    std::string unit;
    EXPECT_EQ(FormatByteSize(5u * 1048576u + 262144u, value, unit), "5.25 MB");
    EXPECT_DOUBLE_EQ(value, 5.25);
    EXPECT_EQ(unit, " MB");
    EXPECT_EQ(UInt64ToStr(18446744073709551615ull), "18446744073709551615");
    EXPECT_EQ(NumToStr(1234567), "1234567");
    std::locale::global(previous);

    EXPECT_EQ(PadWithZeros("7", 3), "007");
    EXPECT_EQ(PadWithZeros("1234", 3), "1234");
    EXPECT_EQ(IntToZeroPaddedStr(120, 3), "120");
    EXPECT_EQ(CollectMaskExtensions({" *.TXT", "*.txt\t", "", "  ", "*.Doc"}), (StringList{"*.txt", "*.doc"}));
    EXPECT_EQ(CopyNonEmptyItems({"a", "", "b"}), (StringList{"a", "b"}));
}

TEST(FileNames, DriveFreeBytesReportsFailure) {
    std::string root;
    std::uint64_t bytes = 99;
    {
        testsupport::TempDrive drive('T');
        EXPECT_TRUE(GetDriveFreeBytes(drive.path("not\\yet\\made"), root, bytes));
        EXPECT_EQ(root, "T:\\");
        EXPECT_GT(bytes, 0u);
    }
    EXPECT_FALSE(GetDriveFreeBytes("T:\\x", root, bytes));
    EXPECT_EQ(bytes, 0u);
    EXPECT_EQ(GetDriveFreeBytes("T:\\x", root), 0u);
    EXPECT_FALSE(GetDriveFreeBytes("no drive", root, bytes));
    EXPECT_EQ(root, "");
}
