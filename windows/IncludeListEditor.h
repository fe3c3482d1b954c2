// What every include-list editor shares: a memo holding one path per line,
// whose OK rebuilds the opener's Include list by one of three line rules,
// never taking a line that the Include list (as rebuilt so far) or the
// Exclude list already holds (SameFolderLine: names byte for byte, the
// drive letter in either case).
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/Types.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

class IncludeListEditor : public QDialog {
    Q_OBJECT

public:
    enum class LineRule {
        Plain,     // trimmed lines as they are
        FullPath,  // normalised full paths; the whole edit is refused when one line is no full path
        Relative,  // normalised relative paths; other lines are dropped
    };

    // A line the opener's Include list never takes, besides a root: true
    // after the opener's message.
    using LineRefusal = std::function<bool(const std::string& line)>;

    // The opener's Edit button: the memo gets the Include list's lines and
    // the editor is shown modally. Returns the modal result; on OK
    // (QDialog::Accepted) the Include list has been rebuilt already and the
    // count label (when given) shows its number of lines. OK with a line
    // `refuses` refuses keeps the editor open and the list as it was, as a
    // root does.
    int EditIncludeList(QListWidget* include, QListWidget* exclude, QLabel* includeSum = nullptr,
                        LineRefusal refuses = {});

    // The same in parts, for an opener that fills the memo itself.
    void SetTargetLists(QListWidget* include, QListWidget* exclude, QLabel* includeSum = nullptr);
    void SetMemoLines(const StringList& lines);
    StringList GetMemoLines() const;

protected:
    struct Setup {
        LineRule rule = LineRule::Plain;
        QPlainTextEdit* memo = nullptr;
        QLabel* linesSum = nullptr;
        QLabel* currentLine = nullptr;  // pages with a caret-line label only
        std::string refusedCaption;     // full-path rule: caption of the refusal
        // Pages that never take the root of a drive or file system.
        bool refuseRoots = false;
        std::string rootText;
        std::string rootCaption;
        std::size_t cap = 0;  // most lines taken (0: no limit)
        std::string capText;
        std::string capCaption;
    };

    explicit IncludeListEditor(QWidget* parent);
    // Called by each editor once its controls exist.
    void InitEditor(const Setup& setup);

    void FormCreate();
    void FormActivate();
    void OkClick();
    void CancelClick();
    void MemoKeyPress();
    void MemoClick();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // False (after showing why) when the memo may not replace the list.
    bool LinesAccepted(const StringList& lines);
    void ShowIncludeSum(std::size_t count);

    Setup setup_;
    QListWidget* include_ = nullptr;
    QListWidget* exclude_ = nullptr;
    QLabel* includeSum_ = nullptr;
    LineRefusal refuses_;
};
