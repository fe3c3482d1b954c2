#include <QTimer>
#include <exception>

#include "platform/qt/QtPlatform.h"
#include "shell/AppWindows.h"
#include "shell/Application.h"
#include "shell/SessionEnd.h"
#include "shell/TfrmMain.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    try {
        qtplat::InstallDesktopHandlers();
        CreateAppWindows();
        InstallSessionEnd();
        frmMain->show();
        // The first activation (start window, restore) also runs when the
        // window manager does not activate the window by itself.
        QTimer::singleShot(0, frmMain, [] { frmMain->FormActivate(); });
        app.exec();
        DestroyAppWindows();
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("");
    }
    return 0;
}
