#!/usr/bin/env python3
"""Writes the menu entry tesraconnect.desktop. Its name is the wizard's window title,
string 207, in every language of the string tables, so the menu says what the window
says.

  desktop_entry.py --strings res/strings --name tesraconnect --out tesraconnect.desktop
"""
import argparse
import os
import sys

TITLE_ID = 207
# The string tables by LANGID, and the locale each one stands for in a desktop entry.
# 1033 (English) is the entry's untranslated text.
LOCALES = {
    6: "da", 10: "es", 33: "id", 1025: "ar", 1026: "bg", 1029: "cs", 1031: "de", 1032: "el",
    1033: None, 1035: "fi", 1036: "fr", 1038: "hu", 1040: "it", 1043: "nl", 1044: "nb", 1045: "pl",
    1046: "pt_BR", 1048: "ro", 1049: "ru", 1053: "sv", 1054: "th", 1055: "tr", 1066: "vi", 2070: "pt",
    3084: "fr_CA",
}


def read_text(path, wanted):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or "\t" not in line:
                continue
            key, text = line.split("\t", 1)
            if key.isdigit() and int(key) == wanted:
                return text
    return None


def desktop_value(text):
    """A text as a desktop-entry value: its escapes, no line breaks."""
    text = text.replace("\\r", "").replace("\\n", " ").replace("\\t", " ").replace("\\\\", "\\")
    return text.replace("\\", "\\\\").strip()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--strings", required=True)
    ap.add_argument("--name", required=True)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()

    names = {}
    for file in sorted(os.listdir(a.strings)):
        stem, ext = os.path.splitext(file)
        if ext != ".txt" or not stem.isdigit():
            continue
        langid = int(stem)
        if langid not in LOCALES:
            sys.exit("desktop_entry.py: %s: no locale known for LANGID %d (add it to LOCALES)" % (file, langid))
        text = read_text(os.path.join(a.strings, file), TITLE_ID)
        if not text:
            sys.exit("desktop_entry.py: %s: string %d is missing" % (file, TITLE_ID))
        names[LOCALES[langid]] = desktop_value(text)
    if None not in names:
        sys.exit("desktop_entry.py: the English table (1033.txt) is missing")

    lines = ["[Desktop Entry]", "Type=Application", "Name=" + names.pop(None)]
    lines += ["Name[%s]=%s" % (loc, names[loc]) for loc in sorted(names)]
    lines += [
        "Keywords=TesraConnect;Tesra;Korvana;QW4100;QW2100;QW2600;Wi-Fi;WLAN;",
        "Icon=" + a.name,
        "Exec=" + a.name,
        "Terminal=false",
        "Categories=Settings;HardwareSettings;",
        "StartupNotify=true",
        "StartupWMClass=" + a.name,
    ]
    with open(a.out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
