// SPDX-License-Identifier: GPL-3.0-or-later
// The report commands that the main window's menus call: printer set-up and the three reports.
#pragma once

#include "data/units.h"

struct FuelProfile;
struct PhotoSlotState;

class ReportCommands
{
public:
    virtual ~ReportCommands() = default;
    // Chooses the printer that later reports print on.
    virtual void PrinterSetup() = 0;
    // Each report reports its own failures and cancels; the caller has checked that its slots hold photos.
    virtual void printPhotoReport(const PhotoSlotState &slot) = 0;
    virtual void printComparisonReport(const PhotoSlotState &left, const PhotoSlotState &right) = 0;
    virtual void printFuelProfileReport(const FuelProfile &profile) = 0;
    // "Preview Reports": each report opens a preview of its page instead of going straight to the printer.
    virtual bool previewReports() const = 0;
    virtual void setPreviewReports(bool on) = 0;
    // The units the fuel-profile report prints its values in (the photo reports print the slots' sheets).
    virtual void setUnits(Units units) = 0;
};
