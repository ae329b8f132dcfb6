#!/usr/bin/env python3
"""What the plug-in makes of every corpus file, recorded once and compared after each change.

For each file: the variables and result of duxIPTCread and duxEXIFread (summaries included), and
for each JPEG the SHA-256 of two duxIPTCwrite results: the variables written back as read, and
with a new caption. The files are read from copies with a fixed time stamp, in UTC, so that the
file date in the summaries is the same on every machine.

Usage:
  snapshot.py record  NBHOST CORPUS_DIR SNAPSHOT.json
  snapshot.py compare NBHOST CORPUS_DIR SNAPSHOT.json     exit status 1 when anything differs
"""
import hashlib
import json
import os
import shutil
import subprocess
import sys
import tempfile

STAMP = 1577934246  # 2020-01-02 03:04:06 UTC, an even second as FAT keeps it
CAPTION = "A caption written by the snapshot"


def run(nbhost, env, *args):
    done = subprocess.run([nbhost, "--json", *args], capture_output=True, env=env, timeout=120)
    if done.returncode not in (0, 1):
        return {"exit": done.returncode}
    # Messages name the copy: its folder changes from run to run.
    reply = json.loads(done.stdout.decode("utf-8").replace(env["DUX_SNAPSHOT_DIR"], "<dir>"))
    return {"result": reply["result"], "set": reply["set"]}


def sha256(path):
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def write(nbhost, env, source, destination, variables):
    if os.path.exists(destination):
        os.remove(destination)
    sets = []
    for name, value in variables:
        sets += ["--set", f"{name}={value}"]
    outcome = run(nbhost, env, *sets, "duxIPTCwrite", source, destination)
    last_error = [v for n, v in outcome.get("set", []) if n == "[LastError]"]
    return {"result": outcome.get("result"), "exit": outcome.get("exit"),
            "sha256": sha256(destination), "error": last_error[0] if last_error else None}


def snapshot(nbhost, corpus):
    env = dict(os.environ, TZ="UTC", LC_ALL="C.UTF-8")
    files = sorted(os.path.relpath(os.path.join(d, f), os.path.join(corpus, "files"))
                   for d, _, names in os.walk(os.path.join(corpus, "files")) for f in names)
    result = {}
    with tempfile.TemporaryDirectory() as scratch:
        env["DUX_SNAPSHOT_DIR"] = scratch
        for relative in files:
            copy = os.path.join(scratch, os.path.basename(relative))
            shutil.copyfile(os.path.join(corpus, "files", relative), copy)
            os.utime(copy, (STAMP, STAMP))
            entry = {"iptc": run(nbhost, env, "duxIPTCread", copy),
                     "exif": run(nbhost, env, "duxEXIFread", copy)}
            if os.path.splitext(relative)[1].lower() in (".jpg", ".jpeg", ".jpe"):
                variables = [(n, v) for n, v in entry["iptc"].get("set", []) if n != "[duxIPTC_Header]"]
                out = os.path.join(scratch, "written.jpg")
                entry["write-as-read"] = write(nbhost, env, copy, out, variables)
                changed = [(n, CAPTION if n == "[duxIPTC_ImageCaption]" else v) for n, v in variables]
                entry["write-caption"] = write(nbhost, env, copy, out, changed)
            result[relative] = entry
            os.remove(copy)
    return result


def main():
    if len(sys.argv) != 5 or sys.argv[1] not in ("record", "compare"):
        print(__doc__)
        return 2
    mode, nbhost, corpus, path = sys.argv[1:]
    now = snapshot(nbhost, corpus)
    if mode == "record":
        with open(path, "w", encoding="utf-8") as f:
            json.dump(now, f, indent=1, ensure_ascii=False, sort_keys=True)
            f.write("\n")
        print(f"recorded {len(now)} files in {path}")
        return 0
    with open(path, encoding="utf-8") as f:
        then = json.load(f)
    differences = 0
    for name in sorted(set(then) | set(now)):
        for part in sorted(set(then.get(name, {})) | set(now.get(name, {}))):
            before, after = then.get(name, {}).get(part), now.get(name, {}).get(part)
            if before == after:
                continue
            differences += 1
            print(f"DIFFERS {name} {part}")
            if isinstance(before, dict) and isinstance(after, dict) and "set" in before and "set" in after:
                old, new = dict(map(tuple, before["set"])), dict(map(tuple, after["set"]))
                for key in sorted(set(old) | set(new)):
                    if old.get(key) != new.get(key):
                        print(f"  {key}: {old.get(key)!r} -> {new.get(key)!r}")
                if before.get("result") != after.get("result"):
                    print(f"  result: {before.get('result')} -> {after.get('result')}")
            else:
                print(f"  {before} -> {after}")
    print(f"{len(now)} files, {differences} differences from {path}")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
