#!/usr/bin/python3
"""Another CalDAV client beside Paperwisp, for the sync tests.

caldav_peer.py URL USER PASSWORD read
    prints one line per task of the collection: summary, description,
    the alarm's action and the rule, separated by " | ".
caldav_peer.py URL USER PASSWORD write UID SUMMARY DESCRIPTION
    stores a task (with an alarm) the way a phone's task list would.
"""
import sys

import caldav
import icalendar


def read(calendar):
    for todo in calendar.todos(include_completed=True):
        component = icalendar.Calendar.from_ical(todo.data).walk("VTODO")[0]
        alarms = component.walk("VALARM")
        rule = component.get("RRULE")
        print(" | ".join([
            str(component.get("SUMMARY", "")),
            str(component.get("DESCRIPTION", "")),
            str(alarms[0].get("ACTION")) if alarms else "",
            rule.to_ical().decode() if rule else "",
        ]))


def write(calendar, uid, summary, description):
    calendar.save_todo(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//EN\r\nBEGIN:VTODO\r\n"
        f"UID:{uid}\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:{summary}\r\n"
        f"DESCRIPTION:{description}\r\nDUE:20260601T093000\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER;RELATED=END:PT0S\r\n"
        "END:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")


def main():
    url, user, password, command = sys.argv[1:5]
    client = caldav.DAVClient(url=url, username=user, password=password)
    calendar = caldav.Calendar(client=client, url=url)
    if command == "read":
        read(calendar)
    else:
        write(calendar, *sys.argv[5:8])


if __name__ == "__main__":
    main()
