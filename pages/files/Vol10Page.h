// Copy many files into many folders: the page, its state between runs and
// the enable rules the main window's start-up and settings restore rely on.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol10Page;
}

class Vol10Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol10Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol10Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::string EngineCurrentFolder10;
    StringList WorkQueue10;
    std::uint8_t Vol10CopyFlag = 0;  // per-file state of the copy engine
    std::uint8_t Vol10OverwriteFlag = 0;
    std::uint64_t Vol10CopiedBytes = 0;

    std::uint64_t Vol10StructureBytes = 0;
    std::uint32_t Vol10StructureFolders = 0;
    std::uint32_t Vol10StructureFiles = 0;

    double Stat10FoldersToCopy = 0, Stat10SubFoldersToCopy = 0, Stat10FilesToCopy = 0, Stat10FileSizeToCopy = 0;
    double Stat10FoldersCopied = 0, Stat10SubFoldersCopied = 0, Stat10FilesCopied = 0, Stat10FileSizeCopied = 0;
    double Stat10FoldersNotExists = 0, Stat10SubFoldersExists = 0, Stat10FilesExists = 0, Stat10FileSizeExists = 0;
    double Stat10FilesSkipped = 0, Stat10FilesOverWrited = 0, Stat10FilesIncreasedFileNames = 0,
           Stat10FilesOtherReasons = 0;

    StringList Vol10ResultFilesCopied, Vol10ResultFilesExists, Vol10ResultFilesOther, Vol10ResultFoldersNotExists;
    StringList Vol10CreatedFolders, Vol10CreatedSubFolders, Vol10CreatedFiles, Vol10ExistingFolders,
        Vol10OtherReasons, Vol10FailedUndoFolders, Vol10UndoWorkList;
    // Overwritten files and their backups; they outlive Clear All so that
    // Undo can still put the old files back.
    DEQ_REPLACE_FOLDER_STRUCT Vol10OverwrittenPairs, Vol10IncreasedNamePairs;
    AS_MAP_REPLACE_FOLDER_STRUCT Vol10OverwrittenFiles;

    // ---- operations ------------------------------------------------------------
    void Vol10ResetCounters();
    void Vol10ClearResultLists();
    void Vol10RefreshPage();
    void Vol10EnablePageControls(bool flag);
    void Vol10EnableRunButtons(bool flag);

    Ui::Vol10Page* ui;
    MainWindowShared& Shared;
};
