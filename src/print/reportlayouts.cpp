// SPDX-License-Identifier: GPL-3.0-or-later
// Placing the items of the three reports, with print positions, columns and line ends as a line printer
// keeps them.
#include "reportlayouts.h"

#include "data/numberformat.h"
#include "print/reportmetrics.h"
#include "print/reportpainter.h"
#include "shell/programinfo.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

const QString kNoImage = QStringLiteral("No image available");
const QString kSourcePhoto = QStringLiteral("   Source Photo: ");
const QString kEllipsis = QStringLiteral("\u2026");
const QString kProfileHeading = QStringLiteral("Fuel Profile: ");
const QString kNotesContinued = QStringLiteral("Notes (continued)");
// Texts wrapped above a rule or a picture end this far above it.
constexpr double kAir = 0.02;
// A source photo's label takes at most this many lines of its row; only a label of hundreds of characters
// needs more, and the rows must leave the notes their room.
constexpr int kMaxSourceLines = 3;
// The document name carries this much of a profile's name.
constexpr int kTitleNameLength = 100;

// No line of a page holds this many characters of any visible width; measuring stops there, so that a text of
// a megabyte costs no more than one of a line.
constexpr int kLongestLine = 1000;

bool fits(const QString &text, const ReportFont &font, double width)
{
    return text.size() <= kLongestLine && ReportMetrics::textWidth(font, text) <= width;
}

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
        // A word wider than a line starts on the line begun, where there is room, and goes on over the next
        // lines, so that it never runs off the page.
        if (!current.isEmpty() && !fits(word.trimmed(), font, width)) {
            const double room = width - ReportMetrics::textWidth(font, current);
            if (ReportMetrics::textWidth(font, word.left(1)) <= room) {
                const int fit = fittingLength(word, font, room);
                current += word.left(fit);
                word = word.mid(fit);
            }
        }
        if (!current.isEmpty())
            lines << current;
        current.clear();
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

// The paragraphs as at most maxLines lines; when they need more, or leftOff says that the text goes on
// beyond them, the last line ends in an ellipsis.
QStringList wrapLines(const QStringList &paragraphs, const ReportFont &font, double width, int maxLines, bool leftOff,
                      bool *cut)
{
    QStringList lines;
    if (cut)
        *cut = false;
    if (maxLines <= 0)
        return lines;
    for (const QString &paragraph : paragraphs) {
        // One line more than there is room for tells that the text was cut.
        wrapParagraph(paragraph, font, width, maxLines + 1, lines);
        if (lines.size() > maxLines)
            break;
    }
    if (lines.size() <= maxLines && !leftOff)
        return lines;
    if (cut)
        *cut = true;
    lines = lines.mid(0, maxLines);
    QString last = lines.isEmpty() ? QString() : lines.last();
    while (!last.isEmpty() && ReportMetrics::textWidth(font, last + kEllipsis) > width)
        last.chop(1);
    while (last.endsWith(QLatin1Char(' ')))
        last.chop(1);
    if (lines.isEmpty())
        lines << kEllipsis;
    else
        lines.last() = last + kEllipsis;
    return lines;
}

// A text set within a width: at its own size when it fits, else at the largest half-point size down to
// kSmallestPointSize that fits, else at that size wrapped at blanks.
struct FittedText {
    ReportFont font;
    QStringList lines; // the first with the text's leading blanks, the others without
    double indent = 0; // of the lines after the first: where the first line's visible text starts
};

FittedText fitText(const QString &text, const ReportFont &font, double width, double height, int maxLines)
{
    FittedText fitted{font, {text}, 0};
    if (fits(text, font, width))
        return fitted;
    const double smallest = std::min(font.pointSize, ReportLayouts::kSmallestPointSize);
    for (double size = font.pointSize - 0.5; size >= smallest - 1e-9; size -= 0.5) {
        fitted.font.pointSize = size;
        if (fits(text, fitted.font, width))
            return fitted;
    }
    fitted.font.pointSize = smallest;
    const qsizetype visible =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c != QLatin1Char(' '); }) - text.begin();
    const QString blanks = text.left(visible);
    fitted.indent = ReportMetrics::textWidth(fitted.font, blanks);
    const int room = int(std::floor(height / ReportMetrics::lineHeight(fitted.font) + 1e-9));
    fitted.lines = wrapLines({text.mid(visible)}, fitted.font, width - fitted.indent,
                             std::max(1, std::min(room, maxLines)), false, nullptr);
    fitted.lines.first().prepend(blanks);
    return fitted;
}

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
    // Prints the text so that it ends before right, smaller or wrapped as fitText sets it, its lines ending
    // above bottom (at most maxLines of them), and ends the line: each line beyond the first moves the
    // position down by its height.
    void printFitted(const QString &text, double right, double bottom, int maxLines = std::numeric_limits<int>::max())
    {
        const ReportFont own = font;
        const FittedText fitted = fitText(text, own, right - x, bottom - y, maxLines);
        const double left = x;
        const double top = y;
        font = fitted.font;
        const double line = ReportMetrics::lineHeight(font);
        for (int i = 0; i < fitted.lines.size(); ++i) {
            moveTo(i == 0 ? left : left + fitted.indent, top + i * line);
            print(fitted.lines.at(i));
        }
        font = own;
        moveTo(0, top + ReportMetrics::lineHeight(own) + double(fitted.lines.size() - 1) * line);
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
    void dataSheet(const QRectF &rect, const DataSheet &sheet, std::optional<SheetScale> scale = std::nullopt)
    {
        m_page.items.push_back(PageDataSheet{rect, sheet, scale});
    }
    void graph(const QRectF &rect, const DataSheet &sheet)
    {
        m_page.items.push_back(PageGraph{rect, loadingGraphSeries(sheet), sheet.units, ReportLayouts::kRight});
    }

private:
    ReportPage &m_page;
};

// The number's text when it ends before kNumberRight from x 2.5, else the value rounded to as many decimals as
// end there, else in mantissa and exponent with as many digits as end there.
QString numberThatFits(const QString &text, double value, const ReportFont &font)
{
    const double width = ReportLayouts::kNumberRight - 2.5;
    auto ends = [&font, width](const QString &t) {
        QString shown = t;
        while (shown.endsWith(QLatin1Char(' ')))
            shown.chop(1);
        return ReportMetrics::textWidth(font, shown) <= width;
    };
    if (!std::isfinite(value) || ends(text))
        return text;
    for (int decimals = 14; decimals >= 0; --decimals) {
        const QString rounded = ReportLayouts::printedNumber(NumberFormat::round(value, decimals));
        if (ends(rounded))
            return rounded;
    }
    QString exponent;
    for (int digits = 13; digits >= 0; --digits) {
        exponent = (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
                   QString::number(std::abs(value), 'E', digits) + QLatin1Char(' ');
        if (ends(exponent))
            break;
    }
    return exponent;
}

// A value as the profile column of the screen shows it in metric units, with the blanks of a printed number.
QString framedText(const QString &shown)
{
    return (shown.startsWith(QLatin1Char('-')) ? QString() : QStringLiteral(" ")) + shown + QLatin1Char(' ');
}

void printFooter(PrintCursor &c, const QString &trailing)
{
    c.moveTo(0.5, 9.8);
    c.font = {8, false};
    c.printLine(ReportLayouts::footerText() + trailing);
}

// The profile's name over the rule at 0.7 inches, on the first page and on each page of notes continued.
void printProfileHeading(PrintCursor &c, const QString &nameLine)
{
    c.font = {16, true};
    c.moveTo(0.5, 0.3);
    c.printFitted(nameLine, ReportLayouts::kRight, 0.7 - kAir);
    c.rule({0.5, 0.7}, {7.5, 0.7});
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

QStringList wrapNotes(const QString &notes, const ReportFont &font, double width, int maxLines, bool *cut)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return wrapLines(notes.left(kMaxPrintedNotes).split(lineBreak), font, width, maxLines,
                     notes.size() > kMaxPrintedNotes, cut);
}

Report photoReport(const PhotoReportInput &input)
{
    Report report;
    report.title = ProgramInfo::title() + QStringLiteral(" - ") + input.bookLabel + QLatin1Char('/') + input.photoLabel;
    ReportPage &page = report.pages.emplace_back();
    PrintCursor c(page);
    c.font = {16, true};
    c.endLine();
    // The second heading line keeps a line of its own size above the rule.
    c.tab(5);
    c.printFitted(input.bookLabel, kRight, 0.9 - ReportMetrics::lineHeight(c.font));
    c.tab(5);
    c.printFitted(input.photoLabel + QStringLiteral(", ") + input.groupLabel, kRight, 0.9 - kAir);
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
    return report;
}

Report comparisonReport(const std::array<ComparisonColumn, 2> &columns)
{
    Report report;
    report.title =
        ProgramInfo::title() + QStringLiteral(" - ") + columns[0].label + QStringLiteral(" / ") + columns[1].label;
    ReportPage &page = report.pages.emplace_back();
    PrintCursor c(page);
    c.font = {16, true};
    c.endLine();
    c.tab(5);
    c.printLine(QStringLiteral(" "));
    c.tab(5);
    c.printLine(QStringLiteral("Comparison of Photos"));
    c.rule({0.4, 0.9}, {7.5, 0.9});
    c.font.pointSize = 12;
    // Both labels start on one line; the left one ends before the right one begins, and both above the photos.
    c.tab(7);
    const double labelsTop = c.y;
    const double rightColumn = ReportMetrics::columnX(c.font, 52);
    c.printFitted(columns[0].label, rightColumn - 0.1, 1.4 - kAir);
    c.moveTo(rightColumn, labelsTop);
    c.printFitted(columns[1].label, kRight, 1.4 - kAir);

    const double left[2] = {0.5, 4.1};
    for (size_t i = 0; i < 2; ++i) {
        if (columns[i].picture) {
            c.picture(QRectF(QPointF(left[i], 1.4), kComparisonPictureSize), *columns[i].picture);
        } else {
            c.moveTo(left[i] + 1.0, 2.4);
            c.printLine(kNoImage);
        }
    }
    const QSizeF sheetSize(3.0, 2.5);
    const SheetScale scales[2] = {ReportPainter::sheetScale(sheetSize, columns[0].sheet),
                                  ReportPainter::sheetScale(sheetSize, columns[1].sheet)};
    const SheetScale shared{std::min(scales[0].rowHeight, scales[1].rowHeight),
                            std::min(scales[0].pointSize, scales[1].pointSize)};
    for (size_t i = 0; i < 2; ++i)
        c.dataSheet(QRectF(QPointF(left[i] + 0.25, 4.2), sheetSize), columns[i].sheet, shared);
    for (size_t i = 0; i < 2; ++i)
        c.graph(QRectF(left[i], 6.8, 3.5, 2.5), columns[i].sheet);
    c.moveTo(0.5, 9.5);
    c.font.pointSize = 8;
    c.printLine(footerText());
    return report;
}

Report profileReport(const ProfileReportInput &input)
{
    const FuelProfile &p = input.profile;
    Report report;
    const QString titleName =
        p.ProfileName.size() > kTitleNameLength ? p.ProfileName.left(kTitleNameLength) + kEllipsis : p.ProfileName;
    report.title = ProgramInfo::title() + QStringLiteral(" - Fuel Profile ") + titleName;
    const QString nameLine = kProfileHeading + p.ProfileName;
    ReportPage first;
    PrintCursor c(first);
    printProfileHeading(c, nameLine);

    c.font.pointSize = 10;
    c.moveTo(0.5, 1.0);
    const bool metric = input.units == Units::Metric;
    c.print(metric ? QStringLiteral("Loading(Mg/ha): ") : QStringLiteral("Loading(Tons per acre): "));
    c.font.bold = false;
    c.y += ReportMetrics::lineHeight(c.font) + 0.05; // the height of "HH" and a little air

    auto row = [&c](const QString &label, const std::optional<QString> &value, const std::optional<QString> &source) {
        c.x = 1.0;
        c.print(label);
        if (value) {
            c.x = 2.5;
            c.print(*value);
        }
        if (source) {
            c.x = 3.5;
            c.printFitted(kSourcePhoto + *source, kRight, kNotesBottom, kMaxSourceLines);
        } else {
            c.endLine();
        }
    };
    auto heading = [&c](const QString &text) {
        c.x = 0.5;
        c.font.bold = true;
        c.printLine(text);
        c.font.bold = false;
    };
    // In metric units the values read as the screen's profile column shows them; otherwise as stored.
    const ProfileDisplay shown = profileDisplay(p, QString(), input.units);
    const auto number = [&c, metric](double stored, double converted, const QString &screen) {
        const QString text = metric ? framedText(screen) : ReportLayouts::printedNumber(stored);
        return numberThatFits(text, metric ? converted : stored, c.font);
    };
    const auto load = [&input](double tonsPerAcre) { return UnitConversion::loading(tonsPerAcre, input.units); };
    const auto depth = [&input](double inches) { return UnitConversion::length(inches, input.units); };
    const double fine = p.Tpa1 + p.Tpa2 + p.Tpa3;
    const double total = p.Tpa1 + p.Tpa2 + p.Tpa3 + p.Load3Plus;
    const double shownTotal = NumberFormat::parse(shown.lblProTotal).value_or(load(total));
    row(metric ? QStringLiteral("0-7.4 cm:") : QStringLiteral(".0\"-2.9\":"),
        number(fine, load(fine), shown.lblPro0to3), p.Source0to3);
    row(metric ? QStringLiteral("7.6 cm plus:") : QStringLiteral("3\" plus:"),
        number(p.Load3Plus, load(p.Load3Plus), shown.lblPro3Plus), p.Source3Plus);
    row(QStringLiteral("Total:"), number(total, shownTotal, shown.lblProTotal), std::nullopt);
    heading(metric ? QStringLiteral("Depths (cm):") : QStringLiteral("Depths:"));
    row(QStringLiteral("Duff Depth:"), number(p.DuffDepth, depth(p.DuffDepth), shown.lblProDuff), p.SourceDuff);
    row(QStringLiteral("Fuel Bed Depth:"), number(p.FuelBedDepth, depth(p.FuelBedDepth), shown.lblProFuelBed),
        p.SourceFuelBed);
    heading(QStringLiteral("Notes:"));

    // The notes' lines, split between the first page and as many pages after it as they need.
    const double lineHeight = ReportMetrics::lineHeight(c.font);
    const int firstLines = std::max(0, int(std::floor((kNotesBottom - c.y) / lineHeight + 1e-9)));
    const double continuedTop = 1.0 + ReportMetrics::lineHeight({10, true});
    const int continuedLines = int(std::floor((kContinuedNotesBottom - continuedTop) / lineHeight + 1e-9));
    bool cut = false;
    // One line is kept for saying that the notes were cut.
    QStringList notes = wrapNotes(p.Notes, c.font, kNotesWidth, firstLines + kMaxNotesPages * continuedLines - 1, &cut);
    if (cut)
        notes << kNotesCut;
    const int onFirst = std::min(int(notes.size()), firstLines);
    for (int i = 0; i < onFirst; ++i) {
        c.x = 1.0;
        c.printLine(notes.at(i));
    }
    c.rule({0.5, 3.5}, {7.5, 3.5});

    const QStringList sources = profileSourceLabels(p);
    const QPointF pictureAt[4] = {{0.5, 4.0}, {4.1, 4.0}, {0.5, 7.0}, {4.1, 7.0}};
    const QPointF captionAt[4] = {{1.5, 6.5}, {5.1, 6.5}, {1.5, 9.5}, {5.1, 9.5}};
    const QPointF noImageAt[4] = {{1.5, 4.0}, {5.1, 4.0}, {1.5, 7.0}, {5.1, 7.0}};
    // A caption ends under its picture and above what lies below it: the lower pictures, or the footer.
    const double captionBottom[4] = {7.0 - kAir, 7.0 - kAir, 9.8 - kAir, 9.8 - kAir};
    for (int k = 0; k < int(sources.size()) && k < 4; ++k) {
        const bool has = size_t(k) < input.pictures.size() && input.pictures[size_t(k)].has_value();
        if (has) {
            c.picture(QRectF(pictureAt[k], kProfilePictureSize), *input.pictures[size_t(k)]);
            c.moveTo(captionAt[k].x(), captionAt[k].y());
            c.printFitted(sources.at(k), std::min(kRight, pictureAt[k].x() + kProfilePictureSize.width()),
                          captionBottom[k]);
        } else {
            c.moveTo(noImageAt[k].x(), noImageAt[k].y());
            c.printLine(kNoImage);
        }
    }
    printFooter(c, QStringLiteral("   "));
    report.pages.push_back(std::move(first));

    for (int next = onFirst; next < notes.size(); next += continuedLines) {
        ReportPage page;
        PrintCursor more(page);
        printProfileHeading(more, nameLine);
        more.font = {10, true};
        more.moveTo(0.5, 1.0);
        more.printLine(kNotesContinued);
        more.font.bold = false;
        for (int i = next; i < std::min(int(notes.size()), next + continuedLines); ++i) {
            more.x = 1.0;
            more.printLine(notes.at(i));
        }
        printFooter(more, QStringLiteral("   "));
        report.pages.push_back(std::move(page));
    }
    return report;
}

} // namespace ReportLayouts
