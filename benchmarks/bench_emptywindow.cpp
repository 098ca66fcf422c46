// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up time: an empty Qt main window shown, drawn once, and closed as soon as the
// loop runs, the way FENWYX_QUIT_AFTER_STARTUP=1 closes the program after its window is drawn.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    QApplication::processEvents();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
