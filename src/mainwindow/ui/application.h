// Runs the windowed program: services, start-up, the event loop.
#pragma once

class QApplication;

// The application's name, release, desktop entry and window icon.
void setUpApplication(QApplication &app);
int runFenwyx(QApplication &app);
