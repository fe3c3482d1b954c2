// Create a run of numbered folders: the page, its state between runs and
// the enable rules the main window's start-up and settings restore rely on.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol03Page;
}

class Vol03Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol03Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol03Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::string EngineCurrentFolder03;
    int Vol03StartValue = 0;  // as accepted when the number edits were left
    int Vol03EndValue = 0;
    int Vol03DigitCount = 0;  // zero-padding width of the run
    std::string UndoMode03;
    StringList WorkQueue03;

    MAP_FILE_NAME_SIZE Vol03StructureFileSizes;
    std::string Vol03DestinationRoot;
    std::uint64_t Vol03StructureBytes = 0;
    std::uint32_t Vol03StructureFolders = 0;
    std::uint32_t Vol03StructureFiles = 0;

    double Stat03FoldersToCreate = 0, Stat03SubFoldersToCreate = 0, Stat03FilesToCreate = 0,
           Stat03FilesSizeToCreate = 0;
    double Stat03FoldersCreated = 0, Stat03SubFoldersCreated = 0, Stat03FilesCreated = 0, Stat03FilesSizeCreated = 0;
    double Stat03FoldersExists = 0, Stat03SubFoldersExists = 0, Stat03FilesExists = 0, Stat03FilesSizeExists = 0;
    double Stat03FoldersOther = 0, Stat03SubFoldersOther = 0, Stat03FilesOther = 0, Stat03FilesSizeOther = 0;
    double Vol03FailedUndoCount = 0;

    StringList Vol03ResultFoldersCreated, Vol03ResultFoldersExists, Vol03ResultFoldersOther,
        Vol03ResultSubFoldersCreated;
    StringList Vol03CreatedFolders, Vol03CreatedSubFolders, Vol03CreatedFiles, Vol03ExistingFolders,
        Vol03OtherReasons, Vol03FailedUndoFolders, Vol03UndoWorkList;
    int Vol03StructureFailureReported = 0;

    // ---- operations ------------------------------------------------------------
    void Vol03ResetCounters();
    void Vol03ResetRunCounters();
    // Result and last-run lists; the undo work list stays.
    void Vol03ClearResultLists();
    void Vol03EnablePageControls(bool flag);
    void Vol03UpdateButtons(bool flag);
    void rdoVol03AttachNothingClick();
    void Vol03SetRelativePathsMode();
    void Vol03SetFullPathsMode();

    Ui::Vol03Page* ui;
    MainWindowShared& Shared;

private:
    void Vol03StructureTail();
};
