// The overview of the program's operations (Help > "Overview"), with links
// to the program's own page.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmOverViewHelp;
}

class TfrmOverViewHelp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOverViewHelp(QWidget* parent = nullptr);
    ~TfrmOverViewHelp() override;

    // Every link opens the program's page.
    void statHtmlAskExpertClick();
    void statHtmlSupportClick();
    void statHtmlQuillmereClick();

    std::unique_ptr<Ui::TfrmOverViewHelp> ui;
};

extern TfrmOverViewHelp* frmOverViewHelp;
