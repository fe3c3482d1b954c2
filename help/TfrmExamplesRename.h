// The example window of page 06: the last subfolder of each listed folder renamed.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmExamplesRename;
}

class TfrmExamplesRename : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExamplesRename(QWidget* parent = nullptr);
    ~TfrmExamplesRename() override;

    void rdoExReAddPrefixesAndSuffixesClick();
    void rdoExRenameTheLastSubFolderClick();

    std::unique_ptr<Ui::TfrmExamplesRename> ui;
};

extern TfrmExamplesRename* frmExamplesRename;
