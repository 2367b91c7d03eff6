#!/usr/bin/python3
"""A notification-area host as the desktops run it: the
org.kde.StatusNotifierWatcher service with a host registered. When an item
registers, prints one JSON line with the item's bus name, its properties
and the labels of its exported menu (com.canonical.dbusmenu, submenus as
nested lists), then keeps serving until killed."""
import json
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"


def labels(layout):
    children = []
    for child in layout[2]:
        _, properties, grandchildren = child
        if properties.get("type") == "separator":
            children.append("-")
            continue
        # As a host shows it: "_" marks the mnemonic, "__" is an underscore.
        label = str(properties.get("label", "")).replace("__", "\0")
        label = label.replace("_", "").replace("\0", "_")
        children.append([label, labels(child)] if grandchildren else label)
    return children


# Written out because clients read the properties from the introspection
# data, which dbus-python does not generate for them.
INTROSPECTION = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/>
   <arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg type="s" direction="out"/></method>
 </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.bus = bus
        self.items = []

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        path = "/StatusNotifierItem"
        if service.startswith("/"):
            path, service = service, sender
        self.items.append(service)
        self.StatusNotifierItemRegistered(service)
        GLib.idle_add(self.report, service, path)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    def report(self, service, path):
        item = self.bus.get_object(service, path)
        properties = item.GetAll(ITEM, dbus_interface=dbus.PROPERTIES_IFACE)
        menu_path = properties.get("Menu", "/NO_DBUSMENU")
        menu = self.bus.get_object(service, menu_path)
        _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"),
                                   dbus_interface="com.canonical.dbusmenu")
        tooltip = properties.get("ToolTip", ("", [], "", ""))
        print(json.dumps({
            "service": service,
            "path": path,
            "id": str(properties.get("Id", "")),
            "title": str(properties.get("Title", "")),
            "iconName": str(properties.get("IconName", "")),
            "iconPixmaps": len(properties.get("IconPixmap", [])),
            "tooltip": str(tooltip[2]),
            "menu": labels(layout),
        }), flush=True)
        return False


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    name = dbus.service.BusName(WATCHER, bus)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name, watcher


if __name__ == "__main__":
    sys.exit(main())
