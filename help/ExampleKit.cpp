#include "help/ExampleKit.h"

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "help/HelpLook.h"

namespace examplekit {

void SetUpExampleWindow(QDialog* window, QPushButton* close) {
    helplook::ApplyWindowLook(window);
    helplook::MakeMaroonButton(close);
    QObject::connect(close, &QPushButton::clicked, window, &QDialog::close);
    // Long paths scroll sideways instead of being cut.
    for (QListWidget* list : window->findChildren<QListWidget*>()) {
        list->setWordWrap(false);
        list->setTextElideMode(Qt::ElideNone);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
}

void Fill(QListWidget* list, const QStringList& lines) {
    list->clear();
    list->addItems(lines);
}

void SetChecked(QAbstractButton* button, bool checked) {
    if (button->isChecked() == checked) return;
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

QStringList Join(const QStringList& folders, const QStringList& tails) {
    QStringList lines;
    for (const QString& folder : folders)
        for (const QString& tail : tails) lines << folder + tail;
    return lines;
}

AttachOptions::AttachOptions(QObject* parent, const Radios& radios, QListWidget* structures, QListWidget* results,
                             const QStringList& folders, const QString& mailFolder)
    : QObject(parent), radios_(radios), structures_(structures), results_(results), folders_(folders),
      mail_(mailFolder) {
    for (QRadioButton* outer : {radios_.nothing, radios_.templates, radios_.structures})
        if (outer) connect(outer, &QRadioButton::clicked, this, [this, outer] { OuterClicked(outer); });
    for (QRadioButton* way : radios_.ways) connect(way, &QRadioButton::clicked, this, &AttachOptions::Show);
}

void AttachOptions::ShowDefault() {
    radios_.templates->setChecked(true);
    OuterClicked(radios_.templates);
}

// Choosing existing structures always starts at their first way.
void AttachOptions::OuterClicked(QRadioButton* outer) {
    const bool structures = outer == radios_.structures;
    for (std::size_t i = 0; i < radios_.ways.size(); ++i) {
        radios_.ways[i]->setEnabled(structures);
        SetChecked(radios_.ways[i], structures && i == 0);
    }
    Show();
}

void AttachOptions::Show() {
    const QString mails = QStringLiteral("\\") + mail_;
    QStringList structureLines;
    QStringList tails;
    if (radios_.templates->isChecked()) {
        structureLines = {QStringLiteral("\\Seo\\Seo1"), QStringLiteral("\\Seo\\Seo2")};
        tails = structureLines;
    } else if (radios_.structures->isChecked()) {
        structureLines = {QStringLiteral("e:\\Marketing"), QStringLiteral("f:\\Programs")};
        const QStringList byWay[] = {
            {QStringLiteral("\\Marketing") + mails, QStringLiteral("\\Programs\\Beta")},
            {mails, QStringLiteral("\\Beta")},
            {QStringLiteral("\\Marketing") + mails + QStringLiteral("\\Brochure.txt"),
             QStringLiteral("\\Programs\\Beta\\anchors.cpp")},
            {mails + QStringLiteral("\\Brochure.txt"), QStringLiteral("\\Beta\\anchors.cpp")},
        };
        for (std::size_t i = 0; i < radios_.ways.size(); ++i)
            if (radios_.ways[i]->isChecked()) tails = byWay[i];
    } else {
        tails = {QString()};  // attach nothing: the folders themselves
    }
    Fill(structures_, structureLines);
    Fill(results_, Join(folders_, tails));
}

}  // namespace examplekit
