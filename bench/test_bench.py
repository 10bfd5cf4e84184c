"""Self-test of the benchmark scripts (python3 -m unittest test_bench, in bench/).

The renderer is checked against an independent reading of our bracket-class
syntax, since a wrongly written class would not fail loudly: it would make
the three lexers differ and only show up as a token-stream mismatch.
"""

import os
import unittest

import harness
import report
import semcheck
import states_workload
import table_bytes
import unicode_workload
import workloads
from regex_forms import (ALL_BYTES, NEWLINE, Cls, OursRenderer, check_definition_line, cls,
                         find_outside_quotes)


def read_bracket_class(text):
    """Byte set of one bracket class of our syntax, read by the documented rules."""
    assert text[0] == "["
    i, members, prev = 1, set(), None
    negate = text[i] == "^"
    i += negate
    while text[i] != "]":
        c = text[i]
        if c == "\\":
            i += 1
            esc = text[i]
            if esc == "n":
                members |= {10, 13}
                prev = None
            elif esc == "t":
                members.add(9)
                prev = None
            else:
                members.add(ord(esc))
                prev = ord(esc)
        elif c == "-" and prev is not None and text[i + 1] != "]":
            i += 1
            members |= set(range(prev, ord(text[i]) + 1))
            prev = ord(text[i])
        else:
            members.add(ord(c))
            prev = ord(c)
        i += 1
    return (ALL_BYTES - members) if negate else frozenset(members), text[i + 1:]


class OursRendererTest(unittest.TestCase):
    def render(self, members):
        return OursRenderer().render(Cls(frozenset(members)))

    def test_classes_read_back_as_the_same_bytes(self):
        cases = [cls("a-zA-Z0-9_"), cls(" \t", NEWLINE), cls('"\\-^]['), cls("0-7"),
                 Cls(ALL_BYTES - cls('"\\', NEWLINE).members), Cls(frozenset(range(128, 256))),
                 Cls(frozenset([0])), Cls(frozenset(range(1, 32)) - {10, 13})]
        for c in cases:
            text = self.render(c.members)
            got, rest = read_bracket_class(text)
            self.assertEqual(rest, "", text)
            self.assertEqual(got, c.members, text)

    def test_semicolon_is_only_written_between_double_quotes(self):
        text = self.render(cls(";a").members)
        self.assertEqual(text, '([a]|";")')
        check_definition_line(text + "  { x }")
        self.assertEqual(self.render({59}), '";"')

    def test_line_feed_and_carriage_return_cannot_be_split(self):
        with self.assertRaises(ValueError):
            self.render({10})
        with self.assertRaises(ValueError):
            OursRenderer().render(workloads.lit("a\rb"))

    def test_whole_and_empty_sets(self):
        self.assertEqual(self.render(ALL_BYTES), "[^]")
        self.assertEqual(self.render(set()), "[]")


class CommentRuleTest(unittest.TestCase):
    def test_quotes_of_either_kind_protect_a_semicolon(self):
        self.assertEqual(find_outside_quotes('a";"b;', ";"), 5)
        self.assertEqual(find_outside_quotes("'\";' ;", ";"), 5)
        self.assertEqual(find_outside_quotes('"\'";', ";"), 3)
        self.assertEqual(find_outside_quotes('\\";";"', ";"), 4)

    def test_a_cut_rule_is_rejected(self):
        with self.assertRaises(ValueError):
            check_definition_line('\\"";"  { x }')  # an escaped quote still opens
        with self.assertRaises(ValueError):
            check_definition_line("[^\\;]  { x }")
        check_definition_line("a  { x } ; a comment after the action is fine")


class WorkloadTest(unittest.TestCase):
    def test_generator_is_pinned(self):
        # Changing these changes every workload file and so every figure.
        self.assertEqual(workloads.keyword_list(3), ["vobmcdcw", "rpzabyp", "qxocxtcrteh"])
        self.assertEqual(len(set(workloads.keyword_list(5000))), 5000)

    def test_every_workload_renders_in_all_three_forms(self):
        for w in workloads.all_workloads():
            if w.texts:
                continue
            self.assertEqual(len(w.rules), len(w.names), w.name)
            ours = workloads.ours_text(w).split(b"\n")
            self.assertEqual(len(ours), len(w.rules) + 4 + w.nocase, w.name)
            workloads.flex_text(w)
            workloads.re2c_text(w)


class UnicodeWorkloadTest(unittest.TestCase):
    def test_sets_for_re2c(self):
        self.assertEqual(unicode_workload.merge([(5, 9), (1, 3), (4, 4), (20, 21)]),
                         [(1, 9), (20, 21)])
        # Complements never hold surrogates: our negated classes do not match them.
        self.assertEqual(unicode_workload.complement([(0, 0x40), (0xE000, 0x10FFFF)]),
                         [(0x41, 0xD7FF)])
        self.assertEqual(unicode_workload.re2c_class([(0x61, 0x7A), (0xAB, 0xAB), (0x1F600, 0x1F600)]),
                         "[a-z\\u00ab\\U0001f600]")

    def test_categories_agree_with_the_package_where_installed(self):
        if not os.path.exists(unicode_workload.UNICODE_DATA):
            self.skipTest("unicode-data is not installed")
        package = unicode_workload.package_tables()
        for name in ("Lu", "Mn", "Nd", "Zs"):
            self.assertEqual(unicode_workload.category(name), package[name], name)

    def test_the_utf8_workload_follows_the_example(self):
        w = workloads.unicode_keywords()
        ours = w.texts[".lex"].decode("utf-8").split("\n")
        self.assertEqual(ours[1], "%utf8")
        self.assertEqual(ours[3 + 200:-2], unicode_workload.example_rule_lines())
        # and an unnamed character, * and $
        self.assertEqual(w.texts[".re"].count(b"{ TOK("), len(w.rules) + 3)
        self.assertTrue(w.sample.startswith(unicode_workload.BOM))


class StatesWorkloadTest(unittest.TestCase):
    def test_re2c_conditions_of_a_rule(self):
        # INITIAL at a line start is re2c's BOL; unprefixed rules are in the inclusive PREPROC.
        for states, anchored, expected in [((), False, ["INITIAL", "BOL", "PREPROC"]),
                                           (("INITIAL",), True, ["BOL"]),
                                           (("INITIAL", "STRING"), False,
                                            ["INITIAL", "BOL", "STRING"]),
                                           (("COMMENT",), False, ["COMMENT"])]:
            rule = states_workload.StateRule("R", cls("x"), states, line_start=anchored)
            self.assertEqual(states_workload._re2c_states(rule), expected, states)

    def test_state_changes_in_the_three_forms(self):
        sw = states_workload
        for change, ours, flex, re2c in [
                (("begin", "PREPROC"), "yyBegin(#yyStatePREPROC) : ", "BEGIN(PREPROC); ",
                 "BEGIN(yycPREPROC); "),
                (("push", "COMMENT"), "yyPushState(#yyStateCOMMENT) : ",
                 "yy_push_state(COMMENT); ", "PUSH(yycCOMMENT); "),
                (("pop",), "yyPopState() : ", "yy_pop_state(); ", "POP(); "),
                ((), "", "", "")]:
            self.assertEqual((sw._ours_change(change), sw._flex_change(change),
                              sw._re2c_change(change)), (ours, flex, re2c))

    def test_every_rule_is_written_once_in_each_form(self):
        w = workloads.lexer_states()
        self.assertEqual(len(w.rules), 300)
        ours = w.texts[".lex"].split(b"\n")
        self.assertEqual(ours[1:4], [b"%context", b"%xstate COMMENT STRING", b"%state PREPROC"])
        self.assertEqual(len(ours), len(w.rules) + 7)
        self.assertEqual(w.texts[".l"].count(b"{ "), len(w.rules))
        self.assertEqual(w.texts[".re"].count(b"TOK("), len(w.rules) + 3)  # and * and $
        self.assertEqual(len({r.name.upper() for r in w.rules}), len(w.rules))


SCANNER = """Procedure __yylexerrun0(*userData) : x : ProcedureReturn -1 : EndProcedure\r
DataSection\r
  __yylexer_charclass:\r
""" + "".join("    Data.i " + ",".join(["  0"] * 16) + "\r\n" for _ in range(16)) + """  \r
  __yylexer_actionTable:\r
    Data.i   -1,   1, 0\r
    Data.i   -1,  -1, @__yylexerrun0()\r
  \r
  __yylexer_info:\r
    ; startstate, cntcharclass\r
    Data.i 0, 2\r
EndDataSection\r
"""


class CountingTest(unittest.TestCase):
    def test_states_and_columns_of_a_generated_scanner(self):
        import tempfile
        with tempfile.NamedTemporaryFile("w", suffix=".pbl", newline="") as f:
            f.write(SCANNER)
            f.flush()
            self.assertEqual(harness.ours_states(f.name), (2, 2))

    def test_flex_statistics(self):
        self.assertEqual(harness.flex_states("  8200/9000 DFA states (184351 words)\n"), 8200)
        self.assertIsNone(harness.flex_states("flex: input rules are too complicated"))

    def test_fitted_exponent(self):
        xs = [100, 500, 1000, 5000]
        self.assertAlmostEqual(report.fit_exponent(xs, [3e-6 * x ** 1.5 for x in xs]), 1.5)
        self.assertIsNone(report.fit_exponent([100], [1.0]))


class TokenStreamTest(unittest.TestCase):
    def test_escapes_read_back(self):
        stream = semcheck.parse_stream('rule 3  line 1  col 2  "a\\"\\\\\\n\\r\\t\\x00\\xff"\n'
                                       "eof  line 2  col 1\n")
        self.assertEqual(stream[0], ("rule", 3, 1, 2, b'a"\\\n\r\t\x00\xff'))
        self.assertEqual(stream[1], ("eof", -1, 2, 1, b""))

    def test_first_difference_is_named(self):
        a = semcheck.parse_stream('rule 1  line 1  col 1  "ab"\neof  line 1  col 3\n')
        b = semcheck.parse_stream('rule 1  line 1  col 1  "a"\nerror  line 1  col 2  "b"\n'
                                  "eof  line 1  col 3\n")
        self.assertIsNone(semcheck.compare(a, a))
        self.assertIn("token 0", semcheck.compare(a, b))
        self.assertIn("tokens", semcheck.compare(a, a[:1]))


class VariantRunnerTest(unittest.TestCase):
    def test_alternation_medians_failures_and_token_comparison(self):
        import io
        calls = []

        def run(name, variant):
            calls.append(variant)
            if name == "broken" and variant == "b":
                return {"ok": False, "message": "no output"}
            return {"ok": True, "wall": len(calls), "cpu": 0.5, "output": name + variant}

        # "true" prints nothing (same tokens); "echo" prints its arguments, which differ.
        for scan, same in (("true", True), ("echo", False)):
            calls.clear()
            results = harness.measure_variants(
                "w", scan, ["ok", "broken"], 3, ("a", "b"), run, lambda n, e: None,
                lambda n, e: "", log=io.StringIO())
            self.assertEqual(calls[:6], ["a", "b", "b", "a", "a", "b"])
            self.assertEqual(results["ok"]["a"]["wall"], 4)
            self.assertEqual(results["ok"].get("same_tokens"), same)
            self.assertEqual(results["broken"]["b"], {"runs": [], "failure": "no output"})
            self.assertNotIn("same_tokens", results["broken"])


if __name__ == "__main__":
    unittest.main()


class CompactBenchTest(unittest.TestCase):
    def test_table_bytes_count_values_times_their_type(self):
        import tempfile
        cases = [
            (b"DataSection\r\n  x:\r\n    Data.i 1, 2\r\n    Data.a 1,2,3\r\n"
             b"    Data.u 9\r\n    Data.l 7,8\r\nEndDataSection\r\n", 16 + 3 + 2 + 8),
            # Only the last DataSection counts: user code may have its own first.
            (b"DataSection\n Data.i 1\nEndDataSection\nDataSection\n Data.a 1\nEndDataSection\n", 1),
        ]
        for text, expected in cases:
            with tempfile.NamedTemporaryFile(suffix=".pbl") as f:
                f.write(text)
                f.flush()
                self.assertEqual(table_bytes.ours_table_bytes(f.name), expected)
        with tempfile.NamedTemporaryFile("w", suffix=".c") as f:
            f.write("static const flex_int16_t yy_accept[10] =\n"
                    "static const YY_CHAR yy_ec[256] =\nstatic const flex_int32_t yy_base[3] =\n")
            f.flush()
            self.assertEqual(table_bytes.flex_table_bytes(f.name), 20 + 256 + 12)

    def test_the_unicode_workload_does_not_import_the_workload_list(self):
        import ast
        with open(os.path.join(os.path.dirname(os.path.abspath(__file__)),
                               "unicode_workload.py")) as f:
            tree = ast.parse(f.read())
        imported = {a.name for n in ast.walk(tree) if isinstance(n, ast.Import) for a in n.names}
        imported |= {n.module for n in ast.walk(tree) if isinstance(n, ast.ImportFrom)}
        self.assertNotIn("workloads", imported)
