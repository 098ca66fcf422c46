// The toolbar's pictures, drawn rather than loaded: a handful of shapes costs nothing at start-up.
#pragma once

#include <QIcon>
#include <QString>

// The picture named after a toolbar button: "Query", "Compare", "Builder", "Assistant", "IconView",
// "listview", "Exit", "Help".
QIcon toolbarIcon(const QString &name);
