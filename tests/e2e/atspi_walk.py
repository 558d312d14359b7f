#!/usr/bin/python3
"""Reads a running program over the accessibility bus, as a screen reader does.

atspi_walk.py APP COMMAND...   (one JSON document per command on stdout)

  tree         every object of APP's windows: path, role, name, description,
               states, text (of text objects) and interfaces
  focused      the objects of APP that report the focused state
  events SECS  the events of APP's objects seen during SECS seconds (focus,
               text inserted, name changed), each with the role and name of
               its source
  echo TEXT SECS
               as events, but ends as soon as a text object reports TEXT
               (what a screen reader echoes while the user types)
  wait-focus ROLE SECS
               waits until the focused object of APP has ROLE; prints it

The application is looked for until it is there (20 seconds at most).
"""
import json
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

WANTED_STATES = ("focusable", "focused", "showing", "visible", "editable", "active",
                 "enabled", "sensitive", "checked", "selected")


def states_of(accessible):
    state_set = accessible.get_state_set()
    return [name for name in WANTED_STATES
            if state_set.contains(getattr(Atspi.StateType, name.upper()))]


def text_of(accessible):
    text = accessible.get_text_iface()
    if text is None:
        return None
    return text.get_text(0, text.get_character_count())


def describe(accessible, path):
    return {
        "path": path,
        "role": accessible.get_role_name(),
        "name": accessible.get_name(),
        "description": accessible.get_description(),
        "states": states_of(accessible),
        "text": text_of(accessible),
        "editable": accessible.get_editable_text_iface() is not None,
        "table": accessible.get_table_iface() is not None,
        "children": accessible.get_child_count(),
    }


def parent_of(accessible):
    """Role and name of the parent, and whether the parent lists it as a child."""
    parent = accessible.get_parent()
    if parent is None:
        return None
    index = accessible.get_index_in_parent()
    listed = 0 <= index < parent.get_child_count() and parent.get_child_at_index(index) == accessible
    return {"role": parent.get_role_name(), "name": parent.get_name(), "lists_it": listed}


def find_app(name, seconds=20):
    end = time.monotonic() + seconds
    while True:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name and app.get_child_count() > 0:
                return app
        if time.monotonic() > end:
            sys.exit("application %s is not on the accessibility bus" % name)
        time.sleep(0.2)


def walk(accessible, path, out, depth=0):
    # Deep enough for every window; a list of 99 launcher rows stays small.
    if accessible is None or depth > 40:
        return
    out.append(describe(accessible, path))
    for i in range(accessible.get_child_count()):
        child = accessible.get_child_at_index(i)
        walk(child, path + [i], out, depth + 1)


def tree(app):
    out = []
    for i in range(app.get_child_count()):
        walk(app.get_child_at_index(i), [i], out)
    return out


def focused(app):
    return [node for node in tree(app) if "focused" in node["states"]]


def events(app, seconds, until=None):
    seen = []
    pid = app.get_process_id()
    loop = GLib.MainLoop()

    def on_event(event):
        source = event.source
        try:
            if source is None or source.get_process_id() != pid:
                return
            seen.append({"type": event.type, "role": source.get_role_name(),
                         "name": source.get_name(), "detail1": event.detail1,
                         "text": text_of(source), "parent": parent_of(source)})
            if until is not None and until in (seen[-1]["text"] or ""):
                loop.quit()
        except GLib.Error:
            pass

    listener = Atspi.EventListener.new(on_event)
    kinds = ("object:state-changed:focused", "object:text-changed:insert",
             "object:property-change:accessible-name")
    for kind in kinds:
        listener.register(kind)
    GLib.timeout_add(int(seconds * 1000), loop.quit)
    # A line on stderr tells the caller that the listener is in place.
    print("listening", file=sys.stderr, flush=True)
    loop.run()
    for kind in kinds:
        listener.deregister(kind)
    return seen


def wait_focus(app, role, seconds):
    end = time.monotonic() + seconds
    while True:
        now = focused(app)
        if any(node["role"] == role for node in now) or time.monotonic() > end:
            return now
        time.sleep(0.2)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    app = find_app(argv[1])
    args = argv[2:]
    while args:
        command = args.pop(0)
        if command == "tree":
            result = tree(app)
        elif command == "focused":
            result = focused(app)
        elif command == "events":
            result = events(app, float(args.pop(0)))
        elif command == "echo":
            until = args.pop(0)
            result = events(app, float(args.pop(0)), until)
        elif command == "wait-focus":
            role = args.pop(0)
            result = wait_focus(app, role, float(args.pop(0)))
        else:
            sys.exit("unknown command " + command)
        print(json.dumps(result, ensure_ascii=False), flush=True)


if __name__ == "__main__":
    main(sys.argv)
