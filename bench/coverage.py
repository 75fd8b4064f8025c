#!/usr/bin/env python3
"""How much of a generated freedesktop home's disposable data a scan offers, and whether it offers
anything personal.

    python3 bench/coverage.py [BUILD_DIR] [FILES]      (defaults: build, 30000)

The sample-home tool lays out a home of common desktop programs, installed natively, as Snaps and
as Flatpaks. Which of its files are disposable is written down below, by what each program says
of its folders, independently of the finders. The script sums the logical bytes of every file
by that judgement, runs `sorvane-cli scan --json` and sums the bytes of every file below the
locations it offers (kept parts left out), measured here rather than taken from the report.
"""
import fnmatch
import json
import os
import subprocess
import sys
import tempfile

# Relative to the home; "*" crosses "/". A file is disposable when a pattern of DISPOSABLE
# matches it and none of PERSONAL does.
DISPOSABLE = [
    ".cache/*", "snap/*/common/.cache/*", "snap/*/[0-9]*/.cache/*", ".var/app/*/cache/*",
    ".local/share/Trash/*",
    # Chromium's and Electron's caches, wherever the program keeps its configuration.
    "*/Cache/*", "*/Code Cache/*", "*/GPUCache/*", "*/DawnCache/*", "*/DawnGraphiteCache/*",
    "*/DawnWebGPUCache/*", "*/ShaderCache/*", "*/GrShaderCache/*", "*/GraphiteDawnCache/*",
    "*/Service Worker/CacheStorage/*", "*/Service Worker/ScriptCache/*",
    ".config/Code/CachedData/*", ".config/Code/CachedExtensionVSIXs/*", ".config/Code/logs/*",
    # Package managers' and build tools' downloads, fetched again when needed.
    ".npm/_cacache/*", ".npm/_npx/*", ".npm/_logs/*", ".cargo/registry/*", ".cargo/git/*",
    ".gradle/caches/*", ".gradle/daemon/*.log", ".m2/repository/*", "go/pkg/mod/*",
    # Replaced versions: extensions marked obsolete, an older IDE's data, an older Gradle.
    ".vscode/extensions/ms-python.python-2023.20.0/*", ".vscode/extensions/golang.go-0.40.0/*",
    ".local/share/JetBrains/IntelliJIdea2023.2/*", ".gradle/wrapper/dists/gradle-8.4-bin/*",
    # Games' compiled shaders and the client's web caches; Telegram's media cache.
    "*/steamapps/shadercache/*", "*/Steam/config/htmlcache/*", "*/Steam/appcache/httpcache/*",
    "*/Steam/logs/*", "*/tdata/user_data*/cache/*", "*/tdata/user_data*/media_cache/*",
    "*/TelegramDesktop/log*.txt",
    # Crash reports, temporary files, logs.
    ".mozilla/firefox/Crash Reports/*", ".mozilla/firefox/*/minidumps/*",
    ".wine/drive_c/windows/temp/*", ".wine/drive_c/users/*/Temp/*",
    ".wine/drive_c/users/*/AppData/Local/Temp/*", ".local/share/wineprefixes/*/drive_c/windows/temp/*",
    ".local/share/wineprefixes/*/drive_c/users/*/AppData/Local/Temp/*",
    ".xsession-errors*", ".local/share/xorg/*.log*",
]
# What lies among caches all the same and is the user's: what the keep list guards.
PERSONAL = [
    ".cache/ibus/*", ".cache/wallpaper/*", ".cache/gnome-control-center/*", ".cache/keepassxc/*",
    ".cache/obexd/*", ".cache/JetBrains/*/LocalHistory/*", "*/keepassxc/*",
]


def disposable(relative):
    return any(fnmatch.fnmatchcase(relative, p) for p in DISPOSABLE) and not any(
        fnmatch.fnmatchcase(relative, p) for p in PERSONAL)


def files_below(path):
    """Every file (not folder) at or below a path, links as themselves, with its logical size."""
    info = os.lstat(path)
    if not os.path.isdir(path) or os.path.islink(path):
        yield path, info.st_size
        return
    for folder, folders, names in os.walk(path):
        for name in names + [f for f in folders if os.path.islink(os.path.join(folder, f))]:
            full = os.path.join(folder, name)
            yield full, os.lstat(full).st_size


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    count = sys.argv[2] if len(sys.argv) > 2 else "30000"
    with tempfile.TemporaryDirectory(prefix="sorvane-coverage-") as scratch:
        home, root = os.path.join(scratch, "home"), os.path.join(scratch, "root")
        subprocess.run([f"{build}/tools/sorvane-sample-home", "--layout", "freedesktop", "--home",
                        home, "--root", root, "--files", count, "--seed", "1"], check=True,
                       stdout=subprocess.DEVNULL)
        junk = personal = 0
        judged = {}
        for path, size in files_below(home):
            relative = os.path.relpath(path, home)
            judged[path] = disposable(relative)
            junk += size if judged[path] else 0
            personal += 0 if judged[path] else size
        report = json.loads(subprocess.run(
            [f"{build}/cli/sorvane-cli", "--layout", "freedesktop", "scan", "--json", "--home", home],
            check=True, capture_output=True, env={**os.environ, "SORVANE_ROOT": root}).stdout)
        kept = set()
        offered = {}
        for category in report["categories"]:
            for item in category["kept"]:
                kept.update(p for p, _ in files_below(item["path"]))
            for item in category["items"]:
                for location in ([item["url"]] if item["url"] else []) + item["suburls"]:
                    if location.startswith(home + "/"):
                        for path, size in files_below(location):
                            offered.setdefault(path, (size, category["key"]))
        found = sum(size for path, (size, _) in offered.items() if path not in kept and judged.get(path))
        wrong = [(path, key) for path, (_, key) in offered.items() if path not in kept and not judged.get(path)]
        missed = {}
        for path, is_junk in judged.items():
            if is_junk and path not in offered:
                top = os.path.relpath(path, home).split("/")[:3]
                missed["/".join(top)] = missed.get("/".join(top), 0) + os.lstat(path).st_size
        print(f"disposable bytes laid out: {junk:,}; personal bytes: {personal:,}")
        print(f"disposable bytes offered:  {found:,} ({100 * found / max(junk, 1):.1f}%)")
        print(f"personal files offered:    {len(wrong)}")
        for path, key in sorted(wrong)[:20]:
            print(f"  {key}: {os.path.relpath(path, home)}")
        print("disposable, not offered (largest first):")
        for where, size in sorted(missed.items(), key=lambda kv: -kv[1])[:15]:
            print(f"  {size:>14,}  {where}")
        return 0 if not wrong else 1


if __name__ == "__main__":
    sys.exit(main())
