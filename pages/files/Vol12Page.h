// Rename many files: the page, its state between runs and the enable rules
// the main window's start-up and settings restore rely on.
#pragma once

#include <QWidget>
#include <cstdint>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol12Page;
}

class Vol12Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol12Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol12Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::uint64_t Vol12RenamedBytes = 0;
    double Stat12FoldersNotExist = 0, Stat12FilesRenamed = 0, Stat12FilesSourceNotExist = 0,
           Stat12FilesOtherReasons = 0, Stat12FilesDropped = 0, Stat12FilesOverWrited = 0,
           Stat12FilesIncreasedNames = 0, Stat12FilesIncreasedTypes = 0;
    // Renamed, overwritten and increased files, for Undo.
    DEQ_REPLACE_FOLDER_STRUCT Vol12RenamedPairs, Vol12OverwrittenPairs, Vol12IncreasedNamePairs,
        Vol12IncreasedTypePairs, Vol12FailedUndoPairs;
    AS_MAP_REPLACE_FOLDER_STRUCT Vol12OverwrittenFiles, Vol12RenamedFiles;

    // ---- operations ------------------------------------------------------------
    void Vol12ResetCounters();
    void Vol12ClearResultLists();
    void Vol12RefreshPage();
    void Vol12EnablePageControls(bool flag);
    void Vol12EnableRunButtons(bool flag);
    void rdoVol12RenameAddPrefixesSuffixesClick();
    void rdoVol12RenameChangeFileTypeClick();

    Ui::Vol12Page* ui;
    MainWindowShared& Shared;

private:
    void Vol12EnableMethodControls(bool prefixSuffix);
};
