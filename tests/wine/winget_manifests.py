#!/usr/bin/env python3
"""Checks the winget manifests of a release folder (scripts/release.sh --out DIST).

DIST/winget holds the version, installer and default-locale manifests of the 1.6 schema: each
parses as YAML, holds the fields winget requires with values of the right form, all three name
the same package and version, and the installers are exactly the setup programs in DIST, each
with its architecture and checksum. Prints one line a fault and exits 1 when there is one.

Usage: tests/wine/winget_manifests.py DIST
"""
import hashlib
import pathlib
import re
import sys

import yaml

MANIFEST_VERSION = "1.6.0"
IDENTIFIER = re.compile(r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$')
SHA256 = re.compile(r"^[A-Fa-f0-9]{64}$")
SETUP = re.compile(r"^Brackwater-(\d+\.\d+\.\d+)-(win32|win64)-setup\.exe$")
ARCHITECTURE = {"win32": "x86", "win64": "x64"}

# Required fields of each manifest, and the longest value the schema allows (0: not a text).
REQUIRED = {
    "version": {"PackageIdentifier": 128, "PackageVersion": 128, "DefaultLocale": 20,
                "ManifestType": 0, "ManifestVersion": 0},
    "installer": {"PackageIdentifier": 128, "PackageVersion": 128, "Installers": 0,
                  "ManifestType": 0, "ManifestVersion": 0},
    "defaultLocale": {"PackageIdentifier": 128, "PackageVersion": 128, "PackageLocale": 20,
                      "Publisher": 256, "PackageName": 256, "License": 512,
                      "ShortDescription": 256, "ManifestType": 0, "ManifestVersion": 0},
}

faults = []


def fault(text):
    faults.append(text)


def load(path):
    try:
        with open(path, encoding="utf-8") as stream:
            data = yaml.safe_load(stream)
    except (OSError, UnicodeDecodeError, yaml.YAMLError) as error:
        fault(f"{path.name}: {error}")
        return {}
    if not isinstance(data, dict):
        fault(f"{path.name}: not a mapping")
        return {}
    return data


def check_fields(name, data, kind):
    for field, longest in REQUIRED[kind].items():
        value = data.get(field)
        if value is None or value == "" or value == []:
            fault(f"{name}: {field} is missing")
        elif longest and (not isinstance(value, str) or len(value) > longest):
            fault(f"{name}: {field} is not a text of at most {longest} characters: {value!r}")
    if data.get("ManifestType") != kind:
        fault(f"{name}: ManifestType is {data.get('ManifestType')!r}, not {kind}")
    if data.get("ManifestVersion") != MANIFEST_VERSION:
        fault(f"{name}: ManifestVersion is {data.get('ManifestVersion')!r}, not {MANIFEST_VERSION}")


def main(dist):
    folder = dist / "winget"
    versions = sorted(folder.glob("*.yaml")) if folder.is_dir() else []
    by_kind = {}
    for path in versions:
        data = load(path)
        by_kind.setdefault(data.get("ManifestType"), []).append((path.name, data))
    for kind in REQUIRED:
        if len(by_kind.get(kind, [])) != 1:
            fault(f"{folder}: {len(by_kind.get(kind, []))} {kind} manifests, not one")
    if faults:
        return
    (version_name, version), (installer_name, installer), (locale_name, locale) = (
        by_kind[kind][0] for kind in ("version", "installer", "defaultLocale"))
    for name, data, kind in ((version_name, version, "version"), (installer_name, installer, "installer"),
                             (locale_name, locale, "defaultLocale")):
        check_fields(name, data, kind)

    package, package_version = version.get("PackageIdentifier"), version.get("PackageVersion")
    if not isinstance(package, str) or not IDENTIFIER.match(package):
        fault(f"{version_name}: PackageIdentifier {package!r} is not Publisher.Package")
    for name, data in ((installer_name, installer), (locale_name, locale)):
        if (data.get("PackageIdentifier"), data.get("PackageVersion")) != (package, package_version):
            fault(f"{name}: names {data.get('PackageIdentifier')} {data.get('PackageVersion')}, "
                  f"not {package} {package_version}")
    expected_names = {f"{package}.yaml", f"{package}.installer.yaml",
                      f"{package}.locale.{version.get('DefaultLocale')}.yaml"}
    if {version_name, installer_name, locale_name} != expected_names:
        fault(f"{folder}: the files are {sorted((version_name, installer_name, locale_name))}, "
              f"not {sorted(expected_names)}")
    if locale.get("PackageLocale") != version.get("DefaultLocale"):
        fault(f"{locale_name}: PackageLocale {locale.get('PackageLocale')!r} is not the default locale")

    if installer.get("InstallerType") != "nullsoft":
        fault(f"{installer_name}: InstallerType is {installer.get('InstallerType')!r}, not nullsoft")
    if installer.get("Scope") != "user":
        fault(f"{installer_name}: Scope is {installer.get('Scope')!r}, not user")
    switches = installer.get("InstallerSwitches") or {}
    for switch, value in (("Silent", "/S"), ("SilentWithProgress", "/S"), ("InstallLocation", "/D=<INSTALLPATH>")):
        if switches.get(switch) != value:
            fault(f"{installer_name}: InstallerSwitches {switch} is {switches.get(switch)!r}, not {value}")

    setups = {}
    for path in dist.glob("Brackwater-*-setup.exe"):
        match = SETUP.match(path.name)
        if match and match.group(1) == package_version:
            setups[path.name] = (ARCHITECTURE[match.group(2)], path)
    if not setups:
        fault(f"{dist}: no setup program of version {package_version}")
    listed = set()
    entries = installer.get("Installers")
    for index, entry in enumerate(entries if isinstance(entries, list) else []):
        where = f"{installer_name}: installer {index + 1}"
        entry = entry if isinstance(entry, dict) else {}
        url = entry.get("InstallerUrl")
        if not isinstance(url, str) or not url.startswith("https://") or re.search(r"\s", url):
            fault(f"{where}: InstallerUrl {url!r} is not an https:// address")
            continue
        setup = url.rsplit("/", 1)[-1]
        if setup not in setups:
            fault(f"{where}: {setup} is not a setup program of the release")
            continue
        if setup in listed:
            fault(f"{where}: {setup} is listed twice")
        listed.add(setup)
        architecture, path = setups[setup]
        if entry.get("Architecture") != architecture:
            fault(f"{where}: Architecture of {setup} is {entry.get('Architecture')!r}, not {architecture}")
        checksum = entry.get("InstallerSha256")
        if not isinstance(checksum, str) or not SHA256.match(checksum):
            fault(f"{where}: InstallerSha256 {checksum!r} is not 64 hexadecimal digits")
        elif checksum.lower() != hashlib.sha256(path.read_bytes()).hexdigest():
            fault(f"{where}: InstallerSha256 of {setup} does not match the file")
    for setup in sorted(set(setups) - listed):
        fault(f"{installer_name}: {setup} is not listed")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    main(pathlib.Path(sys.argv[1]))
    for text in faults:
        print(f"winget: {text}")
    sys.exit(1 if faults else 0)
