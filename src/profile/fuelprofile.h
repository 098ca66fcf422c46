// SPDX-License-Identifier: GPL-3.0-or-later
// The fuel profile record and the texts the Assistant shows for it.
#pragma once

#include <QMetaType>
#include <QString>

#include "data/units.h"

// Four measurements borrowed from photos, each with the label ("BOOK/PHOTO") of its photo.
struct FuelProfile {
    QString ProfileName = QStringLiteral("Untitled");
    QString Notes;
    QString Source0to3;
    double Tpa1 = 0; // 0 to 2.9 inch classes, unrounded
    double Tpa2 = 0;
    double Tpa3 = 0;
    QString Source3Plus;
    double Load3Plus = 0; // as shown: one decimal
    QString SourceDuff;
    double DuffDepth = 0; // as shown: one decimal; negative means not measured
    QString SourceFuelBed;
    double FuelBedDepth = 0;

    bool operator==(const FuelProfile &other) const;
    bool operator!=(const FuelProfile &other) const { return !(*this == other); }
};

// Codes of the Assistant's four "Add >" buttons.
enum ProfileComponent { ComponentDuff = 0, ComponentFuelBed = 1, Component0to3 = 2, Component3Plus = 3 };

// What the Assistant's profile column, name box and caption carry; member names are the controls'.
struct ProfileDisplay {
    QString lblPro0to3;
    QString lblPro3Plus;
    QString lblProTotal;
    QString lblProDuff;
    QString lblProFuelBed;
    QString lblPL0to3;
    QString lblPL3Plus;
    QString lblPLDuff;
    QString lblPLFuelBed;
    QString txtName;
    QString caption;
};
Q_DECLARE_METATYPE(ProfileDisplay)

inline const QString kUntitled = QStringLiteral("Untitled");

QString profileCaption(const QString &profilePath);

// A depth as the profile column shows it: "##0.0", or "no data" when that reads back negative.
QString profileDepthText(double depth, Units units = Units::Imperial);

ProfileDisplay profileDisplay(const FuelProfile &profile, const QString &profilePath, Units units = Units::Imperial);
