// More help: the list tools every page shares (Include and Exclude lists,
// list editors, subfolder list builder, Visual Log). Filled once.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmMoreHelp;
}

class TfrmMoreHelp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMoreHelp(QWidget* parent = nullptr);
    ~TfrmMoreHelp() override;

    std::unique_ptr<Ui::TfrmMoreHelp> ui;
};

extern TfrmMoreHelp* frmMoreHelp;
