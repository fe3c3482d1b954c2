// The import window's list as free text: OK writes the memo's lines back,
// normalised and without repeats, at most 30,000 of them.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "core/Types.h"

class QListWidget;

namespace Ui {
class TfrmEditSmartImport;
}

class TfrmEditSmartImport : public QDialog {
    Q_OBJECT

public:
    explicit TfrmEditSmartImport(QWidget* parent = nullptr);
    ~TfrmEditSmartImport() override;

    // The list OK rewrites (the import window's created list).
    void SetTargetList(QListWidget* results) { results_ = results; }
    void SetMemoLines(const StringList& lines);
    StringList GetMemoLines() const;

    void FormCreate();
    void FormActivate();
    void mmoEditSmartImportMemoKeyPress();
    void btnEditSmartImportOkClick();
    void btnEditSmartImportCancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TfrmEditSmartImport> ui;
    QListWidget* results_ = nullptr;
    std::size_t limit_ = 0;
    std::string limitMessage_;
};

extern TfrmEditSmartImport* frmEditSmartImport;
