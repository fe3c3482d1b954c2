// Create many folders from a list of strings: the page, its state between
// runs and the enable rules the main window's start-up and settings restore
// rely on.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol02Page;
}

class Vol02Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol02Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol02Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::string EngineCurrentFolder02;  // attach target while a structure is rebuilt
    std::string UndoMode02;             // "F", "R" or "N": attach mode of the last real run
    StringList WorkQueue02;             // folders still to walk while attaching

    MAP_FILE_NAME_SIZE Vol02StructureFileSizes;  // every file of the chosen structures
    std::string Vol02DestinationRoot;            // trimmed destination with a trailing backslash
    std::uint64_t Vol02StructureBytes = 0;
    std::uint32_t Vol02StructureFolders = 0;
    std::uint32_t Vol02StructureFiles = 0;

    double Stat02FoldersToCreate = 0, Stat02SubFoldersToCreate = 0, Stat02FilesToCreate = 0,
           Stat02FilesSizeToCreate = 0;
    double Stat02FoldersCreated = 0, Stat02SubFoldersCreated = 0, Stat02FilesCreated = 0, Stat02FilesSizeCreated = 0;
    double Stat02FoldersExists = 0, Stat02SubFoldersExists = 0, Stat02FilesExists = 0, Stat02FilesSizeExists = 0;
    double Stat02FoldersOther = 0, Stat02SubFoldersOther = 0, Stat02FilesOther = 0, Stat02FilesSizeOther = 0;
    double Vol02FailedUndoCount = 0;

    // Items of the last run by outcome.
    StringList Vol02ResultFoldersCreated, Vol02ResultFoldersExists, Vol02ResultFoldersOther,
        Vol02ResultSubFoldersCreated;
    // What the last real run made; Undo replays them.
    StringList Vol02CreatedFolders, Vol02CreatedSubFolders, Vol02CreatedFiles, Vol02ExistingFolders,
        Vol02OtherReasons, Vol02FailedUndoFolders, Vol02UndoWorkList;
    int Vol02StructureFailureReported = 0;

    // ---- operations ------------------------------------------------------------
    void Vol02ResetCounters();
    void Vol02ClearResultLists();
    void Vol02RefreshListCounters();
    void Vol02EnablePageControls(bool flag);
    void Vol02EnableListControls(bool flag);
    void Vol02EnableNameControls(bool flag);
    void Vol02UpdateButtons(bool flag);
    void rdoVol02AttachNothingClick();
    void Vol02SetRelativePathsMode();
    void Vol02SetFullPathsMode();

    Ui::Vol02Page* ui;
    MainWindowShared& Shared;

private:
    void Vol02StructureTail();
};
