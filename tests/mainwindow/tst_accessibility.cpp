// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears in every window, the toolbar's accessible actions, and whether every text reads on its
// background in a light and a dark theme.
#include "help/ui/frmabout.h"
#include "help/ui/frmhelp.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/maincommands.h"
#include "mainwindow/ui/maincontroller.h"
#include "platform/colourcontrast.h"
#include "present/ui/frmview.h"
#include "print/reportpage.h"
#include "print/ui/frmpreview.h"
#include "print/ui/frmprinting.h"
#include "profile/ui/frmassistant.h"
#include "shell/ui/frmdefaultwarn.h"
#include "shell/ui/frmsplash.h"
#include "shell/ui/programicons.h"
#include "testprogram.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionMenuItem>
#include <QTableView>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QtTest>

namespace
{

// The text a control shows, as read: a button's caption without the "&" of its access key.
QString shownText(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        if (const auto *tool = qobject_cast<const QToolButton *>(w);
            tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return {};
        return QString(button->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")));
    }
    return {};
}

bool showsPicture(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return !label->pixmap().isNull();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return !button->icon().isNull();
    return false;
}

// Controls that show no text of their own and need a name to be found at all.
bool needsName(const QWidget *w)
{
    // A list's header is read by its columns' captions.
    if (qobject_cast<const QHeaderView *>(w))
        return false;
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractItemView *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QTextEdit *>(w) || showsPicture(w);
}

QString accessible(QWidget *w, QAccessible::Text text)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(text) : QStringLiteral("<no interface>");
}

// Reaches the menu's own description of an item, which the style draws from.
class TestMenu : public QMenu
{
public:
    using QMenu::initStyleOption;
};

// A theme as a GNOME user in dark mode gets it: light text on dark grey, a deep blue selection.
QPalette darkPalette()
{
    QPalette p;
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Window, QColor(0x35, 0x35, 0x35)},
        {QPalette::WindowText, QColor(0xee, 0xee, 0xec)},
        {QPalette::Base, QColor(0x2d, 0x2d, 0x2d)},
        {QPalette::AlternateBase, QColor(0x35, 0x35, 0x35)},
        {QPalette::Text, QColor(0xee, 0xee, 0xec)},
        {QPalette::Button, QColor(0x35, 0x35, 0x35)},
        {QPalette::ButtonText, QColor(0xee, 0xee, 0xec)},
        {QPalette::BrightText, Qt::white},
        {QPalette::Light, QColor(0x4f, 0x4f, 0x4f)},
        {QPalette::Midlight, QColor(0x8a, 0x8a, 0x8a)},
        {QPalette::Mid, QColor(0x2a, 0x2a, 0x2a)},
        {QPalette::Dark, QColor(0x1e, 0x1e, 0x1e)},
        {QPalette::Shadow, Qt::black},
        {QPalette::Highlight, QColor(0x15, 0x53, 0x9e)},
        {QPalette::HighlightedText, Qt::white},
        {QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x98)},
    };
    for (const auto &[role, colour] : roles)
        p.setColor(role, colour);
    return p;
}

// Sets the theme's palette while the windows are open, as a desktop switched to dark mode does. QApplication hands a
// new palette to the open windows only once its event loop runs, which a test's never does; the event is sent here.
void switchTheme(const QPalette &palette)
{
    QApplication::setPalette(palette);
    QEvent change(QEvent::ApplicationPaletteChange);
    for (QWidget *w : QApplication::allWidgets())
        QCoreApplication::sendEvent(w, &change);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void screenReader_hearsWhatIsShown_data();
    void screenReader_hearsWhatIsShown();
    void toolbarAccessibleAction_runsTheCommandAsAClick_data();
    void toolbarAccessibleAction_runsTheCommandAsAClick();
    void contrast_textReadsOnItsBackground_data();
    void contrast_textReadsOnItsBackground();

private:
    void openWindow();
    void prepareEveryWindow();
    void prepareContrastWindows();
    MainController &c() { return m_w->controller(); }
    bool trigger(const QString &name) { return TestSupport::triggerAction(&m_w->frame(), name); }

    QTemporaryDir m_root;
    QString m_library;
    std::unique_ptr<TestWindow> m_w;
    QString m_preparedFor; // the test function the windows were last made for
    QHash<QString, QWidget *> m_windows;
    std::vector<std::unique_ptr<QWidget>> m_own; // the windows made here rather than by the program
    QPalette m_light;
    QString m_theme; // of the contrast test's last row
};

void TestAccessibility::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_library = m_root.filePath(QStringLiteral("lib"));
    QVERIFY(TestSupport::makeSampleLibrary(m_library, {QStringLiteral("--photos"), QStringLiteral("8")}));
    m_light = QApplication::style()->standardPalette();
    QApplication::setPalette(m_light);
}

void TestAccessibility::cleanup()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestAccessibility::openWindow()
{
    m_windows.clear();
    m_own.clear();
    m_w.reset();
    m_w = std::make_unique<TestWindow>(m_library);
    c().SelectResult(1);
    QVERIFY(QTest::qWaitForWindowExposed(&m_w->frame()));
}

// Every window, with values shown: two photos compared, a profile component taken, notes and the view window open,
// an error in the status line.
void TestAccessibility::prepareEveryWindow()
{
    if (m_preparedFor == QLatin1String(QTest::currentTestFunction()))
        return;
    m_preparedFor = QLatin1String(QTest::currentTestFunction());
    openWindow();
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    c().SelectResult(2);
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    frmAssistant *assistant = c().assistant();
    assistant->button(QStringLiteral("cmdSelect0to3"))->click();
    c().vseView_Click(1);
    assistant->button(QStringLiteral("cmdNotes"))->click();
    m_w->state().status.ShowStatus(StatusError, QStringLiteral("Can't find in currently installed photos"));
    QVERIFY(c().notes() && c().viewWindow());

    m_windows = {
        {QStringLiteral("main"), &m_w->frame()},
        {QStringLiteral("assistant"), assistant},
        {QStringLiteral("notes"), c().notes()},
        {QStringLiteral("view"), c().viewWindow()},
    };
    auto own = [this](const QString &name, QWidget *window) {
        m_own.emplace_back(window);
        m_windows.insert(name, window);
    };
    own(QStringLiteral("drive warning"), new frmDefaultWarn(QStringLiteral("/media/cdrom/photoimages/")));
    own(QStringLiteral("printing"), new frmPrinting);
    auto *preview = new frmPreview(Report{QStringLiteral("Photo Report"), {}}, QPageSize(QPageSize::Letter));
    preview->setAttribute(Qt::WA_DeleteOnClose, false);
    own(QStringLiteral("preview"), preview);
    auto *about = new frmAbout;
    about->setAttribute(Qt::WA_DeleteOnClose, false);
    own(QStringLiteral("about"), about);
    auto *help = new frmHelp(TestSupport::binPath(QStringLiteral("help")));
    help->showContents();
    own(QStringLiteral("help"), help);
    auto *splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose, false);
    own(QStringLiteral("splash"), splash);
}

void TestAccessibility::screenReader_hearsWhatIsShown_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");     // empty: every control of the window (below)
    QTest::addColumn<QString>("name");        // "=": the text the control shows, which is not empty
    QTest::addColumn<QString>("description"); // what the value is

    // Every window: a control that shows a text is read by it, never by a name put in its place; one that shows
    // none (a picture, a box to type in, a list) has a name.
    for (const char *window :
         {"main", "assistant", "notes", "view", "drive warning", "printing", "preview", "about", "help", "splash"})
        QTest::addRow("%s: every control", window) << window << QString() << QString() << QString();

    const QString inch = QStringLiteral("\"");
    const QString fine = QStringLiteral("0") + inch + QStringLiteral(" - 2.9") + inch;
    const QString coarse = QStringLiteral("3") + inch + QStringLiteral(" +");
    struct Row {
        const char *window, *control, *name;
        QString description;
    };
    const Row rows[] = {
        {"main", "StatusBar1_Panel4", "=", "Photos found"},
        {"main", "StatusBar1_Panel2", "=", "Message"},
        {"main", "StatusBar1_Panel1", "Error", "Message kind"},
        {"main", "lblSelectedPhoto_0", "=", "Left photo"},
        {"main", "lblSelectedPhoto_1", "=", "Right photo"},
        {"main", "grdselect_0", "Data sheet", "Left photo"},
        {"main", "picPreviewPhoto_1", "Right picture", ""},
        {"main", "barMain_Compare", "Compare Photo Series", "Open Compare Mode"},
        // the Comparison Assistant: each value by its row and column
        {"assistant", "lblPhoto_0", "=", "Photo 1"},
        {"assistant", "lblPhoto_1", "=", "Photo 2"},
        {"assistant", "lbl0to3_0", "=", fine + ", photo 1"},
        {"assistant", "lbl0to3_1", "=", fine + ", photo 2"},
        {"assistant", "lbl0to3_2", "=", fine + ", difference"},
        {"assistant", "lbl3Plus_0", "=", coarse + ", photo 1"},
        {"assistant", "lbl3Plus_2", "=", coarse + ", difference"},
        {"assistant", "lblTotal_1", "=", "Total, photo 2"},
        {"assistant", "lblTotal_2", "=", "Total, difference"},
        {"assistant", "lblDuff_0", "=", "Duff Depth, photo 1"},
        {"assistant", "lblDuff_2", "=", "Duff Depth, difference"},
        {"assistant", "lblFuelBed_1", "=", "Fuel Bed Depth, photo 2"},
        {"assistant", "lblVegType_0", "=", "Vegetation Type, photo 1"},
        {"assistant", "lblVegType_1", "=", "Vegetation Type, photo 2"},
        // the Profile Builder Assistant
        {"assistant", "lblCurrentPhoto", "=", "Current photo"},
        {"assistant", "lblCur0to3", "=", fine + ", current photo"},
        {"assistant", "lblCurTotal", "=", "Total, current photo"},
        {"assistant", "lblCurFuelBed", "=", "Fuel Bed Depth, current photo"},
        {"assistant", "lblPro0to3", "=", fine + " TPA, profile"},
        {"assistant", "lblProTotal", "=", "Total TPA, profile"},
        {"assistant", "lblPL0to3", "=", fine + " TPA, source photo"},
        {"assistant", "cmdSelect0to3", "Add >", "Add " + fine + " to the profile"},
        {"assistant", "cmdGo0to3", "Display Photo", "Display the source photo of " + fine + " TPA"},
        {"assistant", "txtName", "Profile Name", "A desriptive name for your profile"},
        {"notes", "txtnotes", "Notes", ""},
        {"view", "elePhoto", "Photo", ""},
        {"drive warning", "lblWarn", "=", ""},
        {"printing", "lblPrintMsg", "=", ""},
        {"printing", "Image1", "Printer", ""},
        {"about", "lblVersion", "=", ""},
        {"help", "txtSearch", "Search the help", "Search the help"},
        {"splash", "lblApp", "=", ""},
        // a row's caption changes with the units, and what its values are with it
        {"assistant in metric units", "lbl0to3_1", "=", "0 - 7.4 cm (Mg/ha), photo 2"},
        {"assistant in metric units", "lblProDuff", "=", "Duff Depth (cm), profile"},
        {"assistant in metric units", "cmdSelect3Plus", "Add >", "Add 7.6 cm + (Mg/ha) to the profile"},
    };
    for (const Row &row : rows)
        QTest::addRow("%s: %s", row.window, row.control) << row.window << row.control << row.name << row.description;
}

void TestAccessibility::screenReader_hearsWhatIsShown()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    prepareEveryWindow();
    const bool metric = window.endsWith(QLatin1String(" in metric units"));
    QWidget *top = m_windows.value(metric ? window.section(QLatin1Char(' '), 0, 0) : window);
    QVERIFY(top);
    if (metric)
        QVERIFY(trigger(QStringLiteral("mnuMetric")));
    const auto imperial = qScopeGuard([&] {
        if (metric)
            QVERIFY(trigger(QStringLiteral("mnuMetric")));
    });

    if (control.isEmpty()) {
        QStringList wrong;
        for (QWidget *w : top->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(top))
                continue;
            const QString shown = shownText(w);
            const QString heard = accessible(w, QAccessible::Name);
            const QString what =
                w->objectName() + QLatin1Char('(') + QLatin1String(w->metaObject()->className()) + QStringLiteral(")");
            if (!shown.isEmpty() && heard != QTextDocumentFragment::fromHtml(shown).toPlainText() && heard != shown)
                wrong << what + QStringLiteral(" shows \"") + shown + QStringLiteral("\" but is read as \"") + heard +
                             QLatin1Char('"');
            else if (shown.isEmpty() && needsName(w) && heard.trimmed().isEmpty())
                wrong << what + QStringLiteral(" has no name");
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
        return;
    }

    QWidget *w = top->findChild<QWidget *>(control);
    QVERIFY2(w, qPrintable(control));
    const QString shown = shownText(w);
    if (name == QLatin1String("=")) {
        QVERIFY2(!shown.trimmed().isEmpty(), "the control shows a value");
        name = shown;
    }
    QCOMPARE(accessible(w, QAccessible::Name), name);
    QCOMPARE(accessible(w, QAccessible::Description), description);
}

void TestAccessibility::toolbarAccessibleAction_runsTheCommandAsAClick_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("exclusive"); // one of a group: toggling the chosen one keeps it chosen
    QTest::newRow("Query") << "Query"
                           << "mnuQuery" << false;
    QTest::newRow("Compare") << "Compare"
                             << "mnuCompare" << false;
    QTest::newRow("Builder") << "Builder"
                             << "mnuProfileBuilder" << false;
    QTest::newRow("Assistant") << "Assistant"
                               << "mnuAssistants" << false;
    QTest::newRow("List") << "List"
                          << "mnuListView" << true;
    QTest::newRow("Icon") << "Icon"
                          << "mnuIconView" << true;
}

void TestAccessibility::toolbarAccessibleAction_runsTheCommandAsAClick()
{
    QFETCH(QString, key);
    QFETCH(QString, action);
    QFETCH(bool, exclusive);
    openWindow();
    auto *button = m_w->frame().findChild<QToolButton *>(QStringLiteral("barMain_") + key);
    QVERIFY(button);
    QAction *command = button->defaultAction();
    QCOMPARE(command->objectName(), action);
    if (key == QLatin1String("Assistant"))
        QVERIFY(trigger(QStringLiteral("mnuProfileBuilder"))); // the Assistant button needs a mode to show it for

    // What the user sees of the mode, read from the program rather than from the button.
    const ModeState &modes = m_w->state().modes.state();
    auto mode = [&]() -> bool {
        if (key == QLatin1String("Query"))
            return modes.queryOpen;
        if (key == QLatin1String("Compare"))
            return modes.compareOn && m_w->state().photoSlots.CompareLayout == 1;
        if (key == QLatin1String("Builder"))
            return modes.builderOn;
        if (key == QLatin1String("Assistant"))
            return c().assistant()->isVisible();
        if (key == QLatin1String("List"))
            return modes.resultsView == 3;
        return modes.resultsView == 2;
    };

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    QVERIFY(iface && iface->actionInterface());
    const QString toggle = QAccessibleActionInterface::toggleAction();
    QVERIFY(iface->actionInterface()->actionNames().contains(toggle));
    for (int round = 0; round < 3; ++round) {
        const bool before = mode();
        iface->actionInterface()->doAction(toggle);
        const bool expected = exclusive && before ? true : !before;
        QCOMPARE(mode(), expected);
        QCOMPARE(button->isChecked(), expected);
        QCOMPARE(command->isChecked(), expected);
        QCOMPARE(bool(iface->state().checked), expected);
    }

    // In the menu the same command shows its state by a tick (or a radio mark), drawn where no picture is.
    QMenu *menu = nullptr;
    for (QMenu *m : c().commands().menus()) {
        if (m->actions().contains(command))
            menu = m;
    }
    QVERIFY(menu);
    QStyleOptionMenuItem item;
    (menu->*(&TestMenu::initStyleOption))(&item, command);
    QVERIFY(item.icon.isNull());
    QCOMPARE(item.checkType, exclusive ? QStyleOptionMenuItem::Exclusive : QStyleOptionMenuItem::NonExclusive);
    QCOMPARE(item.checked, mode());
}

void TestAccessibility::contrast_textReadsOnItsBackground_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("target");
    const char *targets[] = {"data sheet",
                             "left photo label (not current)",
                             "right photo label (current)",
                             "picture message",
                             "Assistant larger value (yellow)",
                             "Assistant smaller value (3D light)",
                             "loading graph",
                             "splash top",
                             "splash bottom",
                             "help page",
                             "toolbar picture Query",
                             "toolbar picture Compare",
                             "toolbar picture Builder",
                             "toolbar picture Assistant",
                             "toolbar picture IconView",
                             "toolbar picture listview",
                             "toolbar picture Exit",
                             "toolbar picture Help"};
    // In this order: the windows made in the light theme, the theme then switched to dark while they are open, and
    // the windows made anew in the dark theme.
    for (const char *theme : {"light", "dark", "dark at start"}) {
        for (const char *target : targets)
            QTest::addRow("%s, %s", theme, target) << QString::fromLatin1(theme) << QString::fromLatin1(target);
    }
}

// The windows whose colours are measured: the same photo in both slots, so that the right values are the larger
// (yellow) and the left ones 3D light.
void TestAccessibility::prepareContrastWindows()
{
    openWindow();
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    c().SelectResult(1);
    auto *splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose, false);
    splash->show();
    m_own.emplace_back(splash);
    m_own.emplace_back(new frmHelp(TestSupport::binPath(QStringLiteral("help"))));
}

void TestAccessibility::contrast_textReadsOnItsBackground()
{
    QFETCH(QString, theme);
    QFETCH(QString, target);
    const bool atStart = theme == QLatin1String("dark at start");
    if (m_preparedFor != QLatin1String(QTest::currentTestFunction()) || (atStart && m_theme != theme)) {
        m_preparedFor = QLatin1String(QTest::currentTestFunction());
        switchTheme(theme == QLatin1String("light") ? m_light : darkPalette());
        prepareContrastWindows();
    }
    if (!atStart)
        switchTheme(theme == QLatin1String("light") ? m_light : darkPalette());
    m_theme = theme;
    auto find = [this](const QString &name) { return m_w->frame().findChild<QWidget *>(name); };
    // The colour of the pixels in area that stands out most from background, as the eye finds a text or a line.
    auto mostVisible = [](const QImage &image, const QRect &area, const QColor &background) {
        QColor found = background;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (ColourContrast::ratio(pixel, background) > ColourContrast::ratio(found, background))
                    found = pixel;
            }
        }
        return found;
    };

    QColor text;
    QColor background;
    double least = ColourContrast::kText;
    if (target == QLatin1String("data sheet")) {
        auto *grid = qobject_cast<QTableView *>(find(QStringLiteral("grdselect_0")));
        QVERIFY(grid);
        // The cells' text and paper as the delegate paints them; the model sets no colours of its own.
        text = grid->palette().color(QPalette::Inactive, QPalette::Text);
        background = grid->palette().color(QPalette::Inactive, QPalette::Base);
        QVERIFY(!grid->model()->index(0, 1).data(Qt::ForegroundRole).isValid());
        QVERIFY(!grid->model()->index(0, 1).data(Qt::BackgroundRole).isValid());
    } else if (target.contains(QLatin1String("photo label")) || target == QLatin1String("picture message")) {
        const int slot = target.startsWith(QLatin1String("right")) || target == QLatin1String("picture message");
        const QString name = target == QLatin1String("picture message")
                                 ? QStringLiteral("lblNoPic_1")
                                 : QStringLiteral("lblSelectedPhoto_%1").arg(slot);
        QWidget *label = find(name);
        QVERIFY(label);
        QVERIFY(label->parentWidget()->autoFillBackground());
        text = label->palette().color(QPalette::WindowText);
        background = label->parentWidget()->palette().color(QPalette::Window);
    } else if (target.startsWith(QLatin1String("Assistant"))) {
        QLabel *label = c().assistant()->label(target.contains(QLatin1String("yellow")) ? QStringLiteral("lblTotal_1")
                                                                                        : QStringLiteral("lblTotal_0"));
        QVERIFY(label->autoFillBackground());
        text = label->palette().color(QPalette::WindowText);
        background = label->palette().color(QPalette::Window);
        QCOMPARE(background == QColor(255, 255, 0), target.contains(QLatin1String("yellow")));
    } else if (target == QLatin1String("loading graph")) {
        // As drawn: the paper inside the frame, the title's text along the top.
        QWidget *graph = find(QStringLiteral("chtTotal_0"));
        QVERIFY(graph);
        graph->resize(400, 300);
        const QImage image = graph->grab().toImage();
        background = image.pixelColor(3, 3);
        text = mostVisible(image, QRect(4, 4, image.width() - 8, 14), background);
    } else if (target.startsWith(QLatin1String("splash"))) {
        // As drawn: the gradient at the top or the bottom edge, under the labels' text.
        QWidget *splash = m_own.at(0).get();
        const QImage image = splash->grab().toImage();
        background = image.pixelColor(4, target.endsWith(QLatin1String("top")) ? 3 : image.height() - 4);
        for (QLabel *label : splash->findChildren<QLabel *>()) {
            const QColor ink = label->palette().color(QPalette::WindowText);
            if (!text.isValid() || ColourContrast::ratio(ink, background) < ColourContrast::ratio(text, background))
                text = ink;
        }
    } else if (target == QLatin1String("help page")) {
        auto *browser = m_own.at(1)->findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
        QVERIFY(browser);
        text = browser->palette().color(QPalette::Text);
        background = browser->palette().color(QPalette::Base);
    } else {
        // A picture, drawn sharp at twice the pixel density, by its most visible pixel on the tool bar: a shape that
        // carries meaning needs 3:1 (non-text contrast).
        least = 3.0;
        const QString picture = target.section(QLatin1Char(' '), -1);
        background = find(QStringLiteral("barMain"))->palette().color(QPalette::Window);
        const QPixmap pixmap = programIcon(picture).pixmap(QSize(24, 24), 2.0);
        QCOMPARE(pixmap.size(), QSize(48, 48));
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QImage image(pixmap.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(background);
        {
            QPainter painter(&image);
            painter.drawImage(0, 0, pixmap.toImage());
        }
        text = mostVisible(image, image.rect(), background);
    }
    const double ratio = ColourContrast::ratio(text, background);
    QVERIFY2(ratio >= least,
             qPrintable(QStringLiteral("%1 on %2: %3:1").arg(text.name(), background.name()).arg(ratio, 0, 'f', 2)));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
