#!/usr/bin/env python3
"""The programs of the suite, as programs.txt lists them (that file says what
each field means), for the tests and scripts written in Python.

    from programs import PROGRAMS, of_kind
    PROGRAMS["meshexport"].writes         ("mesh.vtu", "mesh.msh", "mesh.inp")
    of_kind("tables")                     the table readers, in the list's order
"""
import os
from dataclasses import dataclass

REGISTRY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "programs.txt")
KINDS = ("batch", "picture", "exchange", "tables", "replaces", "example")


@dataclass(frozen=True)
class Program:
    name: str
    kinds: frozenset
    reads: tuple  # the inputs every run opens, the first one first
    reads_when_there: tuple  # those read only when they are there
    writes: tuple  # the outputs every run writes, the first one first
    writes_in_some_runs: tuple  # those written by some runs only
    examples: tuple  # the files of examples/ it runs on
    summary: str

    def __contains__(self, kind):
        return kind in self.kinds


def files(field):
    """The names of a field: (always, only some of the time)."""
    words = field.split()
    return tuple(w for w in words if not w.endswith("?")), tuple(w[:-1] for w in words if w.endswith("?"))


def parse(text):
    programs = {}
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        fields = [f.strip() for f in line.split("|")]
        if len(fields) != 6:
            raise ValueError(f"programs.txt, line {number}: not six fields split at \"|\"")
        name, kinds, reads, writes, examples, summary = fields
        unknown = set(kinds.split()) - set(KINDS)
        if not name or not summary or unknown or name in programs:
            raise ValueError(f"programs.txt, line {number}: {name!r}: no summary, kinds {sorted(unknown)} "
                             "unknown, or listed twice")
        programs[name] = Program(name, frozenset(kinds.split()), *files(reads), *files(writes),
                                 () if examples == "-" else tuple(examples.split()), summary)
    return programs


with open(REGISTRY, encoding="utf-8") as registry:
    PROGRAMS = parse(registry.read())


def of_kind(*kinds):
    """The names of the programs of every kind given, in the list's order."""
    return [p.name for p in PROGRAMS.values() if all(k in p for k in kinds)]


def example_files():
    """The files of examples/ the programs run on, each once, in the list's order."""
    return list(dict.fromkeys(f for p in PROGRAMS.values() for f in p.examples))

