#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running program through AT-SPI, the bridge a screen reader uses on Linux.

It lists the parameter window's controls with their roles and names, chooses the sine
signal and presses "Grafici" through their accessible actions, and reads the description
of the waveform plot once the run has drawn it. Then it presses "Visualizza spettro",
which brings the spectrum window forward with the focus on its plot, moves the plot's
readout cursor with the Right key and waits for the focus event that announces the
readout: the point it moved to, a new child of the plot named by the readout. Every
change of the plot's name or description that comes on the way must carry its text, as
a screen reader speaks what the event carries. It prints what it saw and exits with 1
at the first thing that is not as a screen reader needs.
"""

import re
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM = "filtro-dft"
PARAMETERS = "Filtro elimina banda con la DFT"
WAVEFORMS = "Forme d'onda reali"
SPECTRUM = "Spettro"
# Every entry box: its caption and unit, as words.
ENTRIES = {
    "N", "W, secondi", "fi, hertz", "fs, hertz", "r", "f segnale, hertz",
    "Ampiezza di picco segnale, volt", "Comp. cont. segnale", "Espansione asse frequenze",
    "Ampiezza di picco disturbo, volt", "f disturbo sinusoidale, hertz",
}
# The program runs in an Italian locale: its numbers have the decimal comma.
NUMBER = r"-?\d,\d\dE[+-]\d\d"
SUMMARY = re.compile(
    rf"V\(t\): picco {NUMBER} V; Vr\(t\): picco {NUMBER} V; N = 1000, W = 2 sec")
READOUT = re.compile(rf"f= \d+,\d\d Hz ; S\(f\) = {NUMBER} V, riga \d+ di \d+")
KEY_RIGHT = 0xFF53  # the X keysym of the Right arrow


def fail(message):
    print(f"atspi_client: {message}", file=sys.stderr)
    sys.exit(1)


def wait_for(what, find, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    fail(f"no {what} after {seconds} s")


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == PROGRAM:
            return app
    return None


def window(app, title):
    for child in app:
        if child is not None and child.name == title:
            return child
    return None


def chart(parent, name):
    return next((node for node in descendants(parent)
                 if node.getRoleName() == "chart" and node.name == name), None)


def focusable(node):
    return node.getState().contains(pyatspi.STATE_FOCUSABLE)


def labels_of(node):
    return [relation.getTarget(i).name
            for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


def main():
    # The listeners come first: the program learns that a tool listens for an event
    # some time after the tool has said so, and sends no event before it has learnt it.
    # Events that come while the test waits for something else are handled once the
    # main loop runs, by then for the spectrum plot.
    watched = {"plot": None}
    announced = []
    textless = []
    loop = GLib.MainLoop()

    def on_focus(event):
        plot = watched["plot"]
        if plot is None or event.detail1 != 1 or event.source.parent != plot:
            return
        name = event.source.name
        if READOUT.fullmatch(name):
            announced.append(f"{event.source.getRoleName()} {name!r}")
            loop.quit()

    def on_property(event):
        # Orca speaks the text an event carries; an object in its place is not spoken.
        plot = watched["plot"]
        if plot is not None and (event.source == plot or event.source.parent == plot) \
                and not isinstance(event.any_data, str):
            textless.append(f"{event.type} carries {event.any_data!r}")

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    pyatspi.Registry.registerEventListener(
        on_property, "object:property-change:accessible-name",
        "object:property-change:accessible-description")

    app = wait_for("application " + PROGRAM, application)
    parameters = wait_for("window " + PARAMETERS, lambda: window(app, PARAMETERS))

    print(f"{PARAMETERS} ({parameters.getRoleName()}):")
    controls = [node for node in descendants(parameters) if focusable(node)]
    for node in controls:
        labels = labels_of(node)
        print(f"  {node.getRoleName()}: {node.name!r}"
              + (f", labelled by {labels}" if labels else ""))

    entries = {node.name for node in controls if node.getRoleName() == "text" and node.name}
    if entries != ENTRIES:
        fail(f"entry names {sorted(entries)}, expected {sorted(ENTRIES)}")
    # A screen reader says an entry's label in place of its name, which holds the unit.
    labelled = [node.name for node in controls
                if node.getRoleName() == "text" and node.name in ENTRIES and labels_of(node)]
    if labelled:
        fail(f"entries labelled by a caption that leaves out the unit: {labelled}")
    by_role = {(node.getRoleName(), node.name): node for node in controls}
    for wanted in [("push button", "Grafici"), ("radio button", "Filtro ON"),
                   ("radio button", "Filtro OFF")]:
        if wanted not in by_role:
            fail(f"no {wanted[0]} named {wanted[1]!r}")
    combos = [node for node in controls if node.getRoleName() == "combo box"]
    if len(combos) != 1 or labels_of(combos[0]) != ["Casella per la scelta del segnale:"]:
        fail("the drop-down is not labelled by its caption")

    # The sine signal, typed into the drop-down's field, and "Grafici" pressed.
    field = next(node for node in descendants(combos[0]) if node.getRoleName() == "text")
    field.queryEditableText().setTextContents("Segnale sinusoidale")
    by_role[("push button", "Grafici")].queryAction().doAction(0)

    waveforms = wait_for("window " + WAVEFORMS, lambda: window(app, WAVEFORMS))
    plot = wait_for("waveform plot", lambda: chart(waveforms, WAVEFORMS))
    description = wait_for("description of the run", lambda: plot.description or None)
    print(f"{WAVEFORMS}: {plot.getRoleName()} {plot.name!r}, description {description!r}")
    if not SUMMARY.fullmatch(description):
        fail("the waveform plot's description does not summarise the run")

    button = next((node for node in descendants(waveforms)
                   if node.getRoleName() == "push button" and node.name == "Visualizza spettro"),
                  None)
    if button is None:
        fail("no push button named 'Visualizza spettro'")
    button.queryAction().doAction(0)
    spectrum = wait_for("window " + SPECTRUM, lambda: window(app, SPECTRUM))
    plot = wait_for("spectrum plot", lambda: chart(spectrum, SPECTRUM))
    wait_for("focus on the spectrum plot",
             lambda: plot.getState().contains(pyatspi.STATE_FOCUSED) or None)
    print(f"{SPECTRUM}: {plot.getRoleName()} {plot.name!r}, focused, "
          f"description {plot.description!r}")

    # A key press on the focused plot: its readout is announced by the focus moving to
    # the point the key moved to, a child of the plot named by the readout.
    watched["plot"] = plot
    pyatspi.Registry.generateKeyboardEvent(KEY_RIGHT, None, pyatspi.KEY_SYM)
    GLib.timeout_add_seconds(60, loop.quit)
    loop.run()
    if not announced:
        fail("no focus event announced the readout of the Right key")
    if textless:
        fail(f"changes of the plot sent without their text: {textless}")
    print(f"after Right: focus on {announced[0]}")


if __name__ == "__main__":
    main()
