#include "core/SettingsFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/TemplateOptions.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace {

// ---- record layout -------------------------------------------------------------

constexpr std::size_t kIdAt = 0;
constexpr std::size_t kKeywordAt = 4;
constexpr std::size_t kKeywordSize = 10;
constexpr std::size_t kValueAt = 14;
constexpr std::size_t kValueSize = 260;
constexpr std::size_t kSearchTermAt = 274;
constexpr std::size_t kSearchTermSize = 5002;
constexpr std::size_t kNumberAt = 5276;
constexpr std::size_t kTemplateIndexAt = 5308;
constexpr std::size_t kReplaceNoAt = 5312;
constexpr std::size_t kReplaceRemainderAt = 5313;
constexpr std::size_t kReplaceFirstAt = 5314;
constexpr std::size_t kReplaceAllAt = 5315;

using RecordBuffer = std::array<char, kSettingsRecordSize>;

void PutInt32(RecordBuffer& rec, std::size_t at, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) rec[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t GetInt32(const RecordBuffer& rec, std::size_t at) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(static_cast<unsigned char>(rec[at + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

// A zero-terminated text of at most size - 1 bytes that holds no zero byte
// of its own; anything else would come back as another text.
bool FitsField(const std::string& text, std::size_t size) {
    return text.size() < size && text.find('\0') == std::string::npos;
}

void PutText(RecordBuffer& rec, std::size_t at, const std::string& text) {
    std::memcpy(rec.data() + at, text.data(), text.size());
}

// The length of `text` without a UTF-8 character cut off at its end.
std::size_t WholeCharacters(const char* text, std::size_t length) {
    std::size_t lead = length;
    while (lead > 0 && length - lead < 4 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead == 0) return length;  // no lead byte: not UTF-8, left as it is
    const unsigned char c = static_cast<unsigned char>(text[lead - 1]);
    const std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return length - (lead - 1) < need ? lead - 1 : length;
}

// Up to the first zero byte and no further than the writer goes (size - 1
// bytes and a zero): a field that runs to its end without one is cut there,
// at a character boundary, so that it reads as a text the writer keeps.
std::string GetText(const RecordBuffer& rec, std::size_t at, std::size_t size) {
    const char* p = rec.data() + at;
    std::size_t length = strnlen(p, size - 1);
    if (length == size - 1 && p[size - 1] != '\0') length = WholeCharacters(p, length);
    return std::string(p, length);
}

// ---- the record table, shared by writer and reader --------------------------------

enum class Kind { Number, Text, List, TextAndNumber, Templates };

// How an empty or blank text is written, and whether it is trimmed on reading.
enum class Blank { AsIs, SpaceWhenEmpty, SpaceWhenBlank, SpaceWhenBlankTrimmed };

struct RecordRow {
    int id;
    const char* keyword;
    Kind kind;
    Blank blank = Blank::AsIs;
    int (*getNumber)() = nullptr;
    void (*setNumber)(int) = nullptr;
    std::string (*getText)() = nullptr;
    void (*setText)(const std::string&) = nullptr;
    StringList (*getList)() = nullptr;
    void (*clearList)() = nullptr;
    void (*addToList)(const std::string&) = nullptr;
    // Delimiters and quotation marks cut texts: only whole characters are read.
    bool wholeCharacters = false;
};

#define QM_NUM(id, keyword, name) \
    RecordRow{id, keyword, Kind::Number, Blank::AsIs, &Get##name, &Set##name}
#define QM_TEXT(id, keyword, name, blank) \
    RecordRow{id, keyword, Kind::Text, blank, nullptr, nullptr, &Get##name, &Set##name}
#define QM_LIST(id, keyword, name)                                                    \
    RecordRow{id, keyword, Kind::List, Blank::AsIs, nullptr, nullptr, nullptr, nullptr, \
              &Get##name, &Clear##name, &AddTo##name}
#define QM_MARK_TEXT(id, keyword, name)                                                                   \
    RecordRow{id, keyword, Kind::Text, Blank::SpaceWhenEmpty, nullptr, nullptr, &Get##name, &Set##name, \
              nullptr, nullptr, nullptr, true}
#define QM_MARK_LIST(id, keyword, name)                                                    \
    RecordRow{id, keyword, Kind::List, Blank::AsIs, nullptr, nullptr, nullptr, nullptr, \
              &Get##name, &Clear##name, &AddTo##name, true}

// In the order the file holds them. Ids 0 and 30 are never written; several
// ids share a keyword, and no reader looks at it.
const std::vector<RecordRow>& RecordTable() {
    static const std::vector<RecordRow> table = {
        QM_TEXT(1, "APPNAME", AppName, Blank::SpaceWhenEmpty),
        QM_TEXT(2, "DEFDIRECTRY", ProgramFolder, Blank::SpaceWhenEmpty),
        QM_MARK_TEXT(3, "SELSEDELIM", SelectedDelimiter),
        QM_MARK_LIST(4, "DELIMLIST", DelimList),
        QM_MARK_TEXT(5, "SELSEQUOT", SelectedQuotationMark),
        QM_MARK_LIST(6, "QUOTLIST", QuotList),
        QM_NUM(7, "FMNAMESRDO", FileSelNamesMode),
        QM_NUM(8, "FMNAMESRDO", FileSelTypesMode),
        QM_TEXT(9, "FMNAMESTXT", FileSelNamesText, Blank::SpaceWhenBlank),
        QM_LIST(10, "FMDEQINC", FileSelNameMasks),
        QM_LIST(11, "FMDEQINC", FileSelNamesHistory),
        QM_NUM(12, "FMALLTYPES", FileSelAllTypes),
        QM_NUM(13, "FMINCTYPES", FileSelIncludedTypes),
        QM_NUM(14, "FMINCTYPES", FileSelExcludedTypes),
        QM_NUM(15, "FMONETYPES", FileSelSelectOne),
        RecordRow{16, "FMONEFILE", Kind::TextAndNumber, Blank::AsIs, &GetFileSelOneTypeIndex,
                  &SetFileSelOneTypeIndex, &GetFileSelOneType, &SetFileSelOneType},
        QM_LIST(17, "FMDEQINC", FileSelIncludeTypeList),
        QM_LIST(18, "FMDEQEXC", FileSelExcludeTypeList),
        QM_LIST(19, "FMDEQEXC", FileSelFallbackTypes),
        QM_NUM(20, "FMINCCHECK", FileSelIncludeTermsOn),
        QM_TEXT(21, "FMNAMESTXT", FileSelIncludeTermsText, Blank::SpaceWhenBlankTrimmed),
        QM_LIST(22, "FMDEQINC", FileSelIncludeTermsList),
        QM_LIST(23, "FMDEQINC", FileSelIncludeTermsHistory),
        QM_NUM(24, "FMINCCHECK", FileSelExcludeTermsOn),
        QM_TEXT(25, "FMNAMESTXT", FileSelExcludeTermsText, Blank::SpaceWhenBlankTrimmed),
        QM_LIST(26, "FMDEQINC", FileSelExcludeTermsList),
        QM_LIST(27, "FMDEQINC", FileSelExcludeTermsHistory),
        QM_LIST(28, "VOL02DEST", Vol02DestFolderHistory),
        QM_LIST(29, "VOL03DEST", Vol03DestFolderHistory),
        QM_NUM(31, "VOL0201", Vol02AttachNothing),
        QM_NUM(32, "VOL0202", Vol02StructureImportRelativePaths),
        QM_NUM(33, "VOL0203", Vol02StructureImportFullPaths),
        QM_NUM(34, "VOL0204", Vol02AttachMainFolderWithFiles),
        QM_NUM(35, "VOL0205", Vol02AttachMainFolderWithoutFiles),
        QM_NUM(36, "VOL0206", Vol02AttachSubFoldersOnlyWithFiles),
        QM_NUM(37, "VOL0207", Vol02AttachSubFoldersOnlyWithoutFiles),
        QM_TEXT(38, "VOL0208", Vol02Prefix, Blank::AsIs),
        QM_NUM(39, "VOL0209", Vol02Hyphen),
        QM_TEXT(40, "VOL0210", Vol02Suffix, Blank::AsIs),
        QM_NUM(41, "VOL0401", Vol04AttachNothing),
        QM_NUM(42, "VOL0402", Vol04StructureImportRelativePaths),
        QM_NUM(43, "VOL0403", Vol04StructureImportFullPaths),
        QM_NUM(44, "VOL0404", Vol04AttachMainFolderWithFiles),
        QM_NUM(45, "VOL0405", Vol04AttachMainFolderWithoutFiles),
        QM_NUM(46, "VOL0406", Vol04AttachSubFoldersOnlyWithFiles),
        QM_NUM(47, "VOL0407", Vol04AttachSubFoldersOnlyWithoutFiles),
        QM_TEXT(48, "VOL0408", Vol04Prefix, Blank::AsIs),
        QM_NUM(49, "VOL0409", Vol04Hyphen),
        QM_TEXT(50, "VOL0410", Vol04Suffix, Blank::AsIs),
        QM_TEXT(51, "VOL0301", Vol03StartNumber, Blank::AsIs),
        QM_TEXT(52, "VOL0302", Vol03EndNumber, Blank::AsIs),
        QM_TEXT(53, "VOL0303", Vol03Prefix, Blank::AsIs),
        QM_TEXT(54, "VOL0304", Vol03Suffix, Blank::AsIs),
        QM_NUM(55, "VOL0305", Vol03Hyphen),
        QM_NUM(56, "VOL0306", Vol03PaddedZeroes),
        QM_NUM(57, "VOL0307", Vol03AttachNothing),
        QM_NUM(58, "VOL0308", Vol03StructureImportRelativePaths),
        QM_NUM(59, "VOL0309", Vol03StructureImportFullPaths),
        QM_NUM(60, "VOL0310", Vol03AttachMainFolderWithFiles),
        QM_NUM(61, "VOL0311", Vol03AttachMainFolderWithoutFiles),
        QM_NUM(62, "VOL0312", Vol03AttachSubFoldersOnlyWithFiles),
        QM_NUM(63, "VOL0313", Vol03AttachSubFoldersOnlyWithoutFiles),
        QM_NUM(64, "VOL0314", Vol03AddIncNumbersAsSuffix),
        QM_NUM(65, "VOL0601", Vol06RenameAddPrefixesSuffixes),
        QM_NUM(66, "VOL0602", Vol06RenameTheLastSubFolder),
        QM_TEXT(67, "VOL0603", Vol06NewPrefix, Blank::AsIs),
        QM_TEXT(68, "VOL0604", Vol06DelimiterPrefixSubFolder, Blank::AsIs),
        QM_TEXT(69, "VOL0605", Vol06DelimiterSubFolderSuffix, Blank::AsIs),
        QM_TEXT(70, "VOL0606", Vol06NewSuffix, Blank::AsIs),
        QM_TEXT(71, "VOL0607", Vol06RenameNewLastSubFolder, Blank::AsIs),
        QM_NUM(72, "VOL0701", Vol07DeleteSubFolders),
        QM_NUM(73, "VOL0702", Vol07DeleteCompleteFolders),
        QM_NUM(74, "VOL0703", Vol07ReadOnlyFolders),
        QM_NUM(75, "VOL0704", Vol07DeleteDoubleConfirm),
        QM_NUM(76, "VOL0705", Vol07ShowDetailedResults),
        QM_NUM(77, "VOL0210", Vol02ViewDestFolder),
        QM_NUM(78, "VOL0210", Vol02ViewDetailedResults),
        QM_NUM(79, "VOL0410", Vol04ViewDetailedResults),
        QM_NUM(80, "VOL0210", Vol03ViewDestFolder),
        QM_NUM(81, "VOL0210", Vol03ViewDetailedResults),
        QM_NUM(82, "VOL0705", Vol06ShowDetailedResults),
        QM_NUM(83, "VOL0801", Vol08StructureImportRelativePaths),
        QM_NUM(84, "VOL0802", Vol08StructureImportFullPaths),
        QM_NUM(85, "VOL0803", Vol08AttachMainFolderWithFiles),
        QM_NUM(86, "VOL0804", Vol08AttachMainFolderWithoutFiles),
        QM_NUM(87, "VOL0805", Vol08AttachSubFoldersOnlyWithFiles),
        QM_NUM(88, "VOL0806", Vol08AttachSubFoldersOnlyWithoutFiles),
        QM_NUM(89, "VOL0807", Vol08ShowDetailedResults),
        QM_NUM(90, "VOL1001", Vol10AttachMainFolderWithSubFolders),
        QM_NUM(91, "VOL1002", Vol10AttachSubFoldersOnly),
        QM_NUM(92, "VOL1003", Vol10CopyToMainFolders),
        QM_NUM(93, "VOL1004", Vol10CopyToMainFoldersExtensions),
        QM_NUM(94, "VOL1005", Vol10DuplicatedFilesSkip),
        QM_NUM(95, "VOL1006", Vol10DuplicatedFilesOverWrite),
        QM_NUM(96, "VOL1007", Vol10DuplicatedFilesIncreaseFileNames),
        QM_NUM(97, "VOL1008", Vol10ShowDetailedResults),
        QM_NUM(98, "VOL1101", Vol11DeleteOnlyFilesInMainFolder),
        QM_NUM(99, "VOL1102", Vol11DeleteOnlyFiles),
        QM_NUM(100, "VOL1103", Vol11ReadOnlyFiles),
        QM_NUM(101, "VOL1104", Vol11DeleteDoubleConfirm),
        QM_NUM(102, "VOL1105", Vol11ShowDetailedResults),
        QM_NUM(103, "VOL1201", Vol12RenameAddPrefixesSuffixes),
        QM_NUM(104, "VOL1202", Vol12RenameChangeFileType),
        QM_TEXT(105, "VOL1203", Vol12NewPrefix, Blank::AsIs),
        QM_TEXT(106, "VOL1204", Vol12DelimiterPrefixSubFolder, Blank::AsIs),
        QM_TEXT(107, "VOL1205", Vol12DelimiterSubFolderSuffix, Blank::AsIs),
        QM_TEXT(108, "VOL1206", Vol12NewSuffix, Blank::AsIs),
        QM_TEXT(109, "VOL1207", Vol12RenameChangeOldFileType, Blank::AsIs),
        QM_TEXT(110, "VOL1208", Vol12RenameChangeNewFileType, Blank::AsIs),
        QM_NUM(111, "VOL1209", Vol12RenameFilesInMainFolders),
        QM_NUM(112, "VOL1210", Vol12RenameFilesInMainFoldersAndSubFolders),
        QM_NUM(113, "VOL1211", Vol12RenameFilesInSubFolders),
        QM_NUM(114, "VOL1212", Vol12RenameDuplicatedFilesDrop),
        QM_NUM(115, "VOL1213", Vol12RenameDuplicatedFilesOverWrite),
        QM_NUM(116, "VOL1214", Vol12RenameDuplicatedFilesIncreaseFileNames),
        QM_NUM(117, "VOL0715", Vol12ShowDetailedResults),
        QM_NUM(118, "VOL1501", Vol15StructureImportRelativePaths),
        QM_NUM(119, "VOL1502", Vol15StructureImportFullPaths),
        QM_NUM(120, "VOL1503", Vol15AttachMainFolderWithFiles),
        QM_NUM(121, "VOL1504", Vol15AttachMainFolderWithoutFiles),
        QM_NUM(122, "VOL1505", Vol15AttachSubFoldersOnlyWithFiles),
        QM_NUM(123, "VOL1506", Vol15AttachSubFoldersOnlyWithoutFiles),
        QM_NUM(124, "VOL1507", Vol15ShowDetailedResults),
        RecordRow{125, "IEMPLATE", Kind::Templates},
        QM_NUM(126, "VOL126", StartWindowState),
        QM_NUM(127, "VOL126", RestoreMode),
        QM_LIST(128, "VOL02", Vol02IncludeStrings),
        QM_LIST(129, "VOL02", Vol02ExcludeStrings),
        QM_LIST(130, "VOL02", Vol02AddFolderStructure),
        QM_LIST(131, "VOL03", Vol03AddFolderStructure),
        QM_LIST(132, "VOL04", Vol04IncludeFolderList),
        QM_LIST(133, "VOL04", Vol04ExcludeFolderList),
        QM_LIST(134, "VOL04", Vol04AddFolderStructure),
        QM_LIST(135, "VOL06", Vol06IncludeFolderList),
        QM_LIST(136, "VOL06", Vol06ExcludeFolderList),
        QM_LIST(137, "VOL07", Vol07IncludeFolderList),
        QM_LIST(138, "VOL07", Vol07ExcludeFolderList),
        QM_LIST(139, "VOL08", Vol08IncludeFolderList),
        QM_LIST(140, "VOL08", Vol08ExcludeFolderList),
        QM_LIST(141, "VOL08", Vol08AddFolderStructure),
        QM_LIST(142, "VOL10", Vol10IncludeFolderList),
        QM_LIST(143, "VOL10", Vol10ExcludeFolderList),
        QM_LIST(144, "VOL10", Vol10AddFolderStructure),
        QM_LIST(145, "VOL11", Vol11IncludeFolderList),
        QM_LIST(146, "VOL11", Vol11ExcludeFolderList),
        QM_LIST(147, "VOL12", Vol12IncludeFolderList),
        QM_LIST(148, "VOL12", Vol12ExcludeFolderList),
        QM_LIST(149, "VOL15", Vol15IncludeFolderList),
        QM_LIST(150, "VOL15", Vol15ExcludeFolderList),
        QM_LIST(151, "VOL15", Vol15AddFolderStructure),
        QM_TEXT(152, "FMNAMESTXT", Vol02DestFolder, Blank::SpaceWhenBlank),
        QM_TEXT(153, "FMNAMESTXT", Vol03DestFolder, Blank::SpaceWhenBlank),
        QM_TEXT(154, "VOL02AD", Vol02AddToList, Blank::AsIs),
        QM_TEXT(155, "VOL04AD", Vol04AddToList, Blank::AsIs),
    };
    return table;
}

#undef QM_NUM
#undef QM_TEXT
#undef QM_LIST
#undef QM_MARK_TEXT
#undef QM_MARK_LIST

constexpr const char* kEndKeyword = "VEGVEGEVE";

// The row of an id the reader applies; null for any other id.
const RecordRow* FindRow(std::int32_t id) {
    static const std::vector<const RecordRow*> byId = [] {
        std::vector<const RecordRow*> v;
        for (const RecordRow& row : RecordTable()) {
            if (static_cast<std::size_t>(row.id) >= v.size()) v.resize(row.id + 1, nullptr);
            v[row.id] = &row;
        }
        return v;
    }();
    return id >= 0 && static_cast<std::size_t>(id) < byId.size() ? byId[id] : nullptr;
}

bool IsBlank(const std::string& text) { return TrimControlAndBlanks(text).empty(); }

std::string TextToWrite(const std::string& text, Blank blank) {
    switch (blank) {
    case Blank::SpaceWhenEmpty: return text.empty() ? " " : text;
    case Blank::SpaceWhenBlank:
    case Blank::SpaceWhenBlankTrimmed: return IsBlank(text) ? " " : text;
    case Blank::AsIs: break;
    }
    return text;
}

void ShowSaveFailed() {
    plat::MessageBox("Unable to open output file to save settings !\n\n"
                     "Action: Try to save again the settings, or \n\n"
                     "immediately e-mail us, please!",
                     "Severe Error!    Msg no: 0130.", plat::MB_OK | plat::MB_ICONERROR);
}

// A long item is shown cut in the message only, at a character boundary.
std::string ShortForMessage(const std::string& text) {
    constexpr std::size_t kShown = 120;
    if (text.size() <= kShown) return text;
    std::size_t end = kShown;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end) + "...";
}

void ShowItemsLeftOut(unsigned long count, const std::string& first) {
    plat::MessageBox("Some texts are too long for the settings file and were NOT saved.\n"
                     "Texts left out : " + std::to_string(count) + "\n" +
                         "First of them  : " + ShortForMessage(first) + "\n\n" +
                         "Action : Shorten these texts and save the settings again.",
                     std::string("Save Settings.") + std::string(12, ' ') + "Warning no: 0131.",
                     plat::MB_OK | plat::MB_ICONWARNING);
}

// Streams the records through the writer; every record is assembled in one
// reused buffer.
class RecordWriter {
public:
    explicit RecordWriter(plat::AtomicFileWriter& out) : out_(out) {}

    void Text(const RecordRow& row, const std::string& text, std::int32_t number = 0) {
        if (!FitsField(text, kValueSize)) {
            LeaveOut(text);
            return;
        }
        Begin(row.id, row.keyword);
        PutText(rec_, kValueAt, text);
        PutInt32(rec_, kNumberAt, number);
        End();
    }
    void Number(const RecordRow& row, std::int32_t number) {
        Begin(row.id, row.keyword);
        PutInt32(rec_, kNumberAt, number);
        End();
    }
    void Template(const RecordRow& row, int index, const _tagFoldersTemplateOptions& options) {
        if (!FitsField(options.SearchTerm, kSearchTermSize)) {
            LeaveOut(options.SearchTerm);
            return;
        }
        Begin(row.id, row.keyword);
        PutText(rec_, kSearchTermAt, options.SearchTerm);
        PutInt32(rec_, kTemplateIndexAt, index);
        rec_[kReplaceNoAt] = static_cast<char>(options.ReplaceNo);
        rec_[kReplaceRemainderAt] = static_cast<char>(options.ReplaceRemainder);
        rec_[kReplaceFirstAt] = static_cast<char>(options.ReplaceFirst);
        rec_[kReplaceAllAt] = static_cast<char>(options.ReplaceAll);
        End();
    }
    void EndRecord() {
        Begin(kSettingsEndRecordId, kEndKeyword);
        End();
    }

    unsigned long leftOut = 0;
    std::string firstLeftOut;

private:
    void Begin(std::int32_t id, const char* keyword) {
        rec_.fill(0);
        PutInt32(rec_, kIdAt, id);
        std::memcpy(rec_.data() + kKeywordAt, keyword, strnlen(keyword, kKeywordSize));
    }
    void End() { out_.Write(rec_.data(), rec_.size()); }
    void LeaveOut(const std::string& text) {
        if (leftOut++ == 0) firstLeftOut = text;
    }

    plat::AtomicFileWriter& out_;
    RecordBuffer rec_{};
};

bool HoldsEndRecord(std::ifstream& in) {
    in.clear();
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || size % static_cast<std::streamoff>(kSettingsRecordSize) != 0) return false;
    // The end record is normally the last one: look from the end.
    for (std::streamoff at = size - kSettingsRecordSize; at >= 0; at -= kSettingsRecordSize) {
        RecordBuffer id{};
        in.seekg(at);
        if (!in.read(id.data(), 4)) return false;
        if (GetInt32(id, kIdAt) == kSettingsEndRecordId) return true;
    }
    return false;
}

}  // namespace

std::string SettingsFileName(const std::string& fileName) {
    const std::string name = TrimBlanks(fileName);
    if (!name.empty()) return name;
    const std::string folder = GetProgramFolder();
    return folder + (!folder.empty() && folder.back() == '\\' ? "" : "\\") + "default.set";
}

bool IsSettingsFile(const std::string& fileName) {
    std::ifstream in;
    return plat::OpenInputFile(SettingsFileName(fileName), in) && HoldsEndRecord(in);
}

// ---- SaveClass -------------------------------------------------------------------

namespace {
bool keepDefaultSettingsFile = false;
}  // namespace

void SetKeepDefaultSettingsFile(bool keep) { keepDefaultSettingsFile = keep; }
bool KeepDefaultSettingsFile() { return keepDefaultSettingsFile; }

SaveClass::SaveClass(const std::string& fileName) : FileName(SettingsFileName(fileName)) {
    if (keepDefaultSettingsFile && TrimBlanks(fileName).empty()) return;
    Out = std::make_unique<plat::AtomicFileWriter>(FileName);
    if (!Out->IsOpen()) {
        Out.reset();
        ShowSaveFailed();
    }
}

SaveClass::~SaveClass() = default;

bool SaveClass::IsOpen() const { return Out != nullptr; }

bool SaveClass::Save() {
    if (!Out) return false;
    RecordWriter writer(*Out);
    for (const RecordRow& row : RecordTable()) {
        switch (row.kind) {
        case Kind::Number: writer.Number(row, row.getNumber()); break;
        case Kind::Text: writer.Text(row, TextToWrite(row.getText(), row.blank)); break;
        case Kind::TextAndNumber: writer.Text(row, row.getText(), row.getNumber()); break;
        case Kind::List:
            for (const std::string& item : row.getList()) writer.Text(row, item);
            break;
        case Kind::Templates:
            for (const auto& [index, options] : CopyFolderTemplateOptionsMap())
                writer.Template(row, index, options);
            break;
        }
    }
    writer.EndRecord();
    const bool committed = Out->Commit();
    Out.reset();
    if (!committed) {
        ShowSaveFailed();
        return false;
    }
    if (writer.leftOut > 0) ShowItemsLeftOut(writer.leftOut, writer.firstLeftOut);
    return true;
}

// ---- RestoreClass ----------------------------------------------------------------

RestoreClass::RestoreClass(const std::string& fileName) : FileName(SettingsFileName(fileName)) {
    // Whole records in few reads; must be set before the file is opened.
    constexpr std::size_t kStreamBufferSize = 1 << 18;
    StreamBuffer = std::make_unique<char[]>(kStreamBufferSize);
    In.rdbuf()->pubsetbuf(StreamBuffer.get(), kStreamBufferSize);
    ok = plat::OpenInputFile(FileName, In) ? 1 : 0;
}

bool RestoreClass::IsSettingsFile() { return ok == 1 && HoldsEndRecord(In); }

void RestoreClass::ClearLists() {
    for (const RecordRow& row : RecordTable())
        if (row.kind == Kind::List) row.clearList();
    ClearFolderTemplateOptions();
}

void RestoreClass::Restore() {
    if (ok != 1) return;
    In.clear();
    In.seekg(0);
    // A partial record at the end fails the read and ends the loop. The end
    // record does not stop reading: a record behind it is applied too.
    while (In.read(Record.data(), Record.size())) {
        const RecordRow* row = FindRow(GetInt32(Record, kIdAt));
        if (!row) continue;
        // A delimiter or mark that is not whole characters (a damaged file)
        // is refused: the setting keeps what it holds.
        if (row->wholeCharacters && !IsWholeUtf8(GetText(Record, kValueAt, kValueSize))) continue;
        switch (row->kind) {
        case Kind::Number: row->setNumber(GetInt32(Record, kNumberAt)); break;
        case Kind::Text: {
            const std::string text = GetText(Record, kValueAt, kValueSize);
            row->setText(row->blank == Blank::SpaceWhenBlankTrimmed ? TrimControlAndBlanks(text) : text);
            break;
        }
        case Kind::TextAndNumber:
            row->setNumber(GetInt32(Record, kNumberAt));
            row->setText(GetText(Record, kValueAt, kValueSize));
            break;
        case Kind::List: row->addToList(GetText(Record, kValueAt, kValueSize)); break;
        case Kind::Templates: {
            _tagFoldersTemplateOptions options;
            options.ReplaceNo = static_cast<std::uint8_t>(Record[kReplaceNoAt]);
            options.ReplaceRemainder = static_cast<std::uint8_t>(Record[kReplaceRemainderAt]);
            options.SearchTerm = GetText(Record, kSearchTermAt, kSearchTermSize);
            options.ReplaceFirst = static_cast<std::uint8_t>(Record[kReplaceFirstAt]);
            options.ReplaceAll = static_cast<std::uint8_t>(Record[kReplaceAllAt]);
            SetFolderTemplateOptions(GetInt32(Record, kTemplateIndexAt), options);
            break;
        }
        }
    }
}
