#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# An automation client for the system tests: holds its own bus connection and obeys one
# command per line of its standard input, answering one line each:
#   create        CreateInstance on the well-known name -> "created OWNER PATH PID"
#   create-again  CreateInstance on the owner's unique name (must be refused)
#   release       Release on the object -> "released"
#   release-of OWNER PATH  Release on another client's object (must be refused)
# A failure answers "error NAME MESSAGE". End of input ends the client (and its connection).
import sys

from gi.repository import Gio, GLib

SERVICE = "Marlock.Application"
FACTORY_PATH = "/Marlock/Application"
FACTORY_INTERFACE = "Marlock.Application.ClassFactory"
REFERENCE_INTERFACE = "Marlock.Application.Reference"

bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
owner = None
path = None


def answer(text):
    print(text, flush=True)


def fail(error):
    name = Gio.DBusError.get_remote_error(error) or "local"
    answer("error %s %s" % (name, error.message))


def create(destination):
    global owner, path
    call = Gio.DBusMessage.new_method_call(destination, FACTORY_PATH, FACTORY_INTERFACE,
                                           "CreateInstance")
    reply, _ = bus.send_message_with_reply_sync(call, Gio.DBusSendMessageFlags.NONE, 30000,
                                                None)
    reply.to_gerror()
    # The object lives at the process that answered, not at the well-known name, which that
    # process gives up.
    owner = reply.get_sender()
    path = reply.get_body().unpack()[0]
    pid = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                        "GetConnectionUnixProcessID", GLib.Variant("(s)", (owner,)), None,
                        Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
    answer("created %s %s %d" % (owner, path, pid))


for line in sys.stdin:
    command = line.strip()
    try:
        if command == "create":
            create(SERVICE)
        elif command == "create-again":
            create(owner)
        elif command == "release":
            bus.call_sync(owner, path, REFERENCE_INTERFACE, "Release", None, None,
                          Gio.DBusCallFlags.NONE, 10000, None)
            answer("released")
        elif command.startswith("release-of "):
            _, other_owner, other_path = command.split()
            bus.call_sync(other_owner, other_path, REFERENCE_INTERFACE, "Release", None, None,
                          Gio.DBusCallFlags.NONE, 10000, None)
            answer("released")
        else:
            answer("error usage unknown command %r" % command)
    except GLib.Error as error:
        fail(error)
