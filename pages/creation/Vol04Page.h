// Create many folders from a list of paths: the page, its state between
// runs and the enable rules the main window's start-up and settings restore
// rely on.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol04Page;
}

class Vol04Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol04Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol04Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::string EngineCurrentFolder04;
    std::string UndoMode04;
    StringList WorkQueue04;

    MAP_FILE_NAME_SIZE Vol04StructureFileSizes;
    std::uint64_t Vol04StructureBytes = 0;
    std::uint32_t Vol04StructureFolders = 0;
    std::uint32_t Vol04StructureFiles = 0;

    double Stat04FoldersToCreate = 0, Stat04SubFoldersToCreate = 0, Stat04FilesToCreate = 0,
           Stat04FilesSizeToCreate = 0;
    double Stat04FoldersCreated = 0, Stat04SubFoldersCreated = 0, Stat04FilesCreated = 0, Stat04FilesSizeCreated = 0;
    double Stat04FoldersExists = 0, Stat04SubFoldersExists = 0, Stat04FilesExists = 0, Stat04FilesSizeExists = 0;
    double Stat04FoldersOther = 0, Stat04SubFoldersOther = 0, Stat04FilesOther = 0, Stat04FilesSizeOther = 0;
    double Vol04FailedUndoCount = 0;

    // What the last real run made; Undo replays them.
    StringList Vol04LastCreatedFolders, Vol04LastCreatedSubFolders, Vol04LastCreatedFiles,
        Vol04LastExistingFolders, Vol04LastOtherReasons, Vol04FailedUndoFolders, Vol04FailedUndoFiles;
    int Vol04StructureFailureReported = 0;

    // ---- operations ------------------------------------------------------------
    void Vol04ResetStructureTotals();
    void Vol04ResetCounters();
    void Vol04ClearUndoLists();
    void Vol04ClearLastRunLists();
    void Vol04RefreshPage();
    void Vol04EnablePageControls(bool flag);
    void Vol04EnableStructureControls(bool flag);
    void rdoVol04AttachNothingClick();
    void Vol04SetRelativePathsMode();
    void Vol04SetFullPathsMode();

    Ui::Vol04Page* ui;
    MainWindowShared& Shared;

private:
    void Vol04StructureTail();
};
