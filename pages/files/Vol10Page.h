// Copy many files into many folders (page 10): the page's controls and
// handlers, and its state between runs (Vol10State). The run, the
// simulation and the undo are in Vol10Engine; the Include and Exclude list
// buttons are the file pages' shared FileListButtons.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/files/Vol10Engine.h"

class FileListButtons;

namespace Ui {
class Vol10Page;
}

class Vol10Page : public QWidget, public Vol10State {
    Q_OBJECT

public:
    explicit Vol10Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol10Page() override;

    std::uint64_t Vol10CopiedBytes = 0;

    // ---- handlers --------------------------------------------------------------------------
    void btnVol10CopyFilesClick();
    void btnVol10CopyFilesSimulationClick();
    void btnVol10UndoClick();
    void btnVol10StatisticsClick();
    void btnVol10ClearAllClick();
    void btnVol10HelpClick();
    void btnVol10ExamplesClick();
    void btnVol10FileSelectionClick();
    void btnVol10AddFolderStructuresClick();
    void btnVol10ViewFolderStructuresClick();
    void btnVol10DeleteSelectedFolderStructuresClick();
    void btnVol10DeleteAllFolderStructuresClick();

    // ---- operations ------------------------------------------------------------------------
    void Vol10AddSource(const std::string& path);
    bool Vol10PrepareTotals(bool countFiles);
    void Vol10ShowCounters();
    void Vol10ResetCounters();
    void Vol10ClearResultLists();
    void Vol10RefreshPage();
    void Vol10EnablePageControls(bool flag);
    void Vol10EnableRunButtons(bool flag);
    // The controls as a run reads them.
    Vol10Inputs Vol10ReadInputs() const;

    Ui::Vol10Page* ui;
    MainWindowShared& Shared;
    FileListButtons* Lists;

private:
    bool Vol10AttachChecked() const;
    RunHooks Vol10Hooks();
};
