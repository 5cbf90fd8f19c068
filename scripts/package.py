#!/usr/bin/env python3
"""Writes the portable release of a built cellaro.exe, byte for byte the same on every run.

    package.py --build-dir DIR --out-dir DIR --epoch SECONDS

From the source tree (the folder above this script) and the Windows build DIR it writes to the
output folder:

  Cellaro-<version>-win64.zip         cellaro.exe, Cellaro-User-Guide.htm and every local file the
                                      guide refers to (its pictures, in their folders under docs/),
                                      README.txt (CR LF), LICENSE and SHA256SUMS
  Cellaro-<version>-win64.zip.sha256  the zip's checksum, as sha256sum writes it
  cellaro.json                        a scoop manifest
  winget/Cellaro.Cellaro*.yaml        a winget manifest set: version, installer, default locale

The version is the one CMake configured the build with (the build's cellaro-version.txt, written
from project(VERSION)); the web addresses are the constants of src/core/product.h and the names of
the settings files those of src/config. Nothing depends on the clock, the user or the order of a
directory listing: every zip entry has the time --epoch, the same permissions and a fixed place.
"""

import argparse
import hashlib
import html.parser
import io
import json
import os
import re
import sys
import time
import urllib.parse
import zipfile
from pathlib import Path, PurePosixPath

SOURCE = Path(__file__).resolve().parent.parent
PACKAGE_ID = "Cellaro.Cellaro"
PUBLISHER = "The Cellaro developers"
SHORT_DESCRIPTION = "Places windows on a grid of the screen, from the notification area"
GUIDE = "Cellaro-User-Guide.htm"
EXE = "cellaro.exe"
SUMS = "SHA256SUMS"
# Every entry is an ordinary file, readable by all and writable by its owner.
ENTRY_MODE = 0o100644
ZIP_UNIX = 3


def fail(message):
    sys.exit(f"package.py: {message}")


def header_constant(relative_path, name):
    """The text of `inline constexpr std::string_view NAME = "...";` in a header of the sources."""
    text = (SOURCE / relative_path).read_text(encoding="utf-8")
    found = re.findall(r"\b" + re.escape(name) + r'\s*=\s*"([^"\\]*)"\s*;', text)
    if len(found) != 1:
        fail(f"{relative_path} holds no single string constant {name}")
    return found[0]


def header_integer(relative_path, name):
    text = (SOURCE / relative_path).read_text(encoding="utf-8")
    found = re.findall(r"\b" + re.escape(name) + r"\s*=\s*(\d+)\s*;", text)
    if len(found) != 1:
        fail(f"{relative_path} holds no single integer constant {name}")
    return int(found[0])


def settings_files():
    """The files the program keeps beside itself, as src/config names them: CRO.cfg, the scheme
    slots' files (schemeFileName(): "P0" and the slot number, so P01.IDX ... P09.IDX, P010.IDX)
    and color.cld."""
    slots = header_integer("src/config/scheme_file.h", "kSchemeSlotCount")
    return (
        [header_constant("src/config/config_keys.h", "kFileName")]
        + [f"P0{slot}.IDX" for slot in range(1, slots + 1)]
        + [header_constant("src/config/scheme_file.h", "kColourChooserFileName")]
    )


class References(html.parser.HTMLParser):
    """The addresses a page refers to: src, href, srcset and poster attributes and CSS url()s, in
    style sheets and style attributes."""

    CSS_URL = re.compile(r"""url\(\s*(['"]?)(.*?)\1\s*\)""")

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.addresses = []
        self._in_style = False

    def handle_starttag(self, tag, attrs):
        self._in_style = tag == "style"
        for name, value in attrs:
            if value is None:
                continue
            if name in ("src", "href", "poster", "data"):
                self.addresses.append(value)
            elif name == "srcset":
                self.addresses += [part.split()[0] for part in value.split(",") if part.split()]
            elif name == "style":
                self.addresses += [m.group(2) for m in self.CSS_URL.finditer(value)]

    def handle_endtag(self, tag):
        if tag == "style":
            self._in_style = False

    def handle_data(self, data):
        if self._in_style:
            self.addresses += [m.group(2) for m in self.CSS_URL.finditer(data)]


def guide_files(docs):
    """The guide and every local file it refers to, as (path in the zip, file). A reference to a
    file that is not there is an error: the package would ship a guide with a hole in it."""
    parser = References()
    parser.feed((docs / GUIDE).read_text(encoding="utf-8"))
    found = {GUIDE: docs / GUIDE}
    for address in parser.addresses:
        parts = urllib.parse.urlsplit(address.strip())
        if parts.scheme or parts.netloc or not parts.path:
            continue  # another site, mail, a script, or a place in the page itself
        relative = PurePosixPath(urllib.parse.unquote(parts.path))
        if relative.is_absolute() or ".." in relative.parts:
            fail(f"{GUIDE} refers to {address!r}, outside docs/")
        name = relative.as_posix()
        if not (docs / name).is_file():
            fail(f"{GUIDE} refers to {address!r}, which is not in docs/")
        found[name] = docs / name
    return found


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def zip_bytes(entries, epoch):
    """A zip of (name, bytes) in the given order, each entry stamped with the epoch (UTC)."""
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip's times start in 1980
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = ZIP_UNIX
            info.external_attr = ENTRY_MODE << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    return buffer.getvalue()


def yaml_text(value):
    # A JSON string is a YAML double-quoted scalar, so versions such as 1.10 stay strings.
    return json.dumps(value)


def winget_manifests(version, url, digest, website):
    header = "# Written by scripts/package.sh.\n# yaml-language-server: $schema=https://aka.ms/winget-manifest.{}.1.6.0.schema.json\n"
    package = f"PackageIdentifier: {PACKAGE_ID}\nPackageVersion: {yaml_text(version)}\n"
    tail = "ManifestVersion: 1.6.0\n"
    return {
        f"{PACKAGE_ID}.yaml": header.format("version")
        + package
        + "DefaultLocale: en-US\nManifestType: version\n"
        + tail,
        f"{PACKAGE_ID}.installer.yaml": header.format("installer")
        + package
        + "MinimumOSVersion: 10.0.0.0\n"
        + "InstallerType: zip\n"
        + "NestedInstallerType: portable\n"
        + "NestedInstallerFiles:\n"
        + f"- RelativeFilePath: {EXE}\n"
        + "  PortableCommandAlias: cellaro\n"
        + "Installers:\n"
        + "- Architecture: x64\n"
        + f"  InstallerUrl: {yaml_text(url)}\n"
        + f"  InstallerSha256: {digest.upper()}\n"
        + "ManifestType: installer\n"
        + tail,
        f"{PACKAGE_ID}.locale.en-US.yaml": header.format("defaultLocale")
        + package
        + "PackageLocale: en-US\n"
        + f"Publisher: {yaml_text(PUBLISHER)}\n"
        + "PackageName: Cellaro\n"
        + f"PackageUrl: {yaml_text(website)}\n"
        + "License: MIT\n"
        + f"ShortDescription: {yaml_text(SHORT_DESCRIPTION)}\n"
        + "ManifestType: defaultLocale\n"
        + tail,
    }


def scoop_manifest(version, url, digest, website):
    # The program replaces its files whole (write aside, then rename) and deletes saved schemes on
    # "Reset all", so scoop's "persist", which hard-links each file into the app folder, would lose
    # every change at the first save, and would make a folder of each file not there yet. Instead
    # the files are copied from scoop's persist folder before the install and back (deletions too)
    # before an update or uninstall, both of which run pre_uninstall.
    names = "@(" + ", ".join(f"'{name}'" for name in settings_files()) + ")"
    manifest = {
        "version": version,
        "description": SHORT_DESCRIPTION,
        "homepage": website,
        "license": "MIT",
        "url": url,
        "hash": digest,
        "bin": EXE,
        "shortcuts": [[EXE, "Cellaro"]],
        "##": "Settings are kept in the persist folder by pre_install and pre_uninstall: see scripts/package.py.",
        "pre_install": [
            f"foreach ($name in {names}) {{",
            '    if (Test-Path -LiteralPath "$persist_dir\\$name" -PathType Leaf) {',
            '        Copy-Item -LiteralPath "$persist_dir\\$name" -Destination "$dir\\$name" -Force',
            "    }",
            "}",
        ],
        "pre_uninstall": [
            "New-Item -ItemType Directory -Force -Path $persist_dir | Out-Null",
            f"foreach ($name in {names}) {{",
            '    if (Test-Path -LiteralPath "$dir\\$name" -PathType Leaf) {',
            '        Copy-Item -LiteralPath "$dir\\$name" -Destination "$persist_dir\\$name" -Force',
            '    } elseif (Test-Path -LiteralPath "$persist_dir\\$name" -PathType Leaf) {',
            '        Remove-Item -LiteralPath "$persist_dir\\$name" -Force',
            "    }",
            "}",
        ],
    }
    return json.dumps(manifest, indent=4) + "\n"


def write(path, data):
    """Writes the file whole or not at all: a run that fails leaves the last good file."""
    path.parent.mkdir(parents=True, exist_ok=True)
    temporary = path.with_name(path.name + ".part")
    temporary.write_bytes(data)
    os.replace(temporary, path)


def main():
    arguments = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    arguments.add_argument("--build-dir", type=Path, required=True)
    arguments.add_argument("--out-dir", type=Path, required=True)
    arguments.add_argument("--epoch", type=int, required=True)
    options = arguments.parse_args()

    version_file = options.build_dir / "cellaro-version.txt"
    if not version_file.is_file():
        fail(f"{version_file} is missing: configure the build with CMake first")
    version = version_file.read_text(encoding="utf-8").strip()
    if not re.fullmatch(r"\d+(\.\d+){1,3}", version):
        fail(f"{version_file} holds {version!r}, not a version")
    exe = options.build_dir / "src/platform/win32" / EXE
    if not exe.is_file():
        fail(f"{exe} is missing: build the Windows build first")

    website = header_constant("src/core/product.h", "kWebsite")
    download = header_constant("src/core/product.h", "kDownloadAddress")
    if "{version}" not in download:
        fail("kDownloadAddress in src/core/product.h has no {version}")
    zip_pattern = header_constant("src/core/product.h", "kReleaseZipName")
    if "{version}" not in zip_pattern:
        fail("kReleaseZipName in src/core/product.h has no {version}")
    zip_name = zip_pattern.replace("{version}", version)
    url = download.replace("{version}", version)
    if PurePosixPath(urllib.parse.urlsplit(url).path).name != zip_name:
        fail(f"kDownloadAddress gives {url}, which does not end in {zip_name}")

    readme = (SOURCE / "packaging/README.txt").read_text(encoding="utf-8")
    readme = readme.replace("{version}", version).replace("{website}", website)
    files = {name: path.read_bytes() for name, path in guide_files(SOURCE / "docs").items()}
    files[EXE] = exe.read_bytes()
    files["README.txt"] = readme.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")
    files["LICENSE"] = (SOURCE / "LICENSE").read_bytes()
    entries = sorted(files.items())
    sums = "".join(f"{sha256(data)}  {name}\n" for name, data in entries)
    entries.append((SUMS, sums.encode("ascii")))

    archive = zip_bytes(entries, options.epoch)
    digest = sha256(archive)
    out = options.out_dir
    write(out / zip_name, archive)
    write(out / f"{zip_name}.sha256", f"{digest}  {zip_name}\n".encode("ascii"))
    write(out / "cellaro.json", scoop_manifest(version, url, digest, website).encode("utf-8"))
    for name, text in winget_manifests(version, url, digest, website).items():
        write(out / "winget" / name, text.encode("utf-8"))
    print(f"{out / zip_name}: {len(archive)} bytes, sha256 {digest}")


if __name__ == "__main__":
    main()
