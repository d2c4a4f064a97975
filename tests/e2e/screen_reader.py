# lptseg-sim's window as a screen reader meets it on the accessibility bus:
# every node under its parent (the options in the one panel, "Adresa"), which
# option is checked, what the figure shows and that it announces each change,
# the reader's own "Press" on a digit, an option and "Zatvori", and its
# "SetFocus" on an option.
#   screen_reader.py LPTSEG-SIM FOLDER   (its standard output goes to FOLDER/out)
import atexit, subprocess, sys, time

import pyatspi
from gi.repository import GLib

sim, work = sys.argv[1:]
caption = "Upravljanje 7-segmentnim diodnim zaslonom"


def wait_for(what, read, want):
    deadline = time.monotonic() + 20  # a machine busy with other builds
    while (got := read()) != want:
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: {what}: read\n  {got}\nnot\n  {want}")
        time.sleep(0.1)


def nodes():
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "lptseg-sim"]
    return [n for a in apps for n in pyatspi.findAllDescendants(a, lambda n: True)]


# Each node's role, its parent's role and its name (not what the date and the
# clock say), and whether it is checked.
def window():
    checked = lambda n: " (checked)" * n.getState().contains(pyatspi.STATE_CHECKED)
    return sorted((n.getRoleName(), n.parent.getRoleName(),
                   "" if n.getRoleName() == "label" else n.name + checked(n)) for n in nodes())


def shows(figure, option):
    options = [name + " (checked)" * (name == option) for name in ["378", "278", "3BC"]]
    return sorted([("frame", "application", caption), ("image", "frame", figure)]
                  + [("panel", "frame", "Adresa")] + [("radio button", "panel", n) for n in options]
                  + [("push button", "frame", name) for name in [*"0123456789", "Brisi", "Zatvori"]]
                  + [("filler", "frame", ""), ("label", "frame", "")] * 2)  # banners; date, clock


def press(name, action="Press"):
    actions = next(n for n in nodes() if n.name == name).queryAction()
    actions.doAction([actions.getName(i) for i in range(actions.nActions)].index(action))


# The registry is up before the program, which then finds it at once: a Qt
# program that comes first may show only a bare root.
wait_for("programs on the bus", lambda: pyatspi.Registry.getDesktop(0).childCount, 0)
program = subprocess.Popen([sim], stdout=open(f"{work}/out", "w"), stderr=open(f"{work}/err", "w"))
atexit.register(program.kill)
wait_for("the window", window, shows("prazno", "378"))
# A reader speaks the names that change as they change (the clock's too).
named = []
pyatspi.Registry.registerEventListener(lambda e: named.append(e.source.name), "object:property-change:accessible-name")
press("7")
wait_for("\"7\" pressed, the window", window, shows("7", "378"))
wait_for("\"7\" pressed, the figure's news", lambda: (GLib.MainContext.default().iteration(False), "7" in named)[1], True)
press("278")
wait_for("\"278\" pressed, the window", window, shows("7", "278"))
# Focus goes only to a window that has X's focus, which no window manager gives here.
subprocess.run(["xdotool", "search", "--name", caption, "windowfocus", "--sync"], check=True)
press("3BC", "SetFocus")
wait_for("\"3BC\" given the focus", lambda: next(n for n in nodes() if n.name == "3BC").getState().contains(pyatspi.STATE_FOCUSED), True)
press("Zatvori")
wait_for("\"Zatvori\" pressed, the exit status and the output",
         lambda: (program.poll(), open(f"{work}/out").read().splitlines()),
         (0, ["PortOut 0x378 0x00", "PortOut 0x378 0x51", "PortOut 0x278 0x00"]))
print("ok: the window as a screen reader meets it, on the accessibility bus")
