// SPDX-License-Identifier: GPL-3.0-or-later
// The three reports read back from the PDF files they make: every text, font and picture at its place, on every
// page and paper, and no word lost or beyond the right edge.
#include "data/photorecord.h"
#include "pdfreader.h"
#include "present/datasheet.h"
#include "print/reportlayouts.h"
#include "print/reportmetrics.h"
#include "print/reportpdf.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QtTest>
#include <limits>

namespace
{

constexpr double kTolerance = 0.015; // inches; poppler rounds and measures glyph boxes its own way
const double kMargin = PdfReader::kMargin;

const QString kNoImage = QStringLiteral("No image available");

QImage picture(const QColor &colour = QColor(30, 90, 160))
{
    QImage image(300, 210, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A sheet of 12 rows, or of 13 to 15 with a book that bounds that many size classes of 3 inches and more.
DataSheet sheetFor(double base, int rows = 12)
{
    PhotoRecord photo;
    for (size_t i = 0; i < 4; ++i)
        photo.tonsPerAcreBreak[i] = base + double(i) / 10;
    for (size_t i = 4; i < 7; ++i)
        photo.tonsPerAcreBreak[i] = 0;
    photo.oto3FL = 3 * base + 0.3;
    photo.totalFL = 4 * base + 0.6;
    photo.averageDuffDepth = 1.5;
    photo.averageFuelbedDepth = -1;
    photo.vegType = QStringLiteral("PP");
    photo.activity = QStringLiteral("NAT");
    if (rows == 12)
        return BuildDataSheet(photo, std::nullopt);
    BookRecord book;
    const double bounds[3] = {9, 20, 35};
    OptionalNumber *fields[3] = {&book.breakInches4, &book.breakInches5, &book.breakInches6};
    for (int i = 0; i < 3; ++i)
        *fields[i] = i < rows - 12 ? bounds[i] : 0;
    return BuildDataSheet(photo, book);
}

// The words of the page inside area (layout inches), line by line from the top and left to right on each.
QStringList wordsIn(const PdfReader::Page &page, const QRectF &area)
{
    std::vector<const PdfReader::Word *> inside;
    const QRectF onPageArea =
        area.translated(kMargin, kMargin).adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance);
    for (const PdfReader::Word &w : page.words) {
        if (onPageArea.contains(w.box.center()))
            inside.push_back(&w);
    }
    std::stable_sort(inside.begin(), inside.end(), [](const PdfReader::Word *a, const PdfReader::Word *b) {
        if (std::abs(a->box.top() - b->box.top()) > 0.03)
            return a->box.top() < b->box.top();
        return a->box.left() < b->box.left();
    });
    QStringList texts;
    for (const PdfReader::Word *w : inside)
        texts << w->text;
    return texts;
}

// The lines of the page that hold exactly this text (without their surrounding blanks).
std::vector<const PdfReader::Line *> linesOf(const PdfReader::Page &page, const QString &text)
{
    std::vector<const PdfReader::Line *> found;
    for (const PdfReader::Line &l : page.lines) {
        if (l.text.trimmed() == text)
            found.push_back(&l);
    }
    return found;
}

// A point of the printable area as it lies on the page.
QPointF onPage(double x, double y)
{
    return {x + kMargin, y + kMargin};
}

bool near(double actual, double expected)
{
    return std::abs(actual - expected) <= kTolerance;
}

QString describe(const QRectF &box)
{
    return QStringLiteral("(%1, %2, %3 x %4)")
        .arg(box.x() - kMargin, 0, 'f', 3)
        .arg(box.y() - kMargin, 0, 'f', 3)
        .arg(box.width(), 0, 'f', 3)
        .arg(box.height(), 0, 'f', 3);
}

// Empty when the box starts at the layout position (x, y) (and has the size, when given); else what is wrong.
QString misplaced(const QRectF &box, double x, double y, double width = -1, double height = -1)
{
    const bool placed = near(box.x(), onPage(x, y).x()) && near(box.y(), onPage(x, y).y());
    const bool sized = width < 0 || (near(box.width(), width) && near(box.height(), height));
    if (placed && sized)
        return {};
    return QStringLiteral("at %1, expected (%2, %3, %4 x %5)").arg(describe(box)).arg(x).arg(y).arg(width).arg(height);
}

QString outside(const QRectF &box, const QRectF &area)
{
    if (area.adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance).contains(box))
        return {};
    return QStringLiteral("%1 outside %2").arg(describe(box), describe(area));
}

} // namespace

#define VERIFY_EMPTY(problem)                                                                                          \
    do {                                                                                                               \
        const QString problemText = (problem);                                                                         \
        QVERIFY2(problemText.isEmpty(), qPrintable(problemText));                                                      \
    } while (false)
#define VERIFY_AT(box, x, y) VERIFY_EMPTY(misplaced((box), (x), (y)))
#define VERIFY_RECT(box, x, y, w, h) VERIFY_EMPTY(misplaced((box), (x), (y), (w), (h)))
#define VERIFY_INSIDE(box, area) VERIFY_EMPTY(outside((box), (area)))

class TestReportLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void fonts_arialHasArialMetrics();
    void columns_useTheWeightedAverageWidth();
    void photo_withPictureAndGroup_placesEveryItem();
    void photo_withoutPictureOrGroup_saysSo();
    void comparison_missingPictures_data();
    void comparison_missingPictures();
    void comparison_dataSheets_shareTheSmallerScale_data();
    void comparison_dataSheets_shareTheSmallerScale();
    void profile_texts_atTheirPlaces();
    void profile_numbers_printedAsTheyFit_data();
    void profile_numbers_printedAsTheyFit();
    void profile_pictures_onePerDistinctSource_data();
    void profile_pictures_onePerDistinctSource();
    void profile_notes_goOnOnPagesOfTheirOwn_data();
    void profile_notes_goOnOnPagesOfTheirOwn();
    void longTexts_shrinkAndWrapBeforeTheRightEdge_data();
    void longTexts_shrinkAndWrapBeforeTheRightEdge();
    void hugeTexts_endWhereTheirRoomEnds();
    void pdf_paper_keepsEveryItemFromTheTopLeft_data();
    void pdf_paper_keepsEveryItemFromTheTopLeft();

private:
    PdfReader::Page pdfOf(const Report &report);
    std::vector<PdfReader::Page> pagesOf(const Report &report, const QPageSize &paper = QPageSize(QPageSize::Letter));
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestReportLayouts::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

std::vector<PdfReader::Page> TestReportLayouts::pagesOf(const Report &report, const QPageSize &paper)
{
    const QString path = m_dir->filePath(QStringLiteral("report.pdf"));
    QString error;
    if (!ReportPdf::write(report, path, paper, &error))
        qFatal("PDF: %s", qPrintable(error));
    const std::optional<std::vector<PdfReader::Page>> read = PdfReader::readPages(path, &error);
    if (!read)
        qFatal("reading the PDF: %s", qPrintable(error));
    return *read;
}

PdfReader::Page TestReportLayouts::pdfOf(const Report &report)
{
    std::vector<PdfReader::Page> pages = pagesOf(report);
    if (pages.size() != 1)
        qFatal("%zu pages where one was expected", pages.size());
    return pages.front();
}

void TestReportLayouts::fonts_arialHasArialMetrics()
{
    // The layouts were drawn for Arial; a face with other widths would move every column.
    const QFontInfo info(ReportMetrics::font({10, false}));
    QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
    QVERIFY(std::abs(ReportMetrics::lineHeight({10, false}) - 0.1551) < 0.001);
}

void TestReportLayouts::columns_useTheWeightedAverageWidth()
{
    const ReportFont bold12{12, true};
    const double average = ReportMetrics::averageCharWidth(bold12);
    QVERIFY2(std::abs(average - 0.0804) < 0.001, qPrintable(QString::number(average)));
    // Column 52 is where the right-hand photo of a comparison starts.
    QVERIFY2(std::abs(ReportMetrics::columnX(bold12, 52) - 4.1) < 0.05, qPrintable(QString::number(average * 51)));
    const QFontMetricsF fontOwn(ReportMetrics::font(bold12));
    QVERIFY(fontOwn.averageCharWidth() / fontOwn.fontDpi() > average * 1.15);
}

void TestReportLayouts::photo_withPictureAndGroup_placesEveryItem()
{
    ReportLayouts::PhotoReportInput input;
    input.bookLabel = QStringLiteral("SW-01");
    input.photoLabel = QStringLiteral("07");
    input.groupLabel = QStringLiteral("Ponderosa pine");
    input.sheet = sheetFor(2);
    input.picture = picture();
    const PdfReader::Page page = pdfOf(ReportLayouts::photoReport(input));

    const ReportFont heading{16, true};
    const double column5 = ReportMetrics::columnX(heading, 5);
    const double line = ReportMetrics::lineHeight(heading);
    const PdfReader::Line *book = page.line(QStringLiteral("SW-01"));
    QVERIFY(book);
    VERIFY_AT(book->box, column5, line);
    QCOMPARE(book->pointSize, 16.0);
    QVERIFY(book->bold);
    const PdfReader::Line *photo = page.line(QStringLiteral("07, Ponderosa pine"));
    QVERIFY(photo);
    VERIFY_AT(photo->box, column5, 2 * line);
    QVERIFY(photo->bold);

    QCOMPARE(page.pictures.size(), size_t(1));
    VERIFY_RECT(page.pictures.at(0).box, 1.5, 1.1, 5.0, 3.5);
    QVERIFY(!page.line(kNoImage));

    // The data sheet: every label and value of the grid inside its rectangle.
    const QRectF sheetArea(onPage(0.5, 5.0), QSizeF(3.0, 2.4));
    for (int row = 0; row < input.sheet.rows; ++row) {
        for (int column = 0; column < 2; ++column) {
            const QString text = input.sheet.cell(row, column).trimmed();
            if (text.isEmpty())
                continue;
            const PdfReader::Line *cell = page.line(text);
            QVERIFY2(cell, qPrintable(text));
            VERIFY_INSIDE(cell->box, sheetArea);
        }
    }

    // The graph: title, axis title and one legend entry per size class inside its rectangle.
    const QRectF graphArea(onPage(3.5, 5.0), QSizeF(4.0, 2.75));
    const PdfReader::Line *title = page.line(QString::fromUtf16(GraphTexts::kTitle));
    QVERIFY(title);
    VERIFY_INSIDE(title->box, graphArea);
    for (const QString &word : {QStringLiteral("Tons"), QStringLiteral("Per"), QStringLiteral("Acre")}) {
        const PdfReader::Word *w = page.word(word);
        QVERIFY2(w, qPrintable(word));
        VERIFY_INSIDE(w->box, graphArea);
    }
    const std::vector<GraphSeries> series = loadingGraphSeries(input.sheet);
    QCOMPARE(series.size(), size_t(4));
    for (const GraphSeries &s : series) {
        const PdfReader::Line *legend = page.line(s.legend);
        QVERIFY2(legend, qPrintable(s.legend));
        VERIFY_INSIDE(legend->box, graphArea);
    }

    const std::vector<const PdfReader::Line *> footer = page.linesStartingWith(QStringLiteral("Fenwyx - "));
    QCOMPARE(footer.size(), size_t(1));
    QCOMPARE(footer.at(0)->text.trimmed(), ReportLayouts::footerText());
    VERIFY_AT(footer.at(0)->box, 0.5, 9.5);
    QCOMPARE(footer.at(0)->pointSize, 8.0);
    QVERIFY(footer.at(0)->bold);
}

void TestReportLayouts::photo_withoutPictureOrGroup_saysSo()
{
    ReportLayouts::PhotoReportInput input;
    input.bookLabel = QStringLiteral("SW-01");
    input.photoLabel = QStringLiteral("07");
    input.sheet = sheetFor(1);
    const PdfReader::Page page = pdfOf(ReportLayouts::photoReport(input));

    QVERIFY(page.pictures.empty());
    const PdfReader::Line *none = page.line(kNoImage);
    QVERIFY(none);
    VERIFY_AT(none->box, 1.5, 2.4);
    QCOMPARE(none->pointSize, 16.0);
    QVERIFY(none->bold);
    // The photo label is followed by ", " and nothing more.
    QVERIFY(page.line(QStringLiteral("07,")));
    QVERIFY(page.line(input.sheet.cell(0, 0)));
    QVERIFY(page.line(QString::fromUtf16(GraphTexts::kTitle)));
    QCOMPARE(page.linesStartingWith(QStringLiteral("Fenwyx - ")).size(), size_t(1));
}

void TestReportLayouts::comparison_missingPictures_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("right");
    QTest::newRow("both pictures") << true << true;
    QTest::newRow("right picture missing") << true << false;
    QTest::newRow("left picture missing") << false << true;
    QTest::newRow("no picture") << false << false;
}

void TestReportLayouts::comparison_missingPictures()
{
    QFETCH(bool, left);
    QFETCH(bool, right);
    std::array<ReportLayouts::ComparisonColumn, 2> columns;
    columns[0] = {QStringLiteral("SW-01/07"), sheetFor(2), left ? std::optional<QImage>(picture()) : std::nullopt};
    columns[1] = {QStringLiteral("NR-02/03"), sheetFor(5), right ? std::optional<QImage>(picture()) : std::nullopt};
    const PdfReader::Page page = pdfOf(ReportLayouts::comparisonReport(columns));

    const ReportFont heading{16, true};
    const PdfReader::Line *title = page.line(QStringLiteral("Comparison of Photos"));
    QVERIFY(title);
    VERIFY_AT(title->box, ReportMetrics::columnX(heading, 5), 2 * ReportMetrics::lineHeight(heading));
    QCOMPARE(title->pointSize, 16.0);

    // The labels share the line below the rule, at columns 7 and 52 of the 12-point bold font.
    const ReportFont label{12, true};
    const double labelsY = 0.9 + ReportMetrics::lineHeight(label);
    const PdfReader::Word *leftLabel = page.word(QStringLiteral("SW-01/07"));
    const PdfReader::Word *rightLabel = page.word(QStringLiteral("NR-02/03"));
    QVERIFY(leftLabel && rightLabel);
    VERIFY_AT(leftLabel->box, ReportMetrics::columnX(label, 7), labelsY);
    VERIFY_AT(rightLabel->box, ReportMetrics::columnX(label, 52), labelsY);
    QVERIFY(std::abs(rightLabel->box.x() - onPage(4.1, 0).x()) < 0.05);

    QCOMPARE(page.pictures.size(), size_t(int(left) + int(right)));
    const double columnLeft[2] = {0.5, 4.1};
    const bool has[2] = {left, right};
    size_t next = 0;
    std::vector<const PdfReader::Line *> notes = page.linesStartingWith(kNoImage);
    QCOMPARE(notes.size(), size_t(2 - int(left) - int(right)));
    size_t nextNote = 0;
    for (int i = 0; i < 2; ++i) {
        if (has[i]) {
            VERIFY_RECT(page.pictures.at(next++).box, columnLeft[i], 1.4, 3.5, 2.5);
        } else {
            const PdfReader::Line *none = notes.at(nextNote++);
            VERIFY_AT(none->box, columnLeft[i] + 1.0, 2.4);
            QCOMPARE(none->pointSize, 12.0);
            QVERIFY(none->bold);
        }
        // Each column's data sheet and graph, whatever became of its picture.
        const QRectF sheetArea(onPage(columnLeft[i] + 0.25, 4.2), QSizeF(3.0, 2.5));
        const QString total = columns[size_t(i)].sheet.cell(columns[size_t(i)].sheet.rows - 1, 1).trimmed();
        const PdfReader::Line *totalCell = page.line(total);
        QVERIFY2(totalCell, qPrintable(total));
        VERIFY_INSIDE(totalCell->box, sheetArea);
    }
    const std::vector<const PdfReader::Line *> titles = page.linesStartingWith(QString::fromUtf16(GraphTexts::kTitle));
    QCOMPARE(titles.size(), size_t(2));
    VERIFY_INSIDE(titles.at(0)->box, QRectF(onPage(0.5, 6.8), QSizeF(3.5, 2.5)));
    VERIFY_INSIDE(titles.at(1)->box, QRectF(onPage(4.1, 6.8), QSizeF(3.5, 2.5)));
    const std::vector<const PdfReader::Line *> footer = page.linesStartingWith(QStringLiteral("Fenwyx - "));
    QCOMPARE(footer.size(), size_t(1));
    VERIFY_AT(footer.at(0)->box, 0.5, 9.5);
    QCOMPARE(footer.at(0)->pointSize, 8.0);
}

void TestReportLayouts::comparison_dataSheets_shareTheSmallerScale_data()
{
    QTest::addColumn<int>("leftRows");
    QTest::addColumn<int>("rightRows");
    QTest::newRow("15 rows beside 12") << 15 << 12;
    QTest::newRow("12 rows beside 15") << 12 << 15;
    QTest::newRow("13 rows beside 14") << 13 << 14;
    QTest::newRow("equal sheets") << 15 << 15;
}

void TestReportLayouts::comparison_dataSheets_shareTheSmallerScale()
{
    QFETCH(int, leftRows);
    QFETCH(int, rightRows);
    std::array<ReportLayouts::ComparisonColumn, 2> columns;
    columns[0] = {QStringLiteral("SW-01/07"), sheetFor(2, leftRows), std::nullopt};
    columns[1] = {QStringLiteral("NR-02/03"), sheetFor(5, rightRows), std::nullopt};
    const PdfReader::Page page = pdfOf(ReportLayouts::comparisonReport(columns));

    // The rows the sheets share read alike: the same size of type, and the same place from the sheet's top.
    const double rowHeight = 2.5 / std::max(leftRows, rightRows);
    for (int row = 0; row < 8; ++row) {
        const QString label = columns[0].sheet.cell(row, 0).trimmed();
        QCOMPARE(label, columns[1].sheet.cell(row, 0).trimmed());
        const std::vector<const PdfReader::Line *> cells = linesOf(page, label);
        QVERIFY2(cells.size() == 2, qPrintable(label));
        const PdfReader::Line *left = cells.at(0)->box.x() < cells.at(1)->box.x() ? cells.at(0) : cells.at(1);
        const PdfReader::Line *right = left == cells.at(0) ? cells.at(1) : cells.at(0);
        QVERIFY2(near(left->box.y(), right->box.y()), qPrintable(label));
        QCOMPARE(left->pointSize, right->pointSize);
        // Inside its own row of the longer sheet's height.
        const double rowTop = onPage(0, 4.2 + row * rowHeight).y();
        QVERIFY2(left->box.y() >= rowTop - kTolerance && left->box.bottom() <= rowTop + rowHeight + kTolerance,
                 qPrintable(describe(left->box)));
        QVERIFY(left->box.x() < onPage(4.1, 0).x() && right->box.x() > onPage(4.1, 0).x());
    }
    // Each sheet's last row, its total, at the shared row height.
    for (size_t i = 0; i < 2; ++i) {
        const DataSheet &sheet = columns[i].sheet;
        const QString total = sheet.cell(sheet.rows - 1, 1).trimmed();
        const PdfReader::Line *cell = page.line(total);
        QVERIFY2(cell, qPrintable(total));
        const double rowTop = onPage(0, 4.2 + (sheet.rows - 1) * rowHeight).y();
        QVERIFY2(cell->box.y() >= rowTop - kTolerance && cell->box.bottom() <= rowTop + rowHeight + kTolerance,
                 qPrintable(describe(cell->box)));
    }
}

void TestReportLayouts::profile_texts_atTheirPlaces()
{
    ReportLayouts::ProfileReportInput input;
    FuelProfile &p = input.profile;
    p.ProfileName = QStringLiteral("Slash after thinning");
    p.Source0to3 = QStringLiteral("SW-01/07");
    p.Source3Plus = QStringLiteral("SW-01/08");
    p.SourceDuff = QStringLiteral("SW-01/07");
    p.SourceFuelBed = QStringLiteral("SW-01/07");
    p.Tpa1 = 1;
    p.Load3Plus = 2;
    const PdfReader::Page page = pdfOf(ReportLayouts::profileReport(input));

    const PdfReader::Line *name = page.line(QStringLiteral("Fuel Profile: Slash after thinning"));
    QVERIFY(name);
    VERIFY_AT(name->box, 0.5, 0.3);
    QCOMPARE(name->pointSize, 16.0);
    QVERIFY(name->bold);
    const PdfReader::Line *loading = page.line(QStringLiteral("Loading(Tons per acre):"));
    QVERIFY(loading);
    VERIFY_AT(loading->box, 0.5, 1.0);
    QCOMPARE(loading->pointSize, 10.0);
    QVERIFY(loading->bold);

    const double line = ReportMetrics::lineHeight({10, false});
    const double row1 = 1.0 + line + 0.05;
    struct Expected {
        QString text;
        double x;
        double y;
        bool bold;
    };
    const Expected expected[] = {
        {QStringLiteral(".0\"-2.9\":"), 1.0, row1, false},
        {QStringLiteral("Source Photo: SW-01/07"), 3.5, row1, false},
        {QStringLiteral("3\" plus:"), 1.0, row1 + line, false},
        {QStringLiteral("Source Photo: SW-01/08"), 3.5, row1 + line, false},
        {QStringLiteral("Total:"), 1.0, row1 + 2 * line, false},
        {QStringLiteral("Depths:"), 0.5, row1 + 3 * line, true},
        {QStringLiteral("Duff Depth:"), 1.0, row1 + 4 * line, false},
        {QStringLiteral("Fuel Bed Depth:"), 1.0, row1 + 5 * line, false},
        {QStringLiteral("Notes:"), 0.5, row1 + 6 * line, true},
    };
    for (const Expected &e : expected) {
        const PdfReader::Line *found = page.line(e.text);
        QVERIFY2(found, qPrintable(e.text));
        // A line's box includes its leading blanks ("   Source Photo: ").
        VERIFY_AT(found->box, e.x, e.y);
        QCOMPARE(found->bold, e.bold);
        QCOMPARE(found->pointSize, 10.0);
    }
    const std::vector<const PdfReader::Line *> footer = page.linesStartingWith(QStringLiteral("Fenwyx - "));
    QCOMPARE(footer.size(), size_t(1));
    QCOMPARE(footer.at(0)->text, ReportLayouts::footerText() + QStringLiteral("   "));
    VERIFY_AT(footer.at(0)->box, 0.5, 9.8);
    QCOMPARE(footer.at(0)->pointSize, 8.0);
    QVERIFY(!footer.at(0)->bold);
}

void TestReportLayouts::profile_numbers_printedAsTheyFit_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<double>("tpa1");
    QTest::addColumn<double>("tpa2");
    QTest::addColumn<double>("load3Plus");
    QTest::addColumn<double>("duff");
    QTest::addColumn<QStringList>("printed"); // row 1, row 2, total, duff
    QTest::newRow("new profile: zeros") << false << 0.0 << 0.0 << 0.0 << 0.0 << QStringList{" 0 ", " 0 ", " 0 ", " 0 "};
    QTest::newRow("total unrounded") << false << 3.09 << 0.0 << 12.3 << 0.4
                                     << QStringList{" 3.09 ", " 12.3 ", " 15.39 ", " .4 "};
    QTest::newRow("many digits, rounded to what ends before the source")
        << false << 1.0 / 3 << 0.1 << 2.0 / 3 << 12.25
        << QStringList{" .43333333333 ", " .66666666667 ", " 1.1 ", " 12.25 "};
    QTest::newRow("a value loaded from a file") << false << .123456789012345 << 0.0 << 1234.5 << 0.0
                                                << QStringList{" .12345678901 ", " 1234.5 ", " 1234.6234568 ", " 0 "};
    QTest::newRow("too many whole digits for any decimal")
        << false << 123456789012345.0 << 0.0 << 0.0 << -123456789012.0
        << QStringList{" 1.234568E+14 ", " 0 ", " 1.234568E+14 ", "-1.23457E+11 "};
    QTest::newRow("missing depth prints -1")
        << false << 1.5 << 1.5 << 0.0 << -1.0 << QStringList{" 3 ", " 0 ", " 3 ", "-1 "};
    const double max = std::numeric_limits<double>::max();
    QTest::newRow("sums beyond the largest double")
        << false << max << max << 0.0 << 0.0 << QStringList{" no data ", " 0 ", " no data ", " 0 "};
    // Metric: the screen's picture formats, and "no data" for a depth not measured.
    QTest::newRow("metric") << true << 3.09 << 0.0 << 12.3 << 0.4 << QStringList{" 6.9 ", " 27.6 ", " 34.5 ", " 1.0 "};
    QTest::newRow("metric, depth not measured")
        << true << 1.04 << 2.03 << 0.0 << -1.0 << QStringList{" 6.9 ", " 0.0 ", " 6.9 ", " no data "};
    QTest::newRow("metric, conversion beyond the largest double")
        << true << max << 0.0 << 0.0 << 0.0 << QStringList{" no data ", " 0.0 ", " no data ", " 0.0 "};
}

void TestReportLayouts::profile_numbers_printedAsTheyFit()
{
    QFETCH(bool, metric);
    QFETCH(double, tpa1);
    QFETCH(double, tpa2);
    QFETCH(double, load3Plus);
    QFETCH(double, duff);
    QFETCH(QStringList, printed);
    ReportLayouts::ProfileReportInput input;
    input.units = metric ? Units::Metric : Units::Imperial;
    input.profile.Tpa1 = tpa1;
    input.profile.Tpa2 = tpa2;
    input.profile.Load3Plus = load3Plus;
    input.profile.DuffDepth = duff;
    input.profile.Source0to3 = QStringLiteral("SW-01/07");
    const Report layout = ReportLayouts::profileReport(input);
    // The texts as placed, blanks and all, in the order of the rows.
    QStringList atColumn;
    for (const PageText &text : layout.pages.at(0).texts()) {
        if (std::abs(text.at.x() - 2.5) < 1e-9)
            atColumn << text.text;
    }
    QCOMPARE(atColumn.mid(0, 4), printed);

    const PdfReader::Page page = pdfOf(layout);
    const double line = ReportMetrics::lineHeight({10, false});
    const double y[4] = {1.05 + line, 1.05 + 2 * line, 1.05 + 3 * line, 1.05 + 5 * line};
    for (int i = 0; i < 4; ++i) {
        // The number's words on this row ("no data" has two); equal numbers print on several rows.
        const QStringList words = printed.at(i).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        std::vector<const PdfReader::Word *> found;
        for (const QString &text : words) {
            for (const PdfReader::Word &w : page.words) {
                if (w.text == text && std::abs(w.box.center().y() - onPage(0, y[i] + line / 2).y()) < line / 2)
                    found.push_back(&w);
            }
        }
        QVERIFY2(found.size() == size_t(words.size()), qPrintable(printed.at(i)));
        // The sign's place, a blank, comes before the digits of a number that is not negative.
        const double sign = printed.at(i).startsWith(QLatin1Char(' ')) ? ReportMetrics::textWidth({10, false}, " ") : 0;
        VERIFY_AT(found.front()->box, 2.5 + sign, found.front()->box.y() - kMargin);
        QVERIFY2(found.back()->box.right() <= onPage(ReportLayouts::kNumberRight, 0).x() + kTolerance,
                 qPrintable(describe(found.back()->box)));
    }
    const PdfReader::Word *source = page.word(QStringLiteral("Source"));
    QVERIFY(source && source->box.x() > onPage(3.5, 0).x());
    QVERIFY(page.line(QStringLiteral("Fuel Profile: Untitled")));
}

void TestReportLayouts::profile_pictures_onePerDistinctSource_data()
{
    QTest::addColumn<QStringList>("sources"); // 0 to 3, 3 plus, duff, fuel bed
    QTest::addColumn<QList<bool>>("found");   // per distinct source
    QTest::addColumn<QList<int>>("pictured"); // positions 1 to 4 with a picture
    QTest::addColumn<QList<int>>("missing");  // positions with "No image available"

    QTest::newRow("new profile: no sources")
        << QStringList{"", "", "", ""} << QList<bool>{} << QList<int>{} << QList<int>{};
    QTest::newRow("one photo for all four")
        << QStringList{"A/1", "A/1", "A/1", "A/1"} << QList<bool>{true} << QList<int>{1} << QList<int>{};
    QTest::newRow("two photos") << QStringList{"A/1", "B/2", "A/1", ""} << QList<bool>{true, true} << QList<int>{1, 2}
                                << QList<int>{};
    QTest::newRow("four photos") << QStringList{"A/1", "B/2", "C/3", "D/4"} << QList<bool>{true, true, true, true}
                                 << QList<int>{1, 2, 3, 4} << QList<int>{};
    QTest::newRow("fourth picture missing")
        << QStringList{"A/1", "B/2", "C/3", "D/4"} << QList<bool>{true, true, true, false} << QList<int>{1, 2, 3}
        << QList<int>{4};
    QTest::newRow("no picture found") << QStringList{"A/1", "B/2", "C/3", "D/4"}
                                      << QList<bool>{false, false, false, false} << QList<int>{}
                                      << QList<int>{1, 2, 3, 4};
    QTest::newRow("second source empty") << QStringList{"A/1", "", "B/2", "A/1"} << QList<bool>{false, true}
                                         << QList<int>{2} << QList<int>{1};
}

void TestReportLayouts::profile_pictures_onePerDistinctSource()
{
    QFETCH(QStringList, sources);
    QFETCH(QList<bool>, found);
    QFETCH(QList<int>, pictured);
    QFETCH(QList<int>, missing);
    ReportLayouts::ProfileReportInput input;
    input.profile.Source0to3 = sources.at(0);
    input.profile.Source3Plus = sources.at(1);
    input.profile.SourceDuff = sources.at(2);
    input.profile.SourceFuelBed = sources.at(3);
    const QStringList labels = ReportLayouts::profileSourceLabels(input.profile);
    QCOMPARE(labels.size(), found.size());
    for (const bool f : found)
        input.pictures.push_back(f ? std::optional<QImage>(picture()) : std::nullopt);
    const PdfReader::Page page = pdfOf(ReportLayouts::profileReport(input));

    const QPointF pictureAt[4] = {{0.5, 4.0}, {4.1, 4.0}, {0.5, 7.0}, {4.1, 7.0}};
    const QPointF captionAt[4] = {{1.5, 6.5}, {5.1, 6.5}, {1.5, 9.5}, {5.1, 9.5}};
    const QPointF noImageAt[4] = {{1.5, 4.0}, {5.1, 4.0}, {1.5, 7.0}, {5.1, 7.0}};
    QCOMPARE(page.pictures.size(), size_t(pictured.size()));
    for (int i = 0; i < pictured.size(); ++i) {
        const int k = pictured.at(i) - 1;
        VERIFY_RECT(page.pictures.at(size_t(i)).box, pictureAt[k].x(), pictureAt[k].y(), 3.5, 2.5);
        // Its label under it: the caption whose line lies at this position.
        bool captioned = false;
        for (const PdfReader::Line &line : page.lines) {
            if (line.text.trimmed() == labels.at(k) && near(line.box.y(), onPage(0, captionAt[k].y()).y()) &&
                near(line.box.x(), onPage(captionAt[k].x(), 0).x()))
                captioned = line.pointSize == 10.0;
        }
        QVERIFY2(captioned, qPrintable(labels.at(k)));
    }
    const std::vector<const PdfReader::Line *> notes = page.linesStartingWith(kNoImage);
    QCOMPARE(notes.size(), size_t(missing.size()));
    for (int i = 0; i < missing.size(); ++i) {
        const int k = missing.at(i) - 1;
        VERIFY_AT(notes.at(size_t(i))->box, noImageAt[k].x(), noImageAt[k].y());
        QCOMPARE(notes.at(size_t(i))->pointSize, 10.0);
    }
}

void TestReportLayouts::profile_notes_goOnOnPagesOfTheirOwn_data()
{
    const QString sentence = QStringLiteral("Scattered slash with a few large logs and moss on the north side. ");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("firstPageLines"); // from the first line to the last, empty ones included; -1: any
    QTest::addColumn<bool>("cut");           // ends in an ellipsis and the line that says so
    QTest::addColumn<bool>("wholeWords");    // no word wider than a line, so every word prints whole

    QTest::newRow("short") << QStringLiteral("Dry slash.") << 1 << 1 << false << true;
    QTest::newRow("paragraphs") << QStringLiteral("First line.\nSecond line.\r\n\r\nAfter a blank line.") << 1 << 4
                                << false << true;
    QTest::newRow("long, last word without a blank")
        << sentence.repeated(3) + QStringLiteral("End") << 1 << -1 << false << true;
    QTest::newRow("one word wider than a line") << QStringLiteral("x").repeated(150) << 1 << 2 << false << false;
    QTest::newRow("a second page") << sentence.repeated(20) << 2 << 7 << false << true;
    QTest::newRow("several pages") << sentence.repeated(400) << 7 << 7 << false << true;
    QTest::newRow("beyond the characters a report prints") << sentence.repeated(800) << 11 << 7 << true << true;
    QTest::newRow("thousands of short lines") << QStringLiteral("a\n").repeated(3000) << 21 << 7 << true << true;
}

void TestReportLayouts::profile_notes_goOnOnPagesOfTheirOwn()
{
    QFETCH(QString, notes);
    QFETCH(int, pages);
    QFETCH(int, firstPageLines);
    QFETCH(bool, cut);
    QFETCH(bool, wholeWords);
    ReportLayouts::ProfileReportInput input;
    input.profile.ProfileName = QStringLiteral("Ridge");
    input.profile.Notes = notes;
    input.profile.Source0to3 = QStringLiteral("A/1");
    input.pictures = {picture()};
    const std::vector<PdfReader::Page> pdf = pagesOf(ReportLayouts::profileReport(input));
    QCOMPARE(int(pdf.size()), pages);

    const ReportFont font{10, false};
    const double line = ReportMetrics::lineHeight(font);
    // The first page as it is without notes beyond its own: the heading, the rule's room, the picture below.
    const PdfReader::Line *heading = pdf.at(0).line(QStringLiteral("Notes:"));
    QVERIFY(heading);
    const double firstTop = heading->box.y() - kMargin + line;
    QCOMPARE(pdf.at(0).pictures.size(), size_t(1));
    VERIFY_RECT(pdf.at(0).pictures.at(0).box, 0.5, 4.0, 3.5, 2.5);
    QVERIFY(pdf.at(0).line(QStringLiteral("A/1")));
    QVERIFY(!pdf.at(0).line(QStringLiteral("Notes (continued)")));
    const QRectF firstArea(0.9, firstTop - 0.02, 6.2, 3.5 - firstTop);
    QStringList printed = wordsIn(pdf.at(0), firstArea);
    double lowest = 0;
    double highest = 99;
    for (const PdfReader::Word &w : pdf.at(0).words) {
        if (firstArea.translated(kMargin, kMargin).contains(w.box.center())) {
            lowest = std::max(lowest, w.box.bottom() - kMargin);
            highest = std::min(highest, w.box.top() - kMargin);
        }
    }
    QVERIFY2(lowest <= ReportLayouts::kNotesBottom + kTolerance, qPrintable(QString::number(lowest)));
    if (firstPageLines > 0)
        QCOMPARE(qRound((lowest - highest) / line), firstPageLines);

    // Every further page: the profile's name, "Notes (continued)", the notes from x 1.0, the footer.
    const double continuedTop = 1.0 + ReportMetrics::lineHeight({10, true});
    for (size_t i = 1; i < pdf.size(); ++i) {
        const PdfReader::Page &page = pdf.at(i);
        const PdfReader::Line *name = page.line(QStringLiteral("Fuel Profile: Ridge"));
        QVERIFY(name);
        VERIFY_AT(name->box, 0.5, 0.3);
        QCOMPARE(name->pointSize, 16.0);
        QVERIFY(name->bold);
        const PdfReader::Line *continued = page.line(QStringLiteral("Notes (continued)"));
        QVERIFY(continued);
        VERIFY_AT(continued->box, 0.5, 1.0);
        QCOMPARE(continued->pointSize, 10.0);
        QVERIFY(continued->bold);
        const std::vector<const PdfReader::Line *> footer = page.linesStartingWith(QStringLiteral("Fenwyx - "));
        QCOMPARE(footer.size(), size_t(1));
        VERIFY_AT(footer.at(0)->box, 0.5, 9.8);
        QVERIFY(page.pictures.empty());
        const QRectF area(0.9, continuedTop - 0.02, 6.2, ReportLayouts::kContinuedNotesBottom - continuedTop + 0.04);
        const QStringList words = wordsIn(page, area);
        QVERIFY(!words.isEmpty());
        printed += words;
        const PdfReader::Word *first = page.word(words.first());
        VERIFY_AT(first->box, 1.0, continuedTop);
        for (const PdfReader::Word &w : page.words)
            QVERIFY2(w.box.bottom() <= onPage(0, ReportLayouts::kContinuedNotesBottom).y() + kTolerance ||
                         w.box.top() >= onPage(0, 9.8).y() - kTolerance,
                     qPrintable(w.text));
    }

    // Word for word: the notes as they were written, up to the cut when there is one.
    QStringList expected = notes.left(ReportLayouts::kMaxPrintedNotes)
                               .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (cut) {
        const QStringList said = ReportLayouts::kNotesCut.split(QLatin1Char(' '));
        QCOMPARE(printed.mid(printed.size() - said.size()), said);
        printed = printed.mid(0, printed.size() - said.size());
        QVERIFY(printed.last().endsWith(QStringLiteral("\u2026")));
        printed.last().chop(1);
        QVERIFY(expected.size() >= printed.size());
        QVERIFY(expected.at(printed.size() - 1).startsWith(printed.last()));
        expected = expected.mid(0, printed.size());
        expected.last() = printed.last();
    }
    if (wholeWords)
        QCOMPARE(printed, expected);
    else
        QCOMPARE(printed.join(QString()), expected.join(QString()));
}

namespace
{
enum LongText { ProfileName, SourceLabel, Caption, GroupLabel, BookLabel, ComparisonLabels };
}

void TestReportLayouts::longTexts_shrinkAndWrapBeforeTheRightEdge_data()
{
    const QString slash = QStringLiteral("slash and litter under thinned ponderosa pine with scattered logs ");
    QTest::addColumn<int>("field");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<QRectF>>("areas"); // where each text's words lie, in order
    QTest::addColumn<double>("pointSize");    // the text's own size
    QTest::addColumn<int>("lines");           // the first text's lines
    QTest::addColumn<QString>("follower");    // the text on the line after
    QTest::addColumn<double>("followerY");    // -1: one line of the own size and the further lines below the first

    const QString name = QStringLiteral("Fuel Profile: North ridge ") + slash + QStringLiteral("after the 2019 entry");
    QTest::newRow("profile name, smaller")
        << int(ProfileName) << QStringList{name} << QList<QRectF>{{0.5, 0.3, 7.0, 0.4}} << 16.0 << 1
        << "Loading(Tons per acre):" << 1.0;
    const QString longer = QStringLiteral("Fuel Profile: North ridge ") + slash.repeated(2) + QStringLiteral("end");
    QTest::newRow("profile name, wrapped")
        << int(ProfileName) << QStringList{longer} << QList<QRectF>{{0.5, 0.3, 7.0, 0.4}} << 16.0 << 2
        << "Loading(Tons per acre):" << 1.0;
    const QString source = QStringLiteral("Source Photo: PNW-01/02 ") + slash;
    const double row2 = 1.05 + 2 * ReportMetrics::lineHeight({10, false});
    QTest::newRow("source photo, wrapped") << int(SourceLabel) << QStringList{source}
                                           << QList<QRectF>{{3.5, row2, 4.0, 0.5}} << 10.0 << 2 << "Total:" << -1.0;
    const QString caption = QStringLiteral("PNW-01/04 ") + slash;
    QTest::newRow("caption, wrapped") << int(Caption) << QStringList{caption} << QList<QRectF>{{5.1, 9.5, 2.4, 0.3}}
                                      << 10.0 << 2 << "" << 0.0;
    const QString group = QStringLiteral("07, ") + slash + QStringLiteral("on the north slope");
    QTest::newRow("group label, smaller")
        << int(GroupLabel) << QStringList{group} << QList<QRectF>{{0.3, 0.45, 7.2, 0.45}} << 16.0 << 1 << "" << 0.0;
    const QString book = QStringLiteral("PNW-01 ") + slash.repeated(2);
    QTest::newRow("book label, wrapped") << int(BookLabel) << QStringList{book} << QList<QRectF>{{0.3, 0.2, 7.2, 0.45}}
                                         << 16.0 << 2 << "07, Pine" << -1.0;
    const QString left = QStringLiteral("SW-01/07 ") + slash;
    const QString right = QStringLiteral("NR-02/03 ") + slash;
    QTest::newRow("comparison labels, wrapped")
        << int(ComparisonLabels) << QStringList{left, right}
        << QList<QRectF>{{0.3, 1.0, 3.75, 0.4}, {4.05, 1.0, 3.45, 0.4}} << 12.0 << 2 << "" << 0.0;
}

void TestReportLayouts::longTexts_shrinkAndWrapBeforeTheRightEdge()
{
    QFETCH(int, field);
    QFETCH(QStringList, texts);
    QFETCH(QList<QRectF>, areas);
    QFETCH(double, pointSize);
    QFETCH(int, lines);
    QFETCH(QString, follower);
    QFETCH(double, followerY);
    Report report;
    if (field == GroupLabel || field == BookLabel) {
        ReportLayouts::PhotoReportInput input;
        input.bookLabel = field == BookLabel ? texts.at(0) : QStringLiteral("SW-01");
        input.photoLabel = QStringLiteral("07");
        input.groupLabel = field == GroupLabel ? texts.at(0).mid(4) : QStringLiteral("Pine");
        input.sheet = sheetFor(2);
        report = ReportLayouts::photoReport(input);
    } else if (field == ComparisonLabels) {
        std::array<ReportLayouts::ComparisonColumn, 2> columns;
        columns[0] = {texts.at(0), sheetFor(2), picture()};
        columns[1] = {texts.at(1), sheetFor(3), picture()};
        report = ReportLayouts::comparisonReport(columns);
    } else {
        ReportLayouts::ProfileReportInput input;
        FuelProfile &p = input.profile;
        if (field == ProfileName)
            p.ProfileName = texts.at(0).mid(QStringLiteral("Fuel Profile: ").size());
        p.Source0to3 = QStringLiteral("A/1");
        p.Source3Plus =
            field == SourceLabel ? texts.at(0).mid(QStringLiteral("Source Photo: ").size()) : QStringLiteral("B/2");
        p.SourceDuff = QStringLiteral("C/3");
        p.SourceFuelBed = field == Caption ? texts.at(0) : QStringLiteral("D/4");
        input.pictures = {picture(), picture(), picture(), picture()};
        report = ReportLayouts::profileReport(input);
    }
    const PdfReader::Page page = pdfOf(report);

    for (const PdfReader::Word &w : page.words)
        QVERIFY2(w.box.right() <= onPage(ReportLayouts::kRight, 0).x() + kTolerance,
                 qPrintable(w.text + QLatin1Char(' ') + describe(w.box)));
    for (int i = 0; i < texts.size(); ++i) {
        // Nothing lost: every word, in order, within the text's room.
        QCOMPARE(wordsIn(page, areas.at(i)), texts.at(i).split(QLatin1Char(' '), Qt::SkipEmptyParts));
        for (const PdfReader::Line &l : page.lines) {
            if (areas.at(i).translated(kMargin, kMargin).contains(l.box.center())) {
                QVERIFY2(l.pointSize >= ReportLayouts::kSmallestPointSize && l.pointSize < pointSize,
                         qPrintable(l.text));
            }
        }
    }
    // The first text's lines, and where the line after it starts.
    std::vector<double> tops;
    for (const PdfReader::Line &l : page.lines) {
        if (areas.at(0).translated(kMargin, kMargin).contains(l.box.center()) &&
            std::none_of(tops.begin(), tops.end(), [&l](double top) { return near(top, l.box.y()); }))
            tops.push_back(l.box.y());
    }
    std::sort(tops.begin(), tops.end());
    QCOMPARE(int(tops.size()), lines);
    if (follower.isEmpty())
        return;
    const PdfReader::Line *next = page.line(follower);
    QVERIFY2(next, qPrintable(follower));
    const double expected = followerY >= 0
                                ? followerY
                                : tops.front() - kMargin + ReportMetrics::lineHeight({pointSize, field == BookLabel}) +
                                      (lines - 1) * ReportMetrics::lineHeight({8, field == BookLabel});
    VERIFY_AT(next->box, next->box.x() - kMargin, expected);
}

void TestReportLayouts::hugeTexts_endWhereTheirRoomEnds()
{
    // A profile file may hold a megabyte: texts of that size fill their room and end in an ellipsis there, so
    // that nothing runs off the page and the report is laid out in a moment.
    ReportLayouts::ProfileReportInput input;
    FuelProfile &p = input.profile;
    p.ProfileName = QStringLiteral("W").repeated(400000);
    p.Source0to3 = QStringLiteral("S").repeated(200000);
    p.Source3Plus = QStringLiteral("B/2");
    p.Notes = QStringLiteral("n").repeated(300000) + QStringLiteral("\nlast words ").repeated(10000);
    input.pictures = {picture(), picture()};
    const Report layout = ReportLayouts::profileReport(input);
    QVERIFY(layout.title.startsWith(QStringLiteral("Fenwyx - Fuel Profile WWW")));
    QVERIFY(layout.title.size() < 200);

    for (const ReportPage &page : layout.pages) {
        for (const PageText &text : page.texts())
            QVERIFY2(text.at.x() + ReportMetrics::textWidth(text.font, text.text) <= ReportLayouts::kRight + 1e-9,
                     qPrintable(text.text.left(40)));
    }
    // On the first page: the name in the three lines above the rule, the source in three lines, the caption
    // in what lies above the lower pictures, each ending in an ellipsis.
    QStringList ends;
    for (const PageText &text : layout.pages.at(0).texts()) {
        if (text.text.endsWith(QStringLiteral("\u2026")))
            ends << text.text.left(17);
        QVERIFY2(text.at.y() + ReportMetrics::lineHeight(text.font) <= 0.7 || text.at.y() >= 0.7,
                 qPrintable(text.text.left(40)));
    }
    QCOMPARE(ends, (QStringList{"WWWWWWWWWWWWWWWWW", "SSSSSSSSSSSSSSSSS", "SSSSSSSSSSSSSSSSS"}));
    const std::vector<PageText> first = layout.pages.at(0).texts();
    QCOMPARE(first.at(0).text.left(17), QStringLiteral("Fuel Profile: WWW"));
    QCOMPARE(std::count_if(first.begin(), first.end(), [](const PageText &t) { return t.at.y() < 0.7; }), 3);
    const std::vector<PageText> continued = layout.pages.at(1).texts();
    QCOMPARE(continued.at(0).text.left(17), QStringLiteral("Fuel Profile: WWW"));
    QVERIFY(int(layout.pages.size()) <= 1 + ReportLayouts::kMaxNotesPages);
    const std::vector<PageText> last = layout.pages.back().texts();
    QCOMPARE(last.at(last.size() - 2).text, ReportLayouts::kNotesCut);

    const std::vector<PdfReader::Page> pdf = pagesOf(layout);
    QCOMPARE(pdf.size(), layout.pages.size());
    for (const PdfReader::Page &page : pdf) {
        for (const PdfReader::Word &w : page.words)
            QVERIFY2(w.box.right() <= onPage(ReportLayouts::kRight, 0).x() + kTolerance, qPrintable(w.text.left(40)));
    }
}

void TestReportLayouts::pdf_paper_keepsEveryItemFromTheTopLeft_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<QSize>("points");
    QTest::newRow("letter") << int(QPageSize::Letter) << QSize(612, 792);
    QTest::newRow("a4") << int(QPageSize::A4) << QSize(595, 842);
}

void TestReportLayouts::pdf_paper_keepsEveryItemFromTheTopLeft()
{
    QFETCH(int, paper);
    QFETCH(QSize, points);
    ReportLayouts::PhotoReportInput photo;
    photo.bookLabel = QStringLiteral("SW-01");
    photo.photoLabel = QStringLiteral("07");
    photo.sheet = sheetFor(2, 15);
    photo.picture = picture();
    std::array<ReportLayouts::ComparisonColumn, 2> columns;
    columns[0] = {QStringLiteral("SW-01/07"), sheetFor(2, 15), picture()};
    columns[1] = {QStringLiteral("NR-02/03"), sheetFor(5), std::nullopt};
    ReportLayouts::ProfileReportInput profile;
    profile.profile.ProfileName = QStringLiteral("Ridge");
    profile.profile.Source0to3 = QStringLiteral("SW-01/07");
    profile.profile.Notes = QStringLiteral("Scattered slash and moss on the north side. ").repeated(40);
    profile.pictures = {picture()};
    const Report reports[] = {ReportLayouts::photoReport(photo), ReportLayouts::comparisonReport(columns),
                              ReportLayouts::profileReport(profile)};

    for (const Report &report : reports) {
        const std::vector<PdfReader::Page> letter = pagesOf(report, QPageSize(QPageSize::Letter));
        const std::vector<PdfReader::Page> pages = pagesOf(report, QPageSize(QPageSize::PageSizeId(paper)));
        QCOMPARE(pages.size(), report.pages.size());
        for (size_t i = 0; i < pages.size(); ++i) {
            const PdfReader::Page &page = pages.at(i);
            QCOMPARE(QSize(qRound(page.size.width() * 72), qRound(page.size.height() * 72)), points);
            QCOMPARE(page.words.size(), letter.at(i).words.size());
            for (size_t w = 0; w < page.words.size(); ++w) {
                QCOMPARE(page.words.at(w).text, letter.at(i).words.at(w).text);
                QVERIFY2(page.words.at(w).box.right() <= onPage(ReportLayouts::kRight, 0).x() + kTolerance,
                         qPrintable(page.words.at(w).text + QLatin1Char(' ') + describe(page.words.at(w).box)));
                VERIFY_AT(page.words.at(w).box, letter.at(i).words.at(w).box.x() - kMargin,
                          letter.at(i).words.at(w).box.y() - kMargin);
            }
            QCOMPARE(page.pictures.size(), letter.at(i).pictures.size());
            for (size_t k = 0; k < page.pictures.size(); ++k) {
                const QRectF box = letter.at(i).pictures.at(k).box;
                VERIFY_RECT(page.pictures.at(k).box, box.x() - kMargin, box.y() - kMargin, box.width(), box.height());
            }
        }
    }
    QCOMPARE(int(reports[2].pages.size()), 2);

    const QString path = m_dir->filePath(QStringLiteral("report.pdf"));
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {path});
    QVERIFY(fonts.waitForFinished(30000));
    const QList<QByteArray> rows = fonts.readAllStandardOutput().split('\n').mid(2);
    int embedded = 0;
    for (const QByteArray &row : rows) {
        if (row.trimmed().isEmpty())
            continue;
        QVERIFY2(row.contains("Liberation"), row.constData());
        QVERIFY2(row.contains(" yes "), row.constData());
        ++embedded;
    }
    QVERIFY(embedded >= 1);
}

QTEST_MAIN(TestReportLayouts)
#include "tst_reportlayouts.moc"
