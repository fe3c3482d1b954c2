#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QPointer>
#include <QThread>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace qtplat {
namespace {

ModalHandler& Modal() {
    static ModalHandler handler;
    return handler;
}

struct Choice {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<Choice> ChoicesOf(unsigned flags) {
    switch (flags & plat::MB_BUTTONMASK) {
    case plat::MB_OKCANCEL: return {{QMessageBox::Ok, plat::IDOK}, {QMessageBox::Cancel, plat::IDCANCEL}};
    case plat::MB_YESNOCANCEL:
        return {{QMessageBox::Yes, plat::IDYES}, {QMessageBox::No, plat::IDNO}, {QMessageBox::Cancel, plat::IDCANCEL}};
    case plat::MB_YESNO: return {{QMessageBox::Yes, plat::IDYES}, {QMessageBox::No, plat::IDNO}};
    default: return {{QMessageBox::Ok, plat::IDOK}};
    }
}

// Window managers cut a caption that is wider than its box (in the middle:
// the message number at its end stays, the topic loses its last words). The
// title bar's font is the window manager's: allow for a larger, bold one,
// and for the icon and buttons beside the caption.
int CaptionWidth(const QString& caption) {
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(caption) * 23 / 20 + 120;
}

int ShowBox(const std::string& text, const std::string& caption, unsigned flags) {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(text, caption, flags, QApplication::activeWindow());
    const int clicked = box->exec();
    for (const auto& c : ChoicesOf(flags))
        if (clicked == c.button) return c.answer;
    return plat::SafeAnswer(flags);
}

// xdg-open starts whatever the desktop opens folders or documents with and
// says by its exit code whether anything did; Qt only reports whether
// xdg-open started. Without xdg-open, Qt's own desktop services try. A
// handler that is still running after a while is the file manager or viewer
// itself: it is left running, and is never killed with the program.
bool OpenWithDesktop(const QUrl& url) {
    constexpr int kWaitMs = 3000;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return QDesktopServices::openUrl(url);
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url.toString()});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(kWaitMs)) {
        delete process;
        return false;
    }
    if (!process->waitForFinished(kWaitMs)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return opened;
}

// A hidden window that was shown before keeps its X window, and a window
// manager may still hold that one withdrawn from an earlier showing: the
// modal loop would then wait on a window nobody sees. A fresh X window is
// mapped as a new one.
void FreshNativeWindow(QDialog* dialog) {
    if (dialog->isVisible() || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    if (QWindow* window = dialog->windowHandle(); window && window->handle()) window->destroy();
}

// Whether an exposure came in since the watch began: the window's own
// flag may still hold that of an earlier showing.
class ExposureWatch : public QObject {
public:
    explicit ExposureWatch(QWindow* window) : window_(window) { window->installEventFilter(this); }
    bool exposed = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose && window_->isExposed()) exposed = true;
        return false;
    }

private:
    QWindow* window_;
};

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& caption, unsigned flags,
                                            QWidget* owner) {
    auto box = std::make_unique<QMessageBox>(owner);
    box->setWindowTitle(QString::fromStdString(caption));
    box->setText(QString::fromStdString(text));
    switch (flags & plat::MB_ICONMASK) {
    case plat::MB_ICONERROR: box->setIcon(QMessageBox::Critical); break;
    case plat::MB_ICONQUESTION: box->setIcon(QMessageBox::Question); break;
    case plat::MB_ICONWARNING: box->setIcon(QMessageBox::Warning); break;
    case plat::MB_ICONINFORMATION: box->setIcon(QMessageBox::Information); break;
    default: break;
    }
    const std::vector<Choice> choices = ChoicesOf(flags);
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices) buttons |= c.button;
    box->setStandardButtons(buttons);
    const std::size_t def = (flags & plat::MB_DEFBUTTON2) && choices.size() > 1 ? 1 : 0;
    box->setDefaultButton(choices[def].button);
    // The box sizes itself to its text; a row as wide as the caption widens it.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        const int widest = screen ? screen->availableGeometry().width() - 40 : CaptionWidth(box->windowTitle());
        grid->addItem(new QSpacerItem(std::min(CaptionWidth(box->windowTitle()), widest), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

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
        return OpenWithDesktop(QUrl::fromLocalFile(QString::fromStdString(native)));
    });
    plat::SetOpenDocumentHandler([](const std::string& file) {
        std::string native;
        if (!plat::ToNative(file, native)) return false;
        return OpenWithDesktop(QUrl::fromLocalFile(QString::fromStdString(native)));
    });
}

void ShowPainted(QWidget* window) {
    const bool mapping = !window->isVisible();
    // Watched from before the showing: a platform may expose it at once.
    std::unique_ptr<ExposureWatch> watch;
    if (mapping && window->isWindow()) {
        window->winId();
        if (QWindow* handle = window->windowHandle()) watch = std::make_unique<ExposureWatch>(handle);
    }
    window->show();
    window->raise();
    window->activateWindow();
    // A window being mapped paints as its first exposure comes in; one the
    // window manager keeps unmapped (minimised) is not waited for long.
    constexpr qint64 kMappingMs = 2000;
    QElapsedTimer clock;
    clock.start();
    while (watch && !watch->exposed && clock.elapsed() < kMappingMs) {
        ProcessPendingPaints();
        if (!watch->exposed) QThread::msleep(2);
    }
    ProcessPendingPaints();
}

int ExecModal(QDialog* dialog) {
    if (Modal()) return Modal()(dialog);
    FreshNativeWindow(dialog);
    return dialog->exec();
}

ModalHandler SetModalHandler(ModalHandler handler) {
    ModalHandler previous = std::move(Modal());
    Modal() = std::move(handler);
    return previous;
}

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::NativeGesture:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Input that comes while a long loop lets paints through is dropped there.
// Qt's own exclusion only holds it back (on X with the window manager's
// close): it would reach the windows at the next event loop, seconds after
// it was given, wherever the pointer is then. A window that a nested event
// loop shows meanwhile (a box) gets its input as usual.
class InputDrop : public QObject {
public:
    using QObject::QObject;
    int depth = 0;
    int loopLevel = 0;

    bool eventFilter(QObject*, QEvent* event) override {
        if (depth == 0 || QThread::currentThread()->loopLevel() != loopLevel) return false;
        return event->type() == QEvent::Shortcut || (event->spontaneous() && IsUserInput(event->type()));
    }
};

}  // namespace

void ProcessPendingPaints() {
    static QPointer<InputDrop> drop;
    if (!qApp) return;
    if (!drop) {
        drop = new InputDrop(qApp);
        qApp->installEventFilter(drop);
    }
    const int outerLevel = drop->loopLevel;
    ++drop->depth;
    drop->loopLevel = QThread::currentThread()->loopLevel();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --drop->depth;
    drop->loopLevel = outerLevel;
}

}  // namespace qtplat
