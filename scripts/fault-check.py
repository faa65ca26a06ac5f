#!/usr/bin/env python3
"""Applies realistic faults to the code one at a time and records which tests
catch each one: for every fault in the list, replace one exact piece of text in
one file, rebuild, run the test suite (without the slow label), record the
failing tests, and put the file back.

usage: scripts/fault-check.py [--build DIR] [--list FILE] [--only ID,...] [--out REPORT.tsv]

The list (scripts/faults.txt by default) holds one block per fault:

    == id: what the fault is
    file: core/Geodesy.cpp
    - the exact text to replace (it must occur exactly once; several "- "
    - lines stand for consecutive lines)
    + the text that replaces it (likewise several "+ " lines)

The report has one line per fault: id, file, failing test count, a few of
their names; "BUILD FAILED" where the fault does not compile (the fault is then
not realistic and should be changed) and "NOT FOUND" where the text is missing.
"""
import argparse
import pathlib
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent


def read_faults(path):
    faults, current = [], None
    for raw in path.read_text().splitlines():
        if raw.startswith("== "):
            ident, _, what = raw[3:].partition(":")
            current = {"id": ident.strip(), "what": what.strip(), "file": None, "old": None, "new": None}
            faults.append(current)
        elif current is None or not raw.strip() or raw.startswith("#"):
            continue
        elif raw.startswith("file: "):
            current["file"] = raw[6:].strip()
        elif raw.startswith("- "):
            current["old"] = raw[2:] if current["old"] is None else current["old"] + "\n" + raw[2:]
        elif raw.startswith("+ "):
            current["new"] = raw[2:] if current["new"] is None else current["new"] + "\n" + raw[2:]
    return faults


def run(cmd, cwd, timeout):
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=timeout)


def failing_tests(build):
    junit = build / "fault-check-junit.xml"
    if junit.exists():
        junit.unlink()
    env_cmd = ["env", "QT_QPA_PLATFORM=offscreen", "ctest", "-j2", "-LE", "slow", "--timeout", "300",
               "--output-junit", str(junit)]
    try:
        run(env_cmd, build, 3600)
    except subprocess.TimeoutExpired:
        return ["(suite timed out)"]
    if not junit.exists():
        return ["(no test report)"]
    failed = []
    for case in ET.parse(junit).getroot().iter("testcase"):
        if case.get("status") == "fail" or case.find("failure") is not None:
            failed.append(case.get("name"))
    return failed


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=str(ROOT / "build"))
    parser.add_argument("--list", default=str(ROOT / "scripts" / "faults.txt"))
    parser.add_argument("--only", default="")
    parser.add_argument("--out", default="")
    args = parser.parse_args()
    build = pathlib.Path(args.build)
    faults = read_faults(pathlib.Path(args.list))
    if args.only:
        wanted = set(args.only.split(","))
        faults = [f for f in faults if f["id"] in wanted]
    lines = []
    for fault in faults:
        path = ROOT / fault["file"]
        text = path.read_text()
        if fault["old"] is None or fault["new"] is None or text.count(fault["old"]) != 1:
            result = "NOT FOUND" if fault["old"] is None or fault["old"] not in text else "NOT UNIQUE"
            lines.append(f"{fault['id']}\t{fault['file']}\t{result}\t\t{fault['what']}")
            print(lines[-1], flush=True)
            continue
        try:
            path.write_text(text.replace(fault["old"], fault["new"]))
            built = run(["cmake", "--build", str(build), "-j2"], ROOT, 3600)
            if built.returncode != 0:
                failed, result = [], "BUILD FAILED"
            else:
                failed = failing_tests(build)
                result = str(len(failed))
        finally:
            path.write_text(text)
        names = ", ".join(failed[:4]) + (" ..." if len(failed) > 4 else "")
        lines.append(f"{fault['id']}\t{fault['file']}\t{result}\t{names}\t{fault['what']}")
        print(lines[-1], flush=True)
    run(["cmake", "--build", str(build), "-j2"], ROOT, 3600)
    if args.out:
        pathlib.Path(args.out).write_text("id\tfile\tfailing tests\tsome of them\tfault\n" + "\n".join(lines) + "\n")
    missed = [l for l in lines if l.split("\t")[2] == "0"]
    print(f"{len(lines)} faults, {len(missed)} caught by no test", flush=True)
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
