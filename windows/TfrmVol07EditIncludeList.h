// The Include-list editor of the delete-folders page (07).
// Takes the trimmed lines as they are; never the root of a drive, nor (as
// the page hands it the refusal) the program folder or its working folder.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol07EditIncludeList;
}

class TfrmVol07EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol07EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol07EditIncludeList() override;

    void btnVol07EditIncludeListOkClick();
    void btnVol07EditIncludeListCancelClick();
    void mmoVol07EditIncludeListKeyPress();

private:
    std::unique_ptr<Ui::TfrmVol07EditIncludeList> ui;
};

extern TfrmVol07EditIncludeList* frmVol07EditIncludeList;
