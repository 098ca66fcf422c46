// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's style, with the few pictures Qt would load from picture files at start-up drawn instead.
#pragma once

#include <QProxyStyle>

// Qt's styles load their standard pictures from files of unstated format, and the first such load makes Qt load
// and ask every image plugin of the system. The menu bar asks for its extension arrow when it is made, so every
// start would pay for it; the arrows (and the clear button of the search box) are drawn here instead.
class ProgramStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
