#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace qtplat {
namespace {

ModalHandler& Modal() {
    static ModalHandler handler;
    return handler;
}

int ShowBox(const std::string& text, const std::string& caption, unsigned flags) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (flags & plat::MB_ICONMASK) {
    case plat::MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case plat::MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case plat::MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case plat::MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (flags & plat::MB_BUTTONMASK) {
    case plat::MB_OKCANCEL: choices = {{QMessageBox::Ok, plat::IDOK}, {QMessageBox::Cancel, plat::IDCANCEL}}; break;
    case plat::MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, plat::IDYES}, {QMessageBox::No, plat::IDNO}, {QMessageBox::Cancel, plat::IDCANCEL}};
        break;
    case plat::MB_YESNO: choices = {{QMessageBox::Yes, plat::IDYES}, {QMessageBox::No, plat::IDNO}}; break;
    default: choices = {{QMessageBox::Ok, plat::IDOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices) buttons |= c.button;
    box.setStandardButtons(buttons);
    const std::size_t def = (flags & plat::MB_DEFBUTTON2) && choices.size() > 1 ? 1 : 0;
    box.setDefaultButton(choices[def].button);
    const int clicked = box.exec();
    for (const auto& c : choices)
        if (clicked == c.button) return c.answer;
    return plat::SafeAnswer(flags);
}

}  // namespace

void InstallDesktopHandlers() {
    plat::SetMessageBoxHandler(ShowBox);
    plat::SetFolderBrowserHandler([](void* owner, const std::string& title) -> std::string {
        const QString dir = QFileDialog::getExistingDirectory(static_cast<QWidget*>(owner),
                                                              QString::fromStdString(title));
        if (dir.isEmpty()) return {};
        std::string path;
        return plat::FromNative(dir.toStdString(), path) ? path : std::string();
    });
    plat::SetOpenFolderHandler([](const std::string& folder) {
        std::string native;
        if (!plat::ToNative(folder, native)) return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(native)));
    });
    plat::SetOpenDocumentHandler([](const std::string& file) {
        std::string native;
        if (!plat::ToNative(file, native)) return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(native)));
    });
}

int ExecModal(QDialog* dialog) {
    if (Modal()) return Modal()(dialog);
    return dialog->exec();
}

ModalHandler SetModalHandler(ModalHandler handler) {
    ModalHandler previous = std::move(Modal());
    Modal() = std::move(handler);
    return previous;
}

void ProcessPendingPaints() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace qtplat
