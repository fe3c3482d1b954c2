// Copy folder structures into many folders: the page, its state between
// runs and the enable rules the main window's start-up and settings restore
// rely on.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol08Page;
}
namespace pagekit {
class StructureListHandlers;
}

class Vol08Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol08Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol08Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::string EngineCurrentFolder08;
    std::string UndoMode08;
    StringList WorkQueue08;
    int Vol08HintShownMain = 0;  // the file-selection hint was shown for the with-files radios
    int Vol08HintShownSub = 0;
    std::uint64_t Vol08CopiedBytes = 0;

    MAP_FILE_NAME_SIZE Vol08StructureFileSizes;
    std::uint64_t Vol08StructureBytes = 0;
    std::uint32_t Vol08StructureFolders = 0;
    std::uint32_t Vol08StructureFiles = 0;

    double Stat08FoldersToCopy = 0, Stat08SubFoldersToCopy = 0, Stat08FilesToCopy = 0, Stat08FileSizeToCopy = 0;
    double Stat08FoldersCopied = 0, Stat08SubFoldersCopied = 0, Stat08FilesCopied = 0, Stat08FileSizeCopied = 0;
    double Stat08FoldersNotExists = 0, Stat08SubFoldersExists = 0, Stat08FilesExists = 0, Stat08FileSizeExists = 0;
    double Stat08SubFoldersOtherReasons = 0;

    StringList Vol08ResultFoldersCopied, Vol08ResultFoldersNotExists, Vol08ResultSubFoldersCopied,
        Vol08ResultSubFoldersOther;
    StringList Vol08CreatedFolders, Vol08CreatedSubFolders, Vol08CreatedFiles, Vol08ExistingFolders,
        Vol08OtherReasons, Vol08FailedUndoFolders, Vol08UndoWorkList;
    int Vol08StructureFailureReported = 0;

    // ---- operations ------------------------------------------------------------
    void Vol08ResetCounters();
    void Vol08ClearResultLists();
    void Vol08RefreshPage();
    void Vol08EnablePageControls(bool flag);
    void Vol08EnableRunButtons(bool flag);
    void Vol08SetRelativePathsMode();
    void Vol08SetFullPathsMode();

    Ui::Vol08Page* ui;
    MainWindowShared& Shared;

private:
    void Vol08StructureTail();

    std::unique_ptr<pagekit::StructureListHandlers> Structures;
};
