// On a slow share the window keeps answering while a page reads: every run,
// simulation, undo and count reads on the run pool, and the window thread
// polls its event loop meanwhile. Each case clicks through a page in the
// real main window with every file-system call taking 10 ms, and measures
// the longest the window thread went without polling: a window that does
// not answer for long is one the window manager offers to kill.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include <chrono>
#include <functional>
#include <string>

#include "pages/creation/Vol03Page.h"
#include "shell/TfrmMain.h"
#include "tests/support/SlowShare.h"
#include "tests/ui/PageWindowFixture.h"

using namespace std::chrono_literals;
using pagewindow::C;

namespace {

// 10 ms a call; the window answers within 150 ms (a dozen calls at most
// between two polls, the 0.2 s at a share's 20 ms a request).
constexpr auto kPerCall = 10ms;
constexpr auto kLongestWait = 150ms;

class WindowAnswers : public pagewindow::PageWindowFixture {
protected:
    WindowAnswers() : PageWindowFixture('W') {}

    // A structure of `folders` folders with a file in each.
    void MakeStructure(const std::string& name, int folders) {
        for (int i = 0; i < folders; ++i)
            drive.WriteFile(name + "\\d" + std::to_string(i / 8) + "\\f" + std::to_string(i) + "\\x.txt", "x");
    }
    void SetText(const char* name, const std::string& text) {
        C<QLineEdit>(name)->setText(QString::fromStdString(text));
    }
    // Clicks `button` on the slow share; the window's longest wait.
    void ExpectAnswers(const char* button, const std::function<void()>& check = {}) {
        testsupport::SlowShare share(kPerCall);
        Click(button);
        share.Stop();
        EXPECT_LT(share.LongestWait(), kLongestWait)
            << button << ": " << share.CallsInLongestWait() << " calls without a poll, the first from\n"
            << share.WhereLongestWaitBegan();
        if (check) check();
    }
};

}  // namespace

TEST_F(WindowAnswers, CreateFromIncreasedNumbers) {
    MakeStructure("S", 40);
    drive.MakeFolder("Dest");
    Vol03Page* page = frmMain->Page03;
    page->Vol03SetDestFolder(drive.path("Dest"));
    SetText("edtVol03StartNumber", "1");
    SetText("edtVol03EndNumber", "3");
    page->edtVol03EndNumberExit();
    Click("rdoVol03AttachMainFolderWithFiles");
    page->Vol03AddStructure(drive.path("S"));
    ExpectAnswers("btnVol03CreateFoldersSimulation");
    ExpectAnswers("btnVol03CreateFolders", [&] { EXPECT_TRUE(drive.Exists("Dest\\3\\S\\d4\\f39\\x.txt")); });
    ExpectAnswers("btnVol03Undo", [&] { EXPECT_FALSE(drive.Exists("Dest\\3")); });
}
