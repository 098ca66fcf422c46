// SPDX-License-Identifier: GPL-3.0-or-later
// A drop-down picker of the query pane: summary label, picker button and a list that floats open over the window.
#pragma once

#include "data/queryparameters.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QListWidget;
class QToolButton;
class QWidget;

class Picker : public QObject
{
    Q_OBJECT
public:
    enum class Kind { CheckBoxes, MultipleSelection };
    struct Texts {
        QString initial;      // after each load of the lists
        QString noneChosen;   // closed with nothing chosen
        QString closedSuffix; // closed with n chosen: n + suffix
        QString liveSuffix;   // while choosing: n + suffix
    };

    // name is the part after the prefixes: "VegType" gives lblVegType, cmdVegType and lstVegType.
    Picker(Kind kind, const QString &name, Texts texts, QWidget *parent);
    ~Picker() override;

    QLabel *label() const { return m_label; }
    QToolButton *button() const { return m_button; }
    QListWidget *list() const { return m_list.data(); }

    // The window the open list floats over (the list's parent while it exists).
    void setHost(QWidget *host);

    // New entries, nothing chosen; the label shows the initial text, or "No Models Available" with the
    // button disabled when emptyMeansUnavailable and there are no entries.
    void setEntries(const std::vector<CodeEntry> &entries, bool emptyMeansUnavailable);
    // The width the list needs to show its longest entry in full (with room for the box and scroll bar).
    int widthForEntries() const;
    void setListWidth(int pixels);

    bool isOpen() const;
    void click(); // the button's click: opens or closes
    void open();
    void close();
    // Height of a closed list, as a key press on the window leaves an open one (still shown).
    void shrink();

    int chosenCount() const;
    QStringList chosenRawValues() const; // in list order

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showLiveCount();
    QWidget *host() const;

    const Kind m_kind;
    const Texts m_texts;
    QLabel *m_label;
    QToolButton *m_button;
    QPointer<QListWidget> m_list;    // may live in (and die with) the host window
    QObject *m_listObject = nullptr; // the same list, for telling its events apart while it is destroyed
    QPointer<QWidget> m_host;
    bool m_filling = false;
    bool m_watchingClicks = false;
};
