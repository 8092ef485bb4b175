#!/usr/bin/env python3
"""Runs each DOS test program through Dosrun under Wine and through dosbox (the reference, with
SDL's dummy drivers and its output redirected to a file inside DOS), and compares the outputs and
exit codes byte for byte."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

# name, program, command tail, standard input (a file of --inputs), extra files
# {DOS name: file of --inputs}, exit code the program is expected to end with.
CASES = [
    ("hello", "HELLO.COM", "", None, {}, 0),
    ("lines", "LINES.COM", "", "lines.in", {}, 0),
    ("filecopy", "FILECOPY.EXE", "", None, {"COPYIN.TXT": "filecopy.in"}, 0),
    ("exitcode", "EXITCODE.COM", "", None, {}, 42),
    # Wine's cmd.exe (which hands Dosrun its command line here) keeps runs of blanks but not
    # quotes as Windows' does: the tail has no quotes.
    ("tail", "TAIL.COM", "  one  two /x", None, {}, 0),
    ("notail", "TAIL.COM", "", None, {}, 0),
    ("screen", "SCREEN.COM", "", None, {}, 0),
    ("exercise", "EXERCISE.COM", "", None, {}, 0),
    ("startreg", "STARTREG.COM", "", None, {}, 0),
    ("parent", "PARENT.COM", "", None, {}, 6),
    ("stepper", "STEPPER.COM", "", None, {}, 0),
]


# Where the reference machine is not DOS: how DOS's output differs from dosbox's. dosbox keeps the
# LF that ends a CR LF line as the first character of the next line read through 0Ah (and echoes
# it), so that DEBUG reads every line of a script after the first as an error; DOS drops it.
DOS_FIXES = {
    "lines": lambda out: out.replace(b"\r\n\n", b"\r\n").replace(b"[5:\n", b"[4:"),
}


def exit_line(code):
    return b"exit %d\r\n" % code


def prepare(folder, programs, inputs):
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(programs):
        shutil.copy(os.path.join(programs, name), folder)
    for case in CASES:
        for dos_name, source in case[4].items():
            shutil.copy(os.path.join(inputs, source), os.path.join(folder, dos_name))


def run_dosbox(folder, inputs):
    """All cases in one dosbox session; returns {name: output + exit line}."""
    lines = ["mount c %s" % folder, "c:"]
    for i, (name, program, tail, stdin, _, code) in enumerate(CASES):
        command = program + tail
        if stdin:
            shutil.copy(os.path.join(inputs, stdin), os.path.join(folder, "IN%d.TXT" % i))
            command += " < IN%d.TXT" % i
        lines.append("%s > OUT%d.TXT" % (command, i))
        lines.append("IF ERRORLEVEL %d IF NOT ERRORLEVEL %d ECHO exit %d>> OUT%d.TXT" % (code, code + 1, code, i))
    lines.append("exit")
    config = os.path.join(folder, "dosbox.conf")
    with open(config, "w") as f:
        f.write("[sdl]\noutput=surface\n[mixer]\nnosound=true\n[speaker]\npcspeaker=false\n"
                "[cpu]\ncore=normal\ncycles=max\n[autoexec]\n" + "\n".join(lines) + "\n")
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy", HOME=folder)
    # dosbox ignores SIGTERM: a hung run is killed outright.
    subprocess.run(["timeout", "-s", "KILL", "120", "dosbox", "-conf", config, "-exit"], env=env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    outputs = {}
    for i, case in enumerate(CASES):
        path = os.path.join(folder, "OUT%d.TXT" % i)
        outputs[case[0]] = open(path, "rb").read() if os.path.exists(path) else b"(no output)"
    return outputs


def run_dosrun(folder, inputs, dosrun, wine):
    """Each case through Dosrun under Wine, from a command line that cmd.exe passes on as typed."""
    outputs = {}
    for name, program, tail, stdin, _, _ in CASES:
        source = open(os.path.join(inputs, stdin), "rb") if stdin else subprocess.DEVNULL
        result = subprocess.run([wine, "cmd", "/c", "Dosrun.exe " + program + tail], cwd=folder, stdin=source,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120, check=False)
        outputs[name] = result.stdout + exit_line(result.returncode)
        if result.stderr:
            sys.stderr.write("%s: %s\n" % (name, result.stderr.decode("latin-1").strip()))
    return outputs


def check_pass_through(folder, wine):
    """A Windows program (here Wine's cmd.exe) starts with the rest of Dosrun's command line as it
    was typed, and its exit code comes back. (Wine's cmd.exe, which hands Dosrun its line here,
    escapes quotes as Windows' does not: the line has none. echo drops the one blank after it.)"""
    failures = []
    for line, output, code in [("Dosrun.exe cmd /c echo  a  b/c", b" a  b/c\r\n", 0),
                               ("Dosrun.exe cmd /c exit 7", b"", 7)]:
        result = subprocess.run([wine, "cmd", "/c", line], cwd=folder, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120, check=False)
        if (result.stdout, result.returncode) != (output, code):
            failures.append("%s: %r, exit %d" % (line, result.stdout, result.returncode))
    return failures


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return i
    return min(len(a), len(b))


def main():
    parser = argparse.ArgumentParser()
    for option in ("--dosrun", "--programs", "--inputs", "--wine"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    args.wine = os.path.abspath(args.wine)
    with tempfile.TemporaryDirectory(prefix="dosrun-") as work:
        reference = os.path.join(work, "dosbox")
        ours = os.path.join(work, "dosrun")
        prepare(reference, args.programs, args.inputs)
        prepare(ours, args.programs, args.inputs)
        shutil.copy(args.dosrun, os.path.join(ours, "Dosrun.exe"))
        expected = run_dosbox(reference, args.inputs)
        for name, fix in DOS_FIXES.items():
            expected[name] = fix(expected[name])
        actual = run_dosrun(ours, args.inputs, args.dosrun, args.wine)
        passed_through = check_pass_through(ours, args.wine)
    failed = len(passed_through)
    for failure in passed_through:
        print("PASS-THROUGH FAILED " + failure)
    for name, *_ in CASES:
        if expected[name] == actual[name]:
            print("same    %s (%d bytes)" % (name, len(expected[name])))
            continue
        failed += 1
        at = first_difference(expected[name], actual[name])
        print("DIFFERS %s at byte %d" % (name, at))
        print("  dosbox: %r" % expected[name][max(0, at - 40):at + 80])
        print("  Dosrun: %r" % actual[name][max(0, at - 40):at + 80])
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
