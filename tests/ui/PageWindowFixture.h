// The real main window with one page in front: the program folder made the
// current one, the settings at their first values, every box and modal
// window scripted and recorded, an Include list editor filled with `memo`,
// the drive's tree read back.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/SettingsStore.h"
#include "pages/PageCommon.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"
#include "tests/support/TempDrive.h"

namespace pagewindow {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

template <class T>
T* C(const char* name) {
    return frmMain->findChild<T*>(QString::fromUtf8(name));
}

// A page's Include list editor (made with the windows) and its buttons.
struct IncludeEditor {
    std::function<QDialog*()> window;
    const char* okButton = nullptr;
    const char* openButton = nullptr;
};

// Acts once when `window` is next shown: a run shows its Visual Log (hidden
// before it) once its start has counted, before its work.
class WhenShown : public QObject {
public:
    WhenShown(QWidget* window, std::function<void()> act) : window_(window), act_(std::move(act)) {
        window_->hide();
        window_->installEventFilter(this);
    }
    ~WhenShown() override { window_->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show && act_) std::exchange(act_, nullptr)();
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> act_;
};

class PageWindowFixture : public ::testing::Test {
protected:
    explicit PageWindowFixture(char letter, std::string programFolder = "prog", IncludeEditor editor = {})
        : drive(letter), programFolder_(std::move(programFolder)), editor_(std::move(editor)) {}

    void SetUp() override {
        drive.MakeFolder(programFolder_);
        oldCwd = fs::current_path();
        fs::current_path(drive.nativePath(programFolder_));
        ResetSettingsToInitialValues();
        ResetStartStateWords();
        BeforeWindows();
        previousBoxes = plat::SetMessageBoxHandler([this](const std::string& text, const std::string& caption,
                                                          unsigned flags) {
            captions.push_back(caption.substr(caption.rfind(' ') + 1));
            texts.push_back(text);
            if (onBox) onBox(caption);
            if ((flags & plat::MB_BUTTONMASK) != plat::MB_YESNO) return int(plat::IDOK);
            return answer;
        });
        qtplat::SetModalHandler([this](QDialog* dialog) {
            if (auto* start = qobject_cast<TfrmRestoreSettings*>(dialog)) {
                start->findChild<QAbstractButton*>("btnRestoreSettingsOk")->click();
            } else if (editor_.window && dialog == editor_.window()) {
                dialog->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(memo));
                dialog->findChild<QAbstractButton*>(editor_.okButton)->click();
            } else {
                modals.push_back(dialog->metaObject()->className());
                OtherModal(dialog);
                if (onModal) return onModal(dialog);
            }
            return dialog->result();
        });
        CreateAppWindows();
        frmMain->FormActivate();
        // The shell takes its folder from the current one; the pages' runs refuse it.
        EXPECT_EQ(GetProgramFolder(), drive.path(programFolder_));
        captions.clear();
        texts.clear();
        modals.clear();
    }
    void TearDown() override {
        DestroyAppWindows();
        qtplat::SetModalHandler({});
        plat::SetMessageBoxHandler(previousBoxes);
        fs::current_path(oldCwd);
        // Run in one process, the next test must not meet this program
        // folder on a drive that is gone: its runs would refuse every change.
        ResetSettingsToInitialValues();
    }
    // Settings the page's tests start from, set before the windows are made.
    virtual void BeforeWindows() {}
    // A modal window other than the settings start and the editor was shown.
    virtual void OtherModal(QDialog*) {}

    void Click(const char* name) { C<QAbstractButton>(name)->click(); }
    void SetText(const char* name, const std::string& text) {
        C<QLineEdit>(name)->setText(QString::fromStdString(text));
    }
    // Folders name0 .. name<n-1>, each with `file` when one is named; their paths a line each.
    std::string MakeFolders(const std::string& name, int n, const std::string& file = "") {
        std::string lines;
        for (int i = 0; i < n; ++i) {
            const std::string folder = name + std::to_string(i);
            file.empty() ? drive.MakeFolder(folder) : drive.WriteFile(folder + "\\" + file, "x");
            lines += drive.path(folder) + "\n";
        }
        return lines;
    }
    bool Enabled(const char* name) { return pagekit::IsOwnEnabled(C<QWidget>(name)); }
    Lines Items(const char* list) {
        const StringList items = pagekit::ListItems(C<QListWidget>(list));
        return Lines(items.begin(), items.end());
    }
    // Fills the Include list through the page's editor.
    void Edit(const std::string& text) {
        memo = text;
        Click(editor_.openButton);
    }
    Lines Tree() const {
        Lines out;
        for (const auto& e : fs::recursive_directory_iterator(drive.native()))
            out.push_back(fs::relative(e.path(), drive.native()).string());
        std::sort(out.begin(), out.end());
        return out;
    }

    testsupport::TempDrive drive;
    fs::path oldCwd;
    plat::MessageBoxHandler previousBoxes;
    std::string memo;
    int answer = plat::IDYES;                          // to every Yes/No box
    std::function<void(const std::string&)> onBox;     // sees each box's caption as it is up
    std::function<int(QDialog*)> onModal;              // answers the windows OtherModal sees
    Lines captions, texts, modals;                     // modals: class names of those windows

private:
    std::string programFolder_;
    IncludeEditor editor_;
};

}  // namespace pagewindow
