// The memo in which a page edits its folder structures or templates list as
// text. The page fills it, shows it and, on OK, reads the lines back by its
// own rules.
#pragma once

#include <QDialog>
#include <memory>

#include "core/Types.h"

namespace Ui {
class TfrmFolderStructuresTemplates;
}

class TfrmFolderStructuresTemplates : public QDialog {
    Q_OBJECT

public:
    explicit TfrmFolderStructuresTemplates(QWidget* parent = nullptr);
    ~TfrmFolderStructuresTemplates() override;

    void SetMemoLines(const StringList& lines);
    StringList GetMemoLines() const;
    void ClearMemo();

    void FormCreate();
    void FormActivate();
    void mmoEditFolderStructuresTemplatesKeyPress();
    void btnFolderStructuresTemplatesOkClick();
    void btnFolderStructuresTemplatesCancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TfrmFolderStructuresTemplates> ui;
};

extern TfrmFolderStructuresTemplates* frmFolderStructuresTemplates;
