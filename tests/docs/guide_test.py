#!/usr/bin/env python3
"""The user guide (docs/Cellaro-User-Guide.htm) against the program it describes.

    guide_test.py SOURCE_DIR

The captions are read from the code, so the test follows the code: the guide names every tray menu
caption, every settings page, every button of the working window's pages, every item of the grid
menu and of the navigation menu; its table of shortcuts has one row per shortcut of the shortcut
table, with the code's label, default and configuration key. Every picture the guide or the README
shows exists in the tree, is a PNG of the size the page gives it, at 96 dots per inch, with a text
for those who cannot see it. (That the pictures ship in the release zip is the package test's.)
"""

import html.parser
import re
import struct
import sys
import unittest
from pathlib import Path

SOURCE = Path(sys.argv.pop(1) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2])
GUIDE = SOURCE / "docs" / "Cellaro-User-Guide.htm"
README = SOURCE / "README.md"


def code(relative):
    return (SOURCE / relative).read_text(encoding="utf-8")


def literals(text):
    """The C++ string literals in the text, unescaped enough for captions (\\t and \\")."""
    return [m.group(1).replace('\\"', '"').replace("\\t", "\t") for m in re.finditer(r'"((?:[^"\\]|\\.)*)"', text)]


def caption_text(literal):
    """A menu caption without its shortcut column (after the tab) and its trailing blanks."""
    return literal.split("\t")[0].strip()


class Page(html.parser.HTMLParser):
    """The guide's text (blanks folded), its pictures and the rows of its shortcut table."""

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.parts = []
        self.images = []
        self.rows = []
        self._table_depth = 0
        self._row = None
        self._cell = None
        self._in_style = False
        self.feed(text)
        self.text = " ".join(" ".join(self.parts).split())

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        self._in_style = tag == "style"
        if tag == "img":
            self.images.append(attributes)
        if tag == "table" and (self._table_depth or attributes.get("id") == "shortcut-table"):
            self._table_depth += 1
        if self._table_depth and tag == "tr":
            self._row = []
        if self._table_depth and tag in ("td", "th"):
            self._cell = []

    def handle_endtag(self, tag):
        if tag == "style":
            self._in_style = False
        if self._table_depth and tag in ("td", "th") and self._cell is not None:
            self._row.append(" ".join(" ".join(self._cell).split()))
            self._cell = None
        if self._table_depth and tag == "tr" and self._row is not None:
            self.rows.append(self._row)
            self._row = None
        if tag == "table" and self._table_depth:
            self._table_depth -= 1

    def handle_data(self, data):
        if self._in_style:
            return
        self.parts.append(data)
        if self._cell is not None:
            self._cell.append(data)


def png_facts(path):
    """(width, height, dots per inch or None) of a PNG, or None when the file is not one."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    width, height = struct.unpack(">II", data[16:24])
    dpi = None
    at = 8
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at : at + 8])
        if kind == b"pHYs":
            per_x, per_y, unit = struct.unpack(">IIB", data[at + 8 : at + 17])
            if unit == 1 and per_x == per_y:
                dpi = round(per_x * 0.0254)
        at += 12 + length
    return width, height, dpi


GUIDE_PAGE = Page(GUIDE.read_text(encoding="utf-8"))


class NamesTheProgramsCaptions(unittest.TestCase):
    def assertNamed(self, caption, where):
        named = " ".join(caption.split()) in GUIDE_PAGE.text
        self.assertTrue(named, f"the guide does not name {where} {caption!r}")

    def test_every_tray_menu_caption(self):
        source = code("src/logic/tray_menu.cpp")
        calls = re.findall(r'\bitem\("(\w+)",\s*(.*?),\s*state\)', source, re.S)
        # Every item of the menu was read: a change of the code's shape must not make the test pass.
        self.assertEqual(len(calls), source.count("item(\""), "tray_menu.cpp holds items this test cannot read")
        self.assertGreaterEqual(len(calls), 17)
        captions = {caption_text(literal) for _, expression in calls for literal in literals(expression)}
        self.assertIn("Fullscreen grid - monitor 2", captions)
        for caption in sorted(captions):
            with self.subTest(caption=caption):
                self.assertNamed(caption, "the tray menu item")

    def test_every_settings_page(self):
        pages = re.findall(r'\{"(Xi\w+)",\s*"([^"]+)",\s*SettingsWindow::\w+PageIndex\}',
                           code("src/forms/settings/settings_window.cpp"))
        self.assertEqual(len(pages), 4)
        for _, caption in pages:
            with self.subTest(page=caption):
                self.assertNamed(caption, "the settings page")
                self.assertTrue(f"The {caption} page" in GUIDE_PAGE.text, f"no section for the page {caption!r}")

    def test_every_button_of_the_working_window(self):
        specs = re.findall(r'\{"(\w+)",\s*\w+\([^)]*\),\s*"([^"]*)",\s*ButtonRole::(\w+)\}',
                           code("src/forms/working/working_window.cpp") + code("src/forms/working/pages.cpp"))
        self.assertGreaterEqual(len(specs), 24)
        for name, hint, role in specs:
            if role == "GroupNavigation":  # their hints are the groups' windows
                continue
            with self.subTest(button=name):
                self.assertNamed(hint, f"the working window's button {name}")

    def test_every_item_of_the_grid_menu_and_the_navigation_menu(self):
        grid = re.findall(r'\.caption = "([^"]+)"', code("src/forms/working/full_screen_grid.cpp"))
        navigation = re.findall(r'menuItem\("\w+", "([^"]+)"', code("src/forms/navmenu/navigation_menu.cpp"))
        self.assertEqual(len(grid), 3)
        self.assertEqual(len(navigation), 3)
        for caption in grid + navigation:
            with self.subTest(item=caption):
                self.assertNamed(caption, "the menu item")


class ShortcutTable(unittest.TestCase):
    def test_one_row_per_shortcut_with_the_codes_label_default_and_key(self):
        table = code("src/logic/shortcuts/shortcut_table.h")
        entries = re.findall(r'detail::shortcut\((\d+),\s*\{(\{\}|"[^"]*"),\s*\d+,\s*\d+\},\s*"([^"]*)"', table)
        self.assertEqual(len(entries), 32, "the shortcut table holds rows this test cannot read")
        keys = code("src/config/config_keys.h")
        none = re.search(r'kNoShortcutText = "([^"]+)"', keys).group(1)
        defaults = {int(n): (none if value == "kNoShortcutText" else value.strip('"'))
                    for n, value in re.findall(r'\{(\d+), \{kOptionsSection, "HotKey\d+", ([^}]+)\}\}', keys)}
        self.assertEqual(len(defaults), 32)

        rows = GUIDE_PAGE.rows[1:]  # after the heading
        self.assertEqual(len(rows), 32, "the guide's shortcut table does not have one row per shortcut")
        for (number, box, label), row in zip(entries, rows):
            number = int(number)
            with self.subTest(shortcut=number):
                self.assertEqual(len(row), 5, row)
                place, shown_label, _, default, key = row
                self.assertEqual(key, f"HotKey{number}")
                self.assertEqual(shown_label, label.strip())
                self.assertEqual(default, defaults[number])
                if box != "{}":
                    self.assertEqual(place, box.strip('"').strip())
                else:
                    self.assertTrue(place.startswith("Shortcuts, column"), place)


class Pictures(unittest.TestCase):
    def check_picture(self, base, source, width=None, height=None):
        path = base / source
        self.assertTrue(path.is_file(), f"{source} is not in the tree")
        facts = png_facts(path)
        self.assertIsNotNone(facts, f"{source} is not a PNG")
        self.assertEqual(facts[2], 96, f"{source} is not at 96 dots per inch")
        if width is not None:
            self.assertEqual((int(width), int(height)), facts[:2], f"{source} is shown at another size")
        self.assertLess(path.stat().st_size, 200_000, f"{source} is large for a page")

    def test_every_picture_of_the_guide(self):
        self.assertGreaterEqual(len(GUIDE_PAGE.images), 15)
        for image in GUIDE_PAGE.images:
            with self.subTest(picture=image.get("src")):
                self.assertTrue(image.get("alt", "").strip(), "a picture without a text for screen readers")
                self.assertRegex(image["src"], r"^guide/[\w.-]+\.png$")
                self.check_picture(GUIDE.parent, image["src"], image.get("width"), image.get("height"))

    def test_every_picture_of_the_readme(self):
        shown = re.findall(r"!\[([^\]]*)\]\(([^)\s]+)\)", README.read_text(encoding="utf-8"))
        self.assertGreaterEqual(len(shown), 2)
        for alt, source in shown:
            with self.subTest(picture=source):
                self.assertTrue(alt.strip(), "a picture without a text")
                self.check_picture(SOURCE, source)


if __name__ == "__main__":
    unittest.main(verbosity=1)
