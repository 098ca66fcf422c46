// The notes window.
#include "frmnotes.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmnotes::frmnotes(const QString &notes, QWidget *parent)
    : QWidget(parent, Qt::Window), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmnotes"));
    setWindowTitle(QStringLiteral("Notes"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
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
    return m_text->toPlainText();
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
