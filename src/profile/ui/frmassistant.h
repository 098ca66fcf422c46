// SPDX-License-Identifier: GPL-3.0-or-later
// frmAssistant: the floating window with the Comparison Assistant and the Profile Builder Assistant.
#pragma once

#include "present/photoslots.h"
#include "profile/fuelprofile.h"

#include <QHash>
#include <QWidget>
#include <array>
#include <optional>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The pages are built when the window is first shown or one of its controls is asked for; what it is told
// to show before then is kept and shown when they are built.
class frmAssistant : public QWidget
{
    Q_OBJECT
public:
    // A tool window of the frame: it stays above the frame without taking over the whole desktop.
    explicit frmAssistant(QWidget *frame = nullptr);

    void setVisible(bool visible) override;

    // ShowAssistantSummary's texts and highlights; lblPhoto of the current slot is bold.
    void showSummary(const AssistantSummary &summary, int currentSlot);
    // ShowProfile: the profile column, the name box and the caption.
    void showProfile(const ProfileDisplay &display);
    void setPages(const std::array<bool, 2> &on, int current);
    // The row captions name the bounds and units of the values shown.
    void setUnits(Units units);

    QTabWidget *TabAssistant() const;
    QLineEdit *txtName() const;
    // A value label of either page by its name ("lblPro0to3", "lbl0to3_2").
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
    // The page shown changed (by the user, or by setPages).
    void pageChanged(int page);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ensureBuilt() const;
    void build();
    void applySummary(const AssistantSummary &summary, int currentSlot);
    void applyProfile(const ProfileDisplay &display);
    void applyPages();
    void applyUnits();
    QWidget *createComparisonPage();
    QWidget *createBuilderPage();
    // A screen reader reads a value label by the value it shows; what the value is (its row and column) is its
    // description. what may hold "%1" for the row's caption, which changes with the units.
    QLabel *valueLabel(const QString &name, QLabel *row, const QString &what, QWidget *parent);
    struct Described {
        QWidget *widget;
        QLabel *row;
        QString what;
    };
    void describe(QWidget *widget, QLabel *row, const QString &what);
    void applyDescription(const Described &described);
    QPushButton *makeButton(const QString &name, const QString &caption, const QString &tip, QWidget *parent);
    int valueWidth() const;
    QLabel *unitCaption(const QString &imperial, QWidget *parent);
    void highlight(const QString &name, AssistantSummary::Highlight highlight);

    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_name = nullptr;
    std::vector<std::pair<QLabel *, QString>> m_unitCaptions; // with their captions in inches
    QHash<QString, QLabel *> m_values;                        // the value labels by name
    QHash<QLabel *, QString> m_sources; // the whole text of each source label, which may show only its start
    std::vector<Described> m_described;
    QHash<QString, AssistantSummary::Highlight> m_highlights; // the value labels' last highlights by name

    // Kept for the pages until they are built.
    std::optional<std::pair<AssistantSummary, int>> m_summary;
    std::optional<ProfileDisplay> m_profile;
    std::array<bool, 2> m_pagesOn{true, true};
    int m_page = 0;
    Units m_units = Units::Imperial;
};
