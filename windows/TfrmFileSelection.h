// The file selection window: which files the file operations take. Its OK
// stores the choices in the settings store (the engines read the name
// masks from there) and writes a one-line summary into the pages' summary
// lists through a hook that the main window sets.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "core/Types.h"

namespace Ui {
class TfrmFileSelection;
}
class QComboBox;
class QRadioButton;

class TfrmFileSelection : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFileSelection(QWidget* parent = nullptr);
    ~TfrmFileSelection() override;

    // Replaces the content of every page's summary list of the file
    // selection with the one line given.
    using SummaryListsHook = std::function<void(const std::string& line)>;
    void SetSummaryListsHook(SummaryListsHook hook) { summaryListsHook = std::move(hook); }

    // Merges the stored values into the controls (each showing).
    void FormActivate();
    void cboFileManNamesExit();
    void btnFileManOKClick();
    void btnFileManCancelClick();
    void btnFileManClearFileNamesClick();
    void rdoFileManNamesClick();
    void rdoFileManTypesClick();

    void EnableFileSelModeControls(bool namesMode);
    void EnableFileTypeChoice(bool enable);
    void SetFileTypeRadios(bool checked);

    // The masks joined by blanks, a mask with white space in double quotes.
    static std::string BuildFileSelNamesText(const StringList& masks);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TypeRadioClick(QRadioButton* radio);
    void SelectOneType(const std::string& type);
    bool StoreTerms(bool on, QComboBox* combo, void (*setOn)(int), void (*setList)(const StringList&),
                    void (*setText)(const std::string&), void (*setHistory)(const StringList&));

    std::unique_ptr<Ui::TfrmFileSelection> ui;
    SummaryListsHook summaryListsHook;
    const std::string allFilesLabel = "All (*.*)";
    bool checkingNames = false;
};

extern TfrmFileSelection* frmFileSelection;
