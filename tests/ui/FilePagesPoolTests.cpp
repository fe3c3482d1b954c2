// The copy, delete and rename file pages on the run pool: the same random
// input run one at a time and with many workers leaves the same tree, the
// same Visual Log, counters, export lines and undo records. Run as nobody,
// so that a read-only folder in the middle refuses as it would for a user.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol11Engine.h"
#include "pages/files/Vol12Engine.h"
#include "pages/folders/Vol07Engine.h"
#include "platform/FolderLock.h"
#include "platform/MessageBox.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// Everything a run leaves that one and many workers must agree on.
struct Snapshot {
    std::map<std::string, std::string> tree;  // path -> content, mode
    std::array<Lines, 16> lines, exports;
    std::map<std::string, double> counters;
    Lines boxes;  // caption and text of every box
    Lines state;  // the page's lists and undo records, as text

    bool operator==(const Snapshot&) const = default;
};

std::string Describe(const Snapshot& a, const Snapshot& b) {
    std::ostringstream out;
    if (a.tree != b.tree) out << "trees differ (" << a.tree.size() << " / " << b.tree.size() << " entries)\n";
    for (std::size_t c = 0; c < a.lines.size(); ++c) {
        if (a.lines[c] != b.lines[c]) out << "lines of category " << c << " differ\n";
        if (a.exports[c] != b.exports[c]) out << "export lines of category " << c << " differ\n";
    }
    if (a.counters != b.counters) out << "counters differ\n";
    if (a.boxes != b.boxes) out << "boxes differ\n";
    for (std::size_t i = 0; i < std::max(a.state.size(), b.state.size()); ++i) {
        const std::string x = i < a.state.size() ? a.state[i] : "<none>";
        const std::string y = i < b.state.size() ? b.state[i] : "<none>";
        if (x != y) {
            out << "state " << i << ": " << x << " | " << y << "\n";
            break;
        }
    }
    return out.str();
}

// Below the drive's root: every entry with its content and mode.
std::map<std::string, std::string> Tree(const testsupport::TempDrive& drive) {
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(drive.native())) {
        struct stat st {};
        lstat(e.path().c_str(), &st);
        std::string content = "<dir>";
        if (e.is_symlink()) {
            content = "-> " + fs::read_symlink(e.path()).string();
        } else if (e.is_regular_file()) {
            std::ifstream in(e.path(), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(in), {});
        }
        tree[e.path().string().substr(drive.native().size())] = content + " " + std::to_string(st.st_mode & 07777);
    }
    return tree;
}

// Makes every folder below `rel` writable again and removes it.
void Wipe(const testsupport::TempDrive& drive, const std::string& rel) {
    std::error_code ec;
    const std::string root = drive.nativePath(rel);
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (!it->is_symlink() && it->is_directory()) chmod(it->path().c_str(), 0755);
    chmod(root.c_str(), 0755);
    fs::remove_all(root, ec);
}

class FilePagesPool : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};

    void SetUp() override {
        SetFileSelNameMasks({"*.*"});
        drive.MakeFolder("Work\\COPYFILES");
        drive.MakeFolder("Keep");
        drive.WriteFile("Keep\\outside.txt", "outside");
        testsupport::OpenPathToEveryone(drive.native());
        testsupport::GiveToNobody(drive.native());
    }
    void TearDown() override { SetFileSelNameMasks({"*.*"}); }
    std::string P(const std::string& rel) const { return drive.path(rel); }
    // R and the working folder gone: each round starts from nothing.
    void Fresh() const {
        Wipe(drive, "R");
        Wipe(drive, "Work");
    }
    // Copies every file of `source` into `destinations`.
    Vol10Inputs CopyInto(StringList destinations, const std::string& source = "R\\Src") const {
        Vol10Inputs in;
        in.IncludeFolders = std::move(destinations);
        in.Sources = {P(source)};
        in.Masks = {"*.*"};
        in.WorkingDir = P("Work");
        in.WorkingDirCopyFiles = P("Work\\COPYFILES");
        return in;
    }
    // The same, writing over what is there.
    Vol10Inputs CopyOverwriting(StringList destinations, const std::string& source = "R\\Src") const {
        Vol10Inputs in = CopyInto(std::move(destinations), source);
        in.DuplicatedFilesSkip = false;
        in.DuplicatedFilesOverWrite = true;
        return in;
    }

    // Main folders M0..M{n-1} below R, each with files of three types, two
    // levels of subfolders, some files in common with others (same names),
    // and a link out to Keep; M3 read-only.
    void BuildMains(unsigned seed, int n) {
        Fresh();
        drive.MakeFolder("Work\\COPYFILES");
        std::mt19937 random(seed);
        const char* types[] = {".txt", ".log", ".doc"};
        for (int m = 0; m < n; ++m) {
            const std::string main = "R\\M" + std::to_string(m);
            drive.MakeFolder(main);
            const int files = static_cast<int>(random() % 6);
            for (int f = 0; f < files; ++f)
                drive.WriteFile(main + "\\f" + std::to_string(random() % 4) + types[random() % 3],
                                "m" + std::to_string(m) + "f" + std::to_string(f));
            for (int s = 0; s < static_cast<int>(random() % 3); ++s) {
                const std::string sub = main + "\\S" + std::to_string(s);
                drive.WriteFile(sub + "\\g" + std::to_string(s) + types[random() % 3], "sub");
                if (random() % 2) drive.WriteFile(sub + "\\T\\h.txt", "deep");
            }
            if (m % 5 == 2)
                fs::create_directory_symlink(drive.nativePath("Keep"), drive.nativePath(main + "\\toKeep"));
        }
        drive.WriteFile("R\\M3\\locked.txt", "locked");
        chmod(drive.nativePath("R\\M3").c_str(), 0555);
    }
    // The copies' source: files below R\Src, each with its text.
    void WriteSource(std::initializer_list<std::pair<const char*, const char*>> files) {
        for (const auto& [rel, text] : files) drive.WriteFile(std::string("R\\Src\\") + rel, text);
    }

    // The include list: every main folder, one twice (in other letters),
    // one nested in another, and one that does not exist.
    StringList Mains(int n) const {
        StringList list;
        for (int m = 0; m < n; ++m) list.push_back(P("R\\M" + std::to_string(m)));
        list.push_back(P("r\\m1"));
        list.push_back(P("R\\M4\\S0"));
        list.push_back(P("R\\Gone"));
        return list;
    }

    // `yes`: how many boxes are answered Yes (the rest get the default).
    template <class Run>
    Snapshot Capture(unsigned workers, const Run& run, int yes = 8) {
        ForceRunWorkers force(workers);
        plat::MessageBoxScript boxes;
        for (int i = 0; i < yes; ++i) boxes.Queue(plat::IDYES);
        testlog::RecordingLog log;
        Snapshot shot;
        run(log, shot.state);
        shot.tree = Tree(drive);
        shot.lines = log.lines;
        shot.exports = log.exports;
        shot.counters = log.counters;
        for (const auto& b : boxes.shown()) shot.boxes.push_back(b.caption + ": " + b.text);
        return shot;
    }

    // Runs `body` as nobody; it returns what differs between one and many
    // workers (empty: nothing), printed by the child.
    void ExpectSameAsNobody(const std::function<std::string()>& body) {
        const int code = testsupport::RunAsNobody([&] {
            const std::string diff = body();
            if (!diff.empty()) std::fprintf(stderr, "%s", diff.c_str());
            return diff.empty() ? 0 : 1;
        });
        EXPECT_EQ(code, 0);
    }
};

std::string Num(double v) { return std::to_string(static_cast<long long>(v)); }

// ---- delete files ------------------------------------------------------------------------------

void Vol11StateLines(const Vol11State& s, Lines& out) {
    for (double v : {s.FilesDeleted, s.FilesNotExists, s.FilesOtherReasons, s.FoldersNotExists,
                     s.FoldersOtherReasons, s.FilesToDelete})
        out.push_back(Num(v));
    for (const StringList* list : {&s.Vol11FoldersNotExists, &s.Vol11FoldersOtherReasons})
        out.insert(out.end(), list->begin(), list->end());
}

TEST_F(FilePagesPool, DeleteFilesGivesTheSameWithOneAndManyWorkers) {
    ExpectSameAsNobody([&] {
        std::string diff;
        for (const bool tree : {false, true}) {
            Snapshot shots[2];
            for (int k = 0; k < 2; ++k) {
                BuildMains(11, 24);
                Vol11Inputs in;
                in.IncludeFolders = Mains(24);
                // A drive's root: refused, with its box at the end (another
                // drive's, as this one's would hold every main folder).
                in.IncludeFolders.push_back("Q:\\");
                in.DeleteOnlyFilesInMainFolder = !tree;
                in.DeleteOnlyFiles = tree;
                in.DeleteDoubleConfirm = false;
                in.Masks = {"*.txt", "*.log"};
                in.WorkingDir = P("Work");
                shots[k] = Capture(k == 0 ? 1 : 8, [&](RunLog& log, Lines& state) {
                    Vol11State page;
                    Vol11SimulateDeleteFiles(page, in, log, {});
                    Vol11RunDeleteFiles(page, in, log, {});
                    Vol11StateLines(page, state);
                });
            }
            diff += Describe(shots[0], shots[1]);
            if (shots[0].lines[Vol11CatFilesDeleted].empty() || shots[0].lines[Vol11CatFilesOtherReasons].empty())
                diff += "the input deleted nothing or refused nothing\n";
        }
        return diff;
    });
}

// An undo's items: nested bases (any letter case, the outer one listed
// later, one path twice for two folders) share the top-most one's item.
TEST(FileUndoItems, NestedBasesShareTheTopMostOnesItem) {
    const VEC_UNDO_BASES bases = {{"T:\\A\\B", {1, 1}}, {"T:\\C", {1, 2}}, {"t:\\a", {1, 3}},
                                  {"T:\\A\\B\\D", {1, 4}}, {"T:\\AB", {1, 5}}, {"T:\\C", {1, 6}}};
    std::vector<std::uint32_t> group;
    StringList tops;
    GroupNestedBases(bases, group, tops);
    EXPECT_EQ(group, (std::vector<std::uint32_t>{0, 1, 0, 0, 2, 1}));
    EXPECT_EQ(tops, (StringList{"t:\\a", "T:\\C", "T:\\AB"}));
}

// ---- copy files --------------------------------------------------------------------------------

void Vol10StateLines(const Vol10State& s, Lines& out) {
    for (const CounterLabel& c : s.Counters.Labels()) out.push_back(std::string(c.Label) + " " + Num(c.Value));
    out.push_back(Num(s.Counters.FilesFailedUndo) + " " + Num(s.Counters.FoldersFailedUndo));
    for (const StringList* list : {&s.Vol10FoldersCopied, &s.Vol10FoldersNotExist, &s.Vol10FilesExist,
                                   &s.Vol10FilesOtherReasons})
        out.insert(out.end(), list->begin(), list->end());
    for (const auto& b : s.Vol10UndoBases) out.push_back("base " + b.Path);
    for (const auto& f : s.Vol10FilesCopied) out.push_back("copy " + std::string(f.Path) + " " + Num(f.Base));
    for (const auto& f : s.Vol10SubFoldersCopied) out.push_back("folder " + std::string(f.Path) + " " + Num(f.Base));
    for (const auto& r : s.Vol10OverwriteRecords)
        out.push_back("saved " + r.Target + " " + r.WorkingCopy + " " + Num(r.Base) + " " + Num(r.Written.size));
    for (const auto& f : s.Vol10FilesNotDeleted) out.push_back("left " + std::string(f.Path));
    for (const auto& f : s.Vol10FoldersNotRemoved) out.push_back("left " + std::string(f.Path));
}

TEST_F(FilePagesPool, CopyFilesAndItsUndoGiveTheSameWithOneAndManyWorkers) {
    ExpectSameAsNobody([&] {
        std::string diff;
        for (int rule = 0; rule < 4; ++rule) {
            Snapshot shots[2];
            for (int k = 0; k < 2; ++k) {
                BuildMains(10 + rule, 20);
                WriteSource(
                    {{"a.txt", "new a"}, {"f1.txt", "new f1"}, {"Sub\\b.log", "new b"}, {"Sub\\Deep\\c", "no type"}});
                Vol10Inputs in = CopyInto(Mains(20));
                // The source itself (refused with a box) and a folder inside it (never walked).
                in.IncludeFolders.push_back(P("R\\Src"));
                in.IncludeFolders.push_back(P("R\\Src\\Sub"));
                in.DuplicatedFilesSkip = rule == 0 || rule == 3;
                in.DuplicatedFilesOverWrite = rule == 1;
                in.DuplicatedFilesIncreaseFileNames = rule == 2;
                in.CopyToMainFolders = rule != 3;
                in.CopyToMainFoldersExtensions = rule == 3;
                shots[k] = Capture(k == 0 ? 1 : 8, [&](RunLog& log, Lines& state) {
                    Vol10State page;
                    const auto before = Tree(drive);
                    Vol10SimulateCopyFiles(page, in, log, {});
                    Vol10RunCopyFiles(page, in, log, {});
                    if (page.Counters.FilesOtherReasons > 0) state.push_back("refused");
                    Vol10StateLines(page, state);
                    Vol10UndoLastRun(page, log);
                    // Undo takes back exactly what the run made.
                    state.push_back(Tree(drive) == before ? "undone" : "not undone");
                    Vol10RunCopyFiles(page, in, log, {});
                    Vol10RunCopyFiles(page, in, log, {});
                    Vol10StateLines(page, state);
                    Vol10UndoLastRun(page, log);
                    Vol10StateLines(page, state);
                });
            }
            diff += Describe(shots[0], shots[1]);
            if (std::find(shots[1].state.begin(), shots[1].state.end(), "undone") == shots[1].state.end())
                diff += "rule " + std::to_string(rule) + ": undo left the tree changed\n";
            const auto refusedBox = [](const std::string& box) { return box.find("100046") != std::string::npos; };
            if (std::find(shots[0].state.begin(), shots[0].state.end(), "refused") == shots[0].state.end() ||
                std::none_of(shots[0].boxes.begin(), shots[0].boxes.end(), refusedBox))
                diff += "the input refused nothing\n";
        }
        return diff;
    });
}

// The overwrite rule over targets that all exist, so that every file takes
// a working copy: the simulation's items overlap on the pool (the run's go
// one after the other, for its working copies' names), and the simulation
// foretells the run line for line and count for count, touching nothing,
// with one worker and with eight.
TEST_F(FilePagesPool, CopyFilesSimulationOverlapsAndForetellsTheOverwritingRun) {
    constexpr int kFiles = 60;  // items long enough for the workers to meet
    Vol10Inputs in = CopyOverwriting({}, "Src");
    for (int m = 0; m < 16; ++m) in.IncludeFolders.push_back(P("R\\M" + std::to_string(m)));
    for (int f = 0; f < kFiles; ++f) drive.WriteFile("Src\\f" + std::to_string(f) + ".txt", "new");
    for (const unsigned workers : {1u, 8u}) {
        Fresh();
        drive.MakeFolder("Work\\COPYFILES");
        for (const std::string& m : in.IncludeFolders)
            for (int f = 0; f < kFiles; ++f) drive.WriteFile(m.substr(3) + "\\f" + std::to_string(f) + ".txt", "old");
        const ForceRunWorkers force(workers);
        plat::MessageBoxScript boxes;
        for (int i = 0; i < 4; ++i) boxes.Queue(plat::IDYES);
        const auto before = Tree(drive);
        testlog::RecordingLog simulated, ran;
        Vol10State page;
        Vol10SimulateCopyFiles(page, in, simulated, {});
        const std::size_t simulationWorking = LastPageRun().PeakWorking;
        EXPECT_EQ(Tree(drive), before) << workers;
        EXPECT_TRUE(page.Vol10OverwriteRecords.empty()) << workers;
        Vol10RunCopyFiles(page, in, ran, {});
        EXPECT_EQ(page.Vol10OverwriteRecords.size(), 16u * kFiles) << workers;
        EXPECT_EQ(simulated.lines, ran.lines) << workers;
        EXPECT_EQ(simulated.exports, ran.exports) << workers;
        EXPECT_EQ(simulated.counters, ran.counters) << workers;
        EXPECT_EQ(simulated.counters["lblStat10FilesOverWrited"], 16 * kFiles) << workers;
        if (workers > 1) {
            EXPECT_GT(simulationWorking, 1u);
            EXPECT_EQ(LastPageRun().PeakWorking, 1u);
        }
    }
}

// The folders an undo left, deepest first and equal levels the later made
// first, as one undo of the whole list leaves them (whichever item each
// was in).
bool LeftInListOrder(const Lines& made, const DEQ_CREATED_FOLDERS& left) {
    std::vector<std::pair<std::size_t, std::size_t>> keys;  // depth, place in `made`
    for (const auto& f : left) {
        const auto at = std::find(made.begin(), made.end(), std::string(f.Path));
        if (at == made.end()) return false;
        keys.push_back({static_cast<std::size_t>(std::count(f.Path.begin(), f.Path.end(), '\\')),
                        static_cast<std::size_t>(at - made.begin())});
    }
    return std::is_sorted(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a > b; });
}

// Type folders below nested, duplicate and interleaved destinations (the
// list's order puts "M1 x" and M10 between M1 and M1\In, which share an
// item), some of them left by an undo (a read-only destination, a file put
// in since): the same tree, lines, report and kept records with one and
// many workers, and a second undo, once they are free, restores the tree.
TEST_F(FilePagesPool, CopyFilesTypeFoldersUndoGivesTheSameWithOneAndManyWorkers) {
    ExpectSameAsNobody([&] {
        Snapshot shots[2];
        for (int k = 0; k < 2; ++k) {
            BuildMains(40, 16);
            for (const char* extra : {"R\\M1 x", "R\\M1\\In", "R\\M1\\In\\Deeper"}) drive.MakeFolder(extra);
            WriteSource({{"a.txt", "a"}, {"b.log", "b"}, {"Sub\\c.doc", "c"}, {"Sub\\Deep\\d", "no type"}});
            Vol10Inputs in = CopyInto(Mains(16));
            for (const char* extra : {"R\\M1 x", "R\\M1\\In", "r\\m1\\in", "R\\M1\\In\\Deeper"})
                in.IncludeFolders.push_back(P(extra));
            in.CopyToMainFolders = false;
            in.CopyToMainFoldersExtensions = true;
            const auto native = [&](const char* rel) { return drive.nativePath(rel); };
            shots[k] = Capture(k == 0 ? 1 : 8, [&](RunLog& log, Lines& state) {
                Vol10State page;
                const auto before = Tree(drive);
                Vol10RunCopyFiles(page, in, log, {});
                Vol10StateLines(page, state);
                Lines made;
                for (const auto& f : page.Vol10SubFoldersCopied) made.emplace_back(f.Path);
                const char* locked[] = {"R\\M1", "R\\M1 x", "R\\M10", "R\\M1\\In\\Deeper"};
                for (const char* rel : locked) chmod(native(rel).c_str(), 0555);
                drive.WriteFile("R\\M7\\txt\\put there since.txt", "theirs");
                Vol10UndoLastRun(page, log);
                Vol10StateLines(page, state);
                state.push_back(page.Vol10FoldersNotRemoved.size() >= 8 ? "some left" : "too few left");
                state.push_back(LeftInListOrder(made, page.Vol10FoldersNotRemoved) ? "in order" : "out of order");
                for (const char* rel : locked) chmod(native(rel).c_str(), 0755);
                fs::remove(native("R\\M7\\txt\\put there since.txt"));
                Vol10UndoLastRun(page, log);
                Vol10StateLines(page, state);
                state.push_back(Tree(drive) == before ? "undone" : "not undone");
            });
        }
        std::string diff = Describe(shots[0], shots[1]);
        for (const char* want : {"some left", "in order", "undone"})
            if (std::find(shots[1].state.begin(), shots[1].state.end(), want) == shots[1].state.end())
                diff += std::string("not ") + want + "\n";
        return diff;
    });
}

// Copies an undo cannot delete (their folders read-only) are kept and
// listed, the same with one and many workers; a second undo, once they are
// free, takes exactly those and restores the tree.
TEST_F(FilePagesPool, CopiesAnUndoLeftAreRetriedByTheNext) {
    ExpectSameAsNobody([&] {
        Snapshot shots[2];
        for (int k = 0; k < 2; ++k) {
            BuildMains(30, 12);
            WriteSource({{"a.txt", "a"}, {"b.log", "b"}});
            const Vol10Inputs in = CopyInto(Mains(12));
            const auto native = [&](const char* rel) { return drive.nativePath(rel); };
            shots[k] = Capture(k == 0 ? 1 : 8, [&](RunLog& log, Lines& state) {
                Vol10State page;
                const auto before = Tree(drive);
                Vol10RunCopyFiles(page, in, log, {});
                const char* locked[] = {"R\\M2", "R\\M7", "R\\M11"};
                for (const char* rel : locked) chmod(native(rel).c_str(), 0555);
                Vol10UndoLastRun(page, log);
                Vol10StateLines(page, state);
                state.push_back(page.Vol10FilesNotDeleted.size() == 6 ? "six left" : "not six left");
                for (const char* rel : locked) chmod(native(rel).c_str(), 0755);
                Vol10UndoLastRun(page, log);
                Vol10StateLines(page, state);
                state.push_back(Tree(drive) == before && page.Vol10FilesNotDeleted.empty() ? "undone" : "not undone");
            });
        }
        std::string diff = Describe(shots[0], shots[1]);
        for (const char* want : {"six left", "undone"})
            if (std::find(shots[1].state.begin(), shots[1].state.end(), want) == shots[1].state.end())
                diff += std::string("not ") + want + "\n";
        return diff;
    });
}

// The working folder among the destinations, in it or through a link: the
// run and its simulation are refused before anything is copied, with one
// box naming the first, and the last run's undo stays whole: the Undo puts
// back what that run overwrote. With one worker and with eight.
TEST_F(FilePagesPool, TheWorkingFolderAsADestinationStopsTheRunAndTheLastUndoStaysWhole) {
    for (const unsigned workers : {1u, 8u}) {
        Fresh();
        drive.WriteFile("Work\\COPYFILES\\b.txt", "kept");
        drive.WriteFile("R\\Dest\\a.txt", "old");
        drive.WriteFile("R\\Next\\a.txt", "next");
        WriteSource({{"a.txt", "new"}, {"b.txt", "new b"}});
        fs::create_directory_symlink(drive.nativePath("Work"), drive.nativePath("R\\ToWork"));
        const Vol10Inputs in = CopyOverwriting({P("R\\Dest")});
        Vol10Inputs refused = in;
        refused.IncludeFolders = {P("R\\Next"), P("R\\ToWork\\COPYFILES"), P("Work\\COPYFILES")};
        const Snapshot shot = Capture(workers, [&](RunLog& log, Lines&) {
            Vol10State page;
            Vol10RunCopyFiles(page, in, log, {});
            EXPECT_EQ(drive.ReadFile("R\\Dest\\a.txt"), "new") << workers;
            Vol10SimulateCopyFiles(page, refused, log, {});
            Vol10RunCopyFiles(page, refused, log, {});
            EXPECT_EQ(page.Vol10OverwriteRecords.size(), 1u) << workers;
            Vol10UndoLastRun(page, log);
            EXPECT_TRUE(page.Vol10OverwriteRecords.empty()) << workers;
        }, 16);
        EXPECT_EQ(drive.ReadFile("R\\Dest\\a.txt"), "old") << workers;
        EXPECT_FALSE(drive.Exists("R\\Dest\\b.txt")) << workers;
        EXPECT_EQ(drive.ReadFile("R\\Next\\a.txt"), "next") << workers;
        EXPECT_EQ(drive.ReadFile("Work\\COPYFILES\\b.txt"), "kept") << workers;
        Lines refusals;
        for (const std::string& box : shot.boxes)
            if (box.find("NOT PERFORMED") != std::string::npos) refusals.push_back(box);
        ASSERT_EQ(refusals.size(), 2u) << workers;
        for (std::size_t k = 0; k < 2; ++k) {
            EXPECT_NE(refusals[k].find(k == 0 ? "100074" : "100046"), std::string::npos) << refusals[k];
            EXPECT_NE(refusals[k].find("working folder"), std::string::npos) << refusals[k];
            EXPECT_TRUE(refusals[k].ends_with(P("R\\ToWork\\COPYFILES"))) << refusals[k];
        }
    }
}

// ---- rename files --------------------------------------------------------------------------------

void Vol12StateLines(const Vol12State& s, Lines& out) {
    for (const CounterLabel& c : s.Labels()) out.push_back(std::string(c.Label) + " " + Num(c.Value));
    for (const StringList* list : {&s.Vol12FoldersNotExist, &s.Vol12FilesSkipped, &s.Vol12FilesNotRenamed})
        out.insert(out.end(), list->begin(), list->end());
    for (const auto* pairs : {&s.Vol12OverwrittenPairs, &s.Vol12IncreasedNamePairs})
        for (const auto& p : *pairs) out.push_back(p.OldPath + " > " + p.NewPath);
    for (const auto& b : s.Vol12UndoBases) out.push_back("base " + b.Path);
    for (const auto* steps : {&s.Vol12UndoSteps, &s.Vol12FailedUndoSteps})
        for (const _tagRenameStep& step : *steps)
            out.push_back(step.Replaced ? "saved " + step.Saved.Target + " " + step.Saved.WorkingCopy + " " +
                                              Num(step.Saved.Base)
                                        : "moved " + step.Move.OldPath + " " + step.Move.NewPath + " " +
                                              Num(step.Move.Base));
}

// A listed folder that is the working folder or lies in it, however its
// text leads there, stops the run and its simulation before anything is
// renamed or recycled, with one box naming it, under every rule: the
// working copies there (this page's and the copy page's) keep their names,
// and the last run's undo stays whole: the Undo puts back what its
// overwrite rule replaced.
TEST_F(FilePagesPool, TheWorkingFolderStopsTheRenameRunAndTheLastUndoStaysWhole) {
    for (const bool overwrite : {true, false}) {
        for (const unsigned workers : {1u, 8u}) {
            Fresh();
            drive.WriteFile("R\\A\\a.txt", "a");
            drive.WriteFile("R\\A\\new_a.txt", "old");
            drive.WriteFile("R\\B\\b.txt", "b");
            drive.WriteFile("Work\\COPYFILES\\kept.txt", "the copy page's");
            fs::create_directory_symlink(drive.nativePath("Work"), drive.nativePath("R\\ToWork"));
            Vol12Inputs in;
            in.IncludeFolders = {P("R\\A")};
            in.NewPrefix = "new_";
            in.DuplicatedFilesDrop = !overwrite;
            in.DuplicatedFilesOverWrite = overwrite;
            in.WorkingDir = P("Work");
            in.WorkingCopiesDir = P("Work");
            Vol12Inputs refused = in;
            refused.IncludeFolders = {P("R\\B"), P("R\\ToWork\\COPYFILES"), P("Work")};
            Lines working;
            const Snapshot shot = Capture(workers, [&](RunLog& log, Lines&) {
                Vol12State page;
                Vol12RunRenameFiles(page, in, log, {});
                EXPECT_EQ(drive.ReadFile(overwrite ? "R\\A\\new_a.txt" : "R\\A\\a.txt"), "a") << workers;
                const auto before = Tree(drive);
                Vol12SimulateRenameFiles(page, refused, log, {});
                Vol12RunRenameFiles(page, refused, log, {});
                EXPECT_EQ(Tree(drive), before) << workers;
                Vol12UndoLastRun(page, log);
                EXPECT_TRUE(page.Vol12FailedUndoSteps.empty()) << workers;
            }, 16);
            EXPECT_EQ(drive.ReadFile("R\\A\\a.txt"), "a") << workers;
            EXPECT_EQ(drive.ReadFile("R\\A\\new_a.txt"), "old") << workers;
            EXPECT_EQ(drive.ReadFile("R\\B\\b.txt"), "b") << workers;
            EXPECT_EQ(drive.ReadFile("Work\\COPYFILES\\kept.txt"), "the copy page's") << workers;
            int refusals = 0;
            for (const std::string& box : shot.boxes) {
                EXPECT_EQ(box.find("120036"), std::string::npos) << box;
                EXPECT_EQ(box.find("120056"), std::string::npos) << box;  // no question after the refusal
                if (box.find("NOT PERFORMED") == std::string::npos) continue;
                ++refusals;
                EXPECT_NE(box.find("110037"), std::string::npos) << box;
                EXPECT_TRUE(box.ends_with(P("R\\ToWork\\COPYFILES"))) << box;
            }
            EXPECT_EQ(refusals, 2) << workers;  // the simulation's and the run's
        }
    }
}

// Page 11 with a folder of the working folder listed: refused before its
// questions with a box that names it as the program's own (not a drive),
// nothing deleted there or in the other listed folders.
TEST_F(FilePagesPool, TheWorkingFolderStopsTheDeleteRunBeforeItsQuestions) {
    for (const unsigned workers : {1u, 8u}) {
        Fresh();
        drive.WriteFile("R\\A\\a.txt", "a");
        drive.WriteFile("Work\\COPYFILES\\kept.txt", "the copy page's");
        drive.WriteFile("Work\\new_x.txt", "the rename page's");
        Vol11Inputs in;
        in.IncludeFolders = {P("R\\A"), P("Work\\COPYFILES")};
        in.DeleteOnlyFiles = true;
        in.DeleteOnlyFilesInMainFolder = false;
        in.Masks = {"*.*"};
        in.WorkingDir = P("Work");
        const auto before = Tree(drive);
        const Snapshot shot = Capture(workers, [&](RunLog& log, Lines&) {
            Vol11State page;
            Vol11SimulateDeleteFiles(page, in, log, {});
            Vol11RunDeleteFiles(page, in, log, {});
        });
        EXPECT_EQ(shot.tree, before) << workers;
        ASSERT_EQ(shot.boxes.size(), 2u) << workers;  // the simulation's and the run's
        for (const std::string& box : shot.boxes) {
            EXPECT_TRUE(box.starts_with(kFileRootRefusalCaption)) << box;
            EXPECT_NE(box.find("working folder"), std::string::npos) << box;
            EXPECT_TRUE(box.ends_with(P("Work\\COPYFILES"))) << box;
        }
    }
}

// A folder on a listed path swapped for a link to the working folder once
// the run was judged (at its question) is refused where each file page's
// run opens it, with the page's box naming it: nothing in the working
// folder is copied over, deleted or renamed.
TEST_F(FilePagesPool, AFolderSwappedForTheWorkingFolderAfterTheQuestionIsRefusedWhereTheRunWorks) {
    for (const unsigned workers : {1u, 8u}) {
        for (const int pageNumber : {10, 11, 12}) {
            Fresh();
            drive.WriteFile("Work\\COPYFILES\\w.txt", "working copy");
            drive.WriteFile("R\\L\\COPYFILES\\w.txt", "listed");
            WriteSource({{"w.txt", "new"}});
            const std::string listed = P("R\\L\\COPYFILES");
            ForceRunWorkers force(workers);
            Lines boxes;
            bool swapped = false;
            const plat::MessageBoxHandler previous = plat::SetMessageBoxHandler(
                [&](const std::string& text, const std::string& caption, unsigned flags) {
                    boxes.push_back(caption + ": " + text);
                    if ((flags & plat::MB_BUTTONMASK) != plat::MB_YESNO) return int(plat::IDOK);
                    if (!std::exchange(swapped, true)) {
                        fs::rename(drive.nativePath("R\\L"), drive.nativePath("R\\Lold"));
                        fs::create_directory_symlink(drive.nativePath("Work"), drive.nativePath("R\\L"));
                    }
                    return int(plat::IDYES);
                });
            testlog::RecordingLog log;
            if (pageNumber == 10) {
                Vol10State page;
                Vol10RunCopyFiles(page, CopyOverwriting({listed}), log, {});
            } else if (pageNumber == 11) {
                Vol11Inputs in;
                in.IncludeFolders = {listed};
                in.DeleteDoubleConfirm = false;
                in.Masks = {"*.*"};
                in.WorkingDir = P("Work");
                Vol11State page;
                Vol11RunDeleteFiles(page, in, log, {});
            } else {
                Vol12Inputs in;
                in.IncludeFolders = {listed};
                in.NewPrefix = "new_";
                in.WorkingDir = P("Work");
                Vol12State page;
                Vol12RunRenameFiles(page, in, log, {});
            }
            plat::SetMessageBoxHandler(previous);
            const std::string at = std::to_string(pageNumber) + " " + std::to_string(workers);
            EXPECT_TRUE(swapped) << at;
            EXPECT_EQ(drive.ReadFile("Work\\COPYFILES\\w.txt"), "working copy") << at;
            EXPECT_EQ(drive.ReadFile("R\\Lold\\COPYFILES\\w.txt"), "listed") << at;
            EXPECT_FALSE(drive.Exists("Work\\COPYFILES\\new_w.txt")) << at;
            const auto refusal = std::find_if(boxes.begin(), boxes.end(), [](const std::string& box) {
                return box.find("NOT PERFORMED") != std::string::npos;
            });
            ASSERT_NE(refusal, boxes.end()) << at;
            EXPECT_TRUE(refusal->ends_with(listed)) << *refusal;
            EXPECT_NE(refusal->find("working folder"), std::string::npos) << *refusal;
            for (const std::string& box : boxes) EXPECT_EQ(box.find("drive without"), std::string::npos) << box;
        }
    }
}

// The undo's set-up failing (here the Visual Log, emptied before its
// parts start) gives every step back: the next Undo undoes them all.
TEST_F(FilePagesPool, AnUndoWhoseSetUpFailsKeepsEveryStep) {
    struct BrokenLog : testlog::RecordingLog {
        void ClearLogLists() override { throw std::runtime_error("log gone"); }
    };
    for (const unsigned workers : {1u, 8u}) {
        BuildMains(7, 6);
        const auto before = Tree(drive);
        Vol12Inputs in;
        in.IncludeFolders = Mains(6);
        in.NewPrefix = "new_";
        in.InMainFoldersAndSubFolders = true;
        in.DuplicatedFilesDrop = true;
        in.WorkingDir = P("Work");
        in.WorkingCopiesDir = P("Work");
        ForceRunWorkers force(workers);
        plat::MessageBoxScript boxes;
        for (int i = 0; i < 8; ++i) boxes.Queue(plat::IDYES);
        testlog::RecordingLog log;
        Vol12State page;
        Vol12RunRenameFiles(page, in, log, {});
        ASSERT_NE(Tree(drive), before);
        BrokenLog broken;
        Vol12UndoLastRun(page, broken);
        EXPECT_NE(boxes.shown().back().text.find("log gone"), std::string::npos) << workers;
        Vol12UndoLastRun(page, log);
        EXPECT_EQ(Tree(drive), before) << workers;
    }
}

TEST_F(FilePagesPool, RenameFilesAndItsUndoGiveTheSameWithOneAndManyWorkers) {
    ExpectSameAsNobody([&] {
        std::string diff;
        for (int rule = 0; rule < 4; ++rule) {
            for (int mode = 0; mode < 3; ++mode) {
                Snapshot shots[2];
                for (int k = 0; k < 2; ++k) {
                    BuildMains(20 + rule * 3 + mode, 16);
                    // Names the new ones meet.
                    for (int m = 0; m < 16; m += 3) {
                        drive.WriteFile("R\\M" + std::to_string(m) + "\\new_f1.txt", "in the way");
                        drive.WriteFile("R\\M" + std::to_string(m) + "\\f1.log", "f1");
                    }
                    Vol12Inputs in;
                    in.IncludeFolders = Mains(16);
                    in.NewPrefix = "new_";
                    in.InMainFolders = mode == 0;
                    in.InMainFoldersAndSubFolders = mode == 1;
                    in.InSubFolders = mode == 2;
                    in.DuplicatedFilesDrop = rule == 0;
                    in.DuplicatedFilesOverWrite = rule == 1;
                    in.DuplicatedFilesIncreaseFileNames = rule == 2;
                    in.DuplicatedFilesIncreaseFileTypes = rule == 3;
                    in.WorkingDir = P("Work");
                    in.WorkingCopiesDir = P("Work");
                    shots[k] = Capture(k == 0 ? 1 : 8, [&](RunLog& log, Lines& state) {
                        Vol12State page;
                        const auto before = Tree(drive);
                        Vol12SimulateRenameFiles(page, in, log, {});
                        Vol12RunRenameFiles(page, in, log, {});
                        Vol12StateLines(page, state);
                        Vol12UndoLastRun(page, log);
                        Vol12StateLines(page, state);
                        state.push_back(Tree(drive) == before ? "undone" : "not undone");
                        Vol12RunRenameFiles(page, in, log, {});
                        Vol12RunRenameFiles(page, in, log, {});
                        Vol12StateLines(page, state);
                    });
                }
                diff += Describe(shots[0], shots[1]);
                if (std::find(shots[1].state.begin(), shots[1].state.end(), "undone") == shots[1].state.end())
                    diff += "rule " + std::to_string(rule) + ": undo left the tree changed\n";
                if (shots[0].lines[Vol12CatFilesRenamed].empty()) diff += "the input renamed nothing\n";
            }
        }
        return diff;
    });
}

// ---- the program's folders below a listed folder --------------------------------------------

// The program folder inside a listed folder: no walk that deletes or
// renames below the listed folder enters it (nor the working folder in
// it), with one worker or eight; each page names it once among what it did
// not do for another reason, as page 07 does; page 11 counts it as one
// file it does not delete, for the files in it. The user's files around it
// are done.
TEST_F(FilePagesPool, AListedFolderThatHoldsTheProgramFolderLeavesItWhole) {
    const std::string program = P("Outer\\prog"), working = P("Outer\\prog\\WorkingDir");
    const auto own = [&] {
        std::map<std::string, std::string> files;
        for (const auto& [path, entry] : Tree(drive))
            if (path.find("/Outer/prog") == 0) files[path] = entry;
        return files;
    };
    for (const unsigned workers : {1u, 8u}) {
        for (const int pageNumber : {7, 11, 12}) {
            const std::string at = "page " + std::to_string(pageNumber) + ", " + std::to_string(workers);
            Wipe(drive, "Outer");
            drive.WriteFile("Outer\\a.txt", "a");
            drive.WriteFile("Outer\\Sub\\b.txt", "b");
            drive.WriteFile("Outer\\prog\\default.set", "settings");
            drive.WriteFile("Outer\\prog\\help.txt", "help");
            drive.WriteFile("Outer\\prog\\WorkingDir\\COPYFILES\\kept.txt", "a working copy");
            const plat::FolderLock lock(program);
            const auto before = own();
            ASSERT_EQ(before.size(), 7u) << at;  // with the lock file
            double otherReasons = 0;
            StringList named;
            const Snapshot shot = Capture(workers, [&](RunLog& log, Lines&) {
                if (pageNumber == 7) {
                    Vol07Inputs in;
                    in.IncludeFolders = {P("Outer")};
                    in.ProgramFolder = program;
                    in.WorkingDir = working;
                    Vol07Counters counters;
                    RealDisk disk;
                    Vol07DeleteMainFolders(counters, in, disk, log);
                    otherReasons = counters.FoldersOtherReasons;
                } else if (pageNumber == 11) {
                    Vol11Inputs in;
                    in.IncludeFolders = {P("Outer")};
                    in.DeleteOnlyFilesInMainFolder = false;
                    in.DeleteOnlyFiles = true;
                    in.DeleteDoubleConfirm = false;
                    in.Masks = {"*.*"};
                    in.ProgramFolder = program;
                    in.WorkingDir = working;
                    Vol11State page;
                    Vol11CountFilesToDelete(page, in);
                    EXPECT_EQ(page.FilesToDelete, 3) << at;
                    Vol11RunDeleteFiles(page, in, log, {});
                    otherReasons = page.FilesOtherReasons;
                    EXPECT_EQ(page.FoldersOtherReasons, 0) << at;
                } else {
                    Vol12Inputs in;
                    in.IncludeFolders = {P("Outer")};
                    in.NewPrefix = "new_";
                    in.InMainFolders = false;
                    in.InMainFoldersAndSubFolders = true;
                    in.ProgramFolder = program;
                    in.WorkingDir = in.WorkingCopiesDir = working;
                    Vol12State page;
                    Vol12RunRenameFiles(page, in, log, {});
                    otherReasons = page.FilesOtherReasons;
                    named = page.Vol12FilesNotRenamed;
                }
            });
            EXPECT_EQ(own(), before) << at;
            EXPECT_EQ(otherReasons, 1) << at;
            if (pageNumber == 12) {
                const std::string line = "NOT Renamed  Source: " + program + " To Dest: " + program;
                EXPECT_EQ(named, StringList{line}) << at;
                EXPECT_EQ(shot.lines[Vol12CatFilesOtherReasons], Lines{line}) << at;
                EXPECT_TRUE(drive.Exists("Outer\\new_a.txt") && drive.Exists("Outer\\Sub\\new_b.txt")) << at;
            } else {
                const int category =
                    pageNumber == 7 ? int(Vol07CatFoldersOtherReasons) : int(Vol11CatFilesOtherReasons);
                EXPECT_EQ(shot.lines[category], Lines{program}) << at;
                EXPECT_FALSE(drive.Exists("Outer\\a.txt") || drive.Exists("Outer\\Sub\\b.txt")) << at;
            }
        }
    }
}

}  // namespace
