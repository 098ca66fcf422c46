// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a photo's rows for a slot.
#include "photodata.h"

namespace PhotoData
{

std::optional<PhotoSlotState> read(const PhotoDatabase &database, qint64 id, QString *error, Units units)
{
    if (!database.isOpen()) {
        if (error)
            *error = QStringLiteral("no photo database is open");
        return std::nullopt;
    }
    std::optional<PhotoRecord> photo = database.photoById(id, error);
    if (!photo)
        return std::nullopt;
    return fromRecord(database, std::move(*photo), units);
}

PhotoSlotState fromRecord(const PhotoDatabase &database, PhotoRecord photo, Units units)
{
    PhotoSlotState state;
    state.book = database.bookByLabel(photo.bookLabel);
    state.label = photo.label();
    state.sheet = BuildDataSheet(photo, state.book, units);
    state.photo = std::move(photo);
    return state;
}

std::optional<PhotoRecord> photoByLabel(const PhotoDatabase &database, const QString &label, QString *error)
{
    auto fail = [error](const QString &reason) -> std::optional<PhotoRecord> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (!database.isOpen())
        return fail(QStringLiteral("no photo database is open"));
    const QString wanted = label.trimmed();
    if (wanted.isEmpty())
        return fail(QStringLiteral("no photo label given (BOOK/PHOTO)"));
    // The whole text against the whole label: a book label may itself hold "/", so the text is never split.
    QString reason;
    const std::optional<PhotoSet> photos = database.selectPhotos(
        QStringLiteral("(BookLabel || '/' || PhotoLabel) = ?1 COLLATE NOCASE"), {wanted}, &reason);
    if (!photos)
        return fail(reason);
    if (const PhotoRecord *named = photoNamed(*photos, wanted))
        return *named;
    return fail(QStringLiteral("no photo labelled \"%1\"").arg(wanted));
}

} // namespace PhotoData
