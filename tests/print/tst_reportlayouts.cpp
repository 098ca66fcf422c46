// The three report pages read back from the PDF files they make: every text, font and picture at its place.
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

DataSheet sheetFor(double base)
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
    return BuildDataSheet(photo, std::nullopt);
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
    void profile_texts_atTheirPlaces();
    void profile_numbers_printUnroundedWithSignPlace_data();
    void profile_numbers_printUnroundedWithSignPlace();
    void profile_pictures_onePerDistinctSource_data();
    void profile_pictures_onePerDistinctSource();
    void profile_notes_wrapAndStopAboveTheRule_data();
    void profile_notes_wrapAndStopAboveTheRule();
    void profile_hugeTexts_cutWhereThePageEnds();
    void pdf_isLetterPortraitWithEmbeddedFonts();

private:
    PdfReader::Page pdfOf(const ReportPage &page);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestReportLayouts::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

PdfReader::Page TestReportLayouts::pdfOf(const ReportPage &page)
{
    const QString path = m_dir->filePath(QStringLiteral("page.pdf"));
    QString error;
    if (!ReportPdf::write(page, path, &error))
        qFatal("PDF: %s", qPrintable(error));
    const std::optional<PdfReader::Page> read = PdfReader::read(path, &error);
    if (!read)
        qFatal("reading the PDF: %s", qPrintable(error));
    return *read;
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

void TestReportLayouts::profile_numbers_printUnroundedWithSignPlace_data()
{
    QTest::addColumn<double>("tpa1");
    QTest::addColumn<double>("tpa2");
    QTest::addColumn<double>("load3Plus");
    QTest::addColumn<double>("duff");
    QTest::addColumn<QStringList>("printed"); // row 1, row 2, total, duff
    QTest::newRow("new profile: zeros") << 0.0 << 0.0 << 0.0 << 0.0 << QStringList{" 0 ", " 0 ", " 0 ", " 0 "};
    QTest::newRow("total unrounded") << 3.09 << 0.0 << 12.3 << 0.4
                                     << QStringList{" 3.09 ", " 12.3 ", " 15.39 ", " .4 "};
    QTest::newRow("many digits") << 1.0 / 3 << 0.1 << 2.0 / 3 << 12.25
                                 << QStringList{" .433333333333333 ", " .666666666666667 ", " 1.1 ", " 12.25 "};
    QTest::newRow("missing depth prints -1") << 1.5 << 1.5 << 0.0 << -1.0 << QStringList{" 3 ", " 0 ", " 3 ", "-1 "};
    const double max = std::numeric_limits<double>::max();
    QTest::newRow("sums beyond the largest double")
        << max << max << 0.0 << 0.0 << QStringList{" no data ", " 0 ", " no data ", " 0 "};
}

void TestReportLayouts::profile_numbers_printUnroundedWithSignPlace()
{
    QFETCH(double, tpa1);
    QFETCH(double, tpa2);
    QFETCH(double, load3Plus);
    QFETCH(double, duff);
    QFETCH(QStringList, printed);
    ReportLayouts::ProfileReportInput input;
    input.profile.Tpa1 = tpa1;
    input.profile.Tpa2 = tpa2;
    input.profile.Load3Plus = load3Plus;
    input.profile.DuffDepth = duff;
    const ReportPage layout = ReportLayouts::profileReport(input);
    // The texts as placed, blanks and all, in the order of the rows.
    QStringList atColumn;
    for (const PageText &text : layout.texts()) {
        if (std::abs(text.at.x() - 2.5) < 1e-9)
            atColumn << text.text;
    }
    QCOMPARE(atColumn.mid(0, 4), printed);

    const PdfReader::Page page = pdfOf(layout);
    const double line = ReportMetrics::lineHeight({10, false});
    const double y[4] = {1.05 + line, 1.05 + 2 * line, 1.05 + 3 * line, 1.05 + 5 * line};
    for (int i = 0; i < 4; ++i) {
        // Equal numbers print on several rows: take the one of this row.
        const PdfReader::Line *number = nullptr;
        for (const PdfReader::Line &candidate : page.lines) {
            if (candidate.text == printed.at(i) && (!number || std::abs(candidate.box.y() - onPage(0, y[i]).y()) <
                                                                   std::abs(number->box.y() - onPage(0, y[i]).y())))
                number = &candidate;
        }
        QVERIFY2(number, qPrintable(printed.at(i)));
        VERIFY_AT(number->box, 2.5, y[i]);
    }
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

void TestReportLayouts::profile_notes_wrapAndStopAboveTheRule_data()
{
    const QString sentence = QStringLiteral("Scattered slash with a few large logs and moss on the north side. ");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QStringList>("lines"); // the printed lines, when the case fixes them
    QTest::addColumn<int>("lineSlots");     // lines from the first to the last, empty ones included; -1: any
    QTest::addColumn<bool>("cut");          // stops above the rule, ending in an ellipsis

    QTest::newRow("short") << QStringLiteral("Dry slash.") << QStringList{"Dry slash."} << 1 << false;
    QTest::newRow("long, last word without a blank")
        << sentence.repeated(3) + QStringLiteral("End") << QStringList{} << -1 << false;
    QTest::newRow("paragraphs") << QStringLiteral("First line.\nSecond line.\r\n\r\nAfter a blank line.")
                                << QStringList{"First line.", "Second line.", "After a blank line."} << 4 << false;
    QTest::newRow("overlong") << sentence.repeated(20) << QStringList{} << -1 << true;
    QTest::newRow("many short paragraphs") << QStringLiteral("a\nb\nc\nd\ne\nf\ng\nh\ni\nj")
                                           << QStringList{"a", "b", "c", "d", "e", "f", "g\u2026"} << 7 << true;
    QTest::newRow("one word wider than a line") << QStringLiteral("x").repeated(150) << QStringList{} << 2 << false;
}

void TestReportLayouts::profile_notes_wrapAndStopAboveTheRule()
{
    QFETCH(QString, notes);
    QFETCH(QStringList, lines);
    QFETCH(int, lineSlots);
    QFETCH(bool, cut);
    ReportLayouts::ProfileReportInput input;
    input.profile.Notes = notes;
    const ReportPage layout = ReportLayouts::profileReport(input);
    const PdfReader::Page page = pdfOf(layout);

    const ReportFont font{10, false};
    const double line = ReportMetrics::lineHeight(font);
    const auto texts0 = layout.texts();
    const auto heading =
        std::find_if(texts0.begin(), texts0.end(), [](const PageText &t) { return t.text == QLatin1String("Notes:"); });
    QVERIFY(heading != texts0.end());
    const double top = heading->at.y() + line;
    // The placed note lines: everything at x 1.0 below the heading.
    std::vector<PageText> placed;
    for (const PageText &text : layout.texts()) {
        if (text.at.y() > top - 1e-6 && text.at.y() < 3.5 && std::abs(text.at.x() - 1.0) < 1e-9)
            placed.push_back(text);
    }
    QVERIFY(!placed.empty());
    QVERIFY(near(placed.front().at.y(), top));
    QStringList texts;
    QString joined;
    for (const PageText &text : placed) {
        texts << text.text.trimmed();
        joined += text.text;
        QVERIFY2(ReportMetrics::textWidth(font, text.text.trimmed()) <= 6.0 + 1e-9, qPrintable(text.text));
        QVERIFY2(text.at.y() + line <= ReportLayouts::kNotesBottom + 1e-9, qPrintable(text.text));
        const PdfReader::Line *found = page.line(text.text.trimmed());
        QVERIFY2(found, qPrintable(text.text));
        VERIFY_AT(found->box, 1.0, text.at.y());
        QVERIFY(found->box.right() <= onPage(7.0, 0).x() + kTolerance);
    }
    if (!lines.isEmpty())
        QCOMPARE(texts, lines);
    if (lineSlots >= 0)
        QCOMPARE(qRound((placed.back().at.y() - placed.front().at.y()) / line) + 1, lineSlots);
    QCOMPARE(texts.last().endsWith(QStringLiteral("\u2026")), cut);
    if (cut) {
        QCOMPARE(qRound((placed.back().at.y() - top) / line) + 1,
                 int(std::floor((ReportLayouts::kNotesBottom - top) / line + 1e-9)));
    } else {
        // Nothing is lost: the lines put together give the notes without their line breaks.
        QString unbroken = notes;
        unbroken.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        QCOMPARE(joined, unbroken);
    }
}

void TestReportLayouts::profile_hugeTexts_cutWhereThePageEnds()
{
    // A profile file may hold a megabyte: texts of that size end in an ellipsis where their line or the notes'
    // room ends, so that nothing runs off the page and the page is laid out in a moment.
    ReportLayouts::ProfileReportInput input;
    FuelProfile &p = input.profile;
    p.ProfileName = QStringLiteral("W").repeated(400000);
    p.Source0to3 = QStringLiteral("S").repeated(200000);
    p.Source3Plus = QStringLiteral("B/2");
    p.Notes = QStringLiteral("n").repeated(300000) + QStringLiteral("\nlast words ").repeated(10000);
    input.pictures = {picture(), picture()};
    const ReportPage layout = ReportLayouts::profileReport(input);

    const std::vector<PageText> texts = layout.texts();
    QStringList cut;
    for (const PageText &text : texts) {
        QVERIFY2(text.at.x() + ReportMetrics::textWidth(text.font, text.text) <= 7.5 + 1e-9,
                 qPrintable(text.text.left(40)));
        if (text.text.endsWith(QStringLiteral("\u2026")))
            cut << text.text.left(17);
    }
    // The name, the source row, the last line of the notes and the source's caption under its picture.
    QCOMPARE(cut, (QStringList{"Fuel Profile: WWW", "   Source Photo: ", "nnnnnnnnnnnnnnnnn", "SSSSSSSSSSSSSSSSS"}));
    QVERIFY(layout.title.startsWith(QStringLiteral("Fenwyx - Fuel Profile WWW")));
    QVERIFY(layout.title.size() < 200);

    const PdfReader::Page page = pdfOf(layout);
    const std::vector<const PdfReader::Line *> name = page.linesStartingWith(QStringLiteral("Fuel Profile: WWW"));
    QCOMPARE(name.size(), size_t(1));
    QVERIFY(name.at(0)->box.right() <= onPage(7.5, 0).x() + kTolerance);
}

void TestReportLayouts::pdf_isLetterPortraitWithEmbeddedFonts()
{
    ReportLayouts::PhotoReportInput input;
    input.bookLabel = QStringLiteral("SW-01");
    input.photoLabel = QStringLiteral("07");
    const QString path = m_dir->filePath(QStringLiteral("fonts.pdf"));
    QVERIFY(ReportPdf::write(ReportLayouts::photoReport(input), path));
    const std::optional<PdfReader::Page> page = PdfReader::read(path);
    QVERIFY(page);
    QCOMPARE(page->size, QSizeF(8.5, 11.0));
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
