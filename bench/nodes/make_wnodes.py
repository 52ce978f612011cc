#!/usr/bin/env python3
"""Writes a wnodes.dat whose expansion gives about N node records.

Every line has two segments: nodes 1 to 9998 at spacing code 3, then an empty
segment from 9999 that ends before the next line's first node (1). Lines
repeat their node numbers, which nodes allows, so any count fits the
four-column node fields.
"""
import sys

target = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
per_line = 9998
lines = max(1, (target + per_line - 1) // per_line)
out = [f"{lines:3d}"]
for k in range(lines + 1):
    v = 0.5 * (k % 24)
    out.append(f"{v:7.4f} {0.0:7.4f} 2 {1:4d} 3 {9999:4d} 1")
sys.stdout.write("\n".join(out) + "\n")
