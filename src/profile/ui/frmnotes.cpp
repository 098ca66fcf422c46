// SPDX-License-Identifier: GPL-3.0-or-later
// The notes window.
#include "frmnotes.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace
{

// No word is this long: a run of this many characters without a blank is data, not prose.
constexpr int kLongestWord = 1000;

bool hasLongRun(QStringView text)
{
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWord)
            return true;
    }
    return false;
}

// Wrapped at blanks, a run without one is laid out in a time that grows with the square of its length (minutes
// for a megabyte); text holding such a run, loaded or pasted, is wrapped anywhere instead.
class NotesEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

    void wrapFor(QStringView text)
    {
        if (hasLongRun(text))
            setWordWrapMode(QTextOption::WrapAnywhere);
    }

protected:
    void insertFromMimeData(const QMimeData *source) override
    {
        if (source->hasText())
            wrapFor(source->text());
        QPlainTextEdit::insertFromMimeData(source);
    }
};

} // namespace

frmnotes::frmnotes(const QString &notes, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmnotes"));
    setWindowTitle(QStringLiteral("Notes"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    auto *edit = new NotesEdit(this);
    edit->wrapFor(notes);
    m_text = edit;
    m_text->setObjectName(QStringLiteral("txtnotes"));
    m_text->setAccessibleName(QStringLiteral("Notes"));
    m_text->setPlainText(notes);
    layout->addWidget(m_text);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(420, 300);
}

QString frmnotes::text() const
{
    // toPlainText would turn no-break spaces into blanks; the raw text keeps every character, with the
    // document's paragraph and line separators where the line breaks are.
    QString text = m_text->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void frmnotes::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        Q_EMIT closed(text());
    }
    QWidget::closeEvent(event);
}

bool frmnotes::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Q_EMIT activated();
    return QWidget::event(event);
}
