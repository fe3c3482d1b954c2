// How the paths of one text-based folder template are joined to each main
// folder: the options record of one template index, read when the window
// is shown and stored by OK.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmFolderTemplateOptions;
}

class TfrmFolderTemplateOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFolderTemplateOptions(QWidget* parent = nullptr);
    ~TfrmFolderTemplateOptions() override;

    // 1 page 04, 2 page 02, 3 page 03, 4 page 08, 5 page 15.
    void SetTemplateIndex(int index) { TemplateIndex = index; }
    int GetTemplateIndex() const { return TemplateIndex; }

    // Shows the stored options of the current index (each showing).
    void FormActivate();
    void btnFolderTemplateOptionsOkClick();
    void btnFolderTemplateOptionsCancelClick();
    void rdoFolderTemplateOptionsReplaceNoClick();
    void rdoFolderTemplateOptionsReplaceFirstClick();
    void rdoFolderTemplateOptionsReplaceAllClick();
    void rdoFolderTemplateOptionsReplaceRemainderClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TfrmFolderTemplateOptions> ui;
    int TemplateIndex = 0;
};

extern TfrmFolderTemplateOptions* frmFolderTemplateOptions;
