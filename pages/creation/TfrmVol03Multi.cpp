#include "pages/creation/TfrmVol03Multi.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/Validation.h"
#include "pages/FieldChecks.h"
#include "pages/PageCommon.h"
#include "platform/MessageBox.h"
#include "ui_TfrmVol03Multi.h"

TfrmVol03Multi* frmVol03Multi = nullptr;

namespace {

const char* const kColumns[] = {"LastSubFolder", "StartNumber", "StopNumber", "Prefix", "Suffix"};

}  // namespace

TfrmVol03Multi::TfrmVol03Multi(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmVol03Multi) {
    ui->setupUi(this);
    for (int line = 1; line <= 10; ++line)
        connect(LineCheck(line), &QAbstractButton::clicked, this,
                [this, line] { chkVol03MultiEnabledDisabledClick(line); });
    connect(ui->btnVol03MultiClearAll, &QPushButton::clicked, this, &TfrmVol03Multi::btnVol03MultiClearAllClick);
    connect(ui->btnVol03MultiOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnVol03MultiCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* checks = new pagekit::FieldChecks(this);
    checks->Watch(ui->edtVol03MultiPrefix01, [this] { edtVol03MultiPrefix01Change(); },
                  [this] { edtVol03MultiPrefix01Exit(); });
    FormCreate();
}

TfrmVol03Multi::~TfrmVol03Multi() {
    if (frmVol03Multi == this) frmVol03Multi = nullptr;
}

QCheckBox* TfrmVol03Multi::LineCheck(int line) const {
    return findChild<QCheckBox*>(QStringLiteral("chkVol03MultiEnabledDisabled%1").arg(line, 2, 10, QChar('0')));
}

QLineEdit* TfrmVol03Multi::LineEdit(int line, int column) const {
    return findChild<QLineEdit*>(
        QStringLiteral("edtVol03Multi%1%2").arg(QString::fromUtf8(kColumns[column])).arg(line, 2, 10, QChar('0')));
}

void TfrmVol03Multi::FormCreate() { SetAllLines(false); }

void TfrmVol03Multi::chkVol03MultiEnabledDisabledClick(int line) {
    const bool on = LineCheck(line)->isChecked();
    for (int column = 0; column < 5; ++column) LineEdit(line, column)->setEnabled(on);
}

void TfrmVol03Multi::SetAllLines(bool flag) {
    for (int line = 1; line <= 10; ++line) LineCheck(line)->setChecked(flag);
    for (int line = 1; line <= 10; ++line) chkVol03MultiEnabledDisabledClick(line);
}

void TfrmVol03Multi::ClearLineOne() {
    SetAllLines(false);
    for (int column = 0; column < 5; ++column) LineEdit(1, column)->clear();
}

void TfrmVol03Multi::btnVol03MultiClearAllClick() {
    ClearLineOne();
    SetAllLines(false);
}

void TfrmVol03Multi::edtVol03MultiPrefix01Change() {
    QLineEdit* field = ui->edtVol03MultiPrefix01;
    std::string found;
    if (!FindIllegalChars("F", field->text().toStdString(), found)) return;
    plat::MessageBox("Illegal characters in the Prefix : " + found,
                     "Creating Folder(s).-Increased Numbers.            Warning no: 0079.",
                     pagekit::kWarn);
    field->setText(pagekit::WithoutLastCharacter(field->text()));
    field->setFocus();
}
