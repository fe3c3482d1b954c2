// A small window that start-up creates and nothing shows: a folder path and
// two buttons that open it or show its level summary.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmFolderViews;
}

class TfrmFolderViews : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFolderViews(QWidget* parent = nullptr);
    ~TfrmFolderViews() override;

    void btnFolderViewsExplorerClick();
    void btnFolderViewsLevelsClick();

private:
    std::unique_ptr<Ui::TfrmFolderViews> ui;
};

extern TfrmFolderViews* frmFolderViews;
