// The Include-list editor of the rename-files page (12).
// Takes the trimmed lines as they are; never the root of a drive.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol12EditIncludeList;
}

class TfrmVol12EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol12EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol12EditIncludeList() override;

    void btnVol12EditIncludeListOkClick();
    void btnVol12EditIncludeListCancelClick();
    void mmoVol12EditIncludeListKeyPress();

private:
    std::unique_ptr<Ui::TfrmVol12EditIncludeList> ui;
};

extern TfrmVol12EditIncludeList* frmVol12EditIncludeList;
