#!/usr/bin/env python3
"""Installs the build into a temporary folder (DESTDIR) and runs the installed programs from
outside the build tree: zelk-cli on the installed samples, and the window, offscreen and in
English, once on the sample order and once on a result file; then checks the desktop entry, the
AppStream metadata, the file types and the manual page.

    check_install.py BUILD_DIR APP_ID
"""
import gzip
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

MACHINE = "Säge 1.zkm"
ORDER = "Regalbau KW 50.zka"


def run(command, **options):
    result = subprocess.run(command, capture_output=True, text=True, **options)
    if result.returncode != 0:
        sys.exit(f"{command[0]} failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    return result.stdout


def expect(condition, message):
    if not condition:
        sys.exit(message)


def window_start(zelk, argument, environment, folder):
    """What the installed window shows after starting with ARGUMENT, as name -> value."""
    output = run([str(zelk), "--check", str(argument)], env=environment, cwd=folder)
    lines = [line.split(": ", 1) for line in output.splitlines()]
    expect(all(len(line) == 2 for line in lines), "unexpected report of the window:\n" + output)
    messages = [value for name, value in lines if name == "message"]
    expect(not messages, "the window showed messages: " + "; ".join(messages))
    return dict(lines)


def main():
    build = Path(sys.argv[1]).resolve()
    app_id = sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="zelk-install-") as temporary:
        folder = Path(temporary)
        root = folder / "root"
        run(["cmake", "--install", str(build), "--prefix", "/usr"],
            env=dict(os.environ, DESTDIR=str(root)))
        usr = root / "usr"
        share = usr / "share"
        own = share / "zelk"
        for path in [usr / "bin/zelk", usr / "bin/zelk-cli", own / "anleitung.pdf",
                     own / "locale/en/LC_MESSAGES/default.mo", own / "locale/en/en.txt",
                     own / "locale/en/en.bmp", own / "locale/de/LC_MESSAGES/default.mo",
                     own / "samples" / MACHINE, own / "samples" / ORDER,
                     share / "icons/hicolor/scalable/apps/zelk.svg",
                     share / "mime/packages/zelk.xml", share / "doc/zelk/copyright",
                     share / "man/man1/zelk.1.gz"]:
            expect(path.is_file(), f"not installed: {path.relative_to(root)}")

        # The user's folders of a fresh account; the program runs from a folder of its own.
        home = folder / "home"
        runtime = folder / "runtime"
        runtime.mkdir(mode=0o700)
        work = folder / "work"
        work.mkdir()
        environment = dict(os.environ, HOME=str(home), XDG_DATA_HOME=str(home / ".local/share"),
                           XDG_CONFIG_HOME=str(home / ".config"), XDG_RUNTIME_DIR=str(runtime),
                           QT_QPA_PLATFORM="offscreen", LANG="C.UTF-8")
        environment.pop("LANGUAGE", None)

        result = work / "Regalbau.zke"
        plan = run([str(usr / "bin/zelk-cli"), "--depth", "XS", "--time-limit", "5",
                    "--result", str(result), str(own / "samples" / MACHINE),
                    str(own / "samples" / ORDER)], env=environment, cwd=work)
        expect(result.is_file() and plan.strip(), "zelk-cli gave no plan:\n" + plan)

        # The language the user chose last time: English.
        user = home / ".local/share/Quendra/ZelK"
        user.mkdir(parents=True)
        (user / "zelk.ini").write_text("[Languages]\nlast_language=en\n")

        zelk = usr / "bin/zelk"
        order = window_start(zelk, own / "samples" / ORDER, environment, work)
        expected = {
            "caption": "ZELK Cutting Optimiser V2.7",
            "language": "en",
            "new machine button": "New machine",
            "banner": "shown",
            "catalogues": str(own / "locale"),
            "help document": str(own / "anleitung.pdf"),
            "data directory": str(user / "Data"),
            "order": "Regalbau KW 50",
        }
        for name, value in expected.items():
            expect(order.get(name) == value, f"window {name}: {order.get(name)!r}, not {value!r}")
        expect((user / "Data").is_dir(), "no data directory in the user's folder")
        written = [p.name for p in (usr / "bin").iterdir() if p.name not in ("zelk", "zelk-cli")]
        expect(not written, f"files written beside the installed program: {written}")

        shown = window_start(zelk, result, environment, work)
        expect(shown.get("machine") == "Säge 1" and int(shown.get("result rows", 0)) > 0,
               f"the result file was not opened: {shown}")

        desktop = share / "applications" / f"{app_id}.desktop"
        run(["desktop-file-validate", str(desktop)])
        expect("Exec=zelk %F" in desktop.read_text(), "the desktop entry passes no files")
        run(["appstreamcli", "validate", "--no-net", str(share / "metainfo" / f"{app_id}.metainfo.xml")])
        namespace = "{http://www.freedesktop.org/standards/shared-mime-info}"
        globs = {glob.get("pattern")
                 for glob in ElementTree.parse(share / "mime/packages/zelk.xml").iter(namespace + "glob")}
        expect(globs == {"*.zkm", "*.zka", "*.zke"}, f"file types: {globs}")
        with gzip.open(share / "man/man1/zelk-cli.1.gz", "rt") as page:
            text = page.read()
        for option in ["--depth", "--time-limit", "--xlsx"]:
            escaped = option.replace("-", "\\-")  # as troff writes a hyphen
            expect(escaped in text, f"zelk-cli's manual page lacks {option}")
    print("installed programs, files and desktop integration checked")


if __name__ == "__main__":
    main()
