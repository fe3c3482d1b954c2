// A run's Visual Log is on screen and painted before the run's work starts,
// on a real X server where the window manager maps it: the work may not
// let the window paint for seconds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "pages/RunFrame.h"
#include "pages/VisualLog.h"
#include "results/TfrmStatistic02.h"
#include "tests/x11/X11Support.h"

namespace {

using x11test::Viewable;
using x11test::Eventually;

VisualLogWindow* shownLog = nullptr;
VisualLogWindow* ShownLog() { return shownLog; }
ZoomStatisticsWindow* NoZoom() { return nullptr; }

// Counts the paints of a window and of everything in it.
class Paints : public QObject {
public:
    explicit Paints(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    int count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && (widget == window_ || window_->isAncestorOf(widget))) ++count;
        return false;
    }

private:
    QWidget* window_;
};

}  // namespace

// Shown the first time, and again after the user closed it.
TEST(VisualLogX11, ARunsLogIsPaintedOnScreenBeforeTheWorkStarts) {
    QWidget main;
    main.resize(800, 600);
    main.show();
    ASSERT_TRUE(Eventually([&] { return main.windowHandle()->isExposed(); }));
    TfrmStatistic02 window(&main);
    shownLog = &window;
    Paints paints(&window);
    VisualLog log(ShownLog, NoZoom);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first showing" : "shown again");
        bool exposed = false, viewable = false;
        int painted = 0;
        RunFrame frame;
        frame.Work = [&](RunDisk&) {
            exposed = window.windowHandle()->isExposed();
            viewable = Viewable(&window);
            painted = paints.count;
        };
        paints.count = 0;
        RunOnFrame(frame, log, RunHooks{});
        EXPECT_TRUE(exposed);
        EXPECT_TRUE(viewable);
        EXPECT_GT(painted, 0);
        window.hide();
        ASSERT_TRUE(Eventually([&] { return !Viewable(&window); }));
    }
    shownLog = nullptr;
}
