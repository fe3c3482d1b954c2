// The main window: the page frame with the ten operation pages, the menus,
// start-up and shutdown, the start window and the profiles, and the bridge
// that moves settings between the settings store and the pages' controls.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pages/PageCommon.h"

namespace Ui {
class TfrmMain;
}
namespace plat {
class FolderLock;
}

class Vol02Page;
class Vol03Page;
class Vol04Page;
class Vol06Page;
class Vol07Page;
class Vol08Page;
class Vol10Page;
class Vol11Page;
class Vol12Page;
class Vol15Page;

class TfrmMain : public QMainWindow, public MainWindowShared {
    Q_OBJECT

public:
    // Creating the window runs FormCreate: the program folder is the
    // current directory at this moment.
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // ---- life of the program ------------------------------------------------------
    void FormCreate();
    // Every activation; the first one also shows the start window and
    // applies the chosen restore mode.
    void FormActivate();
    // Collects every page into the store and writes default.set.
    void FormClose();
    void FormDestroy();
    // Calls `action` once no page's run (nor any handler that waits, a
    // count or a read) is under way: at once when none is. A close, or the
    // end of the session, during a run waits for its end.
    void AfterRun(std::function<void()> action);
    // A close asked for during a run, or while a modal window is open over
    // the window: the window closes once the run has ended and the modal
    // window is closed, with what its opener did after it (once, however
    // often it is asked).
    void CloseAfterTheRun();

    // ---- settings bridge ----------------------------------------------------------
    void RestoreControlsFromSettings();
    void RestorePageListsFromSettings();
    void RefreshAllPagesAfterRestore();
    void ReapplyAttachOptions();
    void SaveControlsToSettings();

    // ---- menus ----------------------------------------------------------------------
    void EnableStartWindowForRestoreSettingsClick();
    void OpenRestoreProfile1Click();
    void SaveProfile1Click();
    // Help menu.
    void OverViewClick();
    void About1Click();
    void Howtovideosonline1Click();
    // The Settings menu item as the start window's answer leaves it.
    void ShowStartWindowMenuState(bool shownAgain);

    // A tab sheet of the page frames by name ("tabFolderCopy").
    void SetTabSheetEnabled(const char* sheet, bool enabled);
    // A page's run starts or ends: the other pages' sheets follow.
    void EnableOtherTabSheets(QWidget* page, bool enabled) override;

    Vol02Page* Page02;
    Vol03Page* Page03;
    Vol04Page* Page04;
    Vol06Page* Page06;
    Vol07Page* Page07;
    Vol08Page* Page08;
    Vol10Page* Page10;
    Vol11Page* Page11;
    Vol12Page* Page12;
    Vol15Page* Page15;

    Ui::TfrmMain* ui;

    // The file pages' one-line summaries of the file selection.
    void ShowFileTypeSelection(const std::string& line);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PutPagesIntoEmptyState();
    void RefreshVisualLogCaptions();
    void RefreshFileTypeLists();
    // An activation during a run: its refresh once the run is over, if the
    // window is still the active one then (once, however often it comes).
    void ActivateAfterTheRun();

    bool InFirstActivation = false;
    bool Destroyed = false;
    bool Closed = false;
    bool CloseAfterRun = false;
    bool ActivateAfterRun = false;
    // The hold on the settings folder: one copy of the program writes its session.
    std::unique_ptr<plat::FolderLock> SettingsFolderLock;
    // The hold on this copy's own working folder, when it does not hold the settings folder.
    std::unique_ptr<plat::FolderLock> OwnWorkingFolderLock;
};

extern TfrmMain* frmMain;
