// The create pages' engine tests: one fixture over the page under test (a
// temporary drive, the scripted boxes, the page's state, inputs and hooks,
// a recording log) with the run, simulation and undo answered Yes, and the
// drive's tree read back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <type_traits>
#include <utility>

#include "core/TemplateOptions.h"
#include "core/Types.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol03Engine.h"
#include "pages/creation/Vol04Engine.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/CreationTestLog.h"

namespace creationtest {

// A page's engine as its tests call it, and the folder template options it reads.
template <class S, class I, class H, int TemplateIndex>
struct PageTypes {
    using State = S;
    using Inputs = I;
    using Hooks = H;
    static constexpr int kTemplateIndex = TemplateIndex;
};

struct Page02 : PageTypes<Vol02State, Vol02Inputs, RunHooks, 2> {
    static constexpr auto CheckDiskSpace = &Vol02CheckDiskSpace;
    static constexpr auto Run = &Vol02RunCreateFolders;
    static constexpr auto Simulate = &Vol02SimulateCreateFolders;
    static constexpr auto Undo = &Vol02UndoLastRun;
};
struct Page03 : PageTypes<Vol03State, Vol03Inputs, Vol03PageHooks, 3> {
    static constexpr auto CheckDiskSpace = &Vol03CheckDiskSpace;
    static constexpr auto Run = &Vol03RunCreateFolders;
    static constexpr auto Simulate = &Vol03SimulateCreateFolders;
    static constexpr auto Undo = &Vol03UndoLastRun;
};
struct Page04 : PageTypes<Vol04State, Vol04Inputs, RunHooks, 1> {
    static constexpr auto CheckDiskSpace = &Vol04CheckDiskSpace;
    static constexpr auto Run = &Vol04RunCreateFolders;
    static constexpr auto Simulate = &Vol04SimulateCreateFolders;
    static constexpr auto Undo = &Vol04UndoLastRun;
};

// Every path below the drive's root (without the root, so two drives
// compare), sorted, with file contents.
inline std::map<std::string, std::string> Tree(const testsupport::TempDrive& drive) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(drive.native())) {
        std::string content = "<dir>";
        if (e.is_regular_file()) {
            std::ifstream in(e.path(), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(in), {});
        }
        tree[e.path().string().substr(drive.native().size())] = content;
    }
    return tree;
}

// The paths of an undo record's folders or files, in its order.
template <class Records>
StringList Paths(const Records& records) {
    StringList paths;
    for (const auto& r : records) paths.emplace_back(r.Path);
    return paths;
}

template <class Page>
class EngineFixture : public ::testing::Test {
protected:
    using State = typename Page::State;
    using Inputs = typename Page::Inputs;
    // Pages 02 and 03 make every main folder in one destination: "Dest".
    static constexpr bool kOneDestination = std::is_base_of_v<NamePartInputs, Inputs>;
    inline static const std::string kStart = "simulation start";
    inline static const std::string kEnd = "simulation end";

    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;
    State state;
    RecordingLog log;
    Inputs in;
    typename Page::Hooks hooks;
    int focusStructure = 0, tabsOff = 0, tabsOn = 0;

    void SetUp() override {
        if constexpr (kOneDestination) {
            drive.MakeFolder("Dest");
            in.DestFolder = drive.path("Dest");
        }
        in.AttachNothing = true;
        in.ViewDestFolder = false;
        hooks.FocusAddFolderStructure = [this] { ++focusStructure; };
        hooks.EnableOtherTabSheets = [this](bool on) { ++(on ? tabsOn : tabsOff); };
    }
    // The template options outlive a test: the next starts from the defaults.
    void TearDown() override { SetFolderTemplateOptions(Page::kTemplateIndex, _tagFoldersTemplateOptions()); }

    std::string D(const std::string& rel) const
        requires kOneDestination
    {
        return drive.path("Dest\\" + rel);
    }
    // Two structures that collide when both are attached: f.txt in each, k a
    // file in S1 and a folder in S2; S1 goes deeper.
    void WriteCollidingStructures() const {
        drive.WriteFile("S1\\f.txt", "one");
        drive.WriteFile("S1\\k", "file");
        drive.WriteFile("S1\\sub\\deep\\g.txt", "g");
        drive.WriteFile("S2\\f.txt", "two");
        drive.WriteFile("S2\\k\\in.txt", "in");
    }
    void UseStructures(StringList entries, bool mainFolder, bool withFiles) {
        in.AttachNothing = false;
        in.FullPaths = true;
        in.RelativePaths = false;
        in.FolderStructures = std::move(entries);
        in.MainFolderWithFiles = mainFolder && withFiles;
        in.MainFolderWithoutFiles = mainFolder && !withFiles;
        in.SubFoldersOnlyWithFiles = !mainFolder && withFiles;
        in.SubFoldersOnlyWithoutFiles = !mainFolder && !withFiles;
        Page::CheckDiskSpace(state, in, withFiles);  // as the page does after every change
    }
    void UseTemplates(StringList lines) {
        in.AttachNothing = false;
        in.FullPaths = false;
        in.RelativePaths = true;
        in.FolderStructures = std::move(lines);
    }
    void Run() {
        boxes.Queue(plat::IDYES);
        Page::Run(state, in, log, hooks);
    }
    void Simulate() {
        boxes.Queue(plat::IDYES);
        Page::Simulate(state, in, log, hooks, kStart, kEnd);
    }
    void Undo() {
        boxes.Queue(plat::IDYES);
        Page::Undo(state, log);
    }
    // The number at the end of each box's caption, in the order shown.
    Lines Captions() const {
        Lines out;
        for (const auto& b : boxes.shown()) out.push_back(b.caption.substr(b.caption.rfind(' ') + 1));
        return out;
    }
};

}  // namespace creationtest
