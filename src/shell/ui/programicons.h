// SPDX-License-Identifier: GPL-3.0-or-later
// The program's small pictures (toolbar, status line), drawn rather than loaded: a handful of shapes costs
// nothing at start-up, where loading the style's picture files makes Qt load every image plugin.
#pragma once

#include <QIcon>
#include <QString>

// The picture named after a toolbar button: "Query", "Compare", "Builder", "Assistant", "IconView",
// "listview", "Exit", "Help"; the status line's "InfoOK" and "Error". Drawn at any size and device pixel ratio,
// outlined in the theme's text colour.
QIcon programIcon(const QString &name);
