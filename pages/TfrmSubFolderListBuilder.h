// The subfolder list builder: lists the subfolders of a source folder by
// level into its Include list, where the user sorts them against an
// Exclude list. A page shows it modally and, when it closes with Import
// (Accepted), takes the lines of lstIncludeFolderList. The window keeps its
// lists and source folders between showings. It reads folders on the run
// pool, as the pages' counts do.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "core/Types.h"

namespace Ui {
class TfrmSubFolderListBuilder;
}
class QLineEdit;
class QListWidget;
class QRadioButton;
class RunDisk;

class TfrmSubFolderListBuilder : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSubFolderListBuilder(QWidget* parent = nullptr);
    ~TfrmSubFolderListBuilder() override;

    // The built list, for the page that opened the window.
    StringList GetIncludeFolderList() const;
    // The disk the window's reads list through (tests make it slow); none:
    // each read's own handles.
    void SetReadDisk(RunDisk* disk) { disk_ = disk; }

    void FormCreate();
    void btnMainSourceFolderAddClick();
    void cboMainSourceFolderSelect(int index);
    void btnMainSourceFolderViewClick();
    void rdoFromToLevelNumberClick();
    void rdoAboveLevelNumberClick();
    void rdoBelowLevelNumberClick();
    void edtFromLevelNumberExit();
    void edtToLevelNumberExit();
    void btnBuildListClick();
    void btnFromIncToExcClick();
    void btnFromExcToIncClick();
    void btnAllFromIncToExcClick();
    void btnAllFromExcToIncClick();
    void btnExchangeIncToExcClick();
    void btnEditIncludeListClick();
    void btnIncludeFolderListViewClick();
    void btnSubFolderListBuilderLevelsClick();
    void btnSmartExportClick();
    void btnDeleteFromExcludeListClick();
    void btnDeleteExcludedAllClick();
    void btnBuilderClearAllClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetSourceFolder(const std::string& path);
    // False when the level fields stop the build before it walks, or the
    // walk failed.
    bool BuildFrom(const std::string& source, const std::string& filter);
    void AppendBuiltLines(const StringList& lines, StringList& unlisted);
    void SetLevelRule(QRadioButton* chosen);
    void LevelFieldExit(bool leavingFrom);
    void ConnectUpDown(const char* name, QLineEdit* edit, int minimum, bool wraps);
    void MoveLines(QListWidget* from, QListWidget* to, bool all);
    void ShowCounts();
    // The focused Include line, trimmed; false (after warning 0574) when none.
    bool FocusedIncludeLine(std::string& line);

    std::unique_ptr<Ui::TfrmSubFolderListBuilder> ui;
    bool repairingLevels = false;
    // The source folder whose tree the level table and counts show.
    std::string summarisedSource;
    RunDisk* disk_ = nullptr;
};

extern TfrmSubFolderListBuilder* frmSubFolderListBuilder;
