// MDIMain: the frame that holds the status bar and the main window, and asks before the program ends.
#pragma once

#include <QMainWindow>
#include <functional>

class QLabel;
class ProgramState;
class frmFenwyx;

class MDIMain : public QMainWindow
{
    Q_OBJECT
public:
    MDIMain(ProgramState &state, QWidget *parent = nullptr);

    void setMainWindow(frmFenwyx *window);
    frmFenwyx *mainWindow() const { return m_main; }

    // Called when the frame is minimised (true) or restored (false).
    std::function<void(bool minimized)> frameMinimized;
    // Skip the exit question (a batch start that quits by itself).
    void closeWithoutAsking();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showStatus();
    void saveGeometrySetting();

    ProgramState &m_state;
    frmFenwyx *m_main = nullptr;
    QLabel *m_icon;
    QLabel *m_message;
    QLabel *m_spare;
    QLabel *m_count;
    bool m_unconditional = false;
};
