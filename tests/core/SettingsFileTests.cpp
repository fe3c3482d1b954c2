#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "platform/MessageBox.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"

namespace {

constexpr std::size_t kRec = 5320;

void PutLe(std::string& rec, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) rec[at + i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
}

std::int32_t GetLe(const std::string& bytes, std::size_t at) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

// A record as the format defines it; the keyword is given as it stands in
// its 10-byte field.
std::string Rec(int id, const std::string& keyword, const std::string& value = "", int number = 0) {
    std::string rec(kRec, '\0');
    PutLe(rec, 0, id);
    rec.replace(4, keyword.size(), keyword);
    rec.replace(14, value.size(), value);
    PutLe(rec, 5276, number);
    return rec;
}

std::string TemplateRec(int index, std::string flags, const std::string& term) {
    std::string rec = Rec(125, "IEMPLATE");
    rec.replace(274, term.size(), term);
    PutLe(rec, 5308, index);
    rec.replace(5312, 4, flags);
    return rec;
}

std::string ValueOf(const std::string& file, int id) {
    for (std::size_t at = 0; at + kRec <= file.size(); at += kRec)
        if (GetLe(file, at) == id) return std::string(file.c_str() + at + 14);
    return "<none>";
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettingsToInitialValues();
        drive.MakeFolder("prog");
        SetValuesOfEveryStart(drive.path("prog"));
    }
    bool SaveTo(const std::string& name) { return SaveClass(name).Save(); }
    void ReadFrom(const std::string& name) {
        RestoreClass restore(name);
        restore.ClearLists();
        restore.Restore();
    }

    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;
};

TEST_F(SettingsFileTest, FirstStartFileLayout) {
    EXPECT_EQ(SettingsFileName("  T:\\x.set "), "T:\\x.set");
    EXPECT_EQ(SettingsFileName(""), "T:\\prog\\default.set");
    FillFirstStartDefaults();
    ASSERT_TRUE(SaveTo(""));
    EXPECT_TRUE(boxes.shown().empty());
    const std::string file = drive.ReadFile("prog\\default.set");

    // 116 single records, 427 list items, 5 templates and the end record.
    ASSERT_EQ(file.size(), 549 * kRec);
    std::vector<int> ids;
    std::map<int, int> count;
    for (std::size_t at = 0; at < file.size(); at += kRec) {
        ids.push_back(GetLe(file, at));
        ++count[ids.back()];
    }
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(count[4], 17);
    EXPECT_EQ(count[6], 17);
    EXPECT_EQ(count[10], 1);
    EXPECT_EQ(count[17], 172);
    EXPECT_EQ(count[18], 5);
    EXPECT_EQ(count[19], 215);
    EXPECT_EQ(count[125], 5);
    EXPECT_EQ(count.count(11) + count.count(128) + count.count(0) + count.count(30), 0u);
    EXPECT_EQ(ids.back(), 900);

    auto record = [&](int id) {
        const auto it = std::find(ids.begin(), ids.end(), id);
        return file.substr((it - ids.begin()) * kRec, kRec);
    };
    EXPECT_EQ(record(1), Rec(1, "APPNAME", "Quillmere"));
    // Ten-character keywords fill their field without a terminator.
    EXPECT_EQ(record(2), Rec(2, "DEFDIRECTR", "T:\\prog"));
    EXPECT_EQ(record(2).substr(4, 11), "DEFDIRECTRT");
    EXPECT_EQ(record(7), Rec(7, "FMNAMESRDO", "", 1));
    EXPECT_EQ(record(10), Rec(10, "FMDEQINC", "*.*"));
    EXPECT_EQ(record(16), Rec(16, "FMONEFILE"));
    EXPECT_EQ(record(33), Rec(33, "VOL0203", "", 1));
    EXPECT_EQ(record(125), TemplateRec(1, std::string("\1\0\0\0", 4), ""));
    EXPECT_EQ(record(900), Rec(900, "VEGVEGEVE"));

    // Nothing but the fields a record's kind uses is ever non-zero.
    for (std::size_t at = 0; at < file.size(); at += kRec) {
        const std::string r = file.substr(at, kRec);
        const bool tmpl = GetLe(r, 0) == 125;
        auto zeroFrom = [&](std::size_t from, std::size_t to) {
            return std::all_of(r.begin() + from, r.begin() + to, [](char c) { return c == 0; });
        };
        EXPECT_TRUE(zeroFrom(4 + strnlen(r.c_str() + 4, 10), 14)) << at;
        EXPECT_TRUE(zeroFrom(14 + strnlen(r.c_str() + 14, 260), 274)) << at;
        EXPECT_TRUE(zeroFrom(274 + strnlen(r.c_str() + 274, 5002), 5276)) << at;
        EXPECT_TRUE(zeroFrom(5280, 5308) && zeroFrom(5316, kRec)) << at;
        if (!tmpl) {
            EXPECT_TRUE(zeroFrom(274, 5276) && zeroFrom(5308, 5316)) << at;
        }
    }
}

TEST_F(SettingsFileTest, WriteReadWriteIsByteIdentical) {
    FillFirstStartDefaults();
    SetAppName("");
    SetVol02Prefix(" pre ");
    SetFileSelOneType("txt");
    SetFileSelOneTypeIndex(3);
    SetVol07ReadOnlyFolders(-7);
    AddToVol02IncludeStrings("Ärger");
    AddToVol15AddFolderStructure("");
    SetFolderTemplateOptions(2, {0, 1, "Proj", 0, 0});
    SetFolderTemplateOptions(12, {2, 0, "", 0, 1});
    ASSERT_TRUE(SaveTo(""));

    ResetSettingsToInitialValues();
    ReadFrom(drive.path("prog\\default.set"));
    ASSERT_TRUE(SaveTo(drive.path("prog\\again.set")));
    EXPECT_EQ(drive.ReadFile("prog\\again.set"), drive.ReadFile("prog\\default.set"));

    EXPECT_EQ(GetAppName(), " ");
    EXPECT_EQ(GetProgramFolder(), "T:\\prog");
    EXPECT_EQ(GetVol02Prefix(), " pre ");
    EXPECT_EQ(GetFileSelOneType(), "txt");
    EXPECT_EQ(GetFileSelOneTypeIndex(), 3);
    EXPECT_EQ(GetVol07ReadOnlyFolders(), -7);
    EXPECT_EQ(GetVol02IncludeStrings(), StringList{"Ärger"});
    EXPECT_EQ(GetVol15AddFolderStructure(), StringList{""});
    EXPECT_EQ(GetFileSelFallbackTypes().size(), 215u);
    std::string term;
    EXPECT_EQ(GetFolderTemplateMode(2, term), 2);
    EXPECT_EQ(term, "Proj");
    EXPECT_EQ(GetFolderTemplateOptions(12).ReplaceNo, 2);
    EXPECT_EQ(CopyFolderTemplateOptionsMap().size(), 6u);
}

TEST_F(SettingsFileTest, EmptyAndBlankTexts) {
    SetAppName("");
    SetSelectedDelimiter("");
    SetSelectedQuotationMark("");
    SetFileSelNamesText("  ");
    SetFileSelIncludeTermsText(" \t ");
    SetFileSelExcludeTermsText(" x ");
    SetVol02DestFolder("   ");
    SetVol03DestFolder("D:\\A ");
    SetVol04Prefix("  ");
    ASSERT_TRUE(SaveTo(""));
    const std::string file = drive.ReadFile("prog\\default.set");
    EXPECT_EQ(ValueOf(file, 1), " ");
    EXPECT_EQ(ValueOf(file, 3), " ");
    EXPECT_EQ(ValueOf(file, 5), " ");
    EXPECT_EQ(ValueOf(file, 9), " ");
    EXPECT_EQ(ValueOf(file, 21), " ");
    EXPECT_EQ(ValueOf(file, 25), " x ");
    EXPECT_EQ(ValueOf(file, 152), " ");
    EXPECT_EQ(ValueOf(file, 153), "D:\\A ");
    EXPECT_EQ(ValueOf(file, 38), "");  // other texts as they are
    EXPECT_EQ(ValueOf(file, 48), "  ");

    ReadFrom("");
    EXPECT_EQ(GetAppName(), " ");
    EXPECT_EQ(GetSelectedDelimiter(), " ");
    EXPECT_EQ(GetFileSelNamesText(), " ");
    EXPECT_EQ(GetFileSelIncludeTermsText(), "");  // ids 21 and 25 are trimmed
    EXPECT_EQ(GetFileSelExcludeTermsText(), "x");
    EXPECT_EQ(GetVol02DestFolder(), " ");
    EXPECT_EQ(GetVol03DestFolder(), "D:\\A ");
    EXPECT_EQ(GetVol04Prefix(), "  ");
}

TEST_F(SettingsFileTest, DamagedFilesReadAsFarAsWholeRecords) {
    std::string unterminated = Rec(129, "VOL02", std::string(260, 'A'));
    unterminated.replace(274, kRec - 274, kRec - 274, 'B');
    const std::string file = Rec(-5, "X", "junk", 1) + Rec(0, "", "z", 2) + Rec(30, "", "z", 3) +
                             Rec(200, "", "z", 4) + Rec(128, "VOL02", "first") + Rec(900, "VEGVEGEVE") +
                             Rec(7, "FMNAMESRDO", "", 42) + unterminated +
                             TemplateRec(6, std::string("\0\1\0\0", 4), std::string(5002, 'C')) +
                             Rec(38, "VOL0208", "cut").substr(0, 100);
    drive.WriteFile("prog\\bad.set", file);
    EXPECT_FALSE(IsSettingsFile(drive.path("prog\\bad.set")));  // not whole records
    ReadFrom(drive.path("prog\\bad.set"));
    EXPECT_EQ(GetFileSelNamesMode(), 42);  // behind the end record, still applied
    EXPECT_EQ(GetVol02IncludeStrings(), StringList{"first"});
    // A field without its zero reads only as far as the writer writes.
    EXPECT_EQ(GetVol02ExcludeStrings(), StringList{std::string(259, 'A')});
    EXPECT_EQ(GetFolderTemplateOptions(6).SearchTerm, std::string(5001, 'C'));
    EXPECT_EQ(GetVol02Prefix(), "");  // the partial record is dropped

    // Empty, one byte short, and garbage.
    drive.WriteFile("prog\\empty.set", "");
    drive.WriteFile("prog\\short.set", Rec(7, "FMNAMESRDO", "", 9).substr(0, kRec - 1));
    std::string garbage(20 * kRec + 77, '\0');
    std::uint32_t seed = 12345;
    for (char& c : garbage) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
    drive.WriteFile("prog\\garbage.set", garbage);
    for (const char* name : {"prog\\empty.set", "prog\\short.set", "prog\\garbage.set", "prog\\none.set"}) {
        EXPECT_FALSE(IsSettingsFile(drive.path(name))) << name;
        ReadFrom(drive.path(name));
    }
    EXPECT_EQ(GetFileSelNamesMode(), 42);

    // Whole records with an end record anywhere make a settings file; the
    // check leaves the reader at the start.
    drive.WriteFile("prog\\ok.set", Rec(900, "VEGVEGEVE") + Rec(7, "FMNAMESRDO", "", 5));
    drive.WriteFile("prog\\noend.set", Rec(7, "FMNAMESRDO", "", 6));
    EXPECT_FALSE(IsSettingsFile(drive.path("prog\\noend.set")));
    RestoreClass restore(drive.path("prog\\ok.set"));
    ASSERT_TRUE(restore.IsSettingsFile());
    restore.Restore();
    EXPECT_EQ(GetFileSelNamesMode(), 5);
}

// A field that runs to its end without a zero is cut where the writer would
// put its zero, never inside a character, and so is saved again unchanged.
TEST_F(SettingsFileTest, UnterminatedFieldsReadAsTextsTheWriterKeeps) {
    const std::string e = "\xC3\xA9";     // é
    const std::string euro = "\xE2\x82\xAC";  // €
    const std::string value = std::string(258, 'v') + e;  // é across the writer's last byte
    const std::string term = std::string(4999, 't') + euro;  // € across it
    const std::string whole = std::string(257, 'w') + e + "x";
    const std::string search = TemplateRec(4, std::string("\0\1\0\0", 4), term);
    drive.WriteFile("prog\\old.set", Rec(128, "VOL02", value) + Rec(128, "VOL02", whole) +
                                         Rec(38, "VOL0208", std::string(259, 'p') + "\xE2") + search +
                                         Rec(900, "VEGVEGEVE"));
    ReadFrom(drive.path("prog\\old.set"));
    EXPECT_EQ(GetVol02IncludeStrings(), (StringList{std::string(258, 'v'), std::string(257, 'w') + e}));
    EXPECT_EQ(GetVol02Prefix(), std::string(259, 'p'));
    EXPECT_EQ(GetFolderTemplateOptions(4).SearchTerm, std::string(4999, 't'));

    ASSERT_TRUE(SaveTo(drive.path("prog\\again.set")));
    EXPECT_TRUE(boxes.shown().empty());  // nothing too long to keep
    ResetSettingsToInitialValues();
    ReadFrom(drive.path("prog\\again.set"));
    EXPECT_EQ(GetVol02IncludeStrings(), (StringList{std::string(258, 'v'), std::string(257, 'w') + e}));
    EXPECT_EQ(GetFolderTemplateOptions(4).SearchTerm, std::string(4999, 't'));
}

// Delimiters and quotation marks cut texts: one that is not whole UTF-8
// characters is refused on reading, and the setting keeps what it holds.
TEST_F(SettingsFileTest, DelimitersOfBrokenCharactersAreRefused) {
    SetSelectedDelimiter(";");
    SetSelectedQuotationMark("'");
    drive.WriteFile("prog\\marks.set", Rec(3, "SELSEDELIM", "\xCE") + Rec(4, "DELIMLIST", "\xCE") +
                                          Rec(4, "DELIMLIST", ",") + Rec(4, "DELIMLIST", "\xE2\x82") +
                                          Rec(4, "DELIMLIST", "\xAD") + Rec(4, "DELIMLIST", "\xE2\x82\xAC|") +
                                          Rec(5, "SELSEQUOT", "\"\xC3") + Rec(6, "QUOTLIST", "\xC0\x80") +
                                          Rec(6, "QUOTLIST", "\xC2\xAB") + Rec(900, "VEGVEGEVE"));
    ReadFrom(drive.path("prog\\marks.set"));
    EXPECT_EQ(GetDelimList(), (StringList{",", "\xE2\x82\xAC|"}));
    EXPECT_EQ(GetQuotList(), StringList{"\xC2\xAB"});
    EXPECT_EQ(GetSelectedDelimiter(), ";");
    EXPECT_EQ(GetSelectedQuotationMark(), "'");
}

TEST_F(SettingsFileTest, ProfileWithoutListsEmptiesListsOnly) {
    FillFirstStartDefaults();
    SetVol02Prefix("keep");
    drive.WriteFile("prog\\numbers.set", Rec(7, "FMNAMESRDO", "", 5) + Rec(900, "VEGVEGEVE"));
    ReadFrom(drive.path("prog\\numbers.set"));
    EXPECT_TRUE(GetDelimList().empty());
    EXPECT_TRUE(GetFileSelIncludeTypeList().empty());
    EXPECT_TRUE(CopyFolderTemplateOptionsMap().empty());
    EXPECT_EQ(GetVol02Prefix(), "keep");
    EXPECT_EQ(GetFileSelNamesMode(), 5);
}

const char* const kFailText =
    "Unable to open output file to save settings !\n\nAction: Try to save again the settings, or "
    "\n\nimmediately e-mail us, please!";
const char* const kFailCaption = "Severe Error!    Msg no: 0130.";

TEST_F(SettingsFileTest, FailedSaveKeepsTheOldFileAndSaysSo) {
    {
        SaveClass save(drive.path("missing\\x.set"));
        EXPECT_FALSE(save.IsOpen());
        EXPECT_FALSE(save.Save());
    }
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, kFailText);
    EXPECT_EQ(boxes.shown()[0].caption, kFailCaption);
    EXPECT_EQ(boxes.shown()[0].flags, plat::MB_OK | plat::MB_ICONERROR);
    EXPECT_FALSE(drive.Exists("missing"));

    // The rename at the end fails: a folder stands under the name.
    boxes.Clear();
    drive.WriteFile("prog\\taken.set\\keep.txt", "k");
    EXPECT_FALSE(SaveTo(drive.path("prog\\taken.set")));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, kFailCaption);
    EXPECT_EQ(drive.ReadFile("prog\\taken.set\\keep.txt"), "k");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.nativePath("prog")),
                            std::filesystem::directory_iterator()),
              1);

    // A good save replaces an old file whole.
    boxes.Clear();
    drive.WriteFile("prog\\default.set", "old");
    EXPECT_TRUE(SaveTo(""));
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(IsSettingsFile(""));
}

// Root writes into read-only folders: an ordinary user is needed.
TEST_F(SettingsFileTest, ReadOnlyFolderKeepsTheOldFile) {
    drive.WriteFile("locked\\p.set", "old");
    std::filesystem::permissions(drive.nativePath("locked"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("locked"));
    const int code = testsupport::RunAsNobody([&] {
        if (SaveTo(drive.path("locked\\p.set"))) return 1;
        if (boxes.shown().size() != 1 || boxes.shown()[0].caption != kFailCaption) return 2;
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(drive.ReadFile("locked\\p.set"), "old");
}

TEST_F(SettingsFileTest, OverLongTextsAreLeftOutAndReportedOnce) {
    SetVol02Prefix(std::string(300, 'p'));
    SetVol02IncludeStrings({"a", std::string(260, 'x'), std::string(259, 'y'), "b", std::string(400, 'z')});
    SetFolderTemplateOptions(2, {0, 1, std::string(5002, 't'), 0, 0});
    SetFolderTemplateOptions(3, {0, 1, std::string(5001, 's'), 0, 0});
    ASSERT_TRUE(SaveTo(""));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Save Settings.            Warning no: 0131.");
    EXPECT_EQ(boxes.shown()[0].flags, plat::MB_OK | plat::MB_ICONWARNING);
    EXPECT_NE(boxes.shown()[0].text.find("Texts left out : 4\n"), std::string::npos);
    EXPECT_NE(boxes.shown()[0].text.find(std::string(120, 'p') + "..."), std::string::npos);

    ResetSettingsToInitialValues();
    SetVol02Prefix("old");
    ReadFrom(drive.path("prog\\default.set"));
    EXPECT_EQ(GetVol02Prefix(), "old");
    EXPECT_EQ(GetVol02IncludeStrings(), (StringList{"a", std::string(259, 'y'), "b"}));
    EXPECT_EQ(CopyFolderTemplateOptionsMap().count(2), 0u);
    EXPECT_EQ(GetFolderTemplateOptions(3).SearchTerm, std::string(5001, 's'));
}

}  // namespace
