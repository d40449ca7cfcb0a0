"""What a screen reader hears of the program: writes each event it gets through AT-SPI as one
line of tab-separated fields (the event, its first detail, the source's role and its name), the
way Orca gets them. Prints "listening" once it is registered; runs until it is killed.

    accessibility_events.py
"""
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# The warning panel shown, a status line's text changed, and the focus moved.
EVENTS = (
    "object:state-changed:showing",
    "object:property-change:accessible-name",
    "object:state-changed:focused",
)


def field(text):
    return (text or "").replace("\t", " ").replace("\n", " ")


def write(event):
    try:
        role, name = event.source.get_role_name(), event.source.get_name()
    except Exception:  # the source went before its event was read
        return
    print(event.type, event.detail1, field(role), field(name), sep="\t", flush=True)


def main():
    listener = Atspi.EventListener.new(write)
    for event in EVENTS:
        listener.register(event)
    print("listening", flush=True)
    Atspi.event_main()


if __name__ == "__main__":
    sys.exit(main())
