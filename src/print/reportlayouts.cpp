// Placing the items of the three reports, with print positions, columns and line ends as a line printer
// keeps them.
#include "reportlayouts.h"

#include "data/numberformat.h"
#include "print/reportmetrics.h"
#include "shell/programinfo.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace
{

const QString kNoImage = QStringLiteral("No image available");
const QString kSourcePhoto = QStringLiteral("   Source Photo: ");
const QString kEllipsis = QStringLiteral("\u2026");
const QString kProfileHeading = QStringLiteral("Fuel Profile: ");
// The right end of the rules: texts of the profile report that would run past it are cut there.
constexpr double kRight = 7.5;

// The print position of a page: text continues where the last text ended, a line end returns to the left
// edge one line lower, and a drawn line leaves the position at its end point.
class PrintCursor
{
public:
    explicit PrintCursor(ReportPage &page) : m_page(page) {}

    ReportFont font; // the base font: Arial 10
    double x = 0;
    double y = 0;

    void print(const QString &text)
    {
        // Blanks alone leave no mark; they only move the position.
        if (!text.trimmed().isEmpty())
            m_page.items.push_back(PageText{QPointF(x, y), text, font});
        x += ReportMetrics::textWidth(font, text);
    }
    void endLine()
    {
        x = 0;
        y += ReportMetrics::lineHeight(font);
    }
    void printLine(const QString &text)
    {
        print(text);
        endLine();
    }
    // A column left behind is found on the next line.
    void tab(int column)
    {
        const double target = ReportMetrics::columnX(font, column);
        if (x > target + 1e-9)
            endLine();
        x = target;
    }
    void moveTo(double nx, double ny)
    {
        x = nx;
        y = ny;
    }
    void rule(QPointF from, QPointF to)
    {
        m_page.items.push_back(PageLine{from, to});
        moveTo(to.x(), to.y());
    }
    void picture(const QRectF &rect, const QImage &image) { m_page.items.push_back(PagePicture{rect, image}); }
    void dataSheet(const QRectF &rect, const DataSheet &sheet) { m_page.items.push_back(PageDataSheet{rect, sheet}); }
    void graph(const QRectF &rect, const DataSheet &sheet)
    {
        m_page.items.push_back(PageGraph{rect, loadingGraphSeries(sheet), sheet.units});
    }

private:
    ReportPage &m_page;
};

// No line of a page holds this many characters of any visible width; measuring stops there, so that a text of
// a megabyte costs no more than one of a line.
constexpr int kLongestLine = 1000;

// The longest start of text (at least one character, at most kLongestLine) that fits into width.
int fittingLength(const QString &text, const ReportFont &font, double width)
{
    int low = 1;
    int high = int(std::min<qsizetype>(text.size(), kLongestLine));
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (ReportMetrics::textWidth(font, text.left(mid)) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

// Words run to and include the next blank; the last word is whatever follows the last blank.
QStringList words(const QString &paragraph)
{
    QStringList result;
    QString word;
    for (const QChar c : paragraph) {
        word += c;
        if (c == QLatin1Char(' ')) {
            result << word;
            word.clear();
        }
    }
    if (!word.isEmpty())
        result << word;
    return result;
}

bool fits(const QString &text, const ReportFont &font, double width)
{
    return text.size() <= kLongestLine && ReportMetrics::textWidth(font, text) <= width;
}

// Wrapping stops once the paragraph has given lines up to maxLines: the rest has no room.
void wrapParagraph(const QString &paragraph, const ReportFont &font, double width, int maxLines, QStringList &lines)
{
    if (fits(paragraph, font, width)) {
        lines << paragraph;
        return;
    }
    QString current;
    for (QString word : words(paragraph)) {
        if (lines.size() >= maxLines)
            return;
        if (fits(current + word, font, width)) {
            current += word;
            continue;
        }
        if (!current.isEmpty())
            lines << current;
        current.clear();
        // A word wider than a line is cut where the line ends, so that it never runs off the page.
        while (!fits(word.trimmed(), font, width) && lines.size() < maxLines) {
            const int fit = fittingLength(word, font, width);
            lines << word.left(fit);
            word = word.mid(fit);
        }
        current = word;
    }
    if (!current.isEmpty())
        lines << current;
}

// The text, or as much of it as fits into width followed by an ellipsis.
QString fitOnLine(const QString &text, const ReportFont &font, double width)
{
    if (fits(text, font, width))
        return text;
    QString start = text.left(fittingLength(text, font, width - ReportMetrics::textWidth(font, kEllipsis)));
    while (start.size() > 1 && !fits(start + kEllipsis, font, width))
        start.chop(1);
    return start + kEllipsis;
}

} // namespace

namespace ReportLayouts
{

QString footerText()
{
    return ProgramInfo::title() + QStringLiteral(" - ") + ProgramInfo::legalNotice();
}

QString printedNumber(double value)
{
    // A sum or conversion beyond the largest double is unknown, as the Assistant shows it.
    if (!std::isfinite(value))
        return QStringLiteral(" no data ");
    return NumberFormat::withSignPosition(value) + QLatin1Char(' ');
}

QStringList profileSourceLabels(const FuelProfile &profile)
{
    QStringList labels;
    for (const QString &label : {profile.Source0to3, profile.Source3Plus, profile.SourceDuff, profile.SourceFuelBed}) {
        if (!label.isEmpty() && !labels.contains(label))
            labels << label;
    }
    return labels;
}

QStringList wrapNotes(const QString &notes, const ReportFont &font, double width, int maxLines)
{
    QStringList lines;
    if (maxLines <= 0)
        return lines;
    const bool leftOff = notes.size() > kMaxPrintedNotes;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList paragraphs = notes.left(kMaxPrintedNotes).split(lineBreak);
    for (const QString &paragraph : paragraphs) {
        // One line more than there is room for tells that the notes were cut.
        wrapParagraph(paragraph, font, width, maxLines + 1, lines);
        if (lines.size() > maxLines)
            break;
    }
    if (lines.size() <= maxLines && !leftOff)
        return lines;
    lines = lines.mid(0, maxLines);
    QString last = lines.last();
    while (!last.isEmpty() && ReportMetrics::textWidth(font, last + kEllipsis) > width)
        last.chop(1);
    while (last.endsWith(QLatin1Char(' ')))
        last.chop(1);
    lines.last() = last + kEllipsis;
    return lines;
}

ReportPage photoReport(const PhotoReportInput &input)
{
    ReportPage page;
    page.title = ProgramInfo::title() + QStringLiteral(" - ") + input.bookLabel + QLatin1Char('/') + input.photoLabel;
    PrintCursor c(page);
    c.font = {16, true};
    c.endLine();
    c.tab(5);
    c.printLine(input.bookLabel);
    c.tab(5);
    c.printLine(input.photoLabel + QStringLiteral(", ") + input.groupLabel);
    c.rule({0.4, 0.9}, {7.5, 0.9});
    if (input.picture) {
        c.picture(QRectF(QPointF(1.5, 1.1), kPhotoPictureSize), *input.picture);
    } else {
        c.moveTo(1.5, 2.4);
        c.printLine(kNoImage);
    }
    c.dataSheet(QRectF(0.5, 5.0, 3.0, 2.4), input.sheet);
    c.graph(QRectF(3.5, 5.0, 4.0, 2.75), input.sheet);
    c.moveTo(0.5, 9.5);
    c.font.pointSize = 8;
    c.printLine(footerText());
    return page;
}

ReportPage comparisonReport(const std::array<ComparisonColumn, 2> &columns)
{
    ReportPage page;
    page.title =
        ProgramInfo::title() + QStringLiteral(" - ") + columns[0].label + QStringLiteral(" / ") + columns[1].label;
    PrintCursor c(page);
    c.font = {16, true};
    c.endLine();
    c.tab(5);
    c.printLine(QStringLiteral(" "));
    c.tab(5);
    c.printLine(QStringLiteral("Comparison of Photos"));
    c.rule({0.4, 0.9}, {7.5, 0.9});
    c.font.pointSize = 12;
    c.tab(7);
    c.print(columns[0].label);
    c.tab(52);
    c.printLine(columns[1].label);

    const double left[2] = {0.5, 4.1};
    for (size_t i = 0; i < 2; ++i) {
        if (columns[i].picture) {
            c.picture(QRectF(QPointF(left[i], 1.4), kComparisonPictureSize), *columns[i].picture);
        } else {
            c.moveTo(left[i] + 1.0, 2.4);
            c.printLine(kNoImage);
        }
    }
    for (size_t i = 0; i < 2; ++i)
        c.dataSheet(QRectF(left[i] + 0.25, 4.2, 3.0, 2.5), columns[i].sheet);
    for (size_t i = 0; i < 2; ++i)
        c.graph(QRectF(left[i], 6.8, 3.5, 2.5), columns[i].sheet);
    c.moveTo(0.5, 9.5);
    c.font.pointSize = 8;
    c.printLine(footerText());
    return page;
}

ReportPage profileReport(const ProfileReportInput &input)
{
    const FuelProfile &p = input.profile;
    ReportPage page;
    PrintCursor c(page);
    c.font = {16, true};
    c.moveTo(0.5, 0.3);
    const QString nameLine = fitOnLine(kProfileHeading + p.ProfileName, c.font, kRight - 0.5);
    page.title = ProgramInfo::title() + QStringLiteral(" - Fuel Profile ") + nameLine.mid(kProfileHeading.size());
    c.printLine(nameLine);
    c.rule({0.5, 0.7}, {7.5, 0.7});

    c.font.pointSize = 10;
    c.moveTo(0.5, 1.0);
    const bool metric = input.units == Units::Metric;
    c.print(metric ? QStringLiteral("Loading(Mg/ha): ") : QStringLiteral("Loading(Tons per acre): "));
    c.font.bold = false;
    c.y += ReportMetrics::lineHeight(c.font) + 0.05; // the height of "HH" and a little air

    auto row = [&c](const QString &label, const std::optional<double> &value, const std::optional<QString> &source) {
        c.x = 1.0;
        c.print(label);
        if (value) {
            c.x = 2.5;
            c.print(printedNumber(*value));
        }
        if (source) {
            c.x = 3.5;
            c.print(fitOnLine(kSourcePhoto + *source, c.font, kRight - c.x));
        }
        c.endLine();
    };
    auto heading = [&c](const QString &text) {
        c.x = 0.5;
        c.font.bold = true;
        c.printLine(text);
        c.font.bold = false;
    };
    const auto load = [&input](double tonsPerAcre) { return UnitConversion::loading(tonsPerAcre, input.units); };
    const auto depth = [&input](double inches) { return UnitConversion::length(inches, input.units); };
    const double fine = p.Tpa1 + p.Tpa2 + p.Tpa3;
    row(metric ? QStringLiteral("0-7.4 cm:") : QStringLiteral(".0\"-2.9\":"), load(fine), p.Source0to3);
    row(metric ? QStringLiteral("7.6 cm plus:") : QStringLiteral("3\" plus:"), load(p.Load3Plus), p.Source3Plus);
    row(QStringLiteral("Total:"), load(p.Tpa1 + p.Tpa2 + p.Tpa3 + p.Load3Plus), std::nullopt);
    heading(metric ? QStringLiteral("Depths (cm):") : QStringLiteral("Depths:"));
    // A depth not measured (negative) stays as it is: converting it would change the mark.
    row(QStringLiteral("Duff Depth:"), p.DuffDepth < 0 ? p.DuffDepth : depth(p.DuffDepth), p.SourceDuff);
    row(QStringLiteral("Fuel Bed Depth:"), p.FuelBedDepth < 0 ? p.FuelBedDepth : depth(p.FuelBedDepth),
        p.SourceFuelBed);
    heading(QStringLiteral("Notes:"));

    const double lineHeight = ReportMetrics::lineHeight(c.font);
    const int maxLines = int(std::floor((kNotesBottom - c.y) / lineHeight + 1e-9));
    for (const QString &line : wrapNotes(p.Notes, c.font, kNotesWidth, maxLines)) {
        c.x = 1.0;
        c.printLine(line);
    }
    c.rule({0.5, 3.5}, {7.5, 3.5});

    const QStringList sources = profileSourceLabels(p);
    const QPointF pictureAt[4] = {{0.5, 4.0}, {4.1, 4.0}, {0.5, 7.0}, {4.1, 7.0}};
    const QPointF captionAt[4] = {{1.5, 6.5}, {5.1, 6.5}, {1.5, 9.5}, {5.1, 9.5}};
    const QPointF noImageAt[4] = {{1.5, 4.0}, {5.1, 4.0}, {1.5, 7.0}, {5.1, 7.0}};
    for (int k = 0; k < int(sources.size()) && k < 4; ++k) {
        const bool has = size_t(k) < input.pictures.size() && input.pictures[size_t(k)].has_value();
        if (has) {
            c.picture(QRectF(pictureAt[k], kProfilePictureSize), *input.pictures[size_t(k)]);
            c.moveTo(captionAt[k].x(), captionAt[k].y());
            c.printLine(fitOnLine(sources.at(k), c.font, pictureAt[k].x() + kProfilePictureSize.width() - c.x));
        } else {
            c.moveTo(noImageAt[k].x(), noImageAt[k].y());
            c.printLine(kNoImage);
        }
    }
    c.moveTo(0.5, 9.8);
    c.font.pointSize = 8;
    c.printLine(footerText() + QStringLiteral("   "));
    return page;
}

} // namespace ReportLayouts
