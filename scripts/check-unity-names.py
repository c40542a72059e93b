#!/usr/bin/env python3
"""Checks that compiling a target's sources in unity batches cannot change what they mean.

A unity batch is one translation unit made of several source files, so the file-local names of
one file (static functions and variables, everything in an anonymous namespace) become visible to
the files after it. Two files with a file-local name in common either stop compiling or, for
functions with different parameters, silently form one overload set; a file-local function of one
file may also capture an unqualified call of another file meant for a function declared elsewhere.

Usage: scripts/check-unity-names.py [--reaches] <build folder>
Reads the unity batches under the build folder (configured with ORV_UNITY=ON) and, per batch,
lists with Universal Ctags:
  clash   the same file-local name defined in two files of the batch (rename one, or take one file
          out of the batches with the source property SKIP_UNITY_BUILD_INCLUSION);
  reaches (with --reaches) a file-local function of one file called unqualified in another file of the batch that
          does not define it (look at the call: a member of the calling class is found first, and
          is fine).
Exits 1 when there is a clash.
"""
import collections
import glob
import json
import os
import re
import shutil
import subprocess
import sys


def unity_batches(build):
    """'target/unity_N' -> the source files of that batch."""
    batches = {}
    for unity in sorted(glob.glob(os.path.join(build, "**", "Unity", "unity_*.cxx"), recursive=True)):
        target = os.path.basename(os.path.dirname(os.path.dirname(unity)))[: -len(".dir")]
        with open(unity) as f:
            sources = re.findall(r'#include "([^"]+)"', f.read())
        if len(sources) > 1:
            batches[f"{target}/{os.path.splitext(os.path.basename(unity))[0]}"] = sources
    return batches


def file_local_names(sources):
    """(scope, name) -> {file: kind} for the names each file keeps to itself."""
    ctags = shutil.which("ctags-universal") or "ctags"
    out = subprocess.run([ctags, "--output-format=json", "--fields=+KZSs", "--kinds-c++=-p",
                          "--language-force=c++", "-o", "-"] + sources,
                         capture_output=True, text=True, check=True).stdout
    names = collections.defaultdict(dict)
    for line in out.splitlines():
        tag = json.loads(line)
        if tag.get("_type") != "tag" or tag["name"].startswith("__anon"):
            continue
        scope = tag.get("scope", "")
        parts = scope.split("::") if scope else []
        # Ctags reads a test macro's body as a function: its statics are not file-local names.
        if tag["name"].startswith("TEST") or any(p.startswith("TEST") for p in parts):
            continue
        in_anon = bool(parts) and parts[-1].startswith("__anon")
        at_namespace = tag.get("scopeKind", "namespace") == "namespace"
        is_static = (tag["kind"] in ("function", "variable") and at_namespace
                     and re.match(r"/\^\s*(inline\s+)?static\b", tag.get("pattern", "")))
        if not (in_anon or is_static):
            continue
        key = ("::".join(p for p in parts if not p.startswith("__anon")), tag["name"])
        names[key][tag["path"]] = tag["kind"]
    return names


def main():
    args = sys.argv[1:]
    reaches = "--reaches" in args
    args = [a for a in args if a != "--reaches"]
    if len(args) != 1:
        sys.exit(__doc__)
    clashes = 0
    for target, sources in unity_batches(args[0]).items():
        names = file_local_names(sources)
        texts = {}
        for source in sources:
            with open(source, errors="replace") as f:
                texts[source] = f.read()
        for (scope, name), files in sorted(names.items()):
            shown = f"{scope}::{name}" if scope else name
            if len(files) > 1:
                clashes += 1
                print(f"{target}: clash {shown} in " + ", ".join(sorted(files)))
            if not reaches or "function" not in files.values():
                continue
            call = re.compile(r"(?<![\w.:>~])" + re.escape(name) + r"\s*\(")
            for source in sources:
                if source not in files and call.search(texts[source]):
                    print(f"{target}: reaches {shown} of {', '.join(sorted(files))} -> {source}")
    sys.exit(1 if clashes else 0)


if __name__ == "__main__":
    main()
