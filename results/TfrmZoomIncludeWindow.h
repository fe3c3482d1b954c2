// Shows a page's Include list (or a list of the import window) at full size.
#pragma once

#include <QDialog>
#include <memory>

#include "core/Types.h"

class QAbstractItemModel;
class ResultsListModel;

namespace Ui {
class TfrmZoomIncludeWindow;
}

class TfrmZoomIncludeWindow : public QDialog {
    Q_OBJECT
public:
    explicit TfrmZoomIncludeWindow(QWidget* parent = nullptr);
    ~TfrmZoomIncludeWindow() override;

    // Empties the list, then adds every line it does not hold yet
    // (SameFolderLine, as the list holds them), in the source's order. Emptying first
    // makes the window show the list it was opened from, not what earlier
    // zooms left in it.
    void Fill(const StringList& lines);
    // The first column of any list box's model (QListWidget, import lists).
    void Fill(const QAbstractItemModel* source);

    // Fills and shows the window modally; returns when it is closed.
    int ShowZoom(const StringList& lines);
    int ShowZoom(const QAbstractItemModel* source);
    // Hides the window first when it is visible; -1 while it is already modal.
    int ShowModal();

    ResultsListModel* List() const { return model_; }

private:
    std::unique_ptr<Ui::TfrmZoomIncludeWindow> ui;
    ResultsListModel* model_ = nullptr;
    bool modal_ = false;
};

extern TfrmZoomIncludeWindow* frmZoomIncludeWindow;
