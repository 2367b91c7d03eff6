// The notification area as KDE, Xfce and GNOME with its AppIndicator
// extension run it: a StatusNotifierWatcher on the session bus with a host
// registered. Qt's tray icon then registers as a StatusNotifierItem; the
// host reads the icon's menu over D-Bus (com.canonical.dbusmenu) and sends
// Activate for a left click and SecondaryActivate for a middle click.
#pragma once

namespace pw {

bool StatusNotifierHostPresent();

}  // namespace pw
