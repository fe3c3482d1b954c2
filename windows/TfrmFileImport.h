// The shared import window: a text file becomes a list of folders or
// strings for a page. The user picks a file (1.), chooses how to read it
// and creates the list (2.), and presses IMPORT (3.); the page then takes
// the lines of lstFileImportResults.
//
// For the pages: show frmFileImport with ExecFor(the list to fill); on
// QDialog::Accepted take TakeResultLines(). Structure lists are checked
// first (CheckImportedPaths); an Include list takes the lines through
// listtools::AppendNewLines. The line counts follow their lists, and
// IMPORT is usable only with a result.
//
// The window holds what it read only while it is open: closed, it lets go
// of the file's preview and of its lists, keeping the created lines alone
// until the page takes them. A file is weighed before it is read (its
// lines and bytes, as the preview, the created list and their making
// hold them) and refused with box 0460, changing nothing, when it cannot fit.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>

#include "core/Types.h"

class QComboBox;

namespace Ui {
class TfrmFileImport;
}

class TfrmFileImport : public QDialog {
    Q_OBJECT

public:
    explicit TfrmFileImport(QWidget* parent = nullptr);
    ~TfrmFileImport() override;

    // Shows the window modally (qtplat::ExecModal) for the list `target`
    // that will take its result. A result created for another list is
    // dropped first, so that IMPORT (or one Enter) never hands that list's
    // lines to this one; one the same list did not take comes back.
    // Returns the modal result.
    int ExecFor(const QObject* target);

    StringList GetSourceLines() const;
    // The created lines: the list's while the window is open, those it
    // kept at its close after.
    StringList GetResultLines() const;
    // The same, the window left without them.
    StringList TakeResultLines();
    // True when a page's list can take the created lines: its rows, the
    // set that drops repeats, and the copies the page reads of its list.
    // Otherwise false after the memory box; the window keeps the lines.
    bool PageCanTake() const;
    void ClearSourceLines();
    void ClearResultLines();

    // True, with the findings appended to `report`, when a created line is
    // no full path (structure lists) / no relative path (template lists).
    bool CheckFullPaths(std::string& report) const;
    bool CheckRelativePaths(std::string& report) const;

    // The combos offer the stored lists again (after a profile was read).
    void FillDelimiterCombo();
    void FillQuotationMarkCombo();

    void FormCreate();
    void EnableImportSettings(bool on);
    void btnFileImportBrowseClick();
    void edtFileImportFileNameKeyPress();
    void rdoFileImportPlainTextClick();
    void rdoFileImportSeparatedFileClick();
    void rdoFileImportColumnSeparatedFileClick();
    void rdoFileImportAllColumnsClick();
    void rdoFileImportOneColumnClick();
    void UDFileImportColumnNumberClick(int step);
    void btnFileImportFromClick();
    void btnSmartImportZoomOriginalFileClick();
    void btnSmartImportZoomPreviewClick();
    void btnSmartImportPreviewEditClick();
    void btnFileImportClearClick();
    void btnFileImportManageSeparatorsClick();
    void btnFileImportManageQuotationMarksClick();
    void btnFileImportOkClick();
    void btnFileImportCancelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowResultCount();
    // True when `need` bytes fit in what the machine can give; otherwise
    // false after box 0460, which names the file's lines and `doing`.
    bool FitsInMemory(const std::string& doing, std::uint64_t lines, double need) const;

    std::unique_ptr<Ui::TfrmFileImport> ui;
    StringList builtInDelimiters_;
    StringList builtInQuotationMarks_;
    // Only compared, never followed: the list the result was created for.
    const QObject* resultTarget_ = nullptr;
    StringList kept_;  // the created lines, from the window's close until a page takes them
};

extern TfrmFileImport* frmFileImport;
