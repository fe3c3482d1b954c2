// The general help window: one of the built-in help topics, chosen by the
// caller before the window is shown, as a list of lines.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmAltalanosHelp;
}

class TfrmAltalanosHelp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAltalanosHelp(QWidget* parent = nullptr);
    ~TfrmAltalanosHelp() override;

    // The topic shown at the next showing; kept between showings.
    void SetTopic(unsigned topic) { Topic = topic; }
    unsigned GetTopic() const { return Topic; }

    // Fills the list with the topic's body and notes and offers "More help"
    // only where the topic is a page's. Runs whenever the window is shown.
    void FormActivate();
    void btnAltalanosHelpOkClick();
    void btnAltalanosHelpMoreHelpClick();

    std::unique_ptr<Ui::TfrmAltalanosHelp> ui;

protected:
    void showEvent(QShowEvent* event) override;

private:
    unsigned Topic = 0;
};

extern TfrmAltalanosHelp* frmAltalanosHelp;
