// The tutorials window: one button per operation family opens the local
// tutorial page "basic.htm" of the program folder; one opens the program's
// page. Created with the others; nothing in the program shows it.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmVideoTutorials;
}

class TfrmVideoTutorials : public QDialog {
    Q_OBJECT
public:
    explicit TfrmVideoTutorials(QWidget* parent = nullptr);
    ~TfrmVideoTutorials() override;

    // "basic.htm" in the program folder, in drive form.
    static std::string LocalTutorialPage();
    // Opens it; a missing page or viewer is not reported.
    bool OpenLocalTutorialPage();
    void btnVideoTutorialsInternetClick();

    std::unique_ptr<Ui::TfrmVideoTutorials> ui;
};

extern TfrmVideoTutorials* frmVideoTutorials;
