#!/usr/bin/python3
"""A notification server (org.freedesktop.Notifications) that shows
nothing: each Notify and CloseNotification is printed as a JSON line, and
a line "invoke ID KEY" on standard input answers as a user's click on the
action KEY of notification ID does (ActionInvoked, then NotificationClosed
with reason 2)."""
import json
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"
DISMISSED = 2
CLOSED_BY_CALL = 3


class Server(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.last_id = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        if replaces == 0:
            self.last_id += 1
            replaces = self.last_id
        print(json.dumps({"notify": int(replaces), "app": str(app), "icon": str(icon),
                          "summary": str(summary), "body": str(body),
                          "actions": [str(action) for action in actions]}), flush=True)
        return replaces

    @dbus.service.method(NAME, in_signature="u")
    def CloseNotification(self, id):
        print(json.dumps({"closed": int(id)}), flush=True)
        self.NotificationClosed(id, CLOSED_BY_CALL)

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return ["actions", "body"]

    @dbus.service.method(NAME, out_signature="ssss")
    def GetServerInformation(self):
        return ("test", "paperwisp", "1", "1.2")

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, id, key):
        pass

    @dbus.service.signal(NAME, signature="uu")
    def NotificationClosed(self, id, reason):
        pass


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    server = Server(bus)
    name = dbus.service.BusName(NAME, bus)

    def command(source, condition):
        line = sys.stdin.readline()
        if not line:
            loop.quit()
            return False
        word, id, key = line.split()
        server.ActionInvoked(dbus.UInt32(int(id)), key)
        server.NotificationClosed(dbus.UInt32(int(id)), DISMISSED)
        return True

    loop = GLib.MainLoop()
    GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, command)
    print("ready", flush=True)
    loop.run()
    del name


if __name__ == "__main__":
    sys.exit(main())
