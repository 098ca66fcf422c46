// SPDX-License-Identifier: GPL-3.0-or-later
// The list file through which the family's programs find each other's saved files.
#pragma once

#include "fileerror.h"

#include <QString>

class QDateTime;
class QLocale;

class Dialogs;

namespace FamilyList
{

inline const QString kListName = QStringLiteral("BrackelFileList.txt");
inline const QString kTempName = QStringLiteral("brackellist.tmp");
// The lock file beside the list ("BrackelFileList.txt.lock") and how long an update waits for it.
inline const QString kLockSuffix = QStringLiteral(".lock");
constexpr int kLockTimeoutMs = 5000;
// A list of hundreds of thousands of entries; anything larger is no list of this family.
constexpr qint64 kMaxListSize = 64 * 1024 * 1024;

// The list with the path entered: an existing entry for the exact path keeps its place and its own
// type and gets the new time, otherwise a new entry goes to the end. Blank lines are dropped, lines
// that are not entries are kept as they are. listBytes may be empty (no list yet).
QByteArray updated(const QByteArray &listBytes, const QString &path, const QString &type, const QString &time);

// The locale's general date-and-time form: its short date with a four-digit year and its short time with
// seconds ("M/d/yyyy h:mm:ss AP" in English (US)), so that two saves within a minute differ.
QString generalFormat(const QLocale &locale);
// The time of a save in the general form, in characters the list can hold: a locale with its own digits
// gets the same form with Latin digits, so the time never turns into "?".
QString timeText(const QLocale &locale, const QDateTime &time);

// Why a path cannot be entered (empty when it can): the list has no way to hold a double quote or a
// line break, and a character outside the code page would name another file.
QString refusal(const QString &path);

} // namespace FamilyList

// Records a saved file in the list of programFolder. A list that is a symbolic link stands for a shared
// list elsewhere: that file is updated and the link kept. On failure (a list the user may not write, one
// that is no regular file, a folder that cannot be written, a list another program holds locked for longer
// than kLockTimeoutMs) shows "Problem saving to Brackel list" with the reason and returns false; the list is
// then exactly as it was. True means the entry is in the list.
bool AddToFamilyList(const QString &programFolder, const QString &path, const QString &type, Dialogs &dialogs);
