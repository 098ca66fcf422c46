// Runs the windowed program: services, start-up, the event loop.
#pragma once

class QApplication;

int runFenwyx(QApplication &app);
