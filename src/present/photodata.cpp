// Reading a photo's rows for a slot.
#include "photodata.h"

namespace PhotoData
{

std::optional<PhotoSlotState> read(const PhotoDatabase &database, qint64 id, QString *error)
{
    if (!database.isOpen()) {
        if (error)
            *error = QStringLiteral("no photo database is open");
        return std::nullopt;
    }
    std::optional<PhotoRecord> photo = database.photoById(id, error);
    if (!photo)
        return std::nullopt;
    return fromRecord(database, std::move(*photo));
}

PhotoSlotState fromRecord(const PhotoDatabase &database, PhotoRecord photo)
{
    PhotoSlotState state;
    state.book = database.bookByLabel(photo.bookLabel);
    state.label = photo.label();
    state.sheet = BuildDataSheet(photo, state.book);
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
    const int slash = label.indexOf(QLatin1Char('/'));
    if (slash <= 0)
        return fail(QStringLiteral("\"%1\" is no photo label (BOOK/PHOTO)").arg(label));
    QString reason;
    const std::optional<PhotoSet> photos =
        database.selectPhotos(QStringLiteral("BookLabel = ? COLLATE NOCASE"), {label.left(slash)}, &reason);
    if (!photos)
        return fail(reason);
    const PhotoRecord *caseless = nullptr;
    for (const PhotoRecord &p : *photos) {
        const QString text = p.label();
        if (text == label)
            return p;
        if (!caseless && text.compare(label, Qt::CaseInsensitive) == 0)
            caseless = &p;
    }
    if (caseless)
        return *caseless;
    return fail(QStringLiteral("no photo labelled \"%1\"").arg(label));
}

} // namespace PhotoData
