#include "platform/qt/QtPlatform.h"

#include <xcb/xcb.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QPointer>
#include <QThread>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"

namespace qtplat {
namespace {

class InputDrop;
InputDrop* Drop();

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
    Drop();  // it judges what answers the box
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
    plat::SetFolderBrowserHandler([](void* owner, const std::string& title) {
        return BrowseFolder(static_cast<QWidget*>(owner), title);
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
    Drop();
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

int CurrentLoopLevel() { return QThread::currentThread()->loopLevel(); }

// Input that comes while a long loop lets paints through (a wait) is dropped
// there. Qt's own exclusion only holds it back (on X with the window
// manager's close): it would reach the windows at the next event loop,
// seconds after it was given, wherever the pointer is then. What begins in
// a wait goes whole: a press with its moves and its release, a key with its
// repeats and its release, even when these come after the wait. A press
// that went through before the wait is another matter: the wait often runs
// inside it (the press moves the focus, the field left checks and counts),
// and its release completes the click once the wait is over, so that no
// button stays drawn pressed. A window that a nested event loop shows
// meanwhile (a box) gets its input as usual, but not from a key or button
// pressed in the wait and held into it: only a press that begins once the
// box is there answers it.
//
// A press whose release never comes here (the focus went to another
// program, a box blocked the window it was given to) does not take the
// next press of its key or button with it.
//
// Every box answers only a press that began once it was up: a key held
// as it takes the focus (from the click that led to it, from the box
// before it, from a wait) goes as one pressed in a wait does.
//
// An input method's text (a compose sequence, a commit) is input too,
// though it comes from no window: it is dropped in a wait, and a sequence
// begun before a wait or in it composes nothing across it.
//
// Each event is judged where the window system hands it over, at its
// window; the widgets get only what passed there.
class InputDrop : public QObject {
public:
    explicit InputDrop(QObject* parent) : QObject(parent) {
        // The loop that ran the waiting handler is about to wait for more:
        // the handler has returned.
        if (auto* dispatcher = QAbstractEventDispatcher::instance(thread()))
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &InputDrop::LoopBlocks);
        if (!qGuiApp) return;  // a program without windows has no input
        // A box, or any modal window, as it takes the focus.
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
            if (window && window->modality() != Qt::NonModal) DropHeldKeys();
        });
        // Keys go where the focus is: a dropped key may come up elsewhere
        // once the program has lost it. Its repeats, should the focus come
        // back while it is held, are still its own.
        connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive) return;
            for (DroppedKey& d : droppedKeys_) {
                d.released = true;
                d.releasedAt = kReleasedElsewhere;
            }
        });
    }

    // A wait ended: what it held is delivered from the event loop once the
    // handler that waited has returned (a loop that only processes events,
    // and does not wait for more, says nothing before it blocks).
    void WaitEnded() {
        if (held_.empty() || depth > 0 || posted_) return;
        posted_ = true;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }

    bool event(QEvent* event) override {
        if (event->type() == kWaitsOver) {
            wakePosted_ = false;
            RunAfterWaits();
            return true;
        }
        if (event->type() != QEvent::User) return QObject::event(event);
        posted_ = false;
        Deliver();
        return true;
    }

    int depth = 0;      // ProcessPendingPaints calls under way
    int loopLevel = 0;  // the event loop the innermost one was called in

    // A wait begins: the first of a handler in an event loop, or, outside
    // any loop, every one (nothing reads events between them).
    void Begin() {
        const int level = CurrentLoopLevel();
        const bool first = level > 0 ? std::none_of(waits_.begin(), waits_.end(),
                                                    [level](const Waiting& w) { return w.level == level; })
                                     : depth == 0;
        if (first && level > 0) waits_.push_back({level, ActiveModal()});
        // What the input method holds of keys given before is not to be
        // ended by keys given in the wait.
        if (first) ResetInputMethod();
        ++depth;
        loopLevel = level;
    }
    // A wait ended: outside any loop, the handler goes on without reading
    // events, so the waiting is over.
    void End(int outerLevel) {
        --depth;
        loopLevel = outerLevel;
        if (depth == 0 && CurrentLoopLevel() == 0) ResetInputMethod();
        if (!Under() && !afterWaits_.empty()) PostWaitsOver();
        WaitEnded();
    }

    bool Under() const { return depth > 0 || !waits_.empty(); }
    bool WaitsIn(const QWidget* modal) const {
        return std::any_of(waits_.begin(), waits_.end(), [modal](const Waiting& w) { return w.modal == modal; });
    }
    void AfterWaits(std::function<void()> action) {
        afterWaits_.push_back(std::move(action));
        if (!Under()) PostWaitsOver();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool waiting = depth > 0 && CurrentLoopLevel() == loopLevel;
        if (event->type() == QEvent::Shortcut) return waiting;
        // Sent to the field by the input method itself, not by a window.
        if (event->type() == QEvent::InputMethod) return waiting;
        if (!event->spontaneous() || !IsUserInput(event->type())) return false;
        if (!watched->isWindowType()) return waiting;  // its window passed it
        if (!waiting) Deliver();  // what was held comes before what follows it
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return Mouse(static_cast<QWindow*>(watched), static_cast<QMouseEvent*>(event), waiting);
        case QEvent::ShortcutOverride:  // the key's press comes next, unless a shortcut takes it
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return Key(static_cast<QWindow*>(watched), static_cast<QKeyEvent*>(event), waiting);
        default:
            return waiting;
        }
    }

    // The releases held in waits, once no wait they were held in is under
    // way any more, each to its window as it came.
    void Deliver() {
        if (held_.empty() || depth > 0) return;
        const int level = CurrentLoopLevel();
        std::vector<Held> due;
        for (auto it = held_.begin(); it != held_.end();) {
            if (it->level >= level) {
                due.push_back(std::move(*it));
                it = held_.erase(it);
            } else {
                ++it;
            }
        }
        for (Held& h : due)
            if (h.window) QCoreApplication::sendEvent(h.window, h.event.get());
    }

private:
    struct Held {
        QPointer<QWindow> window;
        std::unique_ptr<QEvent> event;
        int level;  // the loop of the wait it came in
    };
    // A handler that waited and has not yet returned to its event loop.
    struct Waiting {
        int level;
        const QWidget* modal;  // the modal window on top as it began (none: the main window's)
    };
    static constexpr QEvent::Type kWaitsOver = QEvent::Type(QEvent::User + 1);

    static const QWidget* ActiveModal() {
        return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::activeModalWidget() : nullptr;
    }
    static void ResetInputMethod() {
        if (qGuiApp) QGuiApplication::inputMethod()->reset();
    }

    // An event loop is about to wait: every handler it (or a loop inside
    // it) ran has returned.
    void LoopBlocks() {
        const int level = CurrentLoopLevel();
        const std::size_t before = waits_.size();
        std::erase_if(waits_, [level](const Waiting& w) { return w.level >= level; });
        if (waits_.size() != before) {
            ResetInputMethod();  // a sequence begun in the wait composes nothing after it
            PostWaitsOver();     // and what waits for its end is judged again, from the loop
        }
        Deliver();
    }
    void PostWaitsOver() {
        if (wakePosted_) return;
        wakePosted_ = true;
        QCoreApplication::postEvent(this, new QEvent(kWaitsOver));
    }
    // From the event loop, unless a wait began meanwhile (its end posts again).
    void RunAfterWaits() {
        if (Under() || afterWaits_.empty()) return;
        std::vector<std::function<void()>> actions;
        actions.swap(afterWaits_);
        for (const auto& action : actions) action();
    }

    // The keys the server holds down as a modal window takes the focus
    // were pressed before it was there: each goes as a key pressed in a
    // wait, its repeats and release too, until a press of its own.
    void DropHeldKeys() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
        if (!connection) return;
        xcb_query_keymap_reply_t* keymap = xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
        if (!keymap) return;
        for (quint32 code = 8; code < 256; ++code) {
            if (!(keymap->keys[code / 8] & (1u << (code % 8)))) continue;
            const auto dropped = std::find_if(droppedKeys_.begin(), droppedKeys_.end(),
                                              [code](const DroppedKey& d) { return d.key == code; });
            if (dropped == droppedKeys_.end())
                droppedKeys_.push_back({code});
            else
                dropped->released = false;
        }
        std::free(keymap);
    }

    void Hold(QWindow* window, const QEvent* event) {
        held_.push_back({window, std::unique_ptr<QEvent>(event->clone()), loopLevel});
    }

    // A release whose press was not dropped went through before the wait
    // (or before any wait watched the input): it is held for after it.
    bool Mouse(QWindow* window, QMouseEvent* event, bool waiting) {
        const Qt::MouseButton button = event->button();
        // X gives a button's release to the window its press went to, but
        // that window may have gone or a box may block it meanwhile: a
        // dropped button that the pointer no longer holds, or that is
        // pressed anew, came up unseen. Nothing of it comes later.
        Qt::MouseButtons held = event->buttons();
        if (event->type() == QEvent::MouseButtonRelease) held |= button;
        if (event->type() == QEvent::MouseButtonPress) held &= ~button;
        droppedButtons_ &= held;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (!waiting && !(droppedButtons_ & button)) return false;
            droppedButtons_ |= button;
            return true;
        case QEvent::MouseButtonRelease:
            if (droppedButtons_ & button) {
                droppedButtons_ &= ~button;
                return true;
            }
            if (waiting) Hold(window, event);
            return waiting;
        default:  // a move
            return waiting || (event->buttons() & droppedButtons_);
        }
    }

    // X repeats a held key as a release and a press with one timestamp, and
    // Qt marks the pair as a repeat only when it has read both at once. A
    // dropped key's release is its end only once a press of the key comes
    // at another time and unmarked: until then, its presses are its repeats.
    bool Key(QWindow* window, QKeyEvent* event, bool waiting) {
        const quint32 key = event->nativeScanCode() ? event->nativeScanCode() : quint32(event->key());
        const bool press = event->type() != QEvent::KeyRelease;  // a shortcut override is the press's
        const auto dropped = std::find_if(droppedKeys_.begin(), droppedKeys_.end(),
                                          [key](const DroppedKey& d) { return d.key == key; });
        if (dropped != droppedKeys_.end()) {
            if (!press) {
                dropped->released = true;
                dropped->releasedAt = event->timestamp();
                return true;
            }
            if (!dropped->released || dropped->releasedAt == event->timestamp() || event->isAutoRepeat()) {
                if (event->type() == QEvent::KeyPress) dropped->released = false;
                return Drop(event);
            }
            droppedKeys_.erase(dropped);  // released: this press is a new one
        }
        if (!waiting) return false;
        if (event->isAutoRepeat()) return Drop(event);  // a key held from before the wait
        if (press) {
            droppedKeys_.push_back({key});
            return Drop(event);
        }
        Hold(window, event);
        return true;
    }

    // A shortcut override taken here keeps the key from any shortcut: the
    // press itself comes here next.
    static bool Drop(QEvent* event) {
        if (event->type() == QEvent::ShortcutOverride) event->accept();
        return true;
    }

    struct DroppedKey {
        quint32 key;
        bool released = false;  // a release came, perhaps a repeat's
        quint64 releasedAt = 0;
    };
    static constexpr quint64 kReleasedElsewhere = 0;  // X stamps no event with 0 (CurrentTime)

    Qt::MouseButtons droppedButtons_;  // pressed in a wait, not yet released
    std::vector<DroppedKey> droppedKeys_;  // pressed in a wait, until a press of their own shows them up
    std::vector<Held> held_;
    bool posted_ = false;
    std::vector<Waiting> waits_;  // in event loops only
    std::vector<std::function<void()>> afterWaits_;
    bool wakePosted_ = false;
};

// Made before the first box or wait, and before anything watches the
// event loop for the handlers' end: its own watch comes first.
InputDrop* Drop() {
    static QPointer<InputDrop> drop;
    if (!QCoreApplication::instance()) return nullptr;
    if (!drop) {
        drop = new InputDrop(qApp);
        qApp->installEventFilter(drop);
    }
    return drop;
}

}  // namespace

void ProcessPendingPaints() {
    InputDrop* const drop = Drop();
    if (!drop) return;
    // Whatever a paint throws, the wait ends here: input left dropped would
    // leave the program deaf to the user.
    struct Wait {
        InputDrop& drop;
        const int outerLevel = drop.loopLevel;
        explicit Wait(InputDrop& d) : drop(d) { drop.Begin(); }
        ~Wait() { drop.End(outerLevel); }
    } wait(*drop);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool WaitUnderWay() {
    const InputDrop* drop = Drop();
    return drop && drop->Under();
}

bool WaitsIn(const QWidget* modal) {
    const InputDrop* drop = Drop();
    return modal && drop && drop->WaitsIn(modal);
}

void AfterWaits(std::function<void()> action) {
    if (InputDrop* drop = Drop()) return drop->AfterWaits(std::move(action));
    action();
}

}  // namespace qtplat
