#!/usr/bin/env python3
"""Mutation check: does the test suite catch hand-made faults of the product code?

Each mutant is one exact text of one source file and what replaces it: a
flipped comparison, a swapped operator, a constant off by one, a dropped
condition. For each mutant in turn the script changes the file, rebuilds
(ninja rebuilds only what the file reaches), runs the tests that can see
the fault (all of them with --all-tests) until the first failing one,
records whether a test caught the fault, and puts the file back as it was,
also when interrupted.

  scripts/mutation-check.py [--build DIR] [--only NAME ...] [--out FILE] [--all-tests]

The build folder must already be configured and built. A mutant whose
original text is not found exactly once, or which does not compile, is
reported as such and counts neither way. The exit status is 1 when a mutant
survived.
"""
import argparse
import os
import subprocess
import sys
import time

# (name, file, original text, replacement)
MUTANTS = [
    # records: files, editing, format control, diagnostics, the run's end
    ("planned-fill-drops-nothing", "records/input_file.cpp", "    dropped_ += plan.keep - begin_;",
     "    dropped_ += 0;"),
    ("abandoned-fill-not-read-back", "records/input_file.cpp",
     "    if (plan.planned && plan.got > 0 && ::lseek(", "    if (false && ::lseek("),
    ("crlf-kept", "records/input_file.cpp", "text.back() == '\\r'", "text.back() == '\\n'"),
    ("passed-lines-off-by-one", "records/input_file.cpp", "    record_line_ = lines_read_;\n    line_ended_ = record_ended_ = true;",
     "    record_line_ = lines_read_ - 1;\n    line_ended_ = record_ended_ = true;"),
    ("blank-line-read-plainly", "records/tables.hpp",
     "    if (line.find_first_not_of(' ') == std::string_view::npos) return false;\n", ""),
    ("helper-part-after-a-stop", "records/block_reading.hpp", "            if (!part.whole) break;\n", ""),
    ("direct-lines-uncounted", "records/output_file.cpp",
     "put_out(text.data(), whole, static_cast<long>(count_line_feeds(text.data(), whole)))",
     "put_out(text.data(), whole, 0L)"),
    ("direct-lines-before-the-block", "records/output_file.cpp",
     "            if (!flush()) return false;\n            const void* last", "            const void* last"),
    ("last-batch-dropped", "records/side_by_side.hpp", "for (std::size_t k = 0; k < batches; ++k)",
     "for (std::size_t k = 0; k + 1 < batches; ++k)"),
    ("batch-ends-early", "records/side_by_side.hpp", "std::min((k + 1) * per_batch, count)",
     "std::min((k + 1) * per_batch - 1, count)"),
    ("plain-field-kinds-unchecked", "records/tables.hpp", "if (fields[i].value != kinds[i]) return;",
     "if (fields[i].value == kinds[i] && false) return;"),
    ("read-on-past-a-stop", "records/block_reading.hpp",
     "done.size == 0 || (done.parts[0].whole && done.parts[1].whole)", "true"),
    ("read-ahead-kept-past-a-stop", "records/block_reading.hpp", "            r.take_back_table_lines(unit);\n", ""),
    ("fill-ahead-over-the-lines", "records/input_file.cpp", "half = begin_ < room ? room : 0;", "half = begin_ < room ? 0 : room;"),
    ("dropped-lines-lost", "records/input_file.cpp", "    dropped_ += keep - begin_;\n", ""),
    ("helper-fault-dropped", "records/side_by_side.cpp",
     "if (std::exception_ptr fault = helper->wait()) std::rethrow_exception(fault);", "(void)helper->wait();"),
    ("zero-text-unchecked", "records/tables.hpp",
     "if (!read_plain_real(zero, f.digits, value) || std::bit_cast<std::uint32_t>(value) != 0) return;",
     "read_plain_real(zero, f.digits, value);"),
    ("field-words-head-only", "records/tables.hpp", "std::memcpy(&words.tail, text + width - 8, 8);",
     "std::memcpy(&words.tail, text + width - width, 8);"),
    ("same-text-other-column", "records/tables.hpp", "same_text(text + f.offset, previous + f.offset, f.width)",
     "same_text(text + f.offset, previous, f.width)"),
    ("record-copy-short-piece", "records/files.hpp", "(size >= 16) copy_two_pieces<16>", "(size >= 16) copy_two_pieces<8>"),
    ("down-ties-up", "records/exponent_editing.cpp", "(rest == other && (s.floor & 1) != 0)", "(rest == other)"),
    ("ties-away-from-even", "records/decimal_scaling.hpp",
     "if (rest > half || (rest == half && (s.floor & 1) != 0)) ++s.rounded;", "if (rest >= half) ++s.rounded;"),
    ("no-leading-zero", "records/fixed_editing.cpp", "bool zero_before_point = integer_digits == 0;",
     "bool zero_before_point = integer_digits < 0;"),
    ("overflow-at-width", "records/fixed_editing.cpp", "    if (length > width) {\n        std::memset(field, '*', static_cast<std::size_t>(width));\n        return true;",
     "    if (length >= width) {\n        std::memset(field, '*', static_cast<std::size_t>(width));\n        return true;"),
    ("implied-decimals-flipped", "records/input_editing.cpp", "if (!point) fraction_digits = digits;",
     "if (point) fraction_digits = digits;"),
    ("exponent-sign-flipped", "records/input_editing.cpp",
     "exponent = exponent * 10 + static_cast<int>(d);\n        }\n        if (exponent_negative) exponent = -exponent;",
     "exponent = exponent * 10 + static_cast<int>(d);\n        }\n        if (!exponent_negative) exponent = -exponent;"),
    ("blanks-not-ignored", "records/input_editing.cpp", "if (c != ' ' && size < chars.size())",
     "if (size < chars.size())"),
    ("diagnostic-first-column", "records/diagnostics.cpp", "last - static_cast<std::size_t>(item.width) + 1;",
     "last - static_cast<std::size_t>(item.width) + 0;"),
    ("reversion-to-first-item", "records/format_control.cpp", "st.next_item = st.format->reversion_point();",
     "st.next_item = 0;"),
    ("skip-one-more", "records/format_control.cpp", "st.position += static_cast<std::size_t>(item.width);\n        break;",
     "st.position += static_cast<std::size_t>(item.width) + 1;\n        break;"),
    ("step-carries-into-nine", "records/output_editing.hpp", "if (tens < '0' || tens > '8') return false;",
     "if (tens < '0' || tens > '9') return false;"),
    ("changed-field-not-blanked", "records/record_making.hpp", "std::memset(field, ' ', f.width);", ";"),
    ("last-record-by-length", "records/record_making.hpp", "bool fresh = format_ != format.serial();",
     "bool fresh = record_.size() != format.record_length();"),
    ("read-run-rereads-last-item", "records/read_statements.cpp", "st.next_item = ours.back().item + 1;",
     "st.next_item = ours.back().item;"),
    ("pause-stop-flipped", "records/operator_answer.cpp", 'return word == "stop";', 'return word != "stop";'),
    ("plural-of-one", "records/run_state.hpp", '(n == 1 ? "" : "s")', '(n == 0 ? "" : "s")'),
    ("failed-close-succeeds", "records/run_end.cpp", "if (!failures.empty()) status = std::max(status, 1);",
     "if (!failures.empty()) status = std::max(status, 0);"),
    ("reverts-to-last-repeat", "records/format.cpp", "if (depth == 0) f_.reversion_point_ = start;",
     "if (depth == 0) f_.reversion_point_ = f_.items_.size() - body.size();"),
    ("group-one-time-more", "records/format.cpp", "for (int k = 1; k < repeat; ++k)",
     "for (int k = 1; k <= repeat; ++k)"),
    # polar
    ("e11-kftt-term-sign", "polar/lamina.cpp", "* dnu) / ((1.0f / gm + vf / km) + vm / m.kftt);",
     "* dnu) / ((1.0f / gm + vf / km) - vm / m.kftt);"),
    ("nu12-kftt-term-sign", "polar/lamina.cpp", "(1.0f / km - 1.0f / m.kftt)", "(1.0f / km + 1.0f / m.kftt)"),
    ("g12-denominator", "polar/lamina.cpp", "((vf + 1.0f) * gm)", "((vf - 1.0f) * gm)"),
    ("nuftt-constant", "polar/lamina.cpp", "k.nuftt = m.eft / (m.gftt * 2.0f) + (-1.0f);",
     "k.nuftt = m.eft / (m.gftt * 2.0f) + (-0.5f);"),
    ("c12-term-sign", "polar/lamina.cpp", "((p.nu32 + p.nu12 * p.nu31) * p.e22)", "((p.nu32 - p.nu12 * p.nu31) * p.e22)"),
    ("g13-s12-sign", "polar/off_axis.cpp", "(((s11 - s12) * 2.0f) * sn)", "(((s11 + s12) * 2.0f) * sn)"),
    ("angle-row-columns-swapped", "polar/off_axis.cpp", "v.k3, v.nu32, v.nu13);", "v.k3, v.nu13, v.nu32);"),
    ("negative-nu32-stored-positive", "polar/off_axis.cpp", "tables.negnu32(j, k) = v.nu32;",
     "tables.negnu32(j, k) = -v.nu32;"),
    ("theta-from-one", "polar/off_axis.cpp", "static_cast<float>(j) + -1.0f", "static_cast<float>(j) + 0.0f"),
    ("pivot-tie-to-first", "polar/inversion.cpp", "if (dum >= aamax) {", "if (dum > aamax) {"),
    ("pause-after-compliance-heading", "polar/property_report.cpp",
     "    for (const zero_row& zero : l.zero_rows) pause_for(r, vf, zero);\n\n"
     "    r.write(units::polar_out, compliance_heading);\n",
     "    r.write(units::polar_out, compliance_heading);\n"
     "    for (const zero_row& zero : l.zero_rows) pause_for(r, vf, zero);\n"),
    ("singular-row-no-pause", "polar/inversion.cpp", 'if (aamax == 0.0f) pause("singular matrix", i);',
     'if (aamax < 0.0f) pause("singular matrix", i);'),
    ("digit-count-short", "records/decimal_scaling.hpp", "return estimate + (n >= powers_of_ten[estimate] ? 1 : 0);",
     "return estimate + (n > powers_of_ten[estimate] ? 1 : 0);"),
    ("literal-not-in-record", "records/format.cpp",
     "f_.record_template_.replace(position, item.text_length, f_.literal(item));", "(void)0;"),
    ("exact-read-too-wide", "records/input_editing.cpp", "exact_mantissa = std::uint32_t{1} << 24;",
     "exact_mantissa = std::uint32_t{1} << 25;"),
    ("torn-record-kept", "records/output_file.cpp", "length_ += static_cast<std::int64_t>(kept);",
     "length_ += static_cast<std::int64_t>(done);"),
    ("block-records-uncounted", "records/output_file.cpp", "bool put = put_out(buffer_.get(), used_, records_buffered_);",
     "bool put = put_out(buffer_.get(), used_, 0);"),
    # nodes
    ("spacing-zero-means-two", "nodes/node_table.cpp", "if (line.it[incr] == 0) line.it[incr] = 1;",
     "if (line.it[incr] == 0) line.it[incr] = 2;"),
    ("segment-one-node-longer", "nodes/node_table.cpp", "line.ind[incr + 1], 1);", "line.ind[incr + 1], 0);"),
    ("corner-flag-or", "nodes/node_table.cpp", "(h == 0.0f && line.v == 12.0f)", "(h == 0.0f || line.v == 12.0f)"),
    ("ih-flag-flipped", "nodes/node_table.cpp", "std::int32_t ih = h == 0.0f ? 1 : 0;",
     "std::int32_t ih = h != 0.0f ? 1 : 0;"),
    # topo
    ("renumbering-table-left-over", "topo/renumbering.cpp", "inds < pairs_;", "inds <= pairs_;"),
    ("range-upper-bound-included", "topo/renumbering.cpp", "if (v >= ond_[indsp1]) continue;",
     "if (v > ond_[indsp1]) continue;"),
    ("passes-per-line", "topo/groups.cpp", "(g.nel - 1) / g.elements_per_line + 1",
     "g.nel / g.elements_per_line + 1"),
    ("line-layouts-swapped", "topo/groups.cpp",
     "return elements_per_line == 5 ? layouts::five_per_line : layouts::six_per_line;",
     "return elements_per_line == 6 ? layouts::five_per_line : layouts::six_per_line;"),
    ("fifty-pairs-refused", "topo/groups.cpp", "if (g.pairs > range_table::max_pairs)",
     "if (g.pairs >= range_table::max_pairs)"),
    ("widening-fan-top-step", "topo/sections.cpp", "widening_fan,  7, 2, 1, 2}", "widening_fan,  7, 2, 2, 2}"),
    ("fan-centre-offset", "topo/sections.cpp", "start = wrapping_add(k.imid, 1);", "start = wrapping_add(k.imid, 2);"),
    # stressmean
    ("record-table-entry", "stressmean/profiles.cpp", "{1085, 0},    {901, 0}", "{1085, 0},    {902, 0}"),
    ("record-table-neighbour", "stressmean/profiles.cpp", "{2225, 0},    {1807, 0}", "{2226, 0},    {1807, 0}"),
    ("six-point-record", "stressmean/profiles.cpp", "mean2(sz[1974], sz[2227]), sz[2228]);",
     "mean2(sz[1974], sz[2227]), sz[2229]);"),
    ("mean3-divisor", "stressmean/profiles.cpp", "return sum / 3.0f;", "return sum / 4.0f;"),
    ("second-column-start", "stressmean/profiles.cpp", "2299 + 2 * (i - 49);", "2299 + 2 * (i - 48);"),
    # shift
    ("node-shift", "shift/slash_lines.cpp", "node_shift = 60;", "node_shift = 61;"),
    ("six-on-a-line-refused", "layouts/connectivity_line.cpp", "if (line.ns > max_triples) {", "if (line.ns >= max_triples) {"),
    ("lines-for-nel", "shift/slash_lines.cpp", "i <= nel; i += layouts::max_triples", "i < nel; i += layouts::max_triples"),
    # polarplot
    ("negative-nu32-not-folded", "polarplot/polar_picture.cpp", "part_rows(t.theta, second), centre, per_unit, true)",
     "part_rows(t.theta, second), centre, per_unit, false)"),
    ("curve-y-downwards", "polarplot/polar_picture.cpp", "centre.y - r * per_unit * std::sin(a)",
     "centre.y + r * per_unit * std::sin(a)"),
    ("sign-change-neighbour-dropped", "polarplot/polar_picture.cpp", "(j > 0 && nonzero(j - 1))",
     "(j > 1 && nonzero(j - 1))"),
    # meshplot and the shared chart frame
    ("v-axis-down", "plots/axes.cpp", "scales.y = {y_domain.low, y_domain.high, bottom, frame.top};",
     "scales.y = {y_domain.low, y_domain.high, frame.top, bottom};"),
    ("clockwise-flipped", "mesh/triangle_geometry.hpp", "return area < 0.0 ? corner_order::clockwise",
     "return area > 0.0 ? corner_order::clockwise"),
    ("zero-area-exact", "mesh/triangle_geometry.hpp", "if (std::abs(area) <= 1e-9 * longest)", "if (area == 0.0)"),
    ("table-tail-given-back-short", "mesh/large_tables.cpp", "::munmap(memory, mapped_size(bytes));",
     "::munmap(memory, (bytes + 4095) / 4096 * 4096);"),
    ("group-scan-stops-short", "meshexport/writer_lines.hpp", "while (at_ < elements.size() &&",
     "while (at_ + 1 < elements.size() &&"),
    ("listed-group-one-short", "meshexport/writer_lines.hpp", "first[g + 1] - first[g]));",
     "first[g + 1] - first[g] - (g == 0 ? 1 : 0)));"),
    ("number-twice-third-time", "meshplot/mesh_check.cpp", "if (!seen.insert(e.number) && twice.insert(e.number))",
     "if (!seen.insert(e.number))"),
    ("more-line-at-ten", "meshplot/mesh_check.cpp", "if (total > listed)", "if (total >= listed)"),
    ("nearly-empty-range-not-widened", "plots/axes.cpp", "std::abs(high) * 1e-12 || high == low",
     "std::abs(high) * 1e-12 && high == low"),
    ("no-step-in-exponent-form", "plots/axes.cpp", "(step > 0.0 && step < 1e-4)", "(step >= 0.0 && step < 1e-4)"),
    # profileplot
    ("legend-spacing", "profileplot/step_chart.cpp", "legend_y += 24;", "legend_y += 25;"),
    ("line-gap-joined", "profileplot/step_chart.cpp", "s.numbers[k] == s.numbers[k - 1] + 1", "true"),
    ("edge-profile-records", "profileplot/profile_tables.cpp",
     "        t.edge_ydb[k] = rec.ydb;\n        t.edge_sigz[k] = rec.saz;",
     "        t.edge_ydb[k] = rec.saz;\n        t.edge_sigz[k] = rec.ydb;"),
    # stressline
    ("edges-not-held", "stressline/line_stresses.cpp", "if (cross < -tolerance * std::hypot(eh, ev)) return false;",
     "if (cross <= 0.0 * tolerance) return false;"),
    ("reversed-line-box", "stressline/line_stresses.cpp", "    if (a > b) std::swap(a, b);\n", ""),
    ("sum-not-mean", "stressline/stress_line_file.cpp", "double n = p.elements;", "double n = 1.0;"),
    ("points-one-short", "stressline/line_stresses.cpp", "double last = static_cast<double>(l.points - 1);\n    for",
     "double last = static_cast<double>(l.points);\n    for"),
]


sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "tests"))
from programs import PROGRAMS, of_kind  # noqa: E402  (the list of programs, programs.txt)

# The tests that see a fault in each folder's code first: its program's case
# folders and unit tests; for the pictures' shared pieces in plots/, the case
# folders of every picture program. A fault of the record layer may show
# anywhere, so every test runs for it, and so does every test for a mutant
# that the focused tests let through.
FOCUS = {name: f"^{name}/" for name in PROGRAMS}
FOCUS["plots"] = "|".join(f"^{name}/" for name in of_kind("picture"))
UNIT_TESTS = {"polar": "Inversion|Lamina", "stressmean": "Profiles",
              "plots": "Number|Escaped|NiceTicks|TickLabel|LinearScale"}
for folder, suites in UNIT_TESTS.items():
    FOCUS[folder] += f"|^({suites})[.]"


def run(command, cwd, log, timeout=None):
    done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
    log.write(done.stdout.decode(errors="replace"))
    return done.returncode


def check(root, build, mutant, log, focused):
    name, path, original, replacement = mutant
    full = os.path.join(root, path)
    with open(full, encoding="utf-8") as f:
        text = f.read()
    if text.count(original) != 1:
        return "not found once"
    try:
        with open(full, "w", encoding="utf-8") as f:
            f.write(text.replace(original, replacement))
        log.write(f"==== {name}: {path}\n")
        if run(["cmake", "--build", build], root, log) != 0:
            return "does not build"
        ctest = ["ctest", "--test-dir", build, "--stop-on-failure", "--timeout", "300", "-j2"]
        focus = FOCUS.get(path.split("/")[0]) if focused else None
        if run(ctest + (["-R", focus] if focus else []), root, log) != 0:
            return "caught"
        # A survivor of the focused tests must survive all of them.
        return "caught" if focus and run(ctest, root, log) != 0 else "SURVIVED"
    finally:
        with open(full, "w", encoding="utf-8") as f:
            f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build")
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--out", help="also write the result table to this file")
    parser.add_argument("--all-tests", action="store_true", help="run every test for every mutant")
    args = parser.parse_args()
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = os.path.abspath(os.path.join(root, args.build))
    chosen = [m for m in MUTANTS if not args.only or m[0] in args.only]
    lines = []
    with open(os.path.join(build, "mutation-check.log"), "w") as log:
        for mutant in chosen:
            start = time.time()
            result = check(root, build, mutant, log, not args.all_tests)
            line = f"{result:15} {mutant[0]:32} {mutant[1]}  ({time.time() - start:.0f} s)"
            print(line, flush=True)
            lines.append(line)
        # Put the build back in step with the unchanged sources.
        run(["cmake", "--build", build], root, log)
    caught = sum(line.startswith("caught") for line in lines)
    survived = sum(line.startswith("SURVIVED") for line in lines)
    summary = f"{caught} of {caught + survived} mutants caught, {survived} survived"
    print(summary)
    if args.out:
        with open(args.out, "w") as f:
            f.write("\n".join(lines + [summary]) + "\n")
    return 1 if survived else 0


if __name__ == "__main__":
    sys.exit(main())
