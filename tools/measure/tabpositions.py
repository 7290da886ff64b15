#!/usr/bin/python3
"""Prints the editor's page tabs as "index x y" (the centre of each tab of PageControl1, in screen pixels),
read over AT-SPI from a running tarnwick started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1."""
import sys

import pyatspi


def tab_lists(acc, found):
    """Collects every tab list under acc."""
    try:
        if acc.getRoleName() == 'page tab list':
            found.append(acc)
        for i in range(acc.childCount):
            tab_lists(acc.getChildAtIndex(i), found)
    except Exception:
        pass
    return found


def main():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or 'tarnwick' not in (app.name or '').lower():
            continue
        # PageControl1 is the list with the most tabs (the plot page's sub-pages have fewer).
        lists = tab_lists(app, [])
        if not lists:
            continue
        tabs = max(lists, key=lambda t: t.childCount)
        # The list's children also include its scroll buttons.
        pages = [tabs.getChildAtIndex(i) for i in range(tabs.childCount)]
        pages = [tab for tab in pages if tab.getRoleName() == 'page tab']
        for index, tab in enumerate(pages):
            e = tab.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            print(index, e.x + e.width // 2, e.y + e.height // 2)
        return 0
    print('tarnwick is not on the accessibility bus', file=sys.stderr)
    return 1


if __name__ == '__main__':
    sys.exit(main())
