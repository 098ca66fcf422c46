// SPDX-License-Identifier: GPL-3.0-or-later
// The fixtures of the tests: one program state over a program folder with its platform answered by doubles,
// the main window built on it as start-up builds it, sample libraries, and acting on the commands as a user.
#pragma once

#include "desktopdoubles.h"
#include "mainwindow/programstate.h"
#include "platform/ui/guardeddialogs.h"
#include "platformdoubles.h"
#include "printdoubles.h"

#include <QString>
#include <QStringList>
#include <memory>

class MDIMain;
class MainController;
class QObject;

class TestProgram
{
public:
    struct Options {
        bool iniSettings = false;   // settings in INI files of configFolder (a photo manager script writes them)
        QString configFolder;       // empty: settings in memory
        bool realProcesses = false; // run the photo manager for real
    };

    explicit TestProgram(const QString &programFolder) : TestProgram(programFolder, Options{}) {}
    TestProgram(const QString &programFolder, const Options &options);

    // Opens the photo database and reads the photo directory, as start-up does.
    void open();
    SettingsStore &settings();

    ScriptedDialogs dialogs;
    // Every box goes through the guard, as in the program, so that the floating windows make way.
    GuardedDialogs guard{dialogs};
    MemorySettingsStore memorySettings;
    IniSettingsStore iniSettings;
    RecordingProcessRunner processes;
    QtProcessRunner realProcesses;
    FixedDriveInfo drives;
    RecordingDesktopServices desktop;
    ScriptedPrintService print;
    ProgramState state;

private:
    Services services(const Options &options);
};

// The frame and the main window over a test program, set up and shown as start-up does (without the splash,
// the single-instance lock and the first photo).
class TestWindow
{
public:
    explicit TestWindow(const QString &programFolder) : TestWindow(programFolder, TestProgram::Options{}) {}
    TestWindow(const QString &programFolder, const TestProgram::Options &options);
    ~TestWindow();

    MainController &controller() const { return *m_controller; }
    MDIMain &frame() const { return *m_frame; }
    ProgramState &state() { return program.state; }

    TestProgram program;

private:
    std::unique_ptr<MDIMain> m_frame;
    std::unique_ptr<MainController> m_controller;
};

namespace TestSupport
{
// Writes a sample library with fenwyx-sample; options as its command line takes them ("--photos", "24").
bool makeSampleLibrary(const QString &folder, const QStringList &options = {});
// Copies a folder tree (a sample library made once per test program).
bool copyTree(const QString &from, const QString &to);
// Triggers the action named so under root as a user would; false (with a warning) when it is missing or
// disabled.
[[nodiscard]] bool triggerAction(QObject *root, const QString &name);
} // namespace TestSupport
