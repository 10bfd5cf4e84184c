"""Deterministic benchmark workloads, each written as three equivalent lexers.

Every workload is a list of rules (trees from regex_forms) plus a sample
input.  `write_workload` renders it as our definition file (.lex), a flex
file (.l) and a re2c file (.re).  All actions return the rule's number so
that token streams of the generated scanners can be compared rule by rule.
Randomness comes from a fixed linear congruential generator, not from the
`random` module, so the files are byte-identical on every machine.

Usage: workloads.py OUTDIR [NAME ...]   (writes OUTDIR/NAME/NAME.{lex,l,re,txt})
"""

import os
import sys
from dataclasses import dataclass, field

from regex_forms import (NEWLINE, Alt, Cls, FlexRenderer, Opt, OursRenderer, Plus,
                         Re2cRenderer, Star, alt, cat, check_definition_line, cls, lit, neg)
from workload_common import RE2C_HEAD, Lcg


@dataclass
class Workload:
    name: str
    rules: list
    sample: bytes
    nocase: bool = False
    group: str = ""       # scaling series this workload belongs to
    size: int = 0         # its x value in that series
    note: str = ""
    names: list = field(default_factory=list)
    # Written as they are instead of rendered from `rules` (suffix -> bytes);
    # a workload without ".l" has no flex form.
    texts: dict = field(default_factory=dict)
    utf8: bool = False    # our scanner and re2c's run in UTF-8 mode
    conditions: bool = False  # re2c runs in its conditions mode (start states)


BLANKS = cls(" \t", NEWLINE)
LETTER = "abcdefghijklmnopqrstuvwxyz"


# ---------------------------------------------------------------- keywords

def keyword_list(count, seed=12345):
    rng = Lcg(seed)
    seen = set()
    words = []
    while len(words) < count:
        length = 4 + rng.below(10)
        word = "".join(rng.pick(LETTER) for _ in range(length))
        if word not in seen:
            seen.add(word)
            words.append(word)
    return words


def keywords(count):
    words = keyword_list(count)
    ident = cat(cls("a-zA-Z_"), Star(cls("a-zA-Z0-9_")))
    number = Plus(cls("0-9"))
    string = cat(lit('"'), Star(neg(cls('"', NEWLINE))), lit('"'))
    rules = [lit(w) for w in words] + [ident, number, string, BLANKS]
    names = ["Kw%d" % i for i in range(count)] + ["Ident", "Number", "String", "Blank"]

    rng = Lcg(count)
    parts = []
    for _ in range(3000):
        kind = rng.below(10)
        if kind < 5:
            word = rng.pick(words)
            word = "".join(c.upper() if rng.below(2) else c for c in word)
            if kind == 4:
                word += rng.pick(LETTER)  # a keyword prefix of an identifier
        elif kind < 7:
            word = "".join(rng.pick(LETTER + "_") for _ in range(1 + rng.below(9)))
            word += str(rng.below(100)) if rng.below(3) == 0 else ""
        elif kind < 9:
            word = str(rng.below(1000000))
        else:
            word = '"' + "".join(rng.pick(LETTER + " 0123;{}") for _ in range(rng.below(12))) + '"'
        parts.append(word)
        parts.append(rng.pick([" ", " ", "  ", "\n", "\t", "\r\n"]))
    sample = "".join(parts).encode("latin-1")
    return Workload("keywords-%d" % count, rules, sample, nocase=True, group="keywords",
                    size=count, names=names)


# ---------------------------------------------------------------- C-like

C_KEYWORDS = """auto break case char const continue default do double else enum extern
float for goto if inline int long register restrict return short signed sizeof static
struct switch typedef union unsigned void volatile while _Bool _Complex _Alignas
_Alignof _Atomic _Noreturn _Static_assert _Thread_local""".split()

C_OPERATORS = """... >>= <<= += -= *= /= %= &= ^= |= >> << ++ -- -> && || <= >= == != ;
{ } , : = ( ) [ ] . & ! ~ - + * / % < > ^ | ? #""".split()


def c_like():
    digits = cls("0-9")
    hexd = cls("0-9a-fA-F")
    suffix = Star(cls("uUlL"))
    exponent = Opt(cat(cls("eE"), Opt(cls("+-")), Plus(digits)))
    not_nl = neg(Cls(NEWLINE))
    rules = [lit(k) for k in C_KEYWORDS]
    names = ["K_" + k.strip("_") for k in C_KEYWORDS]
    rules += [
        cat(cls("a-zA-Z_"), Star(cls("a-zA-Z0-9_"))),
        cat(lit("0"), cls("xX"), Plus(hexd), suffix),
        cat(cls("1-9"), Star(digits), suffix),
        cat(lit("0"), Star(cls("0-7")), suffix),
        cat(Plus(digits), lit("."), Star(digits), exponent, Opt(cls("fFlL"))),
        cat(lit("."), Plus(digits), exponent, Opt(cls("fFlL"))),
        cat(lit('"'), Star(alt(neg(cls('"\\', NEWLINE)), cat(lit("\\"), not_nl))), lit('"')),
        cat(lit("'"), Plus(alt(neg(cls("'\\", NEWLINE)), cat(lit("\\"), not_nl))), lit("'")),
        cat(lit("//"), Star(not_nl)),
        cat(lit("/*"), Star(alt(neg(cls("*")), cat(Plus(lit("*")), neg(cls("*/"))))),
            Plus(lit("*")), lit("/")),
        cat(lit("#"), cls("a-z"), Star(not_nl)),
        Plus(cls(" \t\f\v", NEWLINE)),
    ]
    names += ["Ident", "Hex", "Dec", "Oct", "Float", "Float2", "String", "Char",
              "LineComment", "BlockComment", "Directive", "Blank"]
    rules += [lit(op) for op in C_OPERATORS]
    names += ["Op%d" % i for i in range(len(C_OPERATORS))]

    rng = Lcg(90)
    idents = ["count", "buffer", "next", "node", "i", "j", "size_t", "result", "_tmp", "x1"]
    snippets = []
    for _ in range(400):
        kind = rng.below(8)
        if kind == 0:
            snippets.append("static %s %s(%s *%s, int n) {\n" % (
                rng.pick(["int", "void", "long", "char"]), rng.pick(idents),
                rng.pick(["struct node", "const char", "unsigned"]), rng.pick(idents)))
        elif kind == 1:
            snippets.append("  for (%s = 0x%X; %s <= %d; ++%s) %s += %s >> 2;\n" % (
                "i", rng.below(4096), "i", rng.below(100), "i", rng.pick(idents), rng.pick(idents)))
        elif kind == 2:
            snippets.append('  printf("%s\\n\\"%%d\\"", %s->%s);\n' % (
                rng.pick(["hello", "a;b", "x{y}", ""]), rng.pick(idents), rng.pick(idents)))
        elif kind == 3:
            snippets.append("  /* %s ** %s */ %s = %d.%de-%d * 'a' + '\\n' - 017UL;\n" % (
                rng.pick(idents), rng.pick(["*/x", "*", "**"])[0], rng.pick(idents),
                rng.below(100), rng.below(100), rng.below(9)))
        elif kind == 4:
            snippets.append("#include <%s.h>\n" % rng.pick(["stdio", "stdlib", "string"]))
        elif kind == 5:
            snippets.append("  if (%s && !%s || %s != %s) return %s[%d] ? .5f : 1e%d;\n" % (
                rng.pick(idents), rng.pick(idents), rng.pick(idents), rng.pick(idents),
                rng.pick(idents), rng.below(10), rng.below(5)))
        elif kind == 6:
            snippets.append("  %s %%= %s; %s ^= ~%s; %s <<= 1; // %s\n" % (
                rng.pick(idents), rng.pick(idents), rng.pick(idents), rng.pick(idents),
                rng.pick(idents), rng.pick(["note", "a /* b", ""])))
        else:
            snippets.append("}\n\ttypedef struct %s { _Bool %s; } %s, ...;\n" % (
                rng.pick(idents), rng.pick(idents), rng.pick(idents)))
    sample = "".join(snippets).encode("latin-1")
    return Workload("c-like", rules, sample, note="%d rules" % len(rules), names=names)


# ---------------------------------------------------------------- automaton shapes

def ab_sample(seed, lines, longest):
    rng = Lcg(seed)
    out = []
    for _ in range(lines):
        out.append("".join(rng.pick("ab") for _ in range(rng.below(longest + 1))))
        out.append(rng.pick(["\n", " ", "\n\n"]))
    return "".join(out).encode("latin-1")


def blowup(groups):
    ab = alt(lit("a"), lit("b"))
    rule = cat(Star(ab), lit("a"), *([ab] * groups))
    return Workload("blowup-%d" % groups, [rule, Plus(cls(" ", NEWLINE))],
                    ab_sample(groups, 400, 3 * groups), group="blowup", size=groups,
                    names=["Word", "Blank"])


def diamonds(groups):
    rule = cat(*([alt(Opt(lit("a")), Opt(lit("b")))] * groups))
    return Workload("diamonds-%d" % groups, [rule, Plus(cls(" ", NEWLINE))],
                    ab_sample(groups, 400, groups + 5), group="diamonds", size=groups,
                    names=["Word", "Blank"])


def overlapping(count=500):
    """Rules [x-y]*C[d-e]+ whose classes overlap in many different ways."""
    rng = Lcg(500)
    rules = []
    for _ in range(count):
        lo = rng.below(20)
        hi = lo + 2 + rng.below(26 - lo - 2)
        prefix = set(range(97 + lo, 97 + hi + 1))
        if rng.below(10) == 0:
            prefix.discard(97 + rng.below(26))  # a class with a hole
        middle = LETTER[rng.below(26)]
        dlo = rng.below(8)
        dhi = dlo + 1 + rng.below(10 - dlo - 1)
        rules.append(cat(Star(Cls(frozenset(prefix))), lit(middle),
                         Plus(cls("%d-%d" % (dlo, dhi)))))
    rules.append(Plus(cls(" ", NEWLINE)))
    out = []
    for _ in range(2500):
        word = "".join(rng.pick(LETTER) for _ in range(rng.below(12)))
        word += "".join(rng.pick("0123456789") for _ in range(1 + rng.below(4)))
        out.append(word + rng.pick([" ", "\n"]))
    return Workload("overlap-%d" % count, rules, "".join(out).encode("latin-1"),
                    names=["Ov%d" % i for i in range(count)] + ["Blank"])


def every_byte():
    """One rule per byte value, so that every byte gets a class of its own."""
    rules = []
    for b in range(256):
        rules.append(Cls(NEWLINE) if b in (10, 13) else Cls(frozenset([b])))
    rng = Lcg(256)
    data = list(range(256)) * 8
    for i in range(len(data) - 1, 0, -1):
        j = rng.below(i + 1)
        data[i], data[j] = data[j], data[i]
    return Workload("bytes-256", rules, bytes(data), names=["B%d" % b for b in range(256)],
                    note="10 and 13 share a class: our syntax has no way to name one alone")


def unicode_keywords():
    import unicode_workload
    words = unicode_workload.keyword_list()
    ours, re2c, count = unicode_workload.texts(words)
    name = "unicode-%d" % len(words)
    return Workload(name, ["rule"] * count, unicode_workload.sample(words), utf8=True,
                    texts={".lex": ours, ".re": re2c},
                    note="UTF-8: examples/unicode.lex and %d keywords in six scripts" % len(words))


def lexer_states(count=300):
    """examples/c.lex grown to `count` rules in four start states
    (bench/states_workload.py); library names and macro names fill it up."""
    import states_workload as sw
    macros = ["__%s__" % w.upper() for w in keyword_list(30, seed=4)]
    fixed = len(sw.rules([], macros))
    library = [w for w in keyword_list(count - fixed + 10, seed=3) if w not in C_KEYWORDS]
    rule_list = sw.rules(library[:count - fixed], macros)
    name = "states-%d" % len(rule_list)
    return Workload(name, rule_list, sw.sample(Lcg(count), library[:count - fixed], macros),
                    conditions=True, texts={".lex": sw.ours_text(name, rule_list),
                                            ".l": sw.flex_text(name, rule_list),
                                            ".re": sw.re2c_text(name, rule_list)},
                    note="start states: examples/c.lex grown to %d rules" % len(rule_list))


def all_workloads():
    out = [keywords(k) for k in (100, 500, 1000, 5000)]
    out.append(c_like())
    out.append(lexer_states())
    out += [blowup(n) for n in (8, 12, 14, 15, 16)]
    out += [diamonds(n) for n in (10, 20, 40)]
    out.append(overlapping())
    out.append(every_byte())
    out.append(unicode_keywords())
    return out


# ---------------------------------------------------------------- writers

def ours_text(w):
    r = OursRenderer()
    lines = ["; benchmark workload %s" % w.name]
    if w.nocase:
        lines.append("%nocase")
    lines.append("%%")
    for i, rule in enumerate(w.rules):
        line = "%s  { ProcedureReturn \xa7%s }" % (r.render(rule), w.names[i] if w.names else "R%d" % i)
        check_definition_line(line)
        lines.append(line)
    lines.append("%%")
    return ("\n".join(lines) + "\n").encode("latin-1")


FLEX_DRIVER_DEFS = """%option noyywrap 8bit nounput noinput never-interactive
{nocase}%{{
/* The default rule's ECHO reports an unmatched byte as token -1. */
#define ECHO return -1
%}}
%%
"""


def flex_text(w):
    r = FlexRenderer()
    head = FLEX_DRIVER_DEFS.format(nocase="%option case-insensitive\n" if w.nocase else "")
    body = "".join("%s  { return %d; }\n" % (r.render(rule), i + 1)
                   for i, rule in enumerate(w.rules))
    return (head + body + "%%\n").encode("latin-1")


def re2c_text(w):
    """Rules return number + 1; the input is bounded by YYLIMIT, so NUL bytes scan too."""
    r = Re2cRenderer(w.nocase)
    out = [RE2C_HEAD.format(name=w.name)]
    out += ["    %s { TOK(%d); }\n" % (r.render(rule), i + 1) for i, rule in enumerate(w.rules)]
    out += ["    * { TOK(-1); }\n    $ { TOK(0); }\n    */\n}\n"]
    return "".join(out).encode("latin-1")


def write_workload(w, outdir):
    d = os.path.join(outdir, w.name)
    os.makedirs(d, exist_ok=True)
    forms = w.texts or {".lex": ours_text(w), ".l": flex_text(w), ".re": re2c_text(w)}
    for suffix, data in list(forms.items()) + [(".txt", w.sample)]:
        with open(os.path.join(d, w.name + suffix), "wb") as f:
            f.write(data)
    return d


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    wanted = set(argv[2:])
    for w in all_workloads():
        if not wanted or w.name in wanted:
            write_workload(w, argv[1])
            print("%-16s %5d rules  %7d sample bytes" % (w.name, len(w.rules), len(w.sample)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
