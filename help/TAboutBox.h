// The About box (Help > "&About..."): the program title and a link to the
// program's page.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    void statHtmlVelbrookClick();

    std::unique_ptr<Ui::TAboutBox> ui;
};

extern TAboutBox* AboutBox;
