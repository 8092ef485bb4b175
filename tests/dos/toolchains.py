#!/usr/bin/env python3
"""Runs a DOS toolchain (a folder holding some of MASM.EXE, LINK.EXE, TASM.EXE, TLINK.EXE) on our
sample programs through Dosrun under Wine and through dosbox (the reference), and compares what
each tool prints, the object and program files it writes (masking only the header bytes a linker
leaves unset: the checksum and the unused bytes before the relocation table), and what each
program prints. With --timing it also times each tool, whole process, on a 3,000-line source in
both machines. Prints one table line per step; exits 1 when any step differs. The toolchains are
not ours: nothing here ships them; without the folder the script says so and ends with 0."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

ASSEMBLERS = {
    # assembler, its line, linker, its line
    "masm": ("MASM.EXE", "MASM.EXE {b}.ASM;", "LINK.EXE", "LINK.EXE {b}.OBJ;"),
    "tasm": ("TASM.EXE", "TASM.EXE {b}.ASM", "TLINK.EXE", "TLINK.EXE {b}.OBJ"),
}
DOSBOX_CONF = ("[sdl]\noutput=surface\n[mixer]\nnosound=true\n[speaker]\npcspeaker=false\n"
               "[cpu]\ncore=normal\ncycles=max\n[autoexec]\n")


def dosbox(folder, commands):
    """Runs the commands in one dosbox session in `folder` (as C:), each one's output to OUTn.TXT;
    returns the session's wall time."""
    lines = ["mount c %s" % folder, "c:"]
    lines += ["%s > OUT%d.TXT" % (command, i) for i, command in enumerate(commands)]
    lines.append("exit")
    config = os.path.join(folder, "dosbox.conf")
    with open(config, "w") as f:
        f.write(DOSBOX_CONF + "\n".join(lines) + "\n")
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy", HOME=folder)
    start = time.monotonic()
    subprocess.run(["timeout", "-s", "KILL", "300", "dosbox", "-conf", config, "-exit"], env=env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    elapsed = time.monotonic() - start
    outputs = []
    for i in range(len(commands)):
        path = os.path.join(folder, "OUT%d.TXT" % i)
        outputs.append(open(path, "rb").read() if os.path.exists(path) else b"(no output)")
        if os.path.exists(path):
            os.remove(path)
    os.remove(config)
    return outputs, elapsed


# Wine needs these; the rest of the environment stays out, so that programs see an environment of
# the size DOS machines give them (MASM and TASM print the memory left).
# (Time it with --wine naming Wine itself: a wrapper that starts a display of its own for each run
# would be timed with it.)
KEPT = ("PATH", "HOME", "DISPLAY", "WINEPREFIX", "WINEARCH", "WINEDEBUG", "WINEDLLOVERRIDES", "LANG", "LC_ALL")


def dosrun(folder, wine, command):
    start = time.monotonic()
    env = {name: os.environ[name] for name in KEPT if name in os.environ}
    result = subprocess.run([wine, "cmd", "/c", "Dosrun.exe " + command], cwd=folder, stdin=subprocess.DEVNULL, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300, check=False)
    return result.stdout + result.stderr, time.monotonic() - start


def dosrun_time(folder, wine, command):
    """Dosrun's whole process, started by Wine itself (as a program starts it), output to a file;
    a start that Wine refused (its server was ending) is tried again."""
    for _ in range(5):
        path = os.path.join(folder, "TIMED.OUT")
        with open(path, "wb") as out:
            start = time.monotonic()
            subprocess.run([wine, "Dosrun.exe"] + command.split(), cwd=folder, stdin=subprocess.DEVNULL, stdout=out,
                           stderr=subprocess.STDOUT, timeout=300, check=False)
            elapsed = time.monotonic() - start
        if os.path.getsize(path) > 0:
            return elapsed
    return float("nan")


def masked(data, name):
    """An MZ program's bytes with the header bytes a linker leaves unset zeroed."""
    if not name.endswith(".EXE") or data[:2] != b"MZ" or len(data) < 0x1C:
        return data
    data = bytearray(data)
    data[0x12:0x14] = b"\0\0"
    table = data[0x18] | data[0x19] << 8
    header = (data[8] | data[9] << 8) * 16
    for i in range(0x1C, min(table, header, len(data))):
        data[i] = 0
    relocations = (data[6] | data[7] << 8) * 4
    for i in range(table + relocations, min(header, len(data))):
        data[i] = 0
    return bytes(data)


def snapshot(folder):
    """The object and program files in `folder` by their upper-case names (TLINK writes lower case)."""
    return {name.upper(): open(os.path.join(folder, name), "rb").read() for name in os.listdir(folder)
            if name.upper().endswith((".OBJ", ".EXE")) and not name.upper().startswith(("MASM", "LINK", "TASM", "TLINK"))}


def without_memory_left(output):
    """The output less the lines that tell how much memory was left: they follow the machine's
    layout and the size of the environment, not the tool's work."""
    return b"\n".join(line for line in output.split(b"\n") if b"free" not in line and b"memory" not in line)


def prepare(folder, toolchain, samples):
    os.makedirs(folder)
    for name in os.listdir(toolchain):
        shutil.copy(os.path.join(toolchain, name), os.path.join(folder, name.upper()))
    for name in samples:
        target = os.path.join(folder, name)
        shutil.copy2(samples[name], target)
        os.utime(target, (1700000000, 1700000000))  # tools that record the source's time see one


def big_source():
    lines = ["data segment", "buf db 256 dup(0)", "data ends", "code segment", "assume cs:code, ds:data", "start:",
             "    mov ax, data", "    mov ds, ax"]
    for i in range(2980):
        lines.append("l%d: mov ax, %d" % (i, i) if i % 3 == 0 else "    add bx, word ptr buf[%d]" % (i % 200)
                     if i % 3 == 1 else "    jmp short l%d" % (i - i % 3 + 3) if i < 2977 else "    nop")
    lines += ["    mov ax, 4c00h", "    int 21h", "code ends", "end start"]
    return "\r\n".join(lines) + "\r\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--toolchain", required=True)
    parser.add_argument("--dosrun", required=True)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--samples", required=True, help="a folder of .asm programs of our own")
    parser.add_argument("--timing", action="store_true")
    parser.add_argument("--timing-only", action="store_true", help="time the tools, compare nothing")
    args = parser.parse_args()
    args.wine = shutil.which(args.wine) or args.wine
    if not os.path.isdir(args.toolchain):
        print("toolchains: no folder %s: nothing compared" % args.toolchain)
        return 0
    present = {name.upper() for name in os.listdir(args.toolchain)}
    wine = os.path.abspath(args.wine)
    samples = {}
    for name in sorted(os.listdir(args.samples)):
        text = open(os.path.join(args.samples, name), "rb").read().lower()
        if name.endswith(".asm") and b"end start" in text and len(name) <= 12:
            samples[name.upper()] = os.path.join(args.samples, name)
    failed = 0
    with tempfile.TemporaryDirectory(prefix="toolchains-") as work:
        for assembler, (asm, asm_line, link, link_line) in ASSEMBLERS.items():
            if asm not in present or link not in present:
                continue
            steps = []
            for sample in ([] if args.timing_only else samples):
                base = sample[:-4]
                steps += [(asm, base + ".OBJ", asm_line.format(b=base)), (link, base + ".EXE", link_line.format(b=base)),
                          ("program", "", base + ".EXE")]
            reference = os.path.join(work, assembler + "-dosbox")
            ours = os.path.join(work, assembler + "-dosrun")
            prepare(reference, args.toolchain, samples)
            prepare(ours, args.toolchain, samples)
            shutil.copy(args.dosrun, os.path.join(ours, "Dosrun.exe"))
            expected, _ = dosbox(reference, [line for _, _, line in steps])
            for (tool, written, line), wanted in zip(steps, expected):
                got, _ = dosrun(ours, wine, line)
                files_ref, files_ours = snapshot(reference), snapshot(ours)
                files = [written] if written else []
                same_files = all(masked(files_ref.get(n, b"-"), n) == masked(files_ours.get(n, b""), n) for n in files)
                same_output = wanted == got
                output = "same" if same_output else "same but the memory left" \
                    if without_memory_left(wanted) == without_memory_left(got) else "DIFFERS"
                failed += not (same_files and output != "DIFFERS")
                print("%-6s %-10s %-13s output %-25s %s" % (assembler, tool, line.split()[-1].rstrip(";"), output,
                      ("%s %s" % (written, "same" if same_files else "DIFFERS")) if written else ""))
                if output == "DIFFERS":
                    print("  dosbox: %r\n  Dosrun: %r" % (wanted[:300], got[:300]))
            if args.timing or args.timing_only:
                folder = os.path.join(work, assembler + "-timing")
                os.makedirs(folder)
                for name in os.listdir(args.toolchain):
                    shutil.copy(os.path.join(args.toolchain, name), os.path.join(folder, name.upper()))
                shutil.copy(args.dosrun, os.path.join(folder, "Dosrun.exe"))
                with open(os.path.join(folder, "BIG.ASM"), "w") as f:
                    f.write(big_source())
                # Best of three each; Wine's server is running when Dosrun is timed.
                empty = min(dosbox(folder, [])[1] for _ in range(3))
                for line in (asm_line.format(b="BIG"), link_line.format(b="BIG")):
                    box = min(dosbox(folder, [line])[1] for _ in range(3))
                    subprocess.run([wine, "cmd", "/c", "exit"], stdout=subprocess.DEVNULL, check=False)
                    ours_time = min(dosrun_time(folder, wine, line) for _ in range(3))
                    print("%-6s timing %-10s Dosrun %.2fs, dosbox %.2fs (%.2fs less its empty session): %.2fx, %.2fx"
                          % (assembler, line.split()[0], ours_time, box, box - empty, ours_time / box,
                             ours_time / max(box - empty, 1e-3)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
