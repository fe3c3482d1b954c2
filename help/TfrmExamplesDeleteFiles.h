// The example window of page 11: files deleted from main folders, or from their subfolders too.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmExamplesDeleteFiles;
}

class TfrmExamplesDeleteFiles : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExamplesDeleteFiles(QWidget* parent = nullptr);
    ~TfrmExamplesDeleteFiles() override;

    void ShowResults();

    std::unique_ptr<Ui::TfrmExamplesDeleteFiles> ui;
};

extern TfrmExamplesDeleteFiles* frmExamplesDeleteFiles;
