// Delete many files: the page, its state between runs and the enable rules
// the main window's start-up and settings restore rely on.
#pragma once

#include <QWidget>
#include <cstdint>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol11Page;
}

class Vol11Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol11Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol11Page() override;

    // ---- state kept between runs ----------------------------------------------
    int Vol11HintShownMain = 0;  // the file-selection hint was shown for the scope radios
    int Vol11HintShownFiles = 0;
    MAP_FILE_NAME_SIZE Vol11FileSizes;  // the files to delete
    std::uint64_t Vol11StructureBytes = 0;
    std::uint32_t Vol11StructureFolders = 0;
    std::uint32_t Vol11StructureFiles = 0;

    double Stat11FoldersToDelete = 0, Stat11FilesToDelete = 0, Stat11FilesSizeToDelete = 0;
    double Stat11FoldersDeleted = 0, Stat11FilesDeleted = 0, Stat11FoldersNotExists = 0, Stat11FilesNotExists = 0,
           Stat11FoldersOtherReasons = 0, Stat11FilesOtherReasons = 0;
    StringList Vol11ResultFilesDeleted, Vol11ResultFilesNotExists, Vol11ResultFilesOther,
        Vol11ResultFoldersNotExists;

    // ---- operations ------------------------------------------------------------
    void Vol11ClearTotals();
    void Vol11ResetCounters();
    void Vol11ClearResultLists();
    void Vol11RefreshPage();
    void Vol11EnablePageControls(bool flag);
    void Vol11EnableRunButtons(bool flag);

    Ui::Vol11Page* ui;
    MainWindowShared& Shared;
};
