// How many subfolders a folder structure has on each level. It has no
// behaviour of its own: ShowLevelSummary (LevelSummary.h) fills and shows it.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmLevelSummFolder;
}

class TfrmLevelSummFolder : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLevelSummFolder(QWidget* parent = nullptr);
    ~TfrmLevelSummFolder() override;

private:
    std::unique_ptr<Ui::TfrmLevelSummFolder> ui;
};

extern TfrmLevelSummFolder* frmLevelSummFolder;
