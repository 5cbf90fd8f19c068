#!/usr/bin/env python3
"""Checks one output folder of scripts/package.sh against the build and the sources it came from.

    check_package.py OUT_DIR WINDOWS_BUILD_DIR SOURCE_DIR EPOCH [EXTRA_ENTRY ...]

The zip holds exactly cellaro.exe, the guide, README.txt, LICENSE, SHA256SUMS and the EXTRA_ENTRY
files (paths under docs/, e.g. the guide's pictures), each the same bytes as its source; every
entry is stamped EPOCH (UTC) with mode 0644; SHA256SUMS and the .sha256 file hold the right sums;
the version in the zip's name is the one in cellaro.exe's version resource and in every manifest,
and the manifests name the zip's hash and one download address ending in the zip's name.
"""

import hashlib
import json
import re
import sys
import time
import zipfile
from pathlib import Path

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def resource_version(exe):
    """The ProductVersion string of the executable's version resource (UTF-16, 32-bit aligned)."""
    key = "ProductVersion\0".encode("utf-16-le")
    at = exe.find(key)
    if at < 0:
        return None
    at += len(key)
    at += (4 - at % 4) % 4
    end = exe.find(b"\0\0", at)
    while end >= 0 and (end - at) % 2:
        end = exe.find(b"\0\0", end + 1)
    return exe[at:end].decode("utf-16-le")


def yaml_fields(text):
    """The `Key: value` lines of a flat manifest (list items included), values unquoted."""
    fields = {}
    for line in text.splitlines():
        match = re.fullmatch(r"[- ]*(\w+): (.+)", line)
        if match:
            value = match.group(2)
            fields[match.group(1)] = json.loads(value) if value.startswith('"') else value
    return fields


def main():
    out, build, source = (Path(p) for p in sys.argv[1:4])
    epoch = int(sys.argv[4])
    extra = sys.argv[5:]

    zips = sorted(out.glob("Cellaro-*-win64.zip"))
    if not check(len(zips) == 1, f"{out} holds {len(zips)} zips, not one"):
        return
    zip_path = zips[0]
    version = re.fullmatch(r"Cellaro-(.+)-win64\.zip", zip_path.name).group(1)
    archive_bytes = zip_path.read_bytes()
    digest = sha256(archive_bytes)

    exe = (build / "src/platform/win32/cellaro.exe").read_bytes()
    check(resource_version(exe) == version,
          f"cellaro.exe's version resource says {resource_version(exe)!r}, the zip {version!r}")

    expected = {
        "cellaro.exe": exe,
        "Cellaro-User-Guide.htm": (source / "docs/Cellaro-User-Guide.htm").read_bytes(),
        "LICENSE": (source / "LICENSE").read_bytes(),
    }
    for name in extra:
        expected[name] = (source / "docs" / name).read_bytes()

    with zipfile.ZipFile(zip_path) as archive:
        check(archive.testzip() is None, "an entry of the zip is damaged")
        infos = archive.infolist()
        names = [info.filename for info in infos]
        wanted = sorted(expected) + ["README.txt"]
        check(sorted(names) == sorted(wanted + ["SHA256SUMS"]),
              f"the zip holds {names}, not {sorted(wanted + ['SHA256SUMS'])}")
        check(names[-1:] == ["SHA256SUMS"], "SHA256SUMS is not the last entry")
        stamp = time.gmtime(epoch)[:6]
        stamp = stamp[:5] + (stamp[5] // 2 * 2,)  # a zip keeps even seconds
        for info in infos:
            check(info.date_time == stamp, f"{info.filename} is stamped {info.date_time}, not {stamp}")
            check(info.external_attr >> 16 == 0o100644,
                  f"{info.filename} has mode {oct(info.external_attr >> 16)}")
        content = {name: archive.read(name) for name in names}

    for name, data in expected.items():
        check(content.get(name) == data, f"{name} in the zip is not the same as its source")

    readme = content.get("README.txt", b"")
    check(readme.count(b"\n") > 10 and readme.count(b"\n") == readme.count(b"\r\n") and
          readme.endswith(b"\r\n"), "README.txt's lines do not all end in CR LF")
    for needed in (version, "cellaro.exe", "CRO.cfg", "Alt+W", "Cellaro-User-Guide.htm", "LICENSE"):
        check(needed.encode() in readme, f"README.txt does not mention {needed}")
    check(b"{" not in readme, "README.txt keeps a placeholder")

    sums = {}
    for line in content.get("SHA256SUMS", b"").decode("ascii").splitlines():
        match = re.fullmatch(r"([0-9a-f]{64})  (\S.*)", line)
        if check(match, f"SHA256SUMS has the line {line!r}"):
            sums[match.group(2)] = match.group(1)
    check(sorted(sums) == sorted(wanted), f"SHA256SUMS lists {sorted(sums)}, not {sorted(wanted)}")
    for name, value in sums.items():
        check(name in content and sha256(content[name]) == value, f"SHA256SUMS is wrong for {name}")

    sidecar = (out / (zip_path.name + ".sha256")).read_text(encoding="ascii")
    check(sidecar == f"{digest}  {zip_path.name}\n", f"{zip_path.name}.sha256 holds {sidecar!r}")

    scoop = json.loads((out / "cellaro.json").read_text(encoding="utf-8"))
    check(scoop.get("version") == version, f"cellaro.json has version {scoop.get('version')!r}")
    check(scoop.get("hash") == digest, "cellaro.json has another hash than the zip's")
    check(scoop.get("bin") == "cellaro.exe", "cellaro.json does not put cellaro.exe on the path")
    check(scoop.get("license") == "MIT", "cellaro.json's licence is not MIT")
    url = scoop.get("url", "")
    check(url.startswith("https://") and url.endswith("/" + zip_path.name),
          f"cellaro.json downloads {url!r}, not the zip")

    winget = out / "winget"
    manifests = {kind: yaml_fields((winget / f"Cellaro.Cellaro{kind}.yaml").read_text(encoding="utf-8"))
                 for kind in ("", ".installer", ".locale.en-US")}
    for kind, fields in manifests.items():
        check(fields.get("PackageVersion") == version,
              f"Cellaro.Cellaro{kind}.yaml has version {fields.get('PackageVersion')!r}")
        check(fields.get("ManifestVersion") == "1.6.0", f"Cellaro.Cellaro{kind}.yaml is not 1.6.0")
    installer = manifests[".installer"]
    check(installer.get("InstallerSha256", "").lower() == digest,
          "the winget installer manifest has another hash than the zip's")
    check(installer.get("InstallerUrl") == url, "the two manifests download different addresses")
    check(installer.get("RelativeFilePath") == "cellaro.exe", "winget does not run cellaro.exe")
    check(manifests[".locale.en-US"].get("PackageUrl") == scoop.get("homepage"),
          "the two manifests name different home pages")


if __name__ == "__main__":
    main()
    for failure in failures:
        print(f"FAIL: {failure}", file=sys.stderr)
    sys.exit(1 if failures else 0)
