#include "windows/TfrmFileImport.h"

#include <QKeyEvent>
#include <QRadioButton>
#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "core/FileNames.h"
#include "core/ImportClass.h"
#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "help/HelpWindows.h"
#include "platform/FileSystem.h"
#include "platform/Memory.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/HistoryField.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmZoomIncludeWindow.h"
#include "ui_TfrmFileImport.h"
#include "windows/ListTools.h"
#include "windows/TfrmDelimiters.h"
#include "windows/TfrmEditSmartImport.h"
#include "windows/TfrmQuotationMarks.h"

TfrmFileImport* frmFileImport = nullptr;

namespace {

constexpr int kPreviewLength = 2048;  // characters of a source line shown in the preview
constexpr int kColumnMin = 1;
constexpr int kColumnMax = 100;

const char* const kBuiltInMarks[] = {",", "\"", "'", "|", "~", ";", ":", "#",    "&",
                                     "@", "$",  "<", ">", ".", "-", "_", "space"};

void Inform(const std::string& text, const std::string& number) {
    plat::MessageBox(text, "Import File content.            Information no: " + number + ".",
                     plat::MB_OK | plat::MB_ICONINFORMATION);
}

// A whole number with an optional sign and blanks around it.
bool ParseInteger(const std::string& text, long long& value) {
    const std::string t = TrimBlanks(text);
    std::size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    if (i == t.size() || t.size() - i > 9) return false;
    value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        value = value * 10 + (t[i] - '0');
    }
    if (t[0] == '-') value = -value;
    return true;
}

void FillCombo(QComboBox* combo, const StringList& entries) {
    combo->clear();
    std::unordered_set<std::string> held;
    for (const auto& entry : entries)
        if (held.insert(entry).second) combo->addItem(QString::fromStdString(entry));
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

// A checked radio of an exclusive group cannot be unchecked directly.
void Uncheck(QRadioButton* radio) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
}

// What the window holds, measured at the allocator: a list row (its item,
// its data and its text in UTF-16) per line and per byte of the file; and
// while a list is created, each parsed line, its place in the set that
// drops repeats and its text handed to its row.
constexpr double kRowBytes = 220, kRowPerByte = 2;
constexpr double kParsedBytes = 144, kParsedPerByte = 1;
double Rows(double lines, double bytes) { return lines * kRowBytes + bytes * kRowPerByte; }
// What a page adds beside its rows while it takes `lines` lines of `bytes`:
// first each line's key in the set of those held (the node, its bucket, its
// characters in a block of their own) and its text handed to the row
// (UTF-16); then, those gone, the two copies the page reads of its list to
// count it (its inputs, the list as read).
constexpr double kCharsBlock = 24;
double Taken(double lines, double bytes) {
    const double keyed = lines * (64 + sizeof(void*) + kCharsBlock + sizeof(void*) + 24) + bytes * (1 + 2);
    const double copied = 2 * (lines * (sizeof(std::string) + kCharsBlock) + bytes);
    return std::max(keyed, copied);
}
// A created list of `entries` lines from `bytes`, while it is made and after.
double Created(double entries, double bytes) {
    return Rows(entries, bytes) + entries * kParsedBytes + bytes * kParsedPerByte;
}

QString PreviewOf(const std::string& line) {
    QString text = QString::fromStdString(line);
    if (text.size() > kPreviewLength)
        text.truncate(text.at(kPreviewLength - 1).isHighSurrogate() ? kPreviewLength - 1 : kPreviewLength);
    return text;
}

}  // namespace

TfrmFileImport::TfrmFileImport(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmFileImport>()) {
    ui->setupUi(this);
    qtplat::OfferHistoryAsList(ui->cboFileImportDelimiter);
    ui->edtFileImportFileName->installEventFilter(this);
    connect(ui->btnFileImportBrowse, &QPushButton::clicked, this, &TfrmFileImport::btnFileImportBrowseClick);
    connect(ui->rdoFileImportPlainText, &QRadioButton::clicked, this, &TfrmFileImport::rdoFileImportPlainTextClick);
    connect(ui->rdoFileImportSeparatedFile, &QRadioButton::clicked, this,
            &TfrmFileImport::rdoFileImportSeparatedFileClick);
    connect(ui->rdoFileImportColumnSeparatedFile, &QRadioButton::clicked, this,
            &TfrmFileImport::rdoFileImportColumnSeparatedFileClick);
    connect(ui->rdoFileImportAllColumns, &QRadioButton::clicked, this, &TfrmFileImport::rdoFileImportAllColumnsClick);
    connect(ui->rdoFileImportOneColumn, &QRadioButton::clicked, this, &TfrmFileImport::rdoFileImportOneColumnClick);
    connect(ui->btnFileImportColumnUp, &QToolButton::clicked, this, [this] { UDFileImportColumnNumberClick(1); });
    connect(ui->btnFileImportColumnDown, &QToolButton::clicked, this, [this] { UDFileImportColumnNumberClick(-1); });
    connect(ui->btnFileImportFrom, &QPushButton::clicked, this, &TfrmFileImport::btnFileImportFromClick);
    connect(ui->btnSmartImportZoomOriginalFile, &QPushButton::clicked, this,
            &TfrmFileImport::btnSmartImportZoomOriginalFileClick);
    connect(ui->btnSmartImportZoomPreview, &QPushButton::clicked, this,
            &TfrmFileImport::btnSmartImportZoomPreviewClick);
    connect(ui->btnSmartImportPreviewEdit, &QPushButton::clicked, this,
            &TfrmFileImport::btnSmartImportPreviewEditClick);
    connect(ui->btnFileImportClear, &QPushButton::clicked, this, &TfrmFileImport::btnFileImportClearClick);
    connect(ui->btnFileImportManageSeparators, &QPushButton::clicked, this,
            &TfrmFileImport::btnFileImportManageSeparatorsClick);
    connect(ui->btnFileImportManageQuotationMarks, &QPushButton::clicked, this,
            &TfrmFileImport::btnFileImportManageQuotationMarksClick);
    connect(ui->btnFileImportOk, &QPushButton::clicked, this, &TfrmFileImport::btnFileImportOkClick);
    connect(ui->btnFileImportCancel, &QPushButton::clicked, this, &TfrmFileImport::btnFileImportCancelClick);
    connect(ui->btnFileImportHelp, &QPushButton::clicked, this, [] { ShowHelpTopic(HelpTopic::FileImport); });
    listtools::ShowCountOf(ui->lstFileImportSource, ui->lblFileImportSourceLines);
    listtools::ShowCountOf(ui->lstFileImportResults, ui->lblFileImportPreviewLines);
    // IMPORT follows the result list, however it changes.
    const QAbstractItemModel* results = ui->lstFileImportResults->model();
    connect(results, &QAbstractItemModel::rowsInserted, this, &TfrmFileImport::ShowResultCount);
    connect(results, &QAbstractItemModel::rowsRemoved, this, &TfrmFileImport::ShowResultCount);
    connect(results, &QAbstractItemModel::modelReset, this, &TfrmFileImport::ShowResultCount);
    FormCreate();
}

int TfrmFileImport::ExecFor(const QObject* target) {
    if (target != resultTarget_) {
        ClearResultLines();
        resultTarget_ = target;
    } else if (!kept_.empty()) {
        QStringList back;
        for (const std::string& line : kept_) back << QString::fromStdString(line);
        StringList().swap(kept_);
        ui->lstFileImportResults->addItems(back);
    }
    const int result = qtplat::ExecModal(this);
    // Closed, the window lets go of the file and its lists: the page takes the created lines.
    kept_ = listtools::ListLines(ui->lstFileImportResults);
    ui->lstFileImportResults->clear();
    ui->lstFileImportSource->clear();
    EnableImportSettings(false);
    return result;
}

TfrmFileImport::~TfrmFileImport() {
    ui->lstFileImportResults->model()->disconnect(this);  // the list empties as it goes
}

StringList TfrmFileImport::GetSourceLines() const { return listtools::ListLines(ui->lstFileImportSource); }
StringList TfrmFileImport::GetResultLines() const {
    return ui->lstFileImportResults->count() > 0 ? listtools::ListLines(ui->lstFileImportResults) : kept_;
}
bool TfrmFileImport::PageCanTake() const {
    const StringList open = ui->lstFileImportResults->count() > 0 ? listtools::ListLines(ui->lstFileImportResults)
                                                                  : StringList();
    const StringList& lines = open.empty() ? kept_ : open;
    double bytes = 0;
    for (const std::string& line : lines) bytes += static_cast<double>(line.size());
    const double n = static_cast<double>(lines.size());
    return FitsInMemory("take the list", lines.size(), Rows(n, bytes) + Taken(n, bytes));
}

StringList TfrmFileImport::TakeResultLines() {
    StringList lines = ui->lstFileImportResults->count() > 0 ? listtools::ListLines(ui->lstFileImportResults)
                                                             : std::move(kept_);
    StringList().swap(kept_);
    ui->lstFileImportResults->clear();
    return lines;
}
void TfrmFileImport::ClearSourceLines() { ui->lstFileImportSource->clear(); }
void TfrmFileImport::ClearResultLines() {
    ui->lstFileImportResults->clear();
    StringList().swap(kept_);
}

bool TfrmFileImport::FitsInMemory(const std::string& doing, std::uint64_t lines, double need) const {
    const std::optional<std::uint64_t> machine = plat::GetAvailableMemory();
    if (!machine || need <= static_cast<double>(*machine)) return true;
    plat::MessageBox("There is not enough memory to " + doing + ".\nThe file holds " + UInt64ToStr(lines) +
                         " lines, which need about " + FormatByteSize(static_cast<std::uint64_t>(need)) +
                         " of memory.\nThe free memory is : " + FormatByteSize(*machine) +
                         "\n\nNothing was changed.\nAction : Split the file, and import it in parts.",
                     "Import File content.            Warnings no: 0460.", plat::MB_OK | plat::MB_ICONWARNING);
    return false;
}

bool TfrmFileImport::CheckFullPaths(std::string& report) const {
    return CheckImportedPaths(GetResultLines(), true, report);
}

bool TfrmFileImport::CheckRelativePaths(std::string& report) const {
    return CheckImportedPaths(GetResultLines(), false, report);
}

// ---- creation and enabling ---------------------------------------------------------------

void TfrmFileImport::FormCreate() {
    builtInDelimiters_.clear();
    for (const char* mark : kBuiltInMarks) builtInDelimiters_.push_back(ToLowerCase(TrimControlAndBlanks(mark)));
    builtInQuotationMarks_ = builtInDelimiters_;
    FillDelimiterCombo();
    FillQuotationMarkCombo();
    rdoFileImportPlainTextClick();
    // Nothing to create or import until a file has been read.
    EnableImportSettings(ui->lstFileImportSource->count() > 0);
    ui->lblFileImportSourceLines->setText("0");
    ui->lblFileImportPreviewLines->setText("0");
}

void TfrmFileImport::FillDelimiterCombo() {
    const StringList stored = GetDelimList();
    FillCombo(ui->cboFileImportDelimiter, stored.empty() ? builtInDelimiters_ : stored);
}

void TfrmFileImport::FillQuotationMarkCombo() {
    const StringList stored = GetQuotList();
    FillCombo(ui->cboFileImportQuotationMark, stored.empty() ? builtInQuotationMarks_ : stored);
}

void TfrmFileImport::EnableImportSettings(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lblFileImportResults, ui->lstFileImportResults,
                                                      ui->lblFileImportPreviewLines, ui->lblFileImportPreviewLinesCim,
                                                      ui->btnSmartImportZoomPreview, ui->rdoFileImportPlainText,
                                                      ui->btnSmartImportPreviewEdit})
        w->setEnabled(on);
    if (on) {
        rdoFileImportPlainTextClick();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{ui->rdoFileImportSeparatedFile, ui->rdoFileImportAllColumns,
                                                          ui->rdoFileImportOneColumn, ui->edtFileImportColumnNumber,
                                                          ui->UDFileImportColumnNumber, ui->lblFileImportDelimiter,
                                                          ui->cboFileImportDelimiter})
            w->setEnabled(false);
    }
    ui->chkFileImportAbandonQMarks->setEnabled(on);
    ui->btnFileImportFrom->setEnabled(on);
    ui->lblFileImportKettes->setEnabled(on);
    const bool importable = on && ui->lstFileImportResults->count() > 0;
    ui->btnFileImportOk->setEnabled(importable);
    ui->lblFileImportHarmas->setEnabled(importable);
}

// ---- how to read the file -------------------------------------------------------------------

void TfrmFileImport::rdoFileImportPlainTextClick() {
    ui->rdoFileImportPlainText->setChecked(true);
    Uncheck(ui->rdoFileImportAllColumns);
    Uncheck(ui->rdoFileImportOneColumn);
    ui->rdoFileImportPlainText->setEnabled(true);
    ui->rdoFileImportSeparatedFile->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{ui->rdoFileImportAllColumns, ui->rdoFileImportOneColumn,
                                                      ui->edtFileImportColumnNumber, ui->UDFileImportColumnNumber,
                                                      ui->lblFileImportDelimiter, ui->cboFileImportDelimiter})
        w->setEnabled(false);
}

void TfrmFileImport::rdoFileImportSeparatedFileClick() {
    ui->rdoFileImportSeparatedFile->setChecked(true);
    ui->rdoFileImportAllColumns->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{ui->rdoFileImportPlainText, ui->rdoFileImportSeparatedFile,
                                                      ui->rdoFileImportAllColumns, ui->rdoFileImportOneColumn,
                                                      ui->lblFileImportDelimiter, ui->cboFileImportDelimiter})
        w->setEnabled(true);
    ui->edtFileImportColumnNumber->setEnabled(false);
    ui->UDFileImportColumnNumber->setEnabled(false);
}

void TfrmFileImport::rdoFileImportColumnSeparatedFileClick() {
    ui->edtFileImportColumnNumber->setEnabled(true);
    ui->UDFileImportColumnNumber->setEnabled(true);
}

void TfrmFileImport::rdoFileImportAllColumnsClick() {
    ui->rdoFileImportAllColumns->setChecked(true);
    ui->edtFileImportColumnNumber->setEnabled(false);
    ui->UDFileImportColumnNumber->setEnabled(false);
}

void TfrmFileImport::rdoFileImportOneColumnClick() {
    ui->rdoFileImportOneColumn->setChecked(true);
    ui->edtFileImportColumnNumber->setEnabled(true);
    ui->UDFileImportColumnNumber->setEnabled(true);
}

void TfrmFileImport::UDFileImportColumnNumberClick(int step) {
    long long value = 0;
    if (!ParseInteger(ui->edtFileImportColumnNumber->text().toStdString(), value) || value < kColumnMin ||
        value > kColumnMax)
        value = kColumnMin - step;  // an unreadable number starts again at an end of the range
    value += step;
    if (value > kColumnMax) value = kColumnMin;
    if (value < kColumnMin) value = kColumnMax;
    ui->edtFileImportColumnNumber->setText(QString::number(value));
}

// ---- 1. reading the file ------------------------------------------------------------------

void TfrmFileImport::btnFileImportBrowseClick() {
    qtplat::FileDialogRequest dialog;
    dialog.owner = this;
    dialog.title = "Import Folder Names (strings) from Files.";
    dialog.filter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
    dialog.defaultExtension = "txt";
    const std::string file = qtplat::GetFileName(dialog);
    if (!file.empty()) {
        std::string extension;
        GetFileExtension(file, extension);
        if (ToLowerCase(extension) != "txt" &&
            plat::MessageBox("The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to "
                             "select this file ?\nClick YES to Continue Selecting this file,\nClick NO to Stop the "
                             "Select process.",
                             "Import File content.            Warnings no: 0311.",
                             plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) != plat::IDYES)
            return;
        ui->edtFileImportFileName->setText(QString::fromStdString(file));
        std::ifstream in;
        if (!plat::OpenInputFile(file, in)) {
            plat::MessageBox("There was a problem opening the file !\nAction : The file is maybe corrupted.",
                             "Import File content.            Warnings no: 0312.", plat::MB_OK | plat::MB_ICONWARNING);
            return;
        }
        // Weighed before it is read: its preview, and the list it makes
        // from every line (read again from the file).
        ImportFileSize size;
        MeasureImportFile(file, "", size);
        const double lines = static_cast<double>(size.lines), bytes = static_cast<double>(size.bytes);
        if (!FitsInMemory("read the file", size.lines, Rows(lines, bytes) + Created(lines, bytes))) return;
        ui->lstFileImportSource->clear();
        ui->lstFileImportResults->clear();
        ImportLineReader reader(in);
        std::string line;
        QStringList batch;
        listtools::PaintThrottle throttle;
        const auto flush = [&] {
            ui->lstFileImportSource->addItems(batch);
            batch.clear();
        };
        while (reader.Next(line)) {
            if (TrimControlAndBlanks(line).empty()) continue;
            batch << PreviewOf(line);
            if (batch.size() >= 4096) {
                flush();
                throttle.Tick();
            }
        }
        flush();
        in.close();
        Inform("End of the IMPORT process!", "0450");
    }
    EnableImportSettings(ui->lstFileImportSource->count() > 0);
}

void TfrmFileImport::edtFileImportFileNameKeyPress() { btnFileImportBrowseClick(); }

// ---- 2. creating the list ------------------------------------------------------------------

void TfrmFileImport::btnFileImportFromClick() {
    const bool oneColumn = !ui->rdoFileImportPlainText->isChecked() && ui->rdoFileImportOneColumn->isChecked();
    long long column = 0;
    if (oneColumn) {
        // Checked before anything is emptied: a mistyped number loses nothing.
        const std::string text = ui->edtFileImportColumnNumber->text().toStdString();
        if (!ParseInteger(text, column)) {
            // The run-time library's conversion error, under the program's title.
            plat::MessageBox("'" + text + "' is not a valid integer value", GetProgramTitle(),
                             plat::MB_OK | plat::MB_ICONERROR);
            return;
        }
        if (column < kColumnMin) {
            plat::MessageBox("'" + text + "' is not a valid column number: the columns are counted from 1.",
                             "Import File content.", plat::MB_OK | plat::MB_ICONWARNING);
            return;
        }
    }
    ImportSettings settings;
    settings.FileName = ui->edtFileImportFileName->text().toStdString();
    settings.Format = ui->rdoFileImportPlainText->isChecked() ? kImportPlainLines
                      : oneColumn                             ? kImportOneColumn
                                                              : kImportAllColumns;
    settings.Delimiter = ui->cboFileImportDelimiter->currentText().toStdString();
    if (TrimBlanks(settings.Delimiter) == "space") settings.Delimiter = " ";
    settings.QuotationMark = ui->cboFileImportQuotationMark->currentText().toStdString();
    settings.AbandonQuotationMarks = ui->chkFileImportAbandonQMarks->isChecked();

    // Weighed before it is read: each line, or each part of one, a line of the list.
    ImportFileSize size;
    MeasureImportFile(settings.FileName, settings.Format == kImportAllColumns ? settings.Delimiter : "", size);
    if (!FitsInMemory("create the list", size.lines,
                      Created(static_cast<double>(size.lines + size.cuts), static_cast<double>(size.bytes))))
        return;
    ui->lstFileImportResults->clear();
    QStringList created;
    {
        ImportClass parser(settings);
        if (oneColumn) parser.SetColumn(static_cast<int>(column));
        parser.Import();
        StringList parsed = parser.TakeList();
        for (std::string& item : parsed) item = TrimControlAndBlanks(item);
        std::unordered_set<std::string_view> held;  // the created list compares exact texts
        held.reserve(parsed.size());
        for (const std::string& text : parsed)
            if (!text.empty() && held.insert(text).second) created << QString::fromStdString(text);
    }  // the parsed lines go before the rows are made
    ui->lstFileImportResults->addItems(created);
    Inform("End of the making FOLDER LIST process! (Preview)", "0451");
}

void TfrmFileImport::ShowResultCount() {
    const bool any = ui->lstFileImportResults->count() > 0;
    ui->btnFileImportOk->setEnabled(any);
    ui->lblFileImportHarmas->setEnabled(any);
}

void TfrmFileImport::btnSmartImportZoomOriginalFileClick() {
    if (frmZoomIncludeWindow) frmZoomIncludeWindow->ShowZoom(ui->lstFileImportSource->model());
}

void TfrmFileImport::btnSmartImportZoomPreviewClick() {
    if (frmZoomIncludeWindow) frmZoomIncludeWindow->ShowZoom(ui->lstFileImportResults->model());
}

void TfrmFileImport::btnSmartImportPreviewEditClick() {
    if (!frmEditSmartImport) return;
    frmEditSmartImport->SetTargetList(ui->lstFileImportResults);
    frmEditSmartImport->SetMemoLines(GetResultLines());
    qtplat::ExecModal(frmEditSmartImport);  // count and IMPORT follow what it leaves
}

void TfrmFileImport::btnFileImportClearClick() {
    ui->edtFileImportFileName->clear();
    ui->lstFileImportSource->clear();
    ui->lstFileImportResults->clear();
    ui->rdoFileImportPlainText->setChecked(true);
    ui->edtFileImportColumnNumber->setText("1");
    ui->chkFileImportAbandonQMarks->setChecked(true);
    ui->cboFileImportDelimiter->setCurrentIndex(ui->cboFileImportDelimiter->count() > 0 ? 0 : -1);
    EnableImportSettings(ui->lstFileImportSource->count() > 0);
}

void TfrmFileImport::btnFileImportManageSeparatorsClick() {
    if (!frmDelimiters) return;
    qtplat::ExecModal(frmDelimiters);
    FillDelimiterCombo();
}

void TfrmFileImport::btnFileImportManageQuotationMarksClick() {
    if (!frmQuotationMarks) return;
    qtplat::ExecModal(frmQuotationMarks);
    FillQuotationMarkCombo();
}

// ---- 3. handing the list over --------------------------------------------------------------

void TfrmFileImport::btnFileImportOkClick() { accept(); }
void TfrmFileImport::btnFileImportCancelClick() { reject(); }

bool TfrmFileImport::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->edtFileImportFileName && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            edtFileImportFileNameKeyPress();
            return true;  // Enter browses; it does not press IMPORT
        }
    }
    return QDialog::eventFilter(watched, event);
}
