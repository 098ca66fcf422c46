// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the windowed program: services, start-up, the event loop.
#pragma once

class QApplication;

// The application's name, release, desktop entry and window icon.
void setUpApplication(QApplication &app);
int runFenwyx(QApplication &app);
