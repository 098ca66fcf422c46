// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide state of one run, gathered in one place and handed to the windows that use it.
#pragma once

#include "data/photolibrary.h"
#include "mainwindow/windowmodes.h"
#include "present/photoslots.h"
#include "profile/profilestate.h"
#include "shell/photodirectory.h"
#include "shell/statusreporter.h"

#include <QObject>
#include <QString>

class Dialogs;
class SettingsStore;
class ProcessRunner;
class DriveInfo;
class DesktopServices;
class PrintService;

// The platform services the program calls; windows get real ones, tests scripted ones.
struct Services {
    Dialogs *dialogs = nullptr;
    SettingsStore *settings = nullptr;
    ProcessRunner *processes = nullptr;
    DriveInfo *drives = nullptr;
    DesktopServices *desktop = nullptr; // the browser and other programs of the desktop
    PrintService *print = nullptr;      // the print dialogs and printers
};

class ProgramState : public QObject
{
    Q_OBJECT
public:
    ProgramState(QString programFolder, Services services, QObject *parent = nullptr)
        : QObject(parent), programFolder(std::move(programFolder)), services(services),
          profile(*services.dialogs, &status, this->programFolder)
    {
    }

    const QString programFolder;
    const Services services;
    StatusReporter status;
    PhotoLibrary library;
    ProfileState profile;          // the current fuel profile, ProfilePath and ProfileChanged
    WindowModes modes;             // the main window's modes, AssistantModes among them
    PhotoDirectory photoDirectory; // the PhotoDir setting and DriveChoice
    PhotoSlots photoSlots;         // CurrentSlot, CompareLayout and what each slot shows
};
