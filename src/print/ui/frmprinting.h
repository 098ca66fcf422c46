// SPDX-License-Identifier: GPL-3.0-or-later
// frmPrinting: "Printing ..." with a blinking indicator and a Cancel button while a report draws its page.
#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

// The round indicator shpLED.
class PrintingLed : public QWidget
{
    Q_OBJECT
public:
    explicit PrintingLed(QWidget *parent = nullptr);
    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);
    QSize sizeHint() const override { return {14, 14}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour = Qt::white;
};

class frmPrinting : public QWidget
{
    Q_OBJECT
public:
    explicit frmPrinting(QWidget *parent = nullptr);

    // Cancel was pressed since the window was shown.
    bool cancelled() const { return m_cancelled; }
    // "Page 2 of 3" under the message while a report of several pages is drawn; nothing for one page.
    void showPage(int page, int pages);
    PrintingLed *shpLED() const { return m_led; }
    QPushButton *cmdCancel() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Timer1_Timer();

    QLabel *m_message;
    QLabel *m_pages;
    QLabel *m_picture;
    PrintingLed *m_led;
    QPushButton *m_cancel;
    QTimer *m_timer;
    bool m_cancelled = false;
};
