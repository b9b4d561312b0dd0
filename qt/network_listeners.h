// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's plugins that listen on the network: its vnc platform serves the
// window, and its tuiotouch input plugin takes touches, from anyone who can
// reach the machine, with no password.
#pragma once

#include <QStringList>

namespace qtui {

// The listening plugins that Qt would load from these lists, named as "vnc
// platform" or "tuiotouch plugin": platform lists as -platform and
// QT_QPA_PLATFORM give them ("xcb;vnc:size=800x600"), generic plugin lists as
// -plugin and QT_QPA_GENERIC_PLUGINS do ("evdevmouse,tuiotouch:udp=3333").
// Qt takes a plugin's name in any letter case.
QStringList networkListeners(const QStringList& platformLists, const QStringList& pluginLists);

} // namespace qtui
