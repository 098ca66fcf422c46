// SPDX-License-Identifier: GPL-3.0-or-later
// frmnotes: the free notes of the current fuel profile, written back into it when the window closes.
#pragma once

#include <QWidget>

class QPlainTextEdit;

class frmnotes : public QWidget
{
    Q_OBJECT
public:
    // Loads the window afresh from the profile's notes.
    explicit frmnotes(const QString &notes, QWidget *parent = nullptr);

    QString text() const;
    QPlainTextEdit *txtnotes() const { return m_text; }

Q_SIGNALS:
    // Both ways of closing (the "Close" button and the close box) hand the text back.
    void closed(const QString &text);
    // The window became the active one (the Assistant, floating above the frame, would cover it).
    void activated();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    QPlainTextEdit *m_text = nullptr;
    bool m_closed = false;
};
