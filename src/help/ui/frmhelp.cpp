// SPDX-License-Identifier: GPL-3.0-or-later
// The help window.
#include "frmhelp.h"

#include "help/helpfiles.h"
#include "shell/programinfo.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{
const char kIndexPage[] = "index.html";

bool leavesHelp(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return !scheme.isEmpty() && scheme != QLatin1String("file") && scheme != QLatin1String("qrc");
}
} // namespace

frmHelp::frmHelp(QString folder, QWidget *parent)
    : QWidget(parent, Qt::Window), m_folder(std::move(folder)), m_browser(new QTextBrowser(this)),
      m_searchText(new QLineEdit(this)), m_resultsPane(new QWidget(this)), m_resultsLabel(new QLabel(m_resultsPane)),
      m_results(new QListWidget(m_resultsPane))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(ProgramInfo::title() + QStringLiteral(" Help"));

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("barHelp"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(16, 16));
    auto addAction = [this, bar](const char *name, const QString &caption, QStyle::StandardPixmap icon,
                                 const QKeySequence &key) {
        QAction *action = bar->addAction(style()->standardIcon(icon), caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        return action;
    };
    QAction *back = addAction("cmdBack", QStringLiteral("Back"), QStyle::SP_ArrowBack, QKeySequence::Back);
    QAction *forward =
        addAction("cmdForward", QStringLiteral("Forward"), QStyle::SP_ArrowForward, QKeySequence::Forward);
    QAction *contents = addAction("cmdContents", QStringLiteral("Contents"), QStyle::SP_DirHomeIcon,
                                  QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction *index = addAction("cmdIndex", QStringLiteral("Index"), QStyle::SP_FileDialogDetailedView, QKeySequence());
    bar->addSeparator();
    m_searchText->setObjectName(QStringLiteral("txtSearch"));
    m_searchText->setPlaceholderText(QStringLiteral("Search the help"));
    m_searchText->setAccessibleName(QStringLiteral("Search the help"));
    m_searchText->setClearButtonEnabled(true);
    m_searchText->setMaximumWidth(280);
    bar->addWidget(m_searchText);
    QAction *find = addAction("cmdSearch", QStringLiteral("Search"), QStyle::SP_FileDialogContentsView,
                              QKeySequence(QKeySequence::Find));
    back->setEnabled(false);
    forward->setEnabled(false);

    m_resultsPane->setObjectName(QStringLiteral("fraResults"));
    m_resultsLabel->setObjectName(QStringLiteral("lblResults"));
    m_resultsLabel->setWordWrap(true);
    m_results->setObjectName(QStringLiteral("lstResults"));
    m_results->setAccessibleName(QStringLiteral("Pages found"));
    m_results->setWordWrap(true);
    m_results->setTextElideMode(Qt::ElideNone);
    m_results->setSpacing(2);
    auto *resultsLayout = new QVBoxLayout(m_resultsPane);
    resultsLayout->setContentsMargins(0, 0, 0, 0);
    resultsLayout->addWidget(m_resultsLabel);
    resultsLayout->addWidget(m_results, 1);
    m_resultsPane->hide();

    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    // The pages' style sheet sets white paper and dark text; the room below a short page takes the same paper, and
    // text the style sheet leaves uncoloured the same ink, whatever the desktop's theme.
    QPalette paper = m_browser->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, QColor(0x20, 0x20, 0x20));
    m_browser->setPalette(paper);
    m_browser->setOpenLinks(false);
    m_browser->setSearchPaths({m_folder});

    auto *split = new QSplitter(this);
    split->addWidget(m_resultsPane);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);
    split->setSizes({260, 640});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(split, 1);

    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(contents, &QAction::triggered, this, &frmHelp::showContents);
    connect(index, &QAction::triggered, this, [this] { showPage(QString::fromLatin1(kIndexPage)); });
    connect(find, &QAction::triggered, this, [this] {
        if (m_searchText->text().trimmed().isEmpty())
            m_searchText->setFocus();
        else
            search(m_searchText->text());
    });
    connect(m_searchText, &QLineEdit::returnPressed, this, [this] { search(m_searchText->text()); });
    connect(m_searchText, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.trimmed().isEmpty())
            clearSearch();
    });
    connect(m_results, &QListWidget::itemActivated, this, &frmHelp::openResult);
    connect(m_results, &QListWidget::itemClicked, this, &frmHelp::openResult);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &frmHelp::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &frmHelp::updateTitle);

    resize(940, 680);
}

bool frmHelp::showPage(const QString &page)
{
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    const QString file = hash < 0 ? page : page.left(hash);
    const QFileInfo info(QDir(m_folder).filePath(file));
    if (!info.isFile())
        return false;
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    m_browser->setSource(url);
    return true;
}

void frmHelp::showContents()
{
    showPage(HelpFiles::entryPageName());
}

QString frmHelp::currentPage() const
{
    const QUrl source = m_browser->source();
    if (!source.isLocalFile())
        return {};
    return QDir(m_folder).relativeFilePath(source.toLocalFile());
}

void frmHelp::followLink(const QUrl &link)
{
    if (leavesHelp(link)) {
        Q_EMIT externalLinkClicked(link);
        return;
    }
    const QUrl target = m_browser->source().resolved(link);
    if (target.isLocalFile() && !QFileInfo(target.toLocalFile()).isFile())
        return; // a link to nothing leaves the page as it is
    m_browser->setSource(target);
}

int frmHelp::search(const QString &text)
{
    if (!m_searchLoaded) {
        m_search.load(m_folder);
        m_searchLoaded = true;
    }
    if (m_searchText->text() != text)
        m_searchText->setText(text);
    m_searchWords = HelpSearch::words(text);
    m_results->clear();
    if (m_searchWords.isEmpty()) {
        clearSearch();
        return 0;
    }
    const std::vector<HelpHit> hits = m_search.search(text);
    for (const HelpHit &hit : hits) {
        auto *item = new QListWidgetItem(hit.title + QLatin1Char('\n') + hit.excerpt, m_results);
        item->setData(Qt::UserRole, hit.file);
        item->setToolTip(hit.file);
    }
    const QString quoted = QStringLiteral("\u201C") + text.trimmed() + QStringLiteral("\u201D");
    if (hits.empty())
        m_resultsLabel->setText(QStringLiteral("No page contains ") + quoted +
                                QStringLiteral(". Try fewer or shorter words, or the Index."));
    else
        m_resultsLabel->setText(
            QString::number(hits.size()) +
            (hits.size() == 1 ? QStringLiteral(" page contains ") : QStringLiteral(" pages contain ")) + quoted +
            QLatin1Char(':'));
    m_resultsPane->show();
    if (!hits.empty())
        m_results->setCurrentRow(0);
    return int(hits.size());
}

void frmHelp::openResult(QListWidgetItem *item)
{
    if (!item)
        return;
    if (!showPage(item->data(Qt::UserRole).toString()))
        return;
    // show where the first word is
    if (!m_searchWords.isEmpty()) {
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->find(m_searchWords.first());
    }
}

void frmHelp::clearSearch()
{
    m_searchWords.clear();
    m_results->clear();
    m_resultsPane->hide();
}

void frmHelp::updateTitle()
{
    const QString title = m_browser->documentTitle().trimmed();
    setWindowTitle(ProgramInfo::title() + QStringLiteral(" Help") +
                   (title.isEmpty() ? QString() : QStringLiteral(" - ") + title));
}
