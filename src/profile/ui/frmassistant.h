// frmAssistant: the floating window with the Comparison Assistant and the Profile Builder Assistant.
#pragma once

#include "present/photoslots.h"
#include "profile/fuelprofile.h"

#include <QWidget>
#include <array>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class frmAssistant : public QWidget
{
    Q_OBJECT
public:
    // A tool window of the frame: it stays above the frame without taking over the whole desktop.
    explicit frmAssistant(QWidget *frame = nullptr);

    // ShowAssistantSummary's texts and highlights; lblPhoto of the current slot is bold.
    void showSummary(const AssistantSummary &summary, int currentSlot);
    // ShowProfile: the profile column, the name box and the caption.
    void showProfile(const ProfileDisplay &display);
    void setPages(const std::array<bool, 2> &on, int current);
    // The row captions name the bounds and units of the values shown.
    void setUnits(Units units);

    QTabWidget *TabAssistant() const { return m_tabs; }
    QLineEdit *txtName() const { return m_name; }
    // A label of either page by its name ("lblPro0to3", "lbl0to3_2").
    QLabel *label(const QString &name) const;
    QPushButton *button(const QString &name) const;

Q_SIGNALS:
    // An "Add >" button, with its component code.
    void componentAdded(int component);
    // A "Display Photo" button, with the text of its source label.
    void sourceRequested(const QString &label);
    void newProfileRequested();
    void loadProfileRequested();
    void saveProfileRequested();
    void saveProfileAsRequested();
    void notesRequested();
    // A "Hide" button or the window's close box.
    void hideRequested();
    // The name box's text changed (typed, or set by ShowProfile).
    void nameChanged(const QString &name);
    void visibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createComparisonPage();
    QWidget *createBuilderPage();
    QLabel *valueLabel(const QString &name, const QString &accessibleName, QWidget *parent);
    QPushButton *makeButton(const QString &name, const QString &caption, const QString &tip, QWidget *parent);
    int valueWidth() const;
    QLabel *unitCaption(const QString &imperial, QWidget *parent);
    void highlight(const QString &name, AssistantSummary::Highlight highlight);

    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_name = nullptr;
    std::vector<std::pair<QLabel *, QString>> m_unitCaptions; // with their captions in inches
};
