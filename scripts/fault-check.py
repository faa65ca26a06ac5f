#!/usr/bin/env python3
"""Applies realistic faults to the code one at a time and records which tests
catch each one: for every fault in the list, replace one exact piece of text in
one file, rebuild, run the test suite (without the slow label), record the
failing tests, and put the file back.

usage: scripts/fault-check.py [--build DIR] [--list FILE] [--only ID,...] [--out REPORT.tsv]

The tests are those of ctest without the slow label, each test executable
run once for all of its tests, and after a fault only the test executables its
build changed (a test executable is relinked whenever a library it uses
changes). The suite must pass before any fault is applied.

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
import json
import os
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


def suite_plan(build):
    """The tests ctest would run (without the slow label), grouped by test
    executable: each group runs in one process, which is much faster than a
    process per test. Tests that are not plain GoogleTest calls stay with ctest."""
    listed = subprocess.run(["ctest", "--show-only=json-v1", "-LE", "slow"], cwd=build, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True, timeout=600)
    groups, others = {}, []
    for test in json.loads(listed.stdout[listed.stdout.index("{"):])["tests"]:
        command = test.get("command", [])
        props = {p["name"]: p["value"] for p in test.get("properties", [])}
        filters = [a[len("--gtest_filter="):] for a in command[1:] if a.startswith("--gtest_filter=")]
        if not command or len(filters) != 1:
            others.append(test["name"])
            continue
        group = groups.setdefault(command[0], {"names": [], "cwd": props.get("WORKING_DIRECTORY", str(build)),
                                               "env": props.get("ENVIRONMENT", [])})
        group["names"].append(filters[0])
    return groups, others


def executables(build):
    """Modification times of every executable file in the build tree."""
    times = {}
    for path in build.rglob("*"):
        if path.is_file() and os.access(path, os.X_OK) and "CMakeFiles" not in path.parts:
            times[str(path)] = path.stat().st_mtime_ns
    return times


def rebuilt(before, after, build):
    """The executables the last build changed; a changed program of app/ counts
    for every test of tests/app, which runs the programs."""
    changed = {path for path, time in after.items() if before.get(path) != time}
    if any(pathlib.Path(path).parent == build / "app" for path in changed):
        changed |= {path for path in after if pathlib.Path(path).parent == build / "tests" / "app"}
    return changed


def failing_tests(build, plan, only=None):
    """The failing tests; with only, just the test executables in it (those a
    fault's build changed) and the tests run through ctest."""
    groups, others = plan
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    failed = []
    for exe, group in groups.items():
        if only is not None and exe not in only:
            continue
        report = build / "fault-check-report.xml"
        if report.exists():
            report.unlink()
        group_env = dict(env, **dict(e.split("=", 1) for e in group["env"]))
        try:
            subprocess.run([exe, "--gtest_filter=" + ":".join(group["names"]), f"--gtest_output=xml:{report}"],
                           cwd=group["cwd"], env=group_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=900)
        except subprocess.TimeoutExpired:
            failed.append(f"(timed out: {pathlib.Path(exe).name})")
            continue
        if not report.exists():
            failed.append(f"(crashed: {pathlib.Path(exe).name})")
            continue
        for case in ET.parse(report).getroot().iter("testcase"):
            if case.find("failure") is not None:
                failed.append(f"{pathlib.Path(exe).name}:{case.get('classname')}.{case.get('name')}")
    if others:
        junit = build / "fault-check-junit.xml"
        if junit.exists():
            junit.unlink()
        pattern = "^(" + "|".join(re.escape(n) for n in others) + ")$"
        try:
            run(["ctest", "-R", pattern, "--timeout", "300", "--output-junit", str(junit)], build, 1200)
        except subprocess.TimeoutExpired:
            return failed + ["(ctest timed out)"]
        if junit.exists():
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
    plan = suite_plan(build)
    clean = failing_tests(build, plan)
    if clean:
        print("the suite fails without any fault: " + ", ".join(clean[:8]), file=sys.stderr)
        return 2
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
            times = executables(build)
            built = run(["cmake", "--build", str(build), "-j2"], ROOT, 3600)
            if built.returncode != 0:
                failed, result = [], "BUILD FAILED"
            else:
                failed = failing_tests(build, plan, rebuilt(times, executables(build), build))
                result = str(len(failed))
        finally:
            path.write_text(text)
        lines.append(f"{fault['id']}\t{fault['file']}\t{result}\t{', '.join(failed)}\t{fault['what']}")
        print(lines[-1], flush=True)
    run(["cmake", "--build", str(build), "-j2"], ROOT, 3600)
    if args.out:
        pathlib.Path(args.out).write_text("id\tfile\tfailing tests\tthe tests\tfault\n" + "\n".join(lines) + "\n")
    missed = [l for l in lines if l.split("\t")[2] == "0"]
    print(f"{len(lines)} faults, {len(missed)} caught by no test", flush=True)
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
