// The Include-list editor of the subfolder list builder.
// Takes normalised full paths only.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmNoltEditIncludeFolderList;
}

class TfrmNoltEditIncludeFolderList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmNoltEditIncludeFolderList(QWidget* parent = nullptr);
    ~TfrmNoltEditIncludeFolderList() override;

    void btnEditIncludeListOkClick();
    void btnEditIncludeListCancelClick();
    void mmoEditIncludeListKeyPress();
    void mmoEditIncludeListClick();

private:
    std::unique_ptr<Ui::TfrmNoltEditIncludeFolderList> ui;
};

extern TfrmNoltEditIncludeFolderList* frmNoltEditIncludeFolderList;
