// What the example windows share. An example window shows a small made-up
// situation: constant input lists and, for the options the user picks with
// its radio buttons, the lines the operation would produce. Nothing is read
// from or written to disk.
#pragma once

#include <QObject>
#include <QStringList>
#include <array>

class QAbstractButton;
class QDialog;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace examplekit {

// The look of every example window; `close` closes it.
void SetUpExampleWindow(QDialog* window, QPushButton* close);
void Fill(QListWidget* list, const QStringList& lines);
// Also unchecks the checked radio of an exclusive group.
void SetChecked(QAbstractButton* button, bool checked);
// For each folder in order, the folder followed by each tail in order.
QStringList Join(const QStringList& folders, const QStringList& tails);

// The attach options of the create examples (pages 02, 03, 04) and the copy
// options of the copy-folders example (page 08): attach nothing (not on
// page 08), templates, or existing structures with four ways of copying
// them, offered only while existing structures are chosen.
class AttachOptions : public QObject {
    Q_OBJECT
public:
    struct Radios {
        QRadioButton* nothing = nullptr;  // none on the copy-folders example
        QRadioButton* templates = nullptr;
        QRadioButton* structures = nullptr;
        // Main folders and their subfolders, subfolders only, and the same
        // two with files.
        std::array<QRadioButton*, 4> ways{};
    };
    // `folders` are the folders the structures go into; `mailFolder` is the
    // spelling of the example's mail subfolder ("E-mails" or "Emails").
    AttachOptions(QObject* parent, const Radios& radios, QListWidget* structures, QListWidget* results,
                  const QStringList& folders, const QString& mailFolder);

    // Checks templates (the default) and shows its results.
    void ShowDefault();

private:
    void OuterClicked(QRadioButton* outer);
    void Show();

    Radios radios_;
    QListWidget* structures_;
    QListWidget* results_;
    QStringList folders_;
    QString mail_;
};

}  // namespace examplekit
