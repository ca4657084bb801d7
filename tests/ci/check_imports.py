#!/usr/bin/env python3
"""Checks that a Windows exe can load on Windows XP SP3.

Lists the DLLs and functions the exe imports (objdump -p of the matching
MinGW-w64 binutils) and fails when
  - a DLL is not one of the system DLLs that XP has and the program may use,
  - a function is one that XP SP3 lacks (the deny-list below), or any msvcrt
    function with the "_s" suffix,
  - a 32-bit exe asks for a subsystem version other than 5.01, or the exe is
    not a Windows GUI program (unless --console is given),
  - the exe is not marked Terminal-Server-aware,
  - the file is larger than --max-kib.

Usage: check_imports.py EXE [--max-kib N] [--console] [--quiet]
"""
import argparse
import fnmatch
import os
import re
import shutil
import struct
import subprocess
import sys

ALLOWED_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "comctl32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll",
    "msvcrt.dll",
}

# Functions that Windows XP SP3 does not export. A trailing * matches any ending.
DENIED_FUNCTIONS = [
    "GetTickCount64",
    "InitializeCriticalSectionEx",
    "InitializeSRWLock", "AcquireSRWLock*", "ReleaseSRWLock*", "TryAcquireSRWLock*",
    "InitializeConditionVariable", "SleepConditionVariable*",
    "WakeConditionVariable", "WakeAllConditionVariable",
    "InitOnce*",
    "FlsAlloc", "FlsFree", "FlsGetValue", "FlsSetValue",
    "GetSystemTimePreciseAsFileTime",
    "RegGetValueA", "RegGetValueW",
    "CompareStringEx", "LCMapStringEx", "GetLocaleInfoEx",
    "GetFileInformationByHandleEx", "SetFileInformationByHandle",
    "CreateSymbolicLink*", "GetFinalPathNameByHandle*", "QueryFullProcessImageName*",
    "GetErrorMode", "CancelIoEx",
    "CreateEventEx*", "CreateMutexEx*", "CreateSemaphoreEx*",
    "GetCurrentProcessorNumber", "GetNamedPipeClientProcessId",
    "RegDeleteKeyEx*", "RegSetKeyValue*", "RegDeleteTree*",
    "SHGetKnownFolderPath", "TaskDialog*",
    "GetUserDefaultLocaleName", "LocaleNameToLCID", "LCIDToLocaleName",
    "IsValidLocaleName", "ResolveLocaleName",
    "GetDynamicTimeZoneInformation",
    "WerRegister*",
]

MACHINE_I386 = 0x14C
MACHINE_AMD64 = 0x8664
# IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE
TERMINAL_SERVER_AWARE = 0x8000


def pe_machine(path):
    with open(path, "rb") as f:
        data = f.read(4096)
    if data[:2] != b"MZ":
        raise ValueError(f"{path}: not an MZ executable")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError(f"{path}: no PE header")
    return struct.unpack_from("<H", data, pe + 4)[0]


def objdump_for(machine):
    triplet = {MACHINE_I386: "i686-w64-mingw32", MACHINE_AMD64: "x86_64-w64-mingw32"}.get(machine)
    if triplet is None:
        raise ValueError(f"unknown PE machine 0x{machine:x}")
    tool = shutil.which(f"{triplet}-objdump") or shutil.which("objdump")
    if tool is None:
        raise FileNotFoundError(f"{triplet}-objdump not found")
    return tool


def parse_objdump(text):
    """Returns (header fields, {dll: [functions]}) from objdump -p output."""
    header = {}
    for key in ("MajorSubsystemVersion", "MinorSubsystemVersion", "Subsystem", "DllCharacteristics"):
        m = re.search(rf"^{key}\s+(\S+)", text, re.M)
        if m:
            header[key] = int(m.group(1), 10 if "Version" in key else 16)
    imports = {}
    current = None
    in_imports = False
    for line in text.splitlines():
        if line.startswith("The Import Tables"):
            in_imports = True
            continue
        if in_imports and re.match(r"^The \w", line):
            in_imports = False  # e.g. "The Export Tables", "The Function Table"
        if not in_imports:
            continue
        m = re.match(r"^\s*DLL Name:\s*(\S+)", line)
        if m:
            current = m.group(1).lower()
            imports.setdefault(current, [])
            continue
        # "\t<vma>\t  <hint>  <name>" or "\t<vma>\t  <ordinal> <ordinal>" (by ordinal)
        m = re.match(r"^\s+[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line)
        if current and m:
            imports[current].append(m.group(2))
    return header, imports


def problems_of(header, imports, machine, size, max_kib, console):
    problems = []
    for dll, functions in sorted(imports.items()):
        if dll not in ALLOWED_DLLS:
            problems.append(f"imports {dll}, which is not an allowed system DLL")
        for fn in functions:
            if any(fnmatch.fnmatchcase(fn, pat) for pat in DENIED_FUNCTIONS):
                problems.append(f"imports {dll}!{fn}, which Windows XP SP3 lacks")
            elif dll == "msvcrt.dll" and fn.endswith("_s"):
                problems.append(f"imports msvcrt.dll!{fn}; XP's msvcrt has no _s functions")
    if machine == MACHINE_I386:
        version = (header.get("MajorSubsystemVersion"), header.get("MinorSubsystemVersion"))
        if version != (5, 1):
            problems.append(f"subsystem version {version[0]}.{version[1]}, expected 5.1")
    want = 3 if console else 2
    if header.get("Subsystem") != want:
        problems.append(f"subsystem {header.get('Subsystem')}, expected {want}")
    if not header.get("DllCharacteristics", 0) & TERMINAL_SERVER_AWARE:
        problems.append("not marked Terminal-Server-aware (link with --tsaware)")
    if max_kib is not None and size > max_kib * 1024:
        problems.append(f"size {size} bytes is above the limit of {max_kib} KiB")
    return problems


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("exe")
    ap.add_argument("--max-kib", type=int, default=None)
    ap.add_argument("--console", action="store_true", help="expect the console subsystem")
    ap.add_argument("--quiet", action="store_true", help="do not list the imports")
    args = ap.parse_args(argv)

    machine = pe_machine(args.exe)
    out = subprocess.run([objdump_for(machine), "-p", args.exe], check=True,
                         capture_output=True, text=True, errors="replace").stdout
    header, imports = parse_objdump(out)
    if not imports:
        print(f"{args.exe}: objdump listed no imports", file=sys.stderr)
        return 1
    size = os.path.getsize(args.exe)
    arch = "i686" if machine == MACHINE_I386 else "x86_64"
    print(f"{args.exe}: {arch}, subsystem {header.get('Subsystem')} "
          f"version {header.get('MajorSubsystemVersion')}.{header.get('MinorSubsystemVersion')}, "
          f"{size} bytes ({(size + 1023) // 1024} KiB)")
    if not args.quiet:
        for dll, functions in sorted(imports.items()):
            print(f"  {dll}: {' '.join(sorted(functions))}")
    problems = problems_of(header, imports, machine, size, args.max_kib, args.console)
    for p in problems:
        print(f"FAIL: {args.exe}: {p}", file=sys.stderr)
    if not problems:
        print("imports OK")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
