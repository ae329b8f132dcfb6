#!/usr/bin/env python3
"""The functions a read runs, laid out together in the native plug-in.

A reading process maps the plug-in's code as it first touches it, 64 KB around each touch. With
the read's functions scattered over the whole code, a read of one file maps nearly all of it.
The native link lays the functions named in layout/read-path.order out together, one after
another.

Usage:
  read_path.py record BUILD_DIR ORDER_FILE
      Runs the corpus read pair of the plug-in tests under callgrind (valgrind must be
      installed), and writes the function sections of the plug-in that ran, with every alias
      of each function (a complete-object constructor shares its code with the base one).
      Run it on a GCC release build after changing what a read calls.
  read_path.py check PLUGIN ORDER_FILE
      Fails when a listed function is not in the plug-in any more (renamed: record again), or
      when the listed functions do not lie together (the link ignored the order).
"""

import os
import re
import subprocess
import sys
import tempfile

TEST = "ExifCorpus.TheReadPairCarriesNothingFromOneFileToTheNext"
HEADER = ("# The plug-in's functions that reading the corpus runs, one function section a line.\n"
          "# Recorded by tools/layout/read_path.py record; the link lays them out together.\n")


def functions(plugin):
    """Address, size and name of every function symbol of the plug-in."""
    out = subprocess.run(["nm", "-S", "--defined-only", plugin], capture_output=True, text=True,
                         check=True).stdout
    found = []
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 4 and parts[2] in "tTwW":
            found.append((int(parts[0], 16), int(parts[1], 16), parts[3]))
    return found


def ran(callgrind_out, object_name):
    """The names of the functions of one object that ran, from a callgrind output file."""
    objects, names, ran_names = {}, {}, set()
    current_object = current_function = None
    with open(callgrind_out, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            m = re.match(r"^(c?ob|c?fn)=\((\d+)\)(?: (.*))?$", line.rstrip("\n"))
            if m:
                kind, index, name = m.groups()
                table = objects if kind.endswith("ob") else names
                if name is not None:
                    table[index] = name
                if kind == "ob":
                    current_object = objects[index]
                elif kind == "fn":
                    current_function = names[index]
                continue
            if line[:1].isdigit() or line[:1] in "+-*":
                if current_object and current_object.endswith(object_name) and current_function:
                    ran_names.add(current_function.split("'")[0])  # 'N marks a recursion depth
    return ran_names


def record(build_dir, order_file):
    plugin = os.path.join(build_dir, "bin", "duxIPTC.nbp")
    tests = os.path.join(build_dir, "bin", "dux_plugin_tests")
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", "--demangle=no", "--callgrind-out-file=" + out,
                        "--toggle-collect=_ZN3dux5tools10PluginHost7Execute*",
                        tests, "--gtest_filter=" + TEST], check=True, capture_output=True)
        names = ran(out, os.path.basename(plugin))
    symbols = functions(plugin)
    by_address = {}
    for address, _, name in symbols:
        by_address.setdefault(address, []).append(name)
    sections = set()
    for address, _, name in symbols:
        if name in names:
            sections.update(by_address[address])
    if not sections:
        sys.exit("no function of the plug-in ran: is the build a native one with its tests?")
    with open(order_file, "w", encoding="utf-8") as f:
        f.write(HEADER)
        for name in sorted(sections):
            f.write(".text." + name + "\n")
    print(f"{len(sections)} function sections written to {order_file}")


def check(plugin, order_file):
    listed = []
    with open(order_file, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith(".text."):
                listed.append(line[len(".text."):])
    present = {name: (address, size) for address, size, name in functions(plugin)}
    missing = [name for name in listed if name not in present]
    for name in missing:
        print("FAIL not in the plug-in any more:", name)
    placed = sorted({present[name] for name in listed if name in present})
    if not placed:
        print("FAIL none of the listed functions is in the plug-in")
        return 1
    span = placed[-1][0] + placed[-1][1] - placed[0][0]
    total = sum(size for _, size in placed)
    # functions start on 16-byte boundaries: up to 15 bytes of padding after each
    together = span <= total + 16 * len(placed)
    print(f"{len(placed)} functions, {total} bytes, laid out over {span} bytes")
    if not together:
        print("FAIL the listed functions do not lie together: was the order file used?")
    if missing or not together:
        return 1
    print("[  PASSED  ] the read path lies together")
    return 0


def main(argv):
    if len(argv) == 4 and argv[1] == "record":
        record(argv[2], argv[3])
        return 0
    if len(argv) == 4 and argv[1] == "check":
        return check(argv[2], argv[3])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
