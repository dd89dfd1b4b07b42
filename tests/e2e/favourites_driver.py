#!/usr/bin/python3
"""Drives the favourites of a running Ondavox through its accessibility tree
(AT-SPI), as a screen reader user would: presses the buttons named in the
tree and types into the add dialog's fields. Reads commands on stdin, one a
line, and answers each with "ok" or "error <reason>" on stdout:

    wait-app               wait until the program shows in the tree
    show-favourites        press the main window's "Favoris..." button
    add NAME<TAB>ADDRESS   open the add dialog, fill it, press "Ajouter aux Favoris"
                           and wait for the new favourite's delete control
    delete NAME            press the delete control of the favourite NAME and
                           wait for it to go
"""

import sys
import time

import pyatspi

TIMEOUT = 20.0


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "ondavox":
            return app
    return None


def find(node, predicate):
    """Depth first; hidden windows and widgets are left out of the search."""
    try:
        if predicate(node):
            return node
        for child in node:
            if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
                continue
            found = find(child, predicate)
            if found is not None:
                return found
    except Exception:
        # A widget that went away while the tree was read.
        return None
    return None


def wait_for(predicate, what):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        app = application()
        if app is not None:
            node = find(app, predicate)
            if node is not None:
                return node
        time.sleep(0.02)
    raise RuntimeError("not found: " + what)


def wait_gone(predicate, what):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        app = application()
        if app is not None and find(app, predicate) is None:
            return
        time.sleep(0.02)
    raise RuntimeError("still there: " + what)


def named(role, name):
    def predicate(node):
        return node.getRole() == role and node.name.strip() == name
    return predicate


def press(role, name):
    # The program answers a press with a short animated click: the press
    # takes effect a little after the call returns.
    wait_for(named(role, name), name).queryAction().doAction(0)


def type_into(caption, text):
    """The text field named after its caption ("Nom :", "URL :")."""
    field = wait_for(named(pyatspi.ROLE_TEXT, caption), caption)
    field.queryEditableText().setTextContents(text)


def run(command, argument):
    if command == "wait-app":
        wait_for(named(pyatspi.ROLE_PUSH_BUTTON, "Favoris..."), "main window")
    elif command == "show-favourites":
        press(pyatspi.ROLE_PUSH_BUTTON, "Favoris...")
        wait_for(named(pyatspi.ROLE_PUSH_BUTTON, "Ajouter une autre chaîne..."), "favourites window")
    elif command == "add":
        name, address = argument.split("\t")
        press(pyatspi.ROLE_PUSH_BUTTON, "Ajouter une autre chaîne...")
        type_into("Nom :", name)
        type_into("URL :", address)
        press(pyatspi.ROLE_PUSH_BUTTON, "Ajouter aux Favoris")
        wait_for(named(pyatspi.ROLE_PUSH_BUTTON, "Supprimer « %s »" % name), "the new favourite")
        wait_gone(named(pyatspi.ROLE_PUSH_BUTTON, "Ajouter aux Favoris"), "the add dialog")
    elif command == "delete":
        control = "Supprimer « %s »" % argument
        press(pyatspi.ROLE_PUSH_BUTTON, control)
        wait_gone(named(pyatspi.ROLE_PUSH_BUTTON, control), control)
    else:
        raise RuntimeError("unknown command " + command)


def main():
    for line in sys.stdin:
        command, _, argument = line.rstrip("\n").partition(" ")
        try:
            run(command, argument)
            print("ok", flush=True)
        except Exception as error:
            print("error %s" % str(error).replace("\n", " "), flush=True)


if __name__ == "__main__":
    main()
