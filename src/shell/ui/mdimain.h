// SPDX-License-Identifier: GPL-3.0-or-later
// MDIMain: the frame that holds the status bar, the menus and the main window, and asks before the program ends.
#pragma once

#include <QMainWindow>

class QLabel;
class QMenu;
class SettingsStore;
class StatusReporter;

// Decides whether the frame may close (the exit question and the offer to save); the main window answers.
class FrameCloseQuestion
{
public:
    virtual ~FrameCloseQuestion() = default;
    virtual bool mayClose() = 0;
};

class MDIMain : public QMainWindow
{
    Q_OBJECT
public:
    // settings keeps the frame's geometry between runs; may be null.
    MDIMain(StatusReporter &status, SettingsStore *settings, QWidget *parent = nullptr);

    void setMainWindow(QWidget *window, const QList<QMenu *> &menus);
    QWidget *mainWindow() const { return m_main; }
    void setCloseQuestion(FrameCloseQuestion *question) { m_question = question; }
    // Skip the exit question (a batch start that quits by itself).
    void closeWithoutAsking();

Q_SIGNALS:
    // The frame was minimised (true) or came back from it (false).
    void minimizedChanged(bool minimized);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showStatus();
    void restoreGeometrySetting();
    void saveGeometrySetting();

    StatusReporter &m_status;
    SettingsStore *m_settings;
    QWidget *m_main = nullptr;
    FrameCloseQuestion *m_question = nullptr;
    QLabel *m_icon;
    QLabel *m_message;
    QLabel *m_spare;
    QLabel *m_count;
    bool m_unconditional = false;
    bool m_minimized = false;
};
