// Check many project folders against model folder structures: the page,
// its state between runs and the enable rules the main window's start-up
// and settings restore rely on.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol15Page;
}

class Vol15Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol15Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol15Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::uint8_t CheckerPassFlag = 0;  // whether the pass looks for missing or for extra items
    std::string EngineCurrentFolder15;
    StringList WorkQueue15;
    std::uint64_t Vol15CheckedBytes = 0;
    std::uint64_t Vol15StructureBytes = 0;
    std::uint32_t Vol15StructureFolders = 0;
    std::uint32_t Vol15StructureFiles = 0;

    double Stat15FoldersToCheck = 0, Stat15SubFoldersToCheck = 0, Stat15FilesToCheck = 0;
    double Stat15FoldersMissing = 0, Stat15SubFoldersMissing = 0, Stat15FilesMissing = 0;
    double Stat15FoldersExtra = 0, Stat15SubFoldersExtra = 0, Stat15FilesExtra = 0;
    double Stat15FoldersNotExists = 0, Stat15SubFoldersOtherReasons = 0;

    // ---- operations ------------------------------------------------------------
    void Vol15ResetCounters();
    void Vol15RefreshPage();
    void Vol15EnablePageControls(bool flag);
    void Vol15EnableRunButtons(bool flag);

    Ui::Vol15Page* ui;
    MainWindowShared& Shared;
};
