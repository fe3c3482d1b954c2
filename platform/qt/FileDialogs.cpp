#include "platform/qt/FileDialogs.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QStringList>

#include "platform/FileSystem.h"

namespace qtplat {
namespace {

FileDialogHandler& Handler() {
    static FileDialogHandler handler;
    return handler;
}

std::string ShowDialog(const FileDialogRequest& request) {
    QFileDialog dialog(request.owner);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromStdString(QtFileFilter(request.filter)));
    if (!request.title.empty()) dialog.setWindowTitle(QString::fromStdString(request.title));
    if (request.save) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (request.save && !request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    TakeTypedNames(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    std::string path;
    // A Linux name the program cannot say in drive form is never passed on.
    return plat::FromNative(dialog.selectedFiles().front().toStdString(), path) ? path : std::string();
}

}  // namespace

std::string GetFileName(const FileDialogRequest& request) {
    return Handler() ? Handler()(request) : ShowDialog(request);
}

std::string GetOpenFileName(QWidget* owner, const std::string& filter, const std::string& defaultExtension) {
    FileDialogRequest request;
    request.owner = owner;
    request.filter = filter;
    request.defaultExtension = defaultExtension;
    return GetFileName(request);
}

std::string GetSaveFileName(QWidget* owner, const std::string& filter, const std::string& defaultExtension) {
    FileDialogRequest request;
    request.owner = owner;
    request.save = true;
    request.filter = filter;
    request.defaultExtension = defaultExtension;
    return GetFileName(request);
}

std::string BrowseFolder(QWidget* owner, const std::string& title) {
    QFileDialog dialog(owner, QString::fromStdString(title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    TakeTypedNames(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString dir = dialog.selectedFiles().front();
    std::string path;
    return !dir.isEmpty() && plat::FromNative(dir.toStdString(), path) ? path : std::string();
}

void TakeTypedNames(QFileDialog& dialog) {
    for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) field->setCompleter(nullptr);
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    FileDialogHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

std::string QtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        if (const qsizetype open = name.indexOf('('); open >= 0) name = name.left(open).trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        // "*.*" means every file here, also one without a dot.
        for (QString& pattern : patterns)
            if (pattern.trimmed() == "*.*") pattern = "*";
        names << name + " (" + patterns.join(' ') + ")";
    }
    return names.join(";;").toStdString();
}

}  // namespace qtplat
