// Delete many folders: the page, its state between runs and the enable
// rules the main window's start-up and settings restore rely on.
#pragma once

#include <QWidget>
#include <cstdint>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol07Page;
}

class Vol07Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol07Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol07Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::uint64_t Vol07StructureBytes = 0;
    std::uint32_t Vol07StructureFolders = 0;
    std::uint32_t Vol07StructureFiles = 0;
    double Stat07FoldersToDelete = 0, Stat07FilesToDelete = 0;
    double Stat07FoldersDeleted = 0, Stat07FilesDeleted = 0, Stat07MainFoldersNotExist = 0,
           Stat07FoldersNotExists = 0, Stat07FilesNotExists = 0, Stat07FoldersOtherReasons = 0,
           Stat07FilesOtherReasons = 0;
    StringList Vol07ResultFoldersDeleted, Vol07ResultFoldersNotExists, Vol07ResultFoldersOther,
        Vol07ResultMainFoldersNotExist;
    int Vol07ResultDisplayMode = 1;  // how the Visual Log is filled

    // ---- operations ------------------------------------------------------------
    void Vol07InitCounters();
    void Vol07ResetCounters();
    void Vol07ClearResultLists();
    void Vol07RefreshPage();
    void Vol07EnablePageControls(bool flag);
    void Vol07EnableRunButtons(bool flag);

    Ui::Vol07Page* ui;
    MainWindowShared& Shared;
};
