// Create a run of numbered folders (page 03): the page's controls and
// handlers, and its state between runs (Vol03State). The run, the
// simulation and the undo live in Vol03Run.cpp, Vol03Simulation.cpp and
// Vol03Undo.cpp; the structure list's handlers in Vol03Structures.cpp.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/creation/Vol03Engine.h"

namespace Ui {
class Vol03Page;
}
namespace pagekit {
class StructureListHandlers;
}

class Vol03Page : public QWidget, public Vol03State {
    Q_OBJECT

public:
    explicit Vol03Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol03Page() override;

    // ---- destination, numbers and names ----------------------------------------------
    void btnVol03AddDestFolderClick();
    void cboVol03DestFoldersSelect();
    void btnVol03ViewDestFolderClick();
    void Vol03SetDestFolder(const std::string& path);
    void edtVol03PrefixChange();
    void edtVol03PrefixExit();
    void edtVol03SuffixChange();
    void edtVol03SuffixExit();
    void edtVol03StartNumberExit();
    void edtVol03EndNumberExit();
    void btnVol03ClearAllClick();
    void btnVol03HelpClick();
    void btnVol03ExamplesClick();

    // ---- structures and templates ------------------------------------------------------
    void rdoVol03AttachNothingClick();
    void rdoVol03StructureImportFullPathsClick();
    void rdoVol03StructureImportRelativePathsClick();
    void rdoVol03AttachMainFolderWithoutFilesClick();
    void rdoVol03AttachSubFoldersOnlyWithoutFilesClick();
    void rdoVol03AttachMainFolderWithFilesClick();
    void rdoVol03AttachSubFoldersOnlyWithFilesClick();
    void btnVol03FolderTemplatesOptionsClick();
    void btnVol03AddFolderStructureClick();
    void btnVol03ImportFolderStructuresTemplatesClick();
    void btnVol03ExportFolderStructuresTemplatesClick();
    void btnVol03EditFolderStructuresTemplatesClick();
    void btnVol03ViewFolderStructureClick();
    void btnVol03DeleteSelFolderStructuresTemplatesClick();
    void btnVol03DeleteAllFolderStructuresTemplatesClick();
    void Vol03AddStructure(const std::string& path);
    void Vol03SetRelativePathsMode();
    void Vol03SetFullPathsMode();

    // ---- page state -----------------------------------------------------------------------
    void Vol03ResetCounters();
    void Vol03ResetRunCounters();
    void Vol03ShowCounters();
    void Vol03ClearLogLists();
    // The last-run lists; the files the last Undo left stay.
    void Vol03ClearResultLists();
    void Vol03EnablePageControls(bool flag);
    void Vol03UpdateButtons(bool flag);
    bool Vol03CheckDiskSpace(bool withFiles);
    // The destination's tree in a message box: folders, and with files its
    // files and bytes.
    bool Vol03ShowStructureSummary(const std::string& path, bool withFiles);

    // ---- run, simulation, undo -----------------------------------------------------------
    void btnVol03CreateFoldersClick();
    void btnVol03CreateFoldersSimulationClick();
    void Vol03SimulateCreateFolders();
    void btnVol03StatisticsClick();
    void btnVol03UndoClick();
    _tagVol0XParts Vol03GetNameParts() const;
    // The controls as a run reads them.
    Vol03Inputs Vol03ReadInputs() const;

    Ui::Vol03Page* ui;
    MainWindowShared& Shared;

private:
    void Vol03StructureTail(bool withFiles);
    bool Vol03WithFilesChecked() const;
    void Vol03EnableRunButtons(bool flag);
    void Vol03CheckNameField(bool prefix);
    void Vol03CheckNumbers(bool startHandler);
    void Vol03ShowNumbers(const Vol03Numbers& numbers);
    Vol03PageHooks Vol03Hooks();

    std::unique_ptr<pagekit::StructureListHandlers> Structures;
};
