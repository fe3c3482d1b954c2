#include "shell/TfrmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolTip>
#include <initializer_list>

#include "core/PathTools.h"
#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "pages/checker/Vol15Page.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/creation/Vol04Page.h"
#include "pages/files/Vol10Page.h"
#include "pages/files/Vol11Page.h"
#include "pages/files/Vol12Page.h"
#include "pages/folders/Vol06Page.h"
#include "pages/folders/Vol07Page.h"
#include "pages/folders/Vol08Page.h"
#include "pages/PageMessages.h"
#include "pages/RunBusy.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic06.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic12.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmStatistics11.h"
#include "shell/AppState.h"
#include "shell/TfrmRestoreSettings.h"
#include "ui_TfrmMain.h"
#include "ui_TfrmRestoreSettings.h"

using namespace pagekit;

TfrmMain* frmMain = nullptr;

namespace {

constexpr int kHorizontalExtent = 3000;
constexpr int kHintHidePauseMs = 600000;  // hints stay up to ten minutes

const char* const kSumLabels[] = {
    "lblVol02IncludeSum", "lblVol02ExcludeSum", "lblVol02FolderStructuresTemplatesSum",
    "lblVol03FolderStructuresTemplatesSum", "lblVol04IncludeSum", "lblVol04ExcludeSum",
    "lblVol04FolderStructuresTemplatesSum", "lblVol06IncludeSum", "lblVol06ExcludeSum", "lblVol07IncludeSum",
    "lblVol07ExcludeSum", "lblVol08IncludeSum", "lblVol08ExcludeSum", "lblVol08FolderStructuresTemplatesSum",
    "lblVol10IncludeSum", "lblVol10ExcludeSum", "lblVol10FolderStructuresSum", "lblVol11IncludeSum",
    "lblVol11ExcludeSum", "lblVol12IncludeSum", "lblVol12ExcludeSum", "lblVol15IncludeSum", "lblVol15ExcludeSum",
    "lblVol15FolderStructuresTemplatesSum",
};

const char* const kWideLists[] = {
    "lstVol02IncludeStrings", "lstVol02ExcludeStrings", "lstVol02AddFolderStructure", "lstVol03AddFolderStructure",
    "lstVol04IncludeFolderList", "lstVol04ExcludeFolderList", "lstVol04AddFolderStructure",
    "lstVol06IncludeFolderList", "lstVol06ExcludeFolderList", "lstVol07IncludeFolderList",
    "lstVol07ExcludeFolderList", "lstVol08IncludeFolderList", "lstVol08ExcludeFolderList",
    "lstVol08AddFolderStructure", "lstVol10IncludeFolderList", "lstVol10ExcludeFolderList",
    "lstVol10AddFolderStructure", "lstVol11IncludeFolderList", "lstVol11ExcludeFolderList",
    "lstVol12IncludeFolderList", "lstVol12ExcludeFolderList", "lstVol15IncludeFolderList",
    "lstVol15ExcludeFolderList", "lstVol15AddFolderStructure",
};

const char* const kFileTypeLists[] = {
    "lstVol08FileTypesAllSelected", "lstVol10FileTypesAllSelected", "lstVol11FileTypesAllSelected",
    "lstVol15FileTypesAllSelected",
};

// Keeps every hint up for the program's hint pause instead of Qt's few seconds.
class HintPauseFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->toolTip().isEmpty()) return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), widget->toolTip(), widget, {},
                           kHintHidePauseMs);
        return true;
    }
};

// Once per application object; the filter goes with it.
void InstallHintPause() {
    static QPointer<QObject> installed;
    if (!qApp || installed) return;
    installed = new HintPauseFilter(qApp);
    qApp->installEventFilter(installed);
}

// A page scrolls in its tab sheet when the window is smaller than the page,
// so that a small screen never hides its run buttons.
QWidget* InScrollArea(QWidget* page) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(page);
    return area;
}

// A default.set that cannot be read is kept under another name; the
// defaults are then written in its place. Returns the new name, or "" when
// it could not be moved.
std::string SetDamagedSettingsFileAside(const std::string& file) {
    const std::string stamped =
        file + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString();
    for (int n = 0; n < 1000; ++n) {
        const std::string target = n == 0 ? stamped : stamped + "-" + std::to_string(n);
        if (plat::PathExists(target)) continue;
        const plat::FsResult moved = plat::MoveNoReplace(file, target);
        if (moved == plat::FsResult::Ok) return target;
        if (moved != plat::FsResult::AlreadyExists) break;
    }
    return {};
}

}  // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent), ui(new Ui::TfrmMain) {
    ui->setupUi(this);
    if (!frmMain) frmMain = this;

    Page02 = new Vol02Page(*this);
    Page03 = new Vol03Page(*this);
    Page04 = new Vol04Page(*this);
    Page06 = new Vol06Page(*this);
    Page07 = new Vol07Page(*this);
    Page08 = new Vol08Page(*this);
    Page10 = new Vol10Page(*this);
    Page11 = new Vol11Page(*this);
    Page12 = new Vol12Page(*this);
    Page15 = new Vol15Page(*this);
    ui->tabCreateFolderStrings->layout()->addWidget(InScrollArea(Page02));
    ui->tabCreateFolderFolders->layout()->addWidget(InScrollArea(Page04));
    ui->tabCreateFolderIncreasedNumbers->layout()->addWidget(InScrollArea(Page03));
    ui->tabFolderCopy->layout()->addWidget(InScrollArea(Page08));
    ui->tabFolderDelete->layout()->addWidget(InScrollArea(Page07));
    ui->tabFolderRename->layout()->addWidget(InScrollArea(Page06));
    ui->tabFileCopy->layout()->addWidget(InScrollArea(Page10));
    ui->tabFileDelete->layout()->addWidget(InScrollArea(Page11));
    ui->tabFileRename->layout()->addWidget(InScrollArea(Page12));
    ui->tabConsistencyChecker->layout()->addWidget(InScrollArea(Page15));

    // Kept in the menu bar's layout but never offered.
    for (QMenu* menu : {ui->mnuMisc, ui->mnuVideoTutorials}) {
        menu->menuAction()->setVisible(false);
        menu->menuAction()->setEnabled(false);
    }

    connect(ui->Exit1, &QAction::triggered, this, &QWidget::close);
    connect(ui->OpenRestoreProfile1, &QAction::triggered, this, &TfrmMain::OpenRestoreProfile1Click);
    connect(ui->SaveProfile1, &QAction::triggered, this, &TfrmMain::SaveProfile1Click);
    connect(ui->EnableStartWindowForRestoreSettings, &QAction::triggered, this,
            &TfrmMain::EnableStartWindowForRestoreSettingsClick);
    connect(ui->OverView, &QAction::triggered, this, &TfrmMain::OverViewClick);
    connect(ui->About1, &QAction::triggered, this, &TfrmMain::About1Click);
    connect(ui->Howtovideosonline1, &QAction::triggered, this, &TfrmMain::Howtovideosonline1Click);

    FormCreate();
}

TfrmMain::~TfrmMain() {
    FormDestroy();
    OwnWorkingFolderLock.reset();
    SettingsFolderLock.reset();
    SetKeepDefaultSettingsFile(false);
    if (frmMain == this) frmMain = nullptr;
    delete ui;
}

void TfrmMain::FormCreate() {
    InstallHintPause();
    std::string programFolder;
    GetCurrentDir(programFolder);
    SetValuesOfEveryStart(programFolder);

    // One writer per settings folder: a second copy of the program works on,
    // but leaves the folder's session to the copy that holds it. So does a
    // copy that cannot take the lock: another copy may hold the folder.
    SettingsFolderLock = std::make_unique<plat::FolderLock>(programFolder);
    const plat::FolderLock::Status lock = SettingsFolderLock->GetStatus();
    const bool folderMayBeInUse = lock != plat::FolderLock::Status::Held;
    SetKeepDefaultSettingsFile(folderMayBeInUse);
    if (lock == plat::FolderLock::Status::InUse)
        plat::MessageBox("The Settings Folder is in use by another copy of the program:\n" + programFolder +
                             "\n\nThis copy will NOT save its settings and lists in this folder.\n\nAction : Use "
                             "Profile Manager / Save Profile As.. to keep the settings of this copy.",
                         "Restore Settings.            Warning.", plat::MB_OK | plat::MB_ICONWARNING);
    else if (lock == plat::FolderLock::Status::Unavailable)
        plat::MessageBox("The Settings Folder can not be locked for this copy of the program:\n" + programFolder +
                             "\n\nThe lock file can not be used:\n" + SettingsFolderLock->GetReason() +
                             "\n\nAnother copy of the program may be using this folder, so this copy will NOT "
                             "save its settings and lists in this folder, and leaves its working folders as they "
                             "are.\n\nAction : Check the lock file and the rights of the folder. Use Profile "
                             "Manager / Save Profile As.. to keep the settings of this copy.",
                         "Restore Settings.            Warning.", plat::MB_OK | plat::MB_ICONWARNING);

    const std::string settingsFile = SettingsFileName("");
    bool writeDefaults = !plat::PathExists(settingsFile);
    if (!writeDefaults && !IsSettingsFile(settingsFile)) {
        writeDefaults = true;
        // A damaged file of a folder in use is the other copy's to set aside.
        if (!folderMayBeInUse) {
            const std::string aside = SetDamagedSettingsFileAside(settingsFile);
            if (!aside.empty()) {
                plat::MessageBox("The Settings File can not be read:\n" + settingsFile + "\n\nIt was renamed to:\n" +
                                     aside + "\n\nThe program starts with the Default Settings.",
                                 MessageCaption("Restore Settings.", "Warning", "0452"),
                                 plat::MB_OK | plat::MB_ICONWARNING);
            } else {
                // Never written over, by the exit or by any other save.
                SetKeepDefaultSettingsFile(true);
                plat::MessageBox("The Settings File can not be read:\n" + settingsFile +
                                     "\n\nIt can not be renamed either, so it is left as it is and the settings of "
                                     "this session will NOT be saved.\nThe program starts with the Default "
                                     "Settings.\n\nAction : Check the file and the rights of its folder.",
                                 MessageCaption("Restore Settings.", "Warning", "0453"),
                                 plat::MB_OK | plat::MB_ICONWARNING);
            }
        }
    }
    if (writeDefaults) {
        FillFirstStartDefaults();
        SaveClass save("");  // writes nothing while default.set is kept
        save.Save();
        SetDefaultsCreatedState(1);
    } else {
        RestoreClass restore("");
        restore.ClearLists();
        restore.Restore();
        // The file also names the folder it was saved in. The settings belong
        // to the folder the program runs in: a moved or copied folder must not
        // send its saves and working folders back to the old place.
        SetProgramFolder(programFolder);
    }

    SetWorkingFoldersFromProgramFolder();
    for (const std::string& folder : {GetWorkingDir(), GetWorkingDirCopyFiles(), GetWorkingDirRenameFiles(),
                                      GetWorkingDirCopyFilesSimul(), GetWorkingDirRenameFilesSimul(),
                                      GetWorkingDirConsistencyCheck()})
        plat::CreateFolderTree(folder);  // the pages that use them report a failure
    // What a former session left there goes to the trash; the working
    // copies of a copy that still runs stay its Undo's.
    OwnWorkingFolderLock = TakeOwnWorkingFolders(!folderMayBeInUse);

    FillMainWindowTexts(*this);
    InitFolderNameCharSet();
    InitRelativePathCharSet();
    InitFileNameCharSet();
    PutPagesIntoEmptyState();

    AllFileTypesText = "All (*.*).";
    for (const char* name : kFileTypeLists)
        SetHorizontalExtent(findChild<QListWidget*>(name), kHorizontalExtent);
}

void TfrmMain::PutPagesIntoEmptyState() {
    Page02->Vol02ResetCounters();
    Page02->Vol02EnablePageControls(false);
    Page02->StructureFileSizes.clear();
    auto* destination02 = findChild<QComboBox*>("cboVol02DestFolders");
    destination02->clear();
    destination02->addItems(UniqueItems(GetVol02DestFolderHistory()));
    // The history is offered, not chosen: the page stays without a destination.
    destination02->setCurrentIndex(-1);

    Page03->Vol03ResetCounters();
    Page03->Vol03EnablePageControls(false);
    Page03->StructureFileSizes.clear();
    findChild<QLineEdit*>("edtVol03StartNumber")->setText("1");
    findChild<QLineEdit*>("edtVol03EndNumber")->setText("1");
    auto* destination03 = findChild<QComboBox*>("cboVol03DestFolders");
    destination03->addItem(QString());
    destination03->setCurrentIndex(destination03->count() - 1);

    Page04->Vol04ResetStructureTotals();
    Page04->Vol04EnablePageControls(false);
    Page04->StructureFileSizes.clear();

    Page06->Vol06InitCounters();
    Page06->Vol06EnablePageControls(false);

    Page07->Vol07InitCounters();
    Page07->Vol07ResetCounters();
    Page07->Vol07EnablePageControls(false);
    Page07->Vol07ResultDisplayMode = 1;

    Page08->Vol08ResetCounters();
    Page08->Vol08EnablePageControls(false);
    Page08->Vol08StructureFileSizes.clear();
    Page08->Vol08HintShownMain = Page08->Vol08HintShownSub = 0;

    Page10->Vol10ResetCounters();
    Page10->Vol10EnablePageControls(false);
    Page10->Vol10CopiedBytes = 0;

    Page11->Vol11ClearTotals();
    Page11->Vol11ResetCounters();
    Page11->Vol11EnablePageControls(false);

    Page12->Vol12ResetCounters();
    Page12->Vol12EnablePageControls(false);

    Page15->Vol15ResetCounters();
    Page15->Vol15EnablePageControls(false);

    for (const char* name : kSumLabels) findChild<QLabel*>(name)->setText(QStringLiteral("0"));
    for (const char* name : kWideLists) SetHorizontalExtent(findChild<QListWidget*>(name), kHorizontalExtent);
}

void TfrmMain::FormActivate() {
    // Once per process; a nested activation while the start window closes skips it.
    if (GetFirstActivationState() == 2 && !InFirstActivation && frmRestoreSettings) {
        InFirstActivation = true;
        Ui::TfrmRestoreSettings* start = frmRestoreSettings->ui;
        if (GetDefaultsCreatedState() == 2) {
            start->lblRestoreSettingsFirstRun->setVisible(false);
            SetFirstActivationState(1);
            if (GetStartWindowState() != 1) qtplat::ExecModal(frmRestoreSettings);
            if (GetRestoreMode() == 3) {
                RestorePageListsFromSettings();
                RestoreControlsFromSettings();
                RefreshAllPagesAfterRestore();
            } else if (GetRestoreMode() == 2) {
                RestoreControlsFromSettings();
            }
        } else {
            // First start: there is nothing to restore yet.
            start->rdoRestoreSettingsLastSavedAll->setEnabled(false);
            start->rdoRestoreSettingsLastSavedSettings->setEnabled(false);
            start->rdoRestoreSettingsDefaults->setEnabled(true);
            start->rdoRestoreSettingsDefaults->setChecked(true);
            start->lblRestoreSettingsFirstRun->setVisible(true);
            qtplat::ExecModal(frmRestoreSettings);
            SetFirstActivationState(1);
        }
        InFirstActivation = false;
    }
    if (Page07) Page07->Vol07ShowTotals();
    if (Page11) Page11->Vol11UpdateResultLabels();
    RefreshVisualLogCaptions();
    RefreshFileTypeLists();
}

void TfrmMain::RefreshVisualLogCaptions() {
    // The consistency checker's Visual Log keeps its own caption.
    for (VisualLogWindow* log : std::initializer_list<VisualLogWindow*>{
             frmStatistic02, frmStatistic03, frmStatistic04, frmStatistic06, frmStatistics07, frmStatistic08,
             frmStatistic10, frmStatistics11, frmStatistic12})
        if (log) log->ApplyRunModeLabel();
}

void TfrmMain::RefreshFileTypeLists() {
    const std::string names = GetFileSelNamesText();
    ShowFileTypeSelection(names.empty() || names == "*.*" ? AllFileTypesText : names);
}

void TfrmMain::ShowFileTypeSelection(const std::string& line) {
    for (const char* name : kFileTypeLists) {
        auto* list = findChild<QListWidget*>(name);
        list->clear();
        list->addItem(Q(line));
    }
}

void TfrmMain::FormClose() {
    SaveControlsToSettings();
    if (KeepDefaultSettingsFile()) return;
    SaveClass save("");
    save.Save();  // a failure is reported by the writer
}

void TfrmMain::AfterRun(std::function<void()> action) {
    // Nothing of a window that is gone meanwhile.
    RunBusy::WhenIdle([window = QPointer<TfrmMain>(this), action = std::move(action)] {
        if (window) action();
    });
}

void TfrmMain::CloseAfterTheRun() {
    if (CloseAfterRun) return;
    CloseAfterRun = true;
    RunBusy::WhenFree(nullptr, [window = QPointer<TfrmMain>(this)] {
        if (!window) return;
        window->CloseAfterRun = false;
        window->close();
    });
}

void TfrmMain::FormDestroy() {
    if (Destroyed) return;
    Destroyed = true;
    Page02->Vol02ClearResultLists();
    findChild<QListWidget*>("lstVol02IncludeStrings")->clear();
    findChild<QListWidget*>("lstVol02ExcludeStrings")->clear();
    Page03->Vol03ClearResultLists();
    Page04->Vol04ClearUndoLists();
    Page06->Vol06ClearUndo();
    Page07->Vol07ClearResultLists();
    Page08->Vol08ClearResultLists();
    Page10->Vol10ClearResultLists();
    Page11->Vol11ClearResultLists();
    Page12->Vol12ClearResultLists();
    Page15->Vol15ClearPageLists();
    for (const char* page : {"04", "06", "07", "08", "10", "11", "12"}) {
        findChild<QListWidget*>(QString("lstVol%1IncludeFolderList").arg(page))->clear();
        findChild<QListWidget*>(QString("lstVol%1ExcludeFolderList").arg(page))->clear();
    }
    ui->lstHWNDSeged->clear();
    // There is no platform help file here, so the help system has nothing to quit.
}

namespace {

// A sheet of a tab widget goes off as its tab does; anything else as itself.
void SetSheetEnabled(QWidget* sheet, bool enabled) {
    auto* stack = qobject_cast<QStackedWidget*>(sheet->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tabs)
        tabs->setTabEnabled(tabs->indexOf(sheet), enabled);
    else
        sheet->setEnabled(enabled);
}

}  // namespace

void TfrmMain::SetTabSheetEnabled(const char* sheet, bool enabled) {
    if (auto* widget = findChild<QWidget*>(sheet)) SetSheetEnabled(widget, enabled);
}

void TfrmMain::EnableOtherTabSheets(QWidget* page, bool enabled) {
    QWidget* const sheets[] = {ui->tabFolderCreation,   ui->tabCreateFolderStrings, ui->tabCreateFolderFolders,
                               ui->tabCreateFolderIncreasedNumbers, ui->tabFolderOperations, ui->tabFolderCopy,
                               ui->tabFolderDelete,     ui->tabFolderRename,       ui->tabFileOperations,
                               ui->tabFileCopy,         ui->tabFileDelete,         ui->tabFileRename,
                               ui->tabConsistencyChecker};
    // The running page's own sheet and the frames holding it stay usable.
    for (QWidget* sheet : sheets)
        if (enabled || !sheet->isAncestorOf(page)) SetSheetEnabled(sheet, enabled);
}

void TfrmMain::EnableStartWindowForRestoreSettingsClick() {
    ShowStartWindowMenuState(true);
    SetStartWindowState(2);
}

void TfrmMain::OverViewClick() { ShowOverview(); }

void TfrmMain::About1Click() { ShowAbout(); }

void TfrmMain::Howtovideosonline1Click() { OpenHowToVideos(); }

void TfrmMain::ShowStartWindowMenuState(bool shownAgain) {
    ui->EnableStartWindowForRestoreSettings->setChecked(shownAgain);
    ui->EnableStartWindowForRestoreSettings->setText(shownAgain ? "Startup Window is Showed again."
                                                                : "Click to Show Startup Window again.");
}

bool TfrmMain::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate) {
        // Inside a run or a count the refresh would refill and recount what
        // that handler is using: it comes once the handler is over.
        if (RunBusy::Busy())
            ActivateAfterTheRun();
        else
            FormActivate();
    }
    return handled;
}

void TfrmMain::ActivateAfterTheRun() {
    if (ActivateAfterRun) return;
    ActivateAfterRun = true;
    AfterRun([this] {
        ActivateAfterRun = false;
        if (isActiveWindow()) FormActivate();
    });
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // A run cannot be stopped, and lets window events in while it waits:
    // the window closes after it, and saves the session with its results.
    if (RunBusy::Busy()) {
        event->ignore();
        CloseAfterTheRun();
        return;
    }
    // The window closes once; the end of the session may close it again.
    if (!Closed) {
        Closed = true;
        FormClose();
    }
    event->accept();
}
