#!/usr/bin/env python3
"""Drops files on an X window the way a Linux file manager does, through the XDND protocol.

    DropFiles.py WINDOW X Y PATH...

WINDOW is the target's X window id, X and Y the root-window point of the drop, PATH the
files (Unix paths). Exits 0 once the target has accepted and finished the drop.
"""
import ctypes
import ctypes.util
import sys
import time
import urllib.parse

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")

Window = ctypes.c_ulong
Atom = ctypes.c_ulong
Time = ctypes.c_ulong

CLIENT_MESSAGE = 33
SELECTION_REQUEST = 30
SELECTION_NOTIFY = 31
PROP_MODE_REPLACE = 0
XDND_VERSION = 5


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", Window), ("message_type", Atom),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]


class SelectionRequest(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("owner", Window), ("requestor", Window),
                ("selection", Atom), ("target", Atom), ("property", Atom), ("time", Time)]


class Selection(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("requestor", Window), ("selection", Atom),
                ("target", Atom), ("property", Atom), ("time", Time)]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("client", ClientMessage), ("request", SelectionRequest),
                ("selection", Selection), ("pad", ctypes.c_long * 24)]


x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XCreateSimpleWindow.restype = Window
x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                    ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
x11.XInternAtom.restype = Atom
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSetSelectionOwner.argtypes = [ctypes.c_void_p, Atom, Window, Time]
x11.XSendEvent.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
x11.XChangeProperty.argtypes = [ctypes.c_void_p, Window, Atom, Atom, ctypes.c_int, ctypes.c_int, ctypes.c_char_p,
                                ctypes.c_int]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
x11.XFlush.argtypes = [ctypes.c_void_p]


def main():
    target = int(sys.argv[1], 0)
    x, y = int(sys.argv[2]), int(sys.argv[3])
    uris = "".join("file://" + urllib.parse.quote(path) + "\r\n" for path in sys.argv[4:]).encode()

    display = x11.XOpenDisplay(None)
    if not display:
        return 2
    atom = lambda name: x11.XInternAtom(display, name.encode(), 0)
    source = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)
    selection, uri_list = atom("XdndSelection"), atom("text/uri-list")
    x11.XSetSelectionOwner(display, selection, source, 0)

    def send(name, *data):
        event = Event()
        event.client.type = CLIENT_MESSAGE
        event.client.window = target
        event.client.message_type = atom(name)
        event.client.format = 32
        for i, value in enumerate((source,) + data):
            event.client.l[i] = value
        x11.XSendEvent(display, target, 0, 0, ctypes.byref(event))
        x11.XFlush(display)

    def answer(request):
        reply = Event()
        reply.selection.type = SELECTION_NOTIFY
        reply.selection.requestor = request.requestor
        reply.selection.selection = request.selection
        reply.selection.target = request.target
        reply.selection.time = request.time
        reply.selection.property = 0
        if request.target == uri_list:
            x11.XChangeProperty(display, request.requestor, request.property, uri_list, 8, PROP_MODE_REPLACE,
                                uris, len(uris))
            reply.selection.property = request.property
        x11.XSendEvent(display, request.requestor, 0, 0, ctypes.byref(reply))
        x11.XFlush(display)

    # Serves the target's requests for the data until a message of this name arrives.
    def wait_for(name, seconds=10):
        wanted = atom(name)
        deadline = time.time() + seconds
        event = Event()
        while time.time() < deadline:
            if not x11.XPending(display):
                time.sleep(0.01)
                continue
            x11.XNextEvent(display, ctypes.byref(event))
            if event.type == SELECTION_REQUEST:
                answer(event.request)
            elif event.type == CLIENT_MESSAGE and event.client.message_type == wanted:
                return event.client
        return None

    send("XdndEnter", XDND_VERSION << 24, uri_list, 0, 0)
    send("XdndPosition", 0, (x << 16) | y, 0, atom("XdndActionCopy"))
    status = wait_for("XdndStatus")
    if not status or not status.l[1] & 1:
        return 3
    send("XdndDrop", 0, 0)
    return 0 if wait_for("XdndFinished") else 4


if __name__ == "__main__":
    sys.exit(main())
