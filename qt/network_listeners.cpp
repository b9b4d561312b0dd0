// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "network_listeners.h"

namespace qtui {
namespace {

// Whether an entry of these lists, split at the separator, names the plugin.
bool names(const QStringList& lists, QChar separator, QLatin1String plugin) {
    for (const QString& list : lists)
        for (const QString& entry : list.split(separator))
            if (entry.section(QLatin1Char(':'), 0, 0).compare(plugin, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

} // namespace

QStringList networkListeners(const QStringList& platformLists, const QStringList& pluginLists) {
    QStringList found;
    if (names(platformLists, QLatin1Char(';'), QLatin1String("vnc")))
        found << QStringLiteral("vnc platform");
    if (names(pluginLists, QLatin1Char(','), QLatin1String("tuiotouch")))
        found << QStringLiteral("tuiotouch plugin");
    return found;
}

} // namespace qtui
