// SPDX-License-Identifier: GPL-3.0-or-later
// Status line panels and icon.
#include "statusreporter.h"

void StatusReporter::ShowStatus(int kind, const QString &text)
{
    switch (kind) {
    case StatusInfo:
        m_message = text;
        m_icon = Icon::InfoOK;
        break;
    case StatusError:
        m_message = QStringLiteral("ERROR - ") + text;
        m_icon = Icon::Error;
        if (m_beep)
            m_beep();
        break;
    case StatusClear:
        m_message.clear();
        m_icon = Icon::None;
        break;
    case StatusCount:
        m_count = text;
        m_message.clear();
        m_icon = Icon::None;
        break;
    default:
        return;
    }
    Q_EMIT changed();
}
