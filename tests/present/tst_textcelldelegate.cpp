// SPDX-License-Identifier: GPL-3.0-or-later
// The quick cell drawing looks exactly like the style's own: the same table drawn both ways is the same picture.
#include "present/ui/textcelldelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

class TestTextCellDelegate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drawing_sameAsTheStyle_data();
    void drawing_sameAsTheStyle();
};

namespace
{

QIcon squareIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkGreen);
    return QIcon(pixmap);
}

QImage draw(QAbstractItemModel *model, bool quick, int selectedRow)
{
    QTableView view;
    view.setModel(model);
    if (quick)
        view.setItemDelegate(new TextCellDelegate(&view));
    view.setWordWrap(false);
    view.setAlternatingRowColors(true);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.verticalHeader()->hide();
    view.setColumnWidth(0, 110);
    view.setColumnWidth(1, 70);
    view.setColumnWidth(2, 60);
    view.resize(320, 200);
    if (selectedRow >= 0)
        view.selectRow(selectedRow);
    return view.grab().toImage();
}

} // namespace

void TestTextCellDelegate::drawing_sameAsTheStyle_data()
{
    QTest::addColumn<int>("selectedRow");
    QTest::newRow("nothing selected") << -1;
    QTest::newRow("a row selected") << 1;
}

void TestTextCellDelegate::drawing_sameAsTheStyle()
{
    QFETCH(int, selectedRow);
    QStandardItemModel model(5, 4);
    const QString texts[][4] = {
        {QStringLiteral("PNW-01/01"), QStringLiteral("12.50"), QStringLiteral("n/a"), QStringLiteral("two\nlines")},
        {QStringLiteral("a description far too long for its column"), QStringLiteral("1234567.25"),
         QStringLiteral("AVA"), QStringLiteral("")},
        {QStringLiteral("Kirchhoff's fir"), QStringLiteral("0.00"), QStringLiteral("WAVE"), QStringLiteral("x")},
        {QStringLiteral(""), QStringLiteral("-1"), QStringLiteral("Pinyón"), QStringLiteral("y")},
        {QStringLiteral("غابة صنوبر"), QStringLiteral("7"), QStringLiteral("z"), QStringLiteral("checked")},
    };
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 4; ++column) {
            auto *item = new QStandardItem(texts[row][column]);
            if (column == 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (column == 2)
                item->setTextAlignment(Qt::AlignCenter);
            model.setItem(row, column, item);
        }
    }
    model.item(0, 0)->setIcon(squareIcon());
    model.item(1, 0)->setIcon(squareIcon());
    model.item(2, 2)->setForeground(Qt::red);
    model.item(3, 2)->setFont(QFont(QApplication::font().family(), 12, QFont::Bold));
    model.item(4, 3)->setCheckable(true);

    const QImage style = draw(&model, false, selectedRow);
    const QImage quick = draw(&model, true, selectedRow);
    QCOMPARE(quick.size(), style.size());
    QVERIFY(quick == style);
}

QTEST_MAIN(TestTextCellDelegate)
#include "tst_textcelldelegate.moc"
