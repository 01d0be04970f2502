#!/usr/bin/python3
"""Reads the program's controls through the AT-SPI accessibility bus, as a
screen reader does. Controls are found by their description (the template
name). Usage:
  accessible_tree.py rows                  titles of the catalogue list, one a line
  accessible_tree.py state NAME            "enabled" or "disabled"
  accessible_tree.py text NAME             the text of an edit box
  accessible_tree.py extents NAME          x y width height on the screen
  accessible_tree.py cell TITLE            x y width height of the list cell with that title
  accessible_tree.py named NAME            x y width height of the first control so named
"""
import sys

import pyatspi

LIST = "超级列表框1"


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.startswith("moxilo"):
            return app
    sys.exit("the program is not on the accessibility bus")


def walk(node, depth=0):
    yield node
    if depth > 8:
        return
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def find(predicate, root=None):
    for node in walk(root or program()):
        try:
            if predicate(node):
                return node
        except Exception:  # nodes can vanish while we walk
            continue
    sys.exit("not found")


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return f"{box.x} {box.y} {box.width} {box.height}"


def titles():
    table = find(lambda n: n.description == LIST).queryTable()
    return [table.getAccessibleAt(row, 1).name for row in range(table.nRows)]


def main(command, argument=None):
    if command == "rows":
        print("\n".join(titles()))
    elif command == "state":
        node = find(lambda n: n.description == argument)
        print("enabled" if node.getState().contains(pyatspi.STATE_ENABLED) else "disabled")
    elif command == "text":
        node = find(lambda n: n.description == argument).queryText()
        print(node.getText(0, -1))
    elif command == "extents":
        print(extents(find(lambda n: n.description == argument)))
    elif command == "cell":
        table = find(lambda n: n.description == LIST).queryTable()
        for row in range(table.nRows):
            cell = table.getAccessibleAt(row, 1)
            if cell.name == argument:
                print(extents(cell))
                return
        sys.exit("no such row")
    elif command == "named":
        print(extents(find(lambda n: n.name == argument and n.childCount == 0)))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(*sys.argv[1:])
