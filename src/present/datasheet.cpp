// SPDX-License-Identifier: GPL-3.0-or-later
// The data sheet's row table and the graph series read back from it.
#include "datasheet.h"

#include "data/numberformat.h"

#include <cmath>

namespace
{

const QString kInch = QStringLiteral("\"");

QString indented(const QString &text)
{
    return QString(20, QLatin1Char(' ')) + text;
}

QString loading(const OptionalNumber &value, Units units)
{
    return NumberFormat::picture(UnitConversion::loading(value, units), u"###0.00");
}

QString depth(const OptionalNumber &value, Units units)
{
    return NumberFormat::picture(UnitConversion::length(value, units), u"##0.00");
}

// The texts of the rows that do not depend on the book, in inches or centimetres.
struct FixedTexts {
    const char *duff;
    const char *fuelbed;
    const char *loading;
    const char *classes[3];
    const char *onlyCoarse;
    const char *totalFine;
    const char *totalCoarse;
};
const FixedTexts kInches = {"Average Duff Depth (In.)",
                            "Average Fuelbed Depth (In.)",
                            "Loading (Tons per acre)",
                            {"0\"-.24\"", ".25\"-.9\"", "1\"-2.9\""},
                            "3\"+",
                            "Total 0\"-3\" ",
                            "Total 3\"+  "};
const FixedTexts kCentimetres = {"Average Duff Depth (cm)",
                                 "Average Fuelbed Depth (cm)",
                                 "Loading (Mg/ha)",
                                 {"0-0.61 cm", "0.64-2.29 cm", "2.54-7.37 cm"},
                                 "7.62 cm+",
                                 "Total 0-7.62 cm ",
                                 "Total 7.62 cm+  "};

double bound(const std::optional<BookRecord> &book, int which)
{
    if (!book)
        return 0;
    const OptionalNumber &b = which == 4 ? book->breakInches4 : which == 5 ? book->breakInches5 : book->breakInches6;
    return b.value_or(0);
}

// S(b): the bound minus a tenth as the general conversion with a sign position writes it.
QString upperBound(double b)
{
    return NumberFormat::withSignPosition(b - 0.1);
}

} // namespace

QString DataSheet::cell(int row, int column) const
{
    if (row < 0 || row >= rows || column < 0 || column >= kColumns)
        return {};
    return cells[size_t(row)][size_t(column)];
}

bool DataSheet::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= rows || column < 0 || column >= kColumns)
        return false;
    cells[size_t(row)][size_t(column)] = text;
    return true;
}

DataSheet BuildDataSheet(const PhotoRecord &photo, const std::optional<BookRecord> &book, Units units)
{
    const bool metric = units == Units::Metric;
    const FixedTexts &t = metric ? kCentimetres : kInches;
    auto text = [](const char *latin) { return QString::fromLatin1(latin); };
    DataSheet sheet;
    sheet.units = units;
    auto set = [&sheet](int row, const QString &label, const QString &value) {
        sheet.cells[size_t(row)] = {label, value};
    };
    set(0, text(t.duff), depth(photo.averageDuffDepth, units));
    set(1, text(t.fuelbed), depth(photo.averageFuelbedDepth, units));
    set(2, QStringLiteral("Vegetation Type"), photo.vegType);
    set(3, QStringLiteral("Activity Type"), QLatin1Char(' ') + photo.activity);
    set(4, text(t.loading), QString(QLatin1String("")));
    for (int c = 0; c < 3; ++c)
        set(5 + c, indented(text(t.classes[c])), loading(photo.tonsPerAcreBreak[size_t(c)], units));

    const double b4 = bound(book, 4);
    const double b5 = bound(book, 5);
    const double b6 = bound(book, 6);
    int classes = 1; // of 3 inches and more
    if (b4 == 0 && b5 == 0 && b6 == 0)
        classes = 1;
    else if (b5 == 0 && b6 == 0)
        classes = 2;
    else if (b6 == 0)
        classes = 3;
    else
        classes = 4;
    sheet.rows = 11 + classes;

    const double bounds[] = {3, b4, b5, b6}; // lower bound of classes 4 to 7
    if (classes == 1) {
        set(8, indented(text(t.onlyCoarse)), loading(photo.tonsPerAcreBreak[3], units));
    } else {
        for (int c = 0; c < classes; ++c) {
            const bool last = c == classes - 1;
            QString label;
            if (metric) {
                const QString lower = UnitConversion::centimetres(bounds[c]);
                label = last ? lower + QStringLiteral(" cm + ")
                             : lower + QLatin1Char('-') + UnitConversion::centimetres(bounds[c + 1] - 0.1) +
                                   QStringLiteral(" cm  ");
            } else {
                const QString lower = NumberFormat::general(bounds[c]);
                label = last ? lower + kInch + QStringLiteral(" + ")
                             : lower + kInch + QStringLiteral("-") + upperBound(bounds[c + 1]) + kInch +
                                   QStringLiteral("  ");
            }
            set(8 + c, indented(label), loading(photo.tonsPerAcreBreak[size_t(3 + c)], units));
        }
    }

    OptionalNumber coarse;
    if (photo.totalFL && photo.oto3FL)
        coarse = *photo.totalFL - *photo.oto3FL;
    const int r = sheet.rows;
    set(r - 3, indented(text(t.totalFine)), loading(photo.oto3FL, units));
    set(r - 2, indented(text(t.totalCoarse)), loading(coarse, units));
    set(r - 1, indented(QStringLiteral("Total ")), loading(photo.totalFL, units));

    // A missing measurement is stored as a negative number; texts read as 0 and stay.
    for (int row = 0; row < sheet.rows; ++row) {
        QString &value = sheet.cells[size_t(row)][1];
        if (!value.isEmpty() && NumberFormat::leadingValue(value) < 0)
            value = QStringLiteral("n/a");
    }
    return sheet;
}

std::vector<GraphSeries> loadingGraphSeries(const DataSheet &sheet)
{
    std::vector<GraphSeries> series;
    const int k = sheet.rows - 11;
    if (k < 1 || k > 4)
        return series;
    const FixedTexts &texts = sheet.units == Units::Metric ? kCentimetres : kInches;
    const QString unit = QLatin1Char(' ') + UnitConversion::loadingAbbreviation(sheet.units) + QStringLiteral(": ");
    auto trimLeading = [](const QString &text) {
        int i = 0;
        while (i < text.size() && text.at(i) == QLatin1Char(' '))
            ++i;
        return text.mid(i);
    };
    for (int c = 1; c <= 3 + k; ++c) {
        const int row = 4 + c;
        const QString value = sheet.cell(row, 1);
        GraphSeries s;
        if (c <= 3) {
            s.legend = QString::fromLatin1(texts.classes[c - 1]) + unit + value;
        } else {
            const QString separator = (k == 4 && c == 7) ? QStringLiteral(": ") : unit;
            s.legend = trimLeading(sheet.cell(row, 0)) + separator + trimLeading(value);
        }
        s.value = NumberFormat::leadingValue(value);
        series.push_back(s);
    }
    return series;
}

std::vector<double> loadingGraphTicks(double top)
{
    if (!(top > 0) || !std::isfinite(top))
        top = 1;
    const double rough = top / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / magnitude;
    const double step = (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * magnitude;
    const int count = int(std::ceil(top / step - 1e-9));
    std::vector<double> ticks;
    for (int i = 0; i <= count; ++i)
        ticks.push_back(i * step);
    return ticks;
}

QColor loadingGraphColour(size_t i)
{
    static const QColor colours[] = {QColor(0x20, 0x9f, 0xdf), QColor(0x99, 0xca, 0x53), QColor(0xf6, 0xa6, 0x25),
                                     QColor(0x6d, 0x5f, 0xd5), QColor(0xbf, 0x59, 0x3e), QColor(0x3f, 0xa1, 0x9a),
                                     QColor(0xd4, 0x5d, 0x9e)};
    return colours[i % std::size(colours)];
}
