// The real main window with one of the folder pages in front: boxes and
// modal windows scripted, the page's Include list filled through its editor,
// the drive's tree read back.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
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

namespace folderpage {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

template <class T>
T* C(const char* name) {
    return frmMain->findChild<T*>(QString::fromUtf8(name));
}

class FolderPageFixture : public ::testing::Test {
protected:
    // The page's Include list editor (made with the windows) and its buttons.
    FolderPageFixture(char letter, std::function<QDialog*()> editor, const char* editorOk, const char* editButton)
        : drive(letter), editor_(std::move(editor)), editorOk_(editorOk), editButton_(editButton) {}

    void SetUp() override {
        drive.MakeFolder("Prog");
        oldCwd = fs::current_path();
        fs::current_path(drive.nativePath("Prog"));
        ResetSettingsToInitialValues();
        ResetStartStateWords();
        previousBoxes = plat::SetMessageBoxHandler([this](const std::string& text, const std::string& caption,
                                                          unsigned flags) {
            captions.push_back(caption.substr(caption.rfind(' ') + 1));
            texts.push_back(text);
            if ((flags & plat::MB_BUTTONMASK) != plat::MB_YESNO) return int(plat::IDOK);
            return answer;
        });
        qtplat::SetModalHandler([this](QDialog* dialog) {
            if (auto* start = qobject_cast<TfrmRestoreSettings*>(dialog)) {
                start->findChild<QAbstractButton*>("btnRestoreSettingsOk")->click();
            } else if (dialog == editor_()) {
                dialog->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(memo));
                dialog->findChild<QAbstractButton*>(editorOk_)->click();
            } else {
                modals.push_back(dialog->metaObject()->className());
                OtherModal(dialog);
            }
            return dialog->result();
        });
        CreateAppWindows();
        frmMain->FormActivate();
        SetProgramFolder(drive.path("Prog"));
    }
    void TearDown() override {
        DestroyAppWindows();
        qtplat::SetModalHandler({});
        plat::SetMessageBoxHandler(previousBoxes);
        fs::current_path(oldCwd);
    }
    // A modal window other than the settings start and the editor was shown.
    virtual void OtherModal(QDialog*) {}
    void Click(const char* name) { C<QAbstractButton>(name)->click(); }
    bool Enabled(const char* name) { return pagekit::IsOwnEnabled(C<QWidget>(name)); }
    Lines Tree() const {
        Lines out;
        for (const auto& e : fs::recursive_directory_iterator(drive.native()))
            out.push_back(fs::relative(e.path(), drive.native()).string());
        std::sort(out.begin(), out.end());
        return out;
    }
    void Edit(const std::string& text) {
        memo = text;
        Click(editButton_);
    }
    Lines Items(const char* list) {
        Lines out;
        for (int i = 0; i < C<QListWidget>(list)->count(); ++i)
            out.push_back(C<QListWidget>(list)->item(i)->text().toStdString());
        return out;
    }

    testsupport::TempDrive drive;
    fs::path oldCwd;
    plat::MessageBoxHandler previousBoxes;
    std::string memo;
    int answer = plat::IDYES;
    Lines captions, texts, modals;

private:
    std::function<QDialog*()> editor_;
    const char* editorOk_;
    const char* editButton_;
};

}  // namespace folderpage
