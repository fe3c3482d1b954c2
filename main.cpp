#include <QApplication>
#include <QMainWindow>

#include "platform/qt/QtPlatform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qtplat::InstallDesktopHandlers();
    QMainWindow window;
    window.setWindowTitle("Quillmere 7.00");
    window.resize(900, 640);
    window.show();
    return app.exec();
}
