// The Include-list editor of the delete-files page (11).
// Takes the trimmed lines as they are; never the root of a drive.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol11EditIncludeList;
}

class TfrmVol11EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol11EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol11EditIncludeList() override;

    void btnVol11EditIncludeListOkClick();
    void btnVol11EditIncludeListCancelClick();
    void mmoVol11EditIncludeListKeyPress();

private:
    std::unique_ptr<Ui::TfrmVol11EditIncludeList> ui;
};

extern TfrmVol11EditIncludeList* frmVol11EditIncludeList;
