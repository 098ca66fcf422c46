// SPDX-License-Identifier: GPL-3.0-or-later
// What the platform knows of its drives.
#pragma once

#include <QString>

class DriveInfo
{
public:
    virtual ~DriveInfo() = default;
    // Mount point of the first optical drive that holds a disc, with a trailing "/"; empty when none.
    virtual QString firstOpticalDriveRoot() const = 0;
};

class SystemDriveInfo : public DriveInfo
{
public:
    QString firstOpticalDriveRoot() const override;
};
