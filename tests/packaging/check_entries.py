"""Checks that the installed desktop entry and software-centre entry describe the installed
program: they name it and describe it as the project does, and every file they point to (the
program, the icon, the desktop entry) is installed under the same prefix.

    check_entries.py PREFIX APP_ID PROJECT_NAME PROJECT_DESCRIPTION
"""

import configparser
import os
import sys
import xml.etree.ElementTree as ElementTree


def read_desktop_entry(path):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str  # keys are case-sensitive
    with open(path, encoding="utf-8") as file:
        parser.read_file(file)
    return parser["Desktop Entry"]


def is_program(path):
    return os.path.isfile(path) and os.access(path, os.X_OK)


def check_desktop_entry(prefix, app_id, name, description):
    path = f"{prefix}/share/applications/{app_id}.desktop"
    entry = read_desktop_entry(path)
    problems = []

    def expect(key, wanted):
        if entry.get(key) != wanted:
            problems.append(f"{path}: {key}={entry.get(key)!r}, expected {wanted!r}")

    for key, wanted in [
        ("Type", "Application"),
        ("Name", name),
        ("Comment", description),
        ("Icon", app_id),
        ("Terminal", "false"),
    ]:
        expect(key, wanted)

    program = entry.get("Exec", "").split(" ")[0]
    if not program or "/" in program or not is_program(f"{prefix}/bin/{program}"):
        problems.append(f"{path}: Exec names {program!r}, which is not a program in {prefix}/bin")

    categories = [c for c in entry.get("Categories", "").split(";") if c]
    for wanted in ("AudioVideo", "Player"):
        if wanted not in categories:
            problems.append(f"{path}: Categories {categories} lack {wanted}")

    icon = f"{prefix}/share/icons/hicolor/32x32/apps/{entry.get('Icon')}.png"
    if not os.path.isfile(icon):
        problems.append(f"{path}: its icon {icon} is not installed")
    return problems


def check_metainfo(prefix, app_id, name, description):
    path = f"{prefix}/share/metainfo/{app_id}.metainfo.xml"
    root = ElementTree.parse(path).getroot()
    problems = []

    def texts(xpath):
        return [(element.text or "").strip() for element in root.findall(xpath)]

    for xpath, wanted in [
        ("id", [app_id]),
        ("name", [name]),
        ("summary", [description]),
        ("launchable[@type='desktop-id']", [f"{app_id}.desktop"]),
        ("languages/lang", ["fr"]),
    ]:
        if texts(xpath) != wanted:
            problems.append(f"{path}: <{xpath}> holds {texts(xpath)}, expected {wanted}")

    if root.get("type") != "desktop-application":
        problems.append(f"{path}: component type {root.get('type')!r}, expected desktop-application")
    for launchable in texts("launchable[@type='desktop-id']"):
        if not os.path.isfile(f"{prefix}/share/applications/{launchable}"):
            problems.append(f"{path}: launchable {launchable} is not installed")
    for binary in texts("provides/binary"):
        if not is_program(f"{prefix}/bin/{binary}"):
            problems.append(f"{path}: provided binary {binary} is not installed")
    if not any(texts("description/p")):
        problems.append(f"{path}: the description has no paragraph")
    if root.find("content_rating") is None:
        problems.append(f"{path}: no content rating")
    return problems


def main(argv):
    prefix, app_id, name, description = argv[1:]
    problems = check_desktop_entry(prefix, app_id, name, description)
    problems += check_metainfo(prefix, app_id, name, description)
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
