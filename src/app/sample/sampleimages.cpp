// SPDX-License-Identifier: GPL-3.0-or-later
// Photographs and data sheets of the sample library, painted with QPainter.
#include "app/sample/sampleimages.h"

#include "app/sample/samplecatalog.h"
#include "app/sample/samplerandom.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>

namespace SampleImages
{

namespace
{

constexpr int photoWidth = 822;
constexpr int photoHeight = 600;
constexpr int sheetWidth = 800;
constexpr int sheetHeight = 1000;

double load(const PhotoRecord &photo, int sizeClass)
{
    return photo.tonsPerAcreBreak[size_t(sizeClass - 1)].value_or(0);
}

// Typical diameter in inches of a log of a class of 3 inches and more.
double classDiameter(const SampleBook &book, int coarseIndex)
{
    const double lower[] = {3, book.breakInches4, book.breakInches5, book.breakInches6};
    const double upper[] = {book.breakInches4, book.breakInches5, book.breakInches6, 0};
    if (coarseIndex == book.coarseClassCount() - 1)
        return lower[coarseIndex] * 1.4;
    return (lower[coarseIndex] + upper[coarseIndex]) / 2;
}

bool isShrubland(const QString &vegType)
{
    static const QStringList shrubs = {QStringLiteral("CH"), QStringLiteral("SB"), QStringLiteral("OAK"),
                                       QStringLiteral("GR"), QStringLiteral("PJ")};
    return shrubs.contains(vegType.toUpper());
}

QColor jitter(SampleRandom &rng, const QColor &base, int spread)
{
    auto channel = [&](int v) { return std::clamp(v + rng.between(-spread, spread), 0, 255); };
    return QColor(channel(base.red()), channel(base.green()), channel(base.blue()));
}

void drawTreeLine(QPainter &painter, SampleRandom &rng, double horizon, const QColor &color, double minHeight,
                  double maxHeight)
{
    QPainterPath path;
    path.moveTo(-20, horizon + 12);
    double x = -20;
    while (x < photoWidth + 20) {
        const double half = rng.uniform(4, 11);
        const double height = rng.uniform(minHeight, maxHeight);
        path.lineTo(x + half * 0.2, horizon - height * 0.15);
        path.lineTo(x + half, horizon - height);
        path.lineTo(x + half * 1.8, horizon - height * 0.15);
        x += half * 2;
    }
    path.lineTo(photoWidth + 20, horizon + 12);
    path.closeSubpath();
    painter.fillPath(path, color);
}

void drawLog(QPainter &painter, SampleRandom &rng, QPointF centre, double length, double thickness, double angle,
             bool cutEnd)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    const QColor bark = jitter(rng, QColor(96, 78, 58), 18);
    QLinearGradient shade(0, -thickness / 2, 0, thickness / 2);
    shade.setColorAt(0, bark.lighter(135));
    shade.setColorAt(0.45, bark);
    shade.setColorAt(1, bark.darker(190));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawRoundedRect(QRectF(-length / 2, -thickness / 2, length, thickness), thickness / 4, thickness / 4);
    if (cutEnd && thickness > 5) {
        painter.setBrush(QColor(205, 175, 130));
        painter.setPen(QPen(QColor(120, 90, 60), std::max(1.0, thickness / 12)));
        painter.drawEllipse(QPointF(length / 2, 0), thickness * 0.28, thickness / 2);
    }
    painter.restore();
}

void drawPlacard(QPainter &painter, const PhotoRecord &photo)
{
    const QRectF board(18, photoHeight - 118, 168, 100);
    painter.save();
    painter.translate(board.center());
    painter.rotate(-3);
    painter.translate(-board.center());
    painter.fillRect(board.translated(4, 4), QColor(0, 0, 0, 90));
    painter.setPen(QPen(QColor(30, 30, 30), 3));
    painter.setBrush(QColor(244, 244, 236));
    painter.drawRect(board);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(17);
    small.setBold(true);
    painter.setFont(small);
    painter.drawText(board.adjusted(6, 4, -6, 0), Qt::AlignHCenter | Qt::AlignTop, photo.bookLabel);
    QFont big = small;
    big.setPixelSize(50);
    painter.setFont(big);
    painter.drawText(board.adjusted(6, 22, -6, -2), Qt::AlignCenter, photo.photoLabel);
    painter.restore();
}

} // namespace

QImage drawPhotograph(const PhotoRecord &photo, const SampleBook &book, quint32 seed)
{
    SampleRandom rng(seed * 2654435761u ^ quint32(photo.id) * 40503u);
    QImage image(photoWidth, photoHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const double horizon = photoHeight * rng.uniform(0.3, 0.4);
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(128, 170, 214));
    sky.setColorAt(1, QColor(218, 228, 232));
    painter.fillRect(QRectF(0, 0, photoWidth, horizon + 1), sky);
    drawTreeLine(painter, rng, horizon, QColor(92, 116, 110), 25, 60);
    drawTreeLine(painter, rng, horizon + 6, QColor(44, 72, 50), 30, 95);

    const double duff = std::max(0.0, photo.averageDuffDepth.value_or(0.5));
    QLinearGradient ground(0, horizon, 0, photoHeight);
    ground.setColorAt(0, QColor(112, 102, 72));
    ground.setColorAt(1, QColor(112, 86, 58).darker(100 + int(duff * 18)));
    painter.fillRect(QRectF(0, horizon + 10, photoWidth, photoHeight - horizon), ground);

    // Ground objects are painted far to near, so nearer fuel covers what lies behind it.
    std::vector<std::pair<double, std::function<void()>>> items;
    const double groundTop = horizon + 12;
    auto randomY = [&]() { return groundTop + std::sqrt(rng.unit()) * (photoHeight - groundTop + 20); };
    auto scaleAt = [&](double y) { return 0.3 + 0.7 * std::clamp((y - horizon) / (photoHeight - horizon), 0.0, 1.2); };

    const int trunks = isShrubland(photo.vegType) ? rng.between(0, 1) : rng.between(2, 5);
    for (int i = 0; i < trunks; ++i) {
        const double base = groundTop + rng.uniform(10, (photoHeight - groundTop) * 0.5);
        const double x = rng.uniform(0, photoWidth);
        const double width = 70 * scaleAt(base) * rng.uniform(0.6, 1.3);
        const QColor bark = jitter(rng, QColor(78, 62, 48), 14);
        items.emplace_back(base, [&painter, x, base, width, bark]() {
            QLinearGradient shade(x - width / 2, 0, x + width / 2, 0);
            shade.setColorAt(0, bark.lighter(130));
            shade.setColorAt(1, bark.darker(170));
            painter.fillRect(QRectF(x - width / 2, -5, width, base + 5), shade);
        });
    }

    const double fine = load(photo, 1) + load(photo, 2);
    const int specks = std::min(5000, int(250 + 260 * fine));
    for (int i = 0; i < specks; ++i) {
        const double y = randomY();
        const double x = rng.uniform(0, photoWidth);
        const double size = rng.uniform(1.5, 3.5) * scaleAt(y);
        const QColor color = jitter(rng, rng.chance(0.5) ? QColor(150, 110, 62) : QColor(176, 150, 100), 22);
        items.emplace_back(
            y, [&painter, x, y, size, color]() { painter.fillRect(QRectF(x, y, size * 1.6, size), color); });
    }

    const int twigs = std::min(600, int(12 + 30 * load(photo, 3)));
    for (int i = 0; i < twigs; ++i) {
        const double y = randomY();
        const double x = rng.uniform(0, photoWidth);
        const double s = scaleAt(y);
        const double length = rng.uniform(12, 45) * s;
        const double angle = rng.uniform(0, 3.14159);
        const double width = rng.uniform(1.2, 3.0) * s;
        const QColor color = jitter(rng, QColor(110, 92, 72), 18);
        items.emplace_back(y, [&painter, x, y, length, angle, width, color]() {
            painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(x, y), QPointF(x + length * std::cos(angle), y - length * std::sin(angle) * 0.4));
        });
    }

    const bool cutEnds = !photo.activity.isEmpty() &&
                         !QStringList{QStringLiteral("NAT"), QStringLiteral("WF"), QStringLiteral("BD")}.contains(
                             photo.activity.toUpper());
    for (int k = 0; k < book.coarseClassCount(); ++k) {
        const double diameter = classDiameter(book, k);
        const int logs = std::min(30, int(std::lround(load(photo, 4 + k) * 2.0 / std::sqrt(diameter))));
        for (int i = 0; i < logs; ++i) {
            const double y = randomY();
            const double s = scaleAt(y);
            const QPointF centre(rng.uniform(-40, photoWidth + 40), y);
            const double length = rng.uniform(120, 380) * s * std::min(2.0, 0.6 + diameter / 15);
            const double thickness = std::min(90.0, diameter * 2.2) * s;
            const double angle = rng.uniform(-28, 28);
            const quint32 logSeed = quint32(rng.below(1 << 30));
            items.emplace_back(y, [&painter, centre, length, thickness, angle, logSeed, cutEnds]() {
                SampleRandom shade(logSeed);
                drawLog(painter, shade, centre, length, thickness, angle, cutEnds);
            });
        }
    }

    // Fuel bed depth sets the height of grass and shrubs; an unmeasured bed gets a modest one.
    const double bed = photo.averageFuelbedDepth && *photo.averageFuelbedDepth >= 0 ? *photo.averageFuelbedDepth : 3.0;
    const bool shrubby = isShrubland(photo.vegType);
    // Slash beds are deep because of the slash itself, not of live plants.
    const bool slashBed = cutEnds && photo.activity.toUpper() != QLatin1String("RX");
    const int plants = int((12 + bed * 1.5 + (shrubby ? 20 : 0)) * (slashBed ? 0.4 : 1.0));
    for (int i = 0; i < plants; ++i) {
        const double y = randomY();
        const double x = rng.uniform(-10, photoWidth + 10);
        const double s = scaleAt(y);
        const double height = bed * 6 * s * rng.uniform(0.6, 1.3);
        const bool shrub = rng.chance(shrubby ? 0.55 : 0.2);
        const QColor green = jitter(rng, shrub ? QColor(66, 98, 52) : QColor(128, 140, 70), 18);
        const quint32 plantSeed = quint32(rng.below(1 << 30));
        items.emplace_back(y, [&painter, x, y, s, height, shrub, green, plantSeed]() {
            SampleRandom r(plantSeed);
            if (shrub) {
                const double width = std::clamp(height * r.uniform(0.7, 1.2), 12.0, 130.0);
                painter.setPen(Qt::NoPen);
                for (int b = 0; b < 4; ++b) {
                    painter.setBrush(b % 2 ? green : green.darker(125));
                    const double bx = x + r.uniform(-width / 3, width / 3);
                    const double by = y - height * r.uniform(0.3, 0.7);
                    painter.drawEllipse(QPointF(bx, by), width * 0.3, std::max(4.0, height * 0.4));
                }
            } else {
                painter.setPen(QPen(green, std::max(1.0, 1.6 * s)));
                for (int b = 0; b < 9; ++b) {
                    const double lean = r.uniform(-0.5, 0.5) * std::max(height, 6.0);
                    painter.drawLine(QPointF(x + r.uniform(-3, 3) * s, y),
                                     QPointF(x + lean, y - std::max(4.0, height * r.uniform(0.6, 1.0))));
                }
            }
        });
    }

    std::stable_sort(items.begin(), items.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &item : items)
        item.second();

    drawPlacard(painter, photo);
    painter.end();
    return image;
}

QImage drawDataSheet(const PhotoRecord &photo, const SampleBook &book)
{
    QImage image(sheetWidth, sheetHeight, QImage::Format_RGB32);
    image.fill(QColor(250, 248, 240));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QColor(25, 25, 30));

    QFont titleFont(QStringLiteral("DejaVu Sans"));
    titleFont.setPixelSize(28);
    titleFont.setBold(true);
    QFont textFont(QStringLiteral("DejaVu Sans"));
    textFont.setPixelSize(19);
    QFont boldFont = textFont;
    boldFont.setBold(true);

    const double left = 60;
    const double right = sheetWidth - 60;
    painter.setFont(titleFont);
    painter.drawText(QRectF(left, 40, right - left, 40), Qt::AlignHCenter, QStringLiteral("Photo series data sheet"));

    painter.setFont(textFont);
    const auto orDash = [](const QString &text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    const QString header =
        QStringLiteral("Book: %1, %2\nPhoto: %3/%4\nDescription: %5")
            .arg(book.label, book.description, photo.bookLabel, photo.photoLabel, orDash(photo.groupLabel));
    painter.drawText(QRectF(left, 100, right - left, 120), Qt::TextWordWrap, header);

    const auto number = [](const OptionalNumber &v) { return v ? QString::number(*v, 'f', 2) : QStringLiteral("-"); };
    const auto depth = [](const OptionalNumber &v) {
        return v && *v >= 0 ? QString::number(*v, 'f', 1) : QStringLiteral("not measured");
    };
    const auto code = [&orDash](const CodeTable &table, const QString &value) {
        const QString description = SampleCatalog::describe(table, value);
        return description.isEmpty() ? orDash(value) : value + QStringLiteral(" - ") + description;
    };

    std::vector<std::pair<QString, QString>> rows;
    rows.emplace_back(QStringLiteral("Size class"), QStringLiteral("Tons per acre"));
    const int classes = 3 + book.coarseClassCount();
    for (int c = 1; c <= classes; ++c)
        rows.emplace_back(SampleCatalog::classLabel(book, c), number(photo.tonsPerAcreBreak[size_t(c - 1)]));
    rows.emplace_back(QStringLiteral("0-2.9\" total"), number(photo.oto3FL));
    rows.emplace_back(QStringLiteral("3\"+ total"), number(photo.coarseLoad()));
    rows.emplace_back(QStringLiteral("Total loading"), number(photo.totalFL));
    rows.emplace_back(QStringLiteral("Duff depth (in)"), depth(photo.averageDuffDepth));
    rows.emplace_back(QStringLiteral("Fuel bed depth (in)"), depth(photo.averageFuelbedDepth));
    rows.emplace_back(QStringLiteral("Vegetation type"), code(SampleCatalog::vegCodes(), photo.vegType));
    rows.emplace_back(QStringLiteral("Activity"), code(SampleCatalog::activityCodes(), photo.activity));
    rows.emplace_back(QStringLiteral("Fire behavior fuel model"),
                      code(SampleCatalog::behaveCodes(), photo.fireBehaveFM));
    rows.emplace_back(QStringLiteral("Danger rating fuel model"),
                      code(SampleCatalog::dangerRatingCodes(), photo.dangerRatingFM));

    const double top = 240;
    const double rowHeight = 40;
    const double split = left + 280;
    painter.setPen(QPen(QColor(60, 60, 70), 1.5));
    for (size_t i = 0; i < rows.size(); ++i) {
        const double y = top + double(i) * rowHeight;
        if (i == 0)
            painter.fillRect(QRectF(left, y, right - left, rowHeight), QColor(225, 225, 215));
        painter.setFont(i == 0 ? boldFont : textFont);
        painter.drawText(QRectF(left + 10, y, split - left - 20, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         rows[i].first);
        painter.drawText(QRectF(split + 10, y, right - split - 20, rowHeight),
                         Qt::AlignVCenter | (i <= size_t(classes) + 3 ? Qt::AlignRight : Qt::AlignLeft),
                         rows[i].second);
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
    const double bottom = top + double(rows.size()) * rowHeight;
    painter.drawLine(QPointF(left, bottom), QPointF(right, bottom));
    painter.drawLine(QPointF(left, top), QPointF(left, bottom));
    painter.drawLine(QPointF(split, top), QPointF(split, bottom));
    painter.drawLine(QPointF(right, top), QPointF(right, bottom));
    painter.end();
    return image;
}

} // namespace SampleImages
