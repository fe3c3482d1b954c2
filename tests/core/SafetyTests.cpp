// Odd input for the readers and splitters, and undo on a case-sensitive file
// system. The random loops are bounded and seeded: the same inputs every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/ImportClass.h"
#include "core/LineSplit.h"
#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "core/Validation.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"

namespace {

// Short texts over the characters that steer the parsers.
std::string RandomText(std::mt19937& rng, std::size_t maxLength, const std::string& alphabet) {
    std::string text(rng() % (maxLength + 1), ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    return text;
}

const std::string kLineAlphabet = std::string("ab ;,\t\"'\\:.\r", 12) + std::string("\0\xC3\x80\xFF\xE2", 5);

}  // namespace

TEST(FuzzSafety, LineSplittersAndQuotesHoldTheirShape) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 3000; ++round) {
        const std::string line = RandomText(rng, 40, kLineAlphabet);
        const std::string separator = RandomText(rng, 2, ";, \"");

        for (const auto& item : SplitAtWhiteSpace(line)) {
            EXPECT_FALSE(item.empty());
            EXPECT_EQ(item.find_first_of(" \t\r\n\v\f"), std::string::npos);
        }
        if (!separator.empty()) {
            for (const auto& item : SplitAtSeparators(line, separator))
                EXPECT_EQ(item.find(separator), std::string::npos) << line;
        }

        std::deque<int> positions;
        FindAllPositions(line, "\"", positions);
        SplitQuotedItems(line, "\"", positions);
        // Positions from elsewhere may be stale: out of range or unsorted.
        std::deque<int> stale{static_cast<int>(rng() % 60) - 10, static_cast<int>(rng() % 60) - 10};
        SplitQuotedItems(line, separator, stale);
        stale = {static_cast<int>(rng() % 60) - 10};
        SplitLineQuotedImport(line, separator, stale);

        StringList parts;
        int marks = 0;
        if (!SplitImportLine(line, separator.empty() ? std::string(" ") : separator, rng() % 2 == 0, parts, marks)) {
            EXPECT_TRUE(parts.empty());
        }

        const char mark = "\"'"[rng() % 2];
        EXPECT_EQ(DequoteText(QuoteText(line, mark), mark), line);
        const std::string repaired = RepairUtf8(line);
        EXPECT_EQ(RepairUtf8(repaired), repaired);  // valid UTF-8 stays as it is
    }
}

TEST(FuzzSafety, ImportReaderTakesAnyBytes) {
    std::mt19937 rng(7);
    for (int round = 0; round < 1000; ++round) {
        std::istringstream in(RandomText(rng, 200, kLineAlphabet + "\n\n"));
        ImportLineReader reader(in);
        std::string line;
        int lines = 0;
        while (reader.Next(line)) {
            EXPECT_EQ(RepairUtf8(line), line);
            EXPECT_EQ(line.find('\n'), std::string::npos);
            ASSERT_LT(++lines, 300);  // every line advances
        }
    }
}

// Any spelling that lands on a drive's root is one the checks call a root.
TEST(FuzzSafety, EveryWayToADriveRootIsCalledARoot) {
    testsupport::TempDrive drive('T');
    std::mt19937 rng(11);
    std::string native, message;
    for (int round = 0; round < 5000; ++round) {
        const std::string path = "T:" + RandomText(rng, 10, std::string("a.. \\\\//\t", 9));
        if (!plat::ToNative(path, native)) continue;
        EXPECT_EQ(native.find("/./"), std::string::npos) << path;
        EXPECT_EQ(native.find("/../"), std::string::npos) << path;
        if (native == drive.native()) {
            EXPECT_TRUE(IsDriveRootPath(path)) << path;
            EXPECT_FALSE(ValidateFolderName(path, message, true)) << path;
        }
    }
}

TEST(FuzzSafety, SettingsReaderTakesAnyFile) {
    testsupport::TempDrive drive('T');
    plat::MessageBoxScript boxes;
    const SettingsSnapshot saved = TakeSettingsSnapshot();
    std::mt19937 rng(3);
    const std::string name = drive.path("fuzz.set");
    for (int round = 0; round < 150; ++round) {
        // Whole records of random bytes with ids the reader knows, sometimes
        // cut short; the end record now and then.
        const std::size_t records = 1 + rng() % 3;
        std::string bytes(records * kSettingsRecordSize, '\0');
        for (char& c : bytes) {
            const auto r = rng();
            c = static_cast<char>((r & 3) == 0 ? r >> 8 : ((r & 4) ? 'x' : 0));
        }
        for (std::size_t r = 0; r < records; ++r) {
            const int id = rng() % 8 == 0 ? kSettingsEndRecordId : static_cast<int>(rng() % 160);
            for (int i = 0; i < 4; ++i) bytes[r * kSettingsRecordSize + i] = static_cast<char>((id >> (8 * i)) & 0xFF);
        }
        if (rng() % 4 == 0) bytes.resize(rng() % bytes.size());
        std::ofstream(drive.nativePath("fuzz.set"), std::ios::binary | std::ios::trunc) << bytes;

        IsSettingsFile(name);
        RestoreClass restore(name);
        restore.IsSettingsFile();
        restore.ClearLists();
        restore.Restore();
        EXPECT_LT(GetAppName().size(), 260u);
        for (const auto& item : GetVol02IncludeStrings()) EXPECT_LT(item.size(), 260u);
    }
    EXPECT_TRUE(boxes.shown().empty());
    RestoreSettingsSnapshot(saved);
}
