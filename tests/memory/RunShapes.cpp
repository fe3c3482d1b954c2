#include "tests/memory/RunShapes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <filesystem>
#include <fstream>

#include "core/SettingsStore.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/files/Vol11Page.h"
#include "platform/FileSystem.h"
#include "platform/qt/QtPlatform.h"
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"

namespace fs = std::filesystem;

namespace runshapes {

namespace {

template <class T>
T* C(const char* name) {
    return frmMain->findChild<T*>(QString::fromUtf8(name));
}

}  // namespace

ShapeWindow::ShapeWindow(const std::string& root, char letter) : root_(root), letter_(letter) {
    plat::MapDrive(letter_, root_);
    MakeFolder("prog");
    oldCwd_ = fs::current_path().string();
    fs::current_path(Native("prog"));
    ResetSettingsToInitialValues();
    ResetStartStateWords();
    previousBoxes_ = plat::SetMessageBoxHandler([this](const std::string&, const std::string& caption, unsigned flags) {
        boxes_.push_back(caption.substr(caption.rfind(' ') + 1));
        return (flags & plat::MB_BUTTONMASK) == plat::MB_YESNO ? int(plat::IDYES) : int(plat::IDOK);
    });
    previousBrowser_ = plat::SetFolderBrowserHandler([this](void*, const std::string&) { return browsed_; });
    qtplat::SetModalHandler([this](QDialog* dialog) {
        if (auto* start = qobject_cast<TfrmRestoreSettings*>(dialog))
            start->findChild<QAbstractButton*>("btnRestoreSettingsOk")->click();
        else if (onEditor_)
            return onEditor_(dialog);
        return dialog->result();
    });
    CreateAppWindows();
    frmMain->FormActivate();
}

ShapeWindow::~ShapeWindow() {
    DestroyAppWindows();
    qtplat::SetModalHandler({});
    plat::SetFolderBrowserHandler(previousBrowser_);
    plat::SetMessageBoxHandler(previousBoxes_);
    fs::current_path(oldCwd_);
    ResetSettingsToInitialValues();
    plat::UnmapDrive(letter_);
}

std::string ShapeWindow::Padded(const std::string& rel) const {
    return rel.rfind("T\\", 0) == 0 ? "T\\" + pad_ + rel.substr(2) : rel;
}

std::string ShapeWindow::Path(const std::string& rel) const { return std::string(1, letter_) + ":\\" + Padded(rel); }

std::string ShapeWindow::Native(const std::string& rel) const {
    std::string r = Padded(rel);
    for (char& c : r)
        if (c == '\\') c = '/';
    return r.empty() ? root_ : root_ + "/" + r;
}

void ShapeWindow::MakeFolder(const std::string& rel) const { fs::create_directories(Native(rel)); }

void ShapeWindow::Make(const std::string& rel, long n, const std::string& name, bool files) const {
    MakeFolder(rel);
    for (long i = 0; i < n; ++i) {
        const std::string at = Native(rel) + "/" + name + std::to_string(i);
        files ? (void)std::ofstream(at) : (void)mkdir(at.c_str(), 0777);
    }
}

void ShapeWindow::Click(const char* button) const { C<QAbstractButton>(button)->click(); }

void ShapeWindow::SetText(const char* field, const std::string& text) const {
    C<QLineEdit>(field)->setText(QString::fromStdString(text));
}

void ShapeWindow::Browse(const char* button, const std::string& rel) {
    browsed_ = Path(rel);
    Click(button);
}

void ShapeWindow::Edit(const char* button, const char* ok, const std::string& lines) {
    onEditor_ = [ok, &lines](QDialog* editor) {
        editor->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(lines));
        editor->findChild<QAbstractButton*>(ok)->click();
        return editor->result();
    };
    Click(button);
    onEditor_ = nullptr;
}

namespace {

std::function<void(ShapeWindow&)> Press(const char* button) {
    return [button](ShapeWindow& t) { t.Click(button); };
}


// A chain of `depth` folders of 24 characters below T\<name>, with `files`
// empty files at its bottom; the chain's path below the structure.
std::string Chain(ShapeWindow& t, const std::string& name, int depth, long files) {
    std::string rel;
    for (int i = 0; i < depth; ++i) rel += "\\Folder of the chain no " + std::to_string(i);
    t.MakeFolder("T\\" + name + rel);
    if (files > 0) t.Make("T\\" + name + rel, files, "file ", true);
    return rel;
}

// Lines naming T\<rel>0 .. T\<rel><n-1>, each made a folder.
// `mixed`: every other folder on the disk (below D) instead of the tmpfs.
std::string Folders(ShapeWindow& t, const std::string& rel, long n, bool mixed = false) {
    std::string lines;
    t.Make("T\\" + rel.substr(0, rel.rfind('\\')), 0, "");
    if (mixed) t.Make("D\\" + rel.substr(0, rel.rfind('\\')), 0, "");
    for (long i = 0; i < n; ++i) {
        const std::string folder = (mixed && i % 2 ? "D\\" : "T\\") + rel + std::to_string(i);
        t.MakeFolder(folder);
        lines += t.Path(folder) + "\n";
    }
    return lines;
}

// A structure of 10 folders of 8 folders each below T\<name>, with 1,000
// empty files spread over the 80 below.
void Wide(ShapeWindow& t, const std::string& name) {
    for (int i = 0; i < 80; ++i)
        t.Make("T\\" + name + "\\Area " + std::to_string(i / 8) + "\\Item " + std::to_string(i % 8), 12 + (i < 40),
               "file ", true);
}

void Page02(ShapeWindow& t, long names, const char* structure, const char* attach) {
    t.MakeFolder("T\\Dest");
    frmMain->Page02->Vol02SetDestinationFolder(t.Path("T\\Dest"));
    std::string lines;
    for (long i = 0; i < names; ++i) lines += "Name " + std::to_string(i) + "\n";
    t.Edit("btnVol02EditIncludeList", "btnVol02EditOk", lines);
    t.Click(attach);
    t.Browse("btnVol02AddFolderStructure", std::string("T\\") + structure);
}

void Page03(ShapeWindow& t, long mains, const std::string& structure, const char* attach,
            const std::string& prefix = "Job") {
    t.MakeFolder("T\\Dest");
    frmMain->Page03->Vol03SetDestFolder(t.Path("T\\Dest"));
    t.SetText("edtVol03Prefix", prefix);
    if (structure.empty()) {
        t.Click("rdoVol03AttachNothing");
    } else {
        t.Click(attach);
        t.Browse("btnVol03AddFolderStructure", "T\\" + structure);
    }
    t.SetText("edtVol03EndNumber", std::to_string(mains));
    frmMain->Page03->edtVol03EndNumberExit();
}

void Page04(ShapeWindow& t, long paths, int depth = 8) {
    Chain(t, "S", depth, 0);
    t.Edit("btnVol04EditIncludeList", "btnVol04EditIncludeListOk", Folders(t, "L\\Item ", paths));
    t.SetText("edtVol04Prefix", "P");
    t.Click("rdoVol04AttachMainFolderWithoutFiles");
    t.Browse("btnVol04AddFolderStructure", "T\\S");
}

// `spread`: each folder in a parent of its own.
void Page06(ShapeWindow& t, long folders, bool spread = false) {
    std::string lines;
    if (!spread) {
        lines = Folders(t, "R\\Folder of the renamed list no ", folders);
    } else {
        for (long i = 0; i < folders; ++i) {
            const std::string rel = "T\\R\\P" + std::to_string(i) + "\\Folder of the renamed list no " + std::to_string(i);
            t.MakeFolder(rel);
            lines += t.Path(rel) + "\n";
        }
    }
    t.Edit("btnVol06EditIncludeList", "btnVol06EditIncludeListOk", lines);
    t.SetText("edtVol06NewPrefix", "Renamed ");
}

// n files below `folders` main folders, in folders of 1,000 (`deep`: some
// 190 characters below them).
void Page07(ShapeWindow& t, long n, long folders, bool deep) {
    std::string lines;
    for (long f = 0; f < folders; ++f) {
        const std::string main = "T\\D\\Main " + std::to_string(f);
        for (long k = 0; k * 1000 < n / folders; ++k) {
            std::string below = main + "\\Sub " + std::to_string(k);
            for (int d = 0; deep && d < 6; ++d) below += "\\A folder thirty characters l" + std::to_string(d);
            t.Make(below, std::min(1000L, n / folders - k * 1000), "file ", true);
        }
        lines += t.Path(main) + "\n";
    }
    t.Edit("btnVol07EditIncludeList", "btnVol07EditIncludeListOk", lines);
    t.Click("rdoVol07DeleteSubFolders");
}

void Page08(ShapeWindow& t, long folders, int depth, bool mixed = false) {
    Chain(t, "S", depth, 0);
    t.Edit("btnVol08EditIncludeList", "btnVol08EditIncludeListOk", Folders(t, "M\\Main ", folders, mixed));
    t.Click("rdoVol08AttachMainFolderWithoutFiles");
    t.Browse("btnVol08AddFolderStructure", "T\\S");
}

// `files` files in the source (`deep`: some 190 characters below it),
// copied into `destinations` folders; with `again`, copied once first and
// then again by the duplicate mode's radio.
void Page10(ShapeWindow& t, long files, long destinations, bool deep, const char* again = nullptr,
            bool mixed = false) {
    std::string below = "T\\Src";
    for (int d = 0; deep && d < 6; ++d) below += "\\A folder thirty characters l" + std::to_string(d);
    t.Make(below, files, "file ", true);
    t.Edit("btnVol10EditIncludeList", "btnVol10EditIncludeListOk", Folders(t, "M\\Destination ", destinations, mixed));
    t.Browse("btnVol10AddFolderStructures", "T\\Src");
    if (!again) return;
    t.Click("btnVol10CopyFiles");
    t.Click(again);
}

// n files taken by the mask "*.tmp" among `every` times as many, in folders
// of 1,000 below `mains` main folders (`deep`: each taken, some 190
// characters below it).
void Page11(ShapeWindow& t, long n, int every, bool deep, long mains = 1) {
    std::string lines;
    for (long m = 0; m < mains; ++m) {
        const std::string main = mains == 1 ? "T\\F" : "T\\F\\Main " + std::to_string(m);
        const long all = n * every / mains + (m < n * every % mains);
        for (long k = 0; k * 1000 < all; ++k) {
            std::string below = main + "\\Sub " + std::to_string(k);
            for (int d = 0; deep && d < 6; ++d) below += "\\A folder thirty characters l" + std::to_string(d);
            const long files = std::min(1000L, all - k * 1000);
            t.Make(below, files, "file ", true);
            for (long i = 0; i < files; i += every)
                fs::rename(t.Native(below) + "/file " + std::to_string(i),
                           t.Native(below) + "/file " + std::to_string(i) + ".tmp");
        }
        lines += t.Path(main) + "\n";
    }
    SetFileSelNameMasks({every > 1 ? "*.tmp" : "*.*"});
    t.Edit("btnVol11EditIncludeList", "btnVol11EditIncludeListOk", lines);
    t.Click("rdoVol11DeleteOnlyFiles");
}

// n empty files below `mains` main folders, renamed with the prefix
// "new_"; with `taken`, each new name is a file's already, which the
// Overwrite rule replaces (its working copy kept for the Undo).
void Page12(ShapeWindow& t, long n, long mains, bool taken = false) {
    std::string lines;
    for (long m = 0; m < mains; ++m) {
        const std::string main = "T\\N\\Main " + std::to_string(m);
        const long files = n / mains + (m < n % mains);
        t.Make(main, files, "file ", true);
        if (taken) t.Make(main, files, "new_file ", true);
        lines += t.Path(main) + "\n";
    }
    t.Edit("btnVol12EditIncludeList", "btnVol12EditIncludeListOk", lines);
    t.SetText("edtVol12NewPrefix", "new_");
    if (taken) t.Click("rdoVol12RenameDuplicatedFilesOverWrite");
    t.Click("btnVol12RenameFiles");
}
// Every step stays, yet the Undo holds under half its weight: the weight
// counts the slots full and the report's copy in its box beside what
// stays, and the slots are empty by then (the test's box copies nothing).
const char* const kStepsLeftBelowHalf = "an undo weighs its slots and the report's box beside what stays";

// A range's count does not look for each main folder: each is weighed as
// the dearer of made and there already.
const char* const kMainsMayExist = "the count does not know which main folders exist";
// Nor does a copy's count know which targets exist: each file is weighed as
// the dearer of a fresh copy and what its duplicate mode does with one there.
const char* const kTargetsMayExist = "the count does not know which targets exist";

const char* const kWith = "rdoVol03AttachMainFolderWithFiles";
const char* const kWithout = "rdoVol03AttachMainFolderWithoutFiles";
// An undo cannot know which of its records will stay: it weighs each staying.
const char* const kUndoStays = "an undo weighs every record staying, which one that undoes all never reaches";

}  // namespace

// 2^power + 1 of each row's largest kind of entry.
const std::vector<RunShape>& Shapes() {
    static const std::vector<RunShape> shapes = {
    {"v02runFiles", 10, [](ShapeWindow& t, long n) { Chain(t, "S", 8, 16), Page02(t, n, "S", "rdoVol02AttachMainFolderWithFiles"); }, Press("btnVol02CreateFolders")},
    {"v02runWide", 5, [](ShapeWindow& t, long n) { Wide(t, "S"), Page02(t, n, "S", "rdoVol02AttachMainFolderWithFiles"); }, Press("btnVol02CreateFolders")},
    {"v02simFiles", 10, [](ShapeWindow& t, long n) { Chain(t, "S", 8, 16), Page02(t, n, "S", "rdoVol02AttachMainFolderWithFiles"); }, Press("btnVol02CreateFoldersSimulation")},
    {"v03runLong", 14, [](ShapeWindow& t, long n) { Page03(t, n, "", nullptr, std::string(100, 'J')); }, Press("btnVol03CreateFolders")},
    {"v03simLong", 14, [](ShapeWindow& t, long n) { Page03(t, n, "", nullptr, std::string(100, 'J')); }, Press("btnVol03CreateFoldersSimulation")},
    {"v03runShortFolders", 14, [](ShapeWindow& t, long n) { t.Make("T\\S", 64, "F"), Page03(t, n / 64 + 1, "S", kWithout); }, Press("btnVol03CreateFolders")},
    {"v03simShortFolders", 14, [](ShapeWindow& t, long n) { t.Make("T\\S", 64, "F"), Page03(t, n / 64 + 1, "S", kWithout); }, Press("btnVol03CreateFoldersSimulation")},
    {"v03runFiles", 14, [](ShapeWindow& t, long n) { t.Make("T\\S", 64, "f", true), Page03(t, n / 64 + 1, "S", kWith); }, Press("btnVol03CreateFolders")},
    {"v03simFiles", 14, [](ShapeWindow& t, long n) { t.Make("T\\S", 64, "f", true), Page03(t, n / 64 + 1, "S", kWith); }, Press("btnVol03CreateFoldersSimulation")},
    {"v03runDeep", 11, [](ShapeWindow& t, long n) { Chain(t, "S", 8, 0), Page03(t, n, "S", kWithout); }, Press("btnVol03CreateFolders")},
    {"v03simDeep", 11, [](ShapeWindow& t, long n) { Chain(t, "S", 8, 0), Page03(t, n, "S", kWithout); }, Press("btnVol03CreateFoldersSimulation")},
    {"v03runExisting", 14, [](ShapeWindow& t, long n) { Page03(t, n, "", nullptr), t.Click("btnVol03CreateFolders"); }, Press("btnVol03CreateFolders"), kMainsMayExist},
    {"v03runExistingLong", 13, [](ShapeWindow& t, long n) { Page03(t, n, "", nullptr, std::string(100, 'J')), t.Click("btnVol03CreateFolders"); }, Press("btnVol03CreateFolders"), kMainsMayExist},
    {"v04runDeep", 11, [](ShapeWindow& t, long n) { Page04(t, n); }, Press("btnVol04CreateFolders")},
    {"v04runMany", 14, [](ShapeWindow& t, long n) { Page04(t, n, 1); }, Press("btnVol04CreateFolders")},
    {"v04simDeep", 11, [](ShapeWindow& t, long n) { Page04(t, n); }, Press("btnVol04CreateFoldersSimulation")},
    {"v06run", 14, [](ShapeWindow& t, long n) { Page06(t, n); }, Press("btnVol06RenameFolders")},
    {"v06sim", 14, [](ShapeWindow& t, long n) { Page06(t, n); }, Press("btnVol06RenameFoldersSimulation")},
    // A run of two entries is what every run adds whatever its size.
    {"v06runTwo", 0, [](ShapeWindow& t, long n) { Page06(t, n); }, Press("btnVol06RenameFolders")},
    {"v06runSpread", 12, [](ShapeWindow& t, long n) { Page06(t, n, true); }, Press("btnVol06RenameFolders")},
    {"v06simSpread", 12, [](ShapeWindow& t, long n) { Page06(t, n, true); }, Press("btnVol06RenameFoldersSimulation")},
    {"v07run", 14, [](ShapeWindow& t, long n) { Page07(t, n, 16, false); }, Press("btnVol07DeleteFolders")},
    {"v07simDeep", 14, [](ShapeWindow& t, long n) { Page07(t, n, 16, true); }, Press("btnVol07DeleteFoldersSimulation")},
    {"v08run", 14, [](ShapeWindow& t, long n) { Page08(t, n / 2 + 1, 1); }, Press("btnVol08CopyFolders")},
    {"v08runDeep", 11, [](ShapeWindow& t, long n) { Page08(t, n, 8); }, Press("btnVol08CopyFolders")},
    // Destinations on the tmpfs and on the disk by turns.
    {"v08runMixed", 11, [](ShapeWindow& t, long n) { Page08(t, n, 8, true); }, Press("btnVol08CopyFolders")},
    {"v08simDeep", 11, [](ShapeWindow& t, long n) { Page08(t, n, 8); }, Press("btnVol08CopyFoldersSimulation")},
    {"v10copy", 8, [](ShapeWindow& t, long n) { Page10(t, 64, n, false); }, Press("btnVol10CopyFiles")},
    {"v10sim", 8, [](ShapeWindow& t, long n) { Page10(t, 64, n, false); }, Press("btnVol10CopyFilesSimulation")},
    {"v10overwriteDeep", 7, [](ShapeWindow& t, long n) { Page10(t, 64, n, true, "rdoVol10DuplicatedFilesOverWrite"); }, Press("btnVol10CopyFiles"), kTargetsMayExist},
    {"v10skip", 8, [](ShapeWindow& t, long n) { Page10(t, 64, n, false, "rdoVol10DuplicatedFilesSkip"); }, Press("btnVol10CopyFiles"), kTargetsMayExist},
    {"v10copyWide", 3, [](ShapeWindow& t, long n) { Page10(t, 500, n, true); }, Press("btnVol10CopyFiles")},
    {"v10copyMixed", 8, [](ShapeWindow& t, long n) { Page10(t, 64, n, false, nullptr, true); }, Press("btnVol10CopyFiles")},
    {"v10skipWide", 3, [](ShapeWindow& t, long n) { Page10(t, 500, n, true, "rdoVol10DuplicatedFilesSkip"); }, Press("btnVol10CopyFiles"), kTargetsMayExist},
    {"v10increase", 8, [](ShapeWindow& t, long n) { Page10(t, 64, n, false, "rdoVol10DuplicatedFilesIncreaseFileNames"); }, Press("btnVol10CopyFiles"), kTargetsMayExist},
    {"v11runMask", 12, [](ShapeWindow& t, long n) { Page11(t, n, 20, false); }, Press("btnVol11DeleteFiles")},
    {"v11simMask", 12, [](ShapeWindow& t, long n) { Page11(t, n, 20, false); },
     [](ShapeWindow&) { frmMain->Page11->Vol11SimulateDeleteFiles(); }},
    {"v11runMaskMains", 12, [](ShapeWindow& t, long n) { Page11(t, n, 20, false, n / 4 + 1); }, Press("btnVol11DeleteFiles")},
    {"v11runDeep", 14, [](ShapeWindow& t, long n) { Page11(t, n, 1, true); }, Press("btnVol11DeleteFiles")},
    // ---- each page's Undo of the run its arrange made ----
    {"v02undo", 10, [](ShapeWindow& t, long n) { Chain(t, "S", 8, 16), Page02(t, n, "S", "rdoVol02AttachMainFolderWithFiles"), t.Click("btnVol02CreateFolders"); }, Press("btnVol02Undo"), kUndoStays},
    {"v03undo", 14, [](ShapeWindow& t, long n) { t.Make("T\\S", 64, "F"), Page03(t, n / 64 + 1, "S", kWithout), t.Click("btnVol03CreateFolders"); }, Press("btnVol03Undo"), kUndoStays},
    {"v04undo", 12, [](ShapeWindow& t, long n) { Page04(t, n, 1), t.Click("btnVol04CreateFolders"); }, Press("btnVol04Undo"), kUndoStays},
    {"v06undo", 13, [](ShapeWindow& t, long n) { Page06(t, n), t.Click("btnVol06RenameFolders"); }, Press("btnVol06Undo"), kUndoStays},
    // Every record stays: the renamed folders' parent is gone.
    {"v06undoLeft", 13, [](ShapeWindow& t, long n) { Page06(t, n), t.Click("btnVol06RenameFolders"), fs::rename(t.Native("T\\R"), t.Native("T\\R2")); }, Press("btnVol06Undo")},
    {"v06undoSpread", 12, [](ShapeWindow& t, long n) { Page06(t, n, true), t.Click("btnVol06RenameFolders"); }, Press("btnVol06Undo"), kUndoStays},
    {"v08undo", 13, [](ShapeWindow& t, long n) { Page08(t, n, 1), t.Click("btnVol08CopyFolders"); }, Press("btnVol08Undo"), kUndoStays},
    // Every record stays: the main folders' parent is gone.
    {"v08undoLeft", 13, [](ShapeWindow& t, long n) { Page08(t, n, 1), t.Click("btnVol08CopyFolders"), fs::rename(t.Native("T\\M"), t.Native("T\\M2")); }, Press("btnVol08Undo")},
    {"v02undoLeft", 10, [](ShapeWindow& t, long n) { Chain(t, "S", 8, 16), Page02(t, n, "S", "rdoVol02AttachMainFolderWithFiles"), t.Click("btnVol02CreateFolders"), fs::rename(t.Native("T\\Dest"), t.Native("T\\Dest2")); }, Press("btnVol02Undo")},
    {"v10undo", 8, [](ShapeWindow& t, long n) { Page10(t, 64, n, false), t.Click("btnVol10CopyFiles"); }, Press("btnVol10Undo"), kUndoStays},
    {"v10undoOverwrite", 7, [](ShapeWindow& t, long n) { Page10(t, 64, n, true, "rdoVol10DuplicatedFilesOverWrite"), t.Click("btnVol10CopyFiles"); }, Press("btnVol10Undo"), kUndoStays},
    {"v12undo", 14, [](ShapeWindow& t, long n) { Page12(t, n, 16); }, Press("btnVol12Undo"), kUndoStays},
    {"v12undoOverwrite", 13, [](ShapeWindow& t, long n) { Page12(t, n, 16, true); }, Press("btnVol12Undo"), kUndoStays},
    // Every step stays: the main folders' parent is gone.
    {"v12undoLeft", 14, [](ShapeWindow& t, long n) { Page12(t, n, 16), fs::rename(t.Native("T\\N"), t.Native("T\\N2")); }, Press("btnVol12Undo"), kStepsLeftBelowHalf},
    {"v12undoOverwriteLeft", 13, [](ShapeWindow& t, long n) { Page12(t, n, 16, true), fs::rename(t.Native("T\\N"), t.Native("T\\N2")); }, Press("btnVol12Undo"), kStepsLeftBelowHalf},
    };
    return shapes;
}

}  // namespace runshapes
