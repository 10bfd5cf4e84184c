"""The lexer-states workload: examples/c.lex grown to 300 rules in four states.

INITIAL holds the C rules (keywords, library names, numbers, operators),
PREPROC (inclusive) a directive's header names and predefined macros, and
the exclusive COMMENT and STRING the pieces of block comments (with
documentation tags) and of string literals (escapes and printf conversions).
A directive starts at the start of a line and ends with it; comments and
strings are entered with a push and left with a pop, so they return to
INITIAL or PREPROC, wherever they began.

Each rule is a regex_forms tree with its start conditions and its state
change, written out three ways:
- ours: `%xstate`/`%state` and `%context`, `<S>` prefixes, `^`, and the
  actions yyBegin, yyPushState and yyPopState;
- flex: `%x`/`%s`, `^`, BEGIN, yy_push_state and yy_pop_state (%option stack);
- re2c in its conditions mode (`re2c -c`): re2c has no line-start anchor, so
  INITIAL at the start of a line is a condition of its own, BOL, which holds
  INITIAL's rules and the anchored ones; lex() picks it where a line starts,
  and a small stack in the scanner file keeps the pushed conditions.
Every action returns its rule's number, as in the other workloads.
"""

from dataclasses import dataclass

from regex_forms import (NEWLINE, Cls, FlexRenderer, Opt, OursRenderer, Plus, Re2cRenderer,
                         Star, alt, cat, check_definition_line, cls, lit, neg)

INCLUSIVE = ("PREPROC",)
EXCLUSIVE = ("COMMENT", "STRING")


@dataclass(frozen=True)
class StateRule:
    name: str
    tree: object
    states: tuple = ()        # () = INITIAL and the inclusive states
    change: tuple = ()        # ("begin", S), ("push", S) or ("pop",)
    line_start: bool = False  # the rule matches only at the start of a line


DIRECTIVES = """define include if ifdef ifndef elif else endif undef pragma error
line""".split()
PREDEFINED = """__FILE__ __LINE__ __DATE__ __TIME__ __STDC__ __STDC_VERSION__
__STDC_HOSTED__ __COUNTER__ __func__ __VA_ARGS__""".split()
DOC_TAGS = """param return returns brief details see note warning todo throws
exception since deprecated author version file class struct fn var def typedef
namespace pre post invariant retval code endcode ingroup defgroup addtogroup ref
link sa bug test example internal overload copydoc""".split()
ESCAPES = "abfnrtv'\"?\\"
CONVERSIONS = "diouxXfFeEgGaAcspn"


def _c_keywords():
    from workloads import C_KEYWORDS
    return C_KEYWORDS


def rules(library_names, macro_names):
    """The rules in their order: state-specific ones first, so that they win
    ties against the shared rules active in the same state."""
    from workloads import C_OPERATORS
    digits = cls("0-9")
    hexd = cls("0-9a-fA-F")
    octd = cls("0-7")
    blank = cls(" \t")
    not_nl = neg(Cls(NEWLINE))
    newline = Cls(NEWLINE)
    word = cat(cls("a-zA-Z_"), Star(cls("a-zA-Z0-9_")))
    exponent = Opt(cat(cls("eE"), Opt(cls("+-")), Plus(digits)))
    out = []
    # The start of a directive, at the start of a line only.
    for d in DIRECTIVES:
        out.append(StateRule("Dir_" + d, cat(Star(blank), lit("#"), Star(blank), lit(d)),
                             ("INITIAL",), ("begin", "PREPROC"), line_start=True))
    out += [
        StateRule("Header", cat(lit("<"), Star(neg(cls(">", NEWLINE))), lit(">")), ("PREPROC",)),
        StateRule("Continued", cat(lit("\\"), newline), ("PREPROC",)),
        StateRule("EndDirective", newline, ("PREPROC",), ("begin", "INITIAL")),
        StateRule("Defined", lit("defined"), ("PREPROC",)),
        StateRule("HasInclude", lit("__has_include"), ("PREPROC",)),
    ]
    out += [StateRule("Macro%d" % i, lit(m), ("PREPROC",))
            for i, m in enumerate(PREDEFINED + macro_names)]
    # Block comments with documentation tags.
    out += [
        StateRule("CommentText", Plus(neg(cls("*@", NEWLINE))), ("COMMENT",)),
        StateRule("CommentStars", cat(Plus(lit("*")), Star(neg(cls("*/@", NEWLINE)))),
                  ("COMMENT",)),
        StateRule("CommentLine", newline, ("COMMENT",)),
        StateRule("CommentEnd", cat(Plus(lit("*")), lit("/")), ("COMMENT",), ("pop",)),
        StateRule("CommentAt", lit("@"), ("COMMENT",)),
    ]
    out += [StateRule("Tag_" + t, lit("@" + t), ("COMMENT",)) for t in DOC_TAGS]
    # String literals: text, escapes, printf conversions.
    flags = Star(cls("-+ #0"))
    width = Opt(alt(Plus(digits), lit("*")))
    precision = Opt(cat(lit("."), alt(Plus(digits), lit("*"))))
    length = Opt(alt(lit("hh"), lit("h"), lit("ll"), lit("l"), lit("j"), lit("z"), lit("t"),
                     lit("L")))
    out += [
        StateRule("StringText", Plus(neg(cls('"\\%', NEWLINE))), ("STRING",)),
        StateRule("StringEnd", lit('"'), ("STRING",), ("pop",)),
        StateRule("StringBroken", newline, ("STRING",), ("pop",)),
        StateRule("HexEscape", cat(lit("\\x"), Plus(hexd)), ("STRING",)),
        StateRule("OctEscape", cat(lit("\\"), octd, Opt(octd), Opt(octd)), ("STRING",)),
        StateRule("ShortName", cat(lit("\\u"), hexd, hexd, hexd, hexd), ("STRING",)),
        StateRule("LongName", cat(lit("\\U"), *([hexd] * 8)), ("STRING",)),
        StateRule("StringContinued", cat(lit("\\"), newline), ("STRING",)),
        StateRule("Percent", lit("%%"), ("STRING",)),
        StateRule("LonePercent", lit("%"), ("STRING",)),
    ]
    out += [StateRule("Escape%d" % i, lit("\\" + e), ("STRING",)) for i, e in enumerate(ESCAPES)]
    out += [StateRule("Conv%d" % i, cat(lit("%"), flags, width, precision, length, lit(c)),
                      ("STRING",)) for i, c in enumerate(CONVERSIONS)]
    # INITIAL and the inclusive PREPROC.
    out += [StateRule("K_" + k.strip("_"), lit(k)) for k in _c_keywords()]
    out += [StateRule("Lib%d" % i, lit(n)) for i, n in enumerate(library_names)]
    out += [
        StateRule("Ident", word),
        StateRule("Hex", cat(lit("0"), cls("xX"), Plus(hexd), Star(cls("uUlL")))),
        StateRule("Dec", cat(cls("1-9"), Star(digits), Star(cls("uUlL")))),
        StateRule("Oct", cat(lit("0"), Star(octd), Star(cls("uUlL")))),
        StateRule("Float", cat(Plus(digits), lit("."), Star(digits), exponent, Opt(cls("fFlL")))),
        StateRule("Float2", cat(lit("."), Plus(digits), exponent, Opt(cls("fFlL")))),
        StateRule("Char", cat(lit("'"), Plus(alt(neg(cls("'\\", NEWLINE)), cat(lit("\\"), not_nl))),
                              lit("'"))),
        StateRule("CommentStart", lit("/*"), (), ("push", "COMMENT")),
        StateRule("LineComment", cat(lit("//"), Star(not_nl))),
        StateRule("StringStart", lit('"'), (), ("push", "STRING")),
        StateRule("Blank", Plus(cls(" \t\f\v"))),
        StateRule("Newline", newline),
    ]
    out += [StateRule("Op%d" % i, lit(op)) for i, op in enumerate(C_OPERATORS)]
    return out


# ---------------------------------------------------------------- the three forms

def _ours_change(change):
    if not change:
        return ""
    if change[0] == "pop":
        return "yyPopState() : "
    call = "yyBegin" if change[0] == "begin" else "yyPushState"
    return "%s(#yyState%s) : " % (call, change[1])


def ours_text(name, rule_list):
    r = OursRenderer()
    lines = ["; benchmark workload %s" % name, "%context",
             "%xstate " + " ".join(EXCLUSIVE), "%state " + " ".join(INCLUSIVE), "%%"]
    for rule in rule_list:
        prefix = "<%s>" % ",".join(rule.states) if rule.states else ""
        line = "%s%s%s  { %sProcedureReturn \xa7%s }" % (
            prefix, "^" if rule.line_start else "", r.render(rule.tree),
            _ours_change(rule.change), rule.name)
        check_definition_line(line)
        lines.append(line)
    lines.append("%%")
    return ("\n".join(lines) + "\n").encode("latin-1")


def _flex_change(change):
    if not change:
        return ""
    if change[0] == "pop":
        return "yy_pop_state(); "
    return ("BEGIN(%s); " if change[0] == "begin" else "yy_push_state(%s); ") % change[1]


def flex_text(name, rule_list):
    from workloads import FLEX_DRIVER_DEFS
    r = FlexRenderer()
    head = FLEX_DRIVER_DEFS.format(
        nocase="%%option stack noyy_top_state\n%%x %s\n%%s %s\n" % (
            " ".join(EXCLUSIVE), " ".join(INCLUSIVE)))
    body = "".join("%s%s%s  { %sreturn %d; }\n" % (
        "<%s>" % ",".join(rule.states) if rule.states else "", "^" if rule.line_start else "",
        r.render(rule.tree), _flex_change(rule.change), i + 1)
        for i, rule in enumerate(rule_list))
    return (head + body + "%%\n").encode("latin-1")


RE2C_STATES_HEAD = """/* benchmark workload {name} */
#define TOK(n) do {{ *end = YYCURSOR; return (n); }} while (0)
/*!types:re2c*/
/* The condition between calls, and the stack of pushed ones. */
static int tw_cond = yycINITIAL;
static int tw_stack[64];
static int tw_depth = 0;
static const unsigned char *tw_first = 0;
#define BEGIN(c) (tw_cond = (c))
#define PUSH(c) (tw_stack[tw_depth < 63 ? tw_depth++ : 63] = tw_cond, tw_cond = (c))
#define POP() (tw_cond = tw_depth > 0 ? tw_stack[--tw_depth] : yycINITIAL)
int lex(const unsigned char *YYCURSOR, const unsigned char *YYLIMIT, const unsigned char **end)
{{
    const unsigned char *YYMARKER;
    int cond = tw_cond;
    if (!tw_first) tw_first = YYCURSOR;
    /* INITIAL at the start of a line (of the input or after a line feed). */
    if (cond == yycINITIAL && (YYCURSOR == tw_first || YYCURSOR[-1] == '\\n')) cond = yycBOL;
    /*!re2c
    re2c:define:YYCTYPE = "unsigned char";
    re2c:yyfill:enable = 0;
    re2c:eof = 0;
    re2c:define:YYGETCONDITION = "cond";
    re2c:define:YYGETCONDITION:naked = 1;
"""


def _re2c_states(rule):
    if rule.line_start:
        return ["BOL"]
    names = list(rule.states) if rule.states else ["INITIAL"] + list(INCLUSIVE)
    return [s for n in names for s in (["INITIAL", "BOL"] if n == "INITIAL" else [n])]


def _re2c_change(change):
    if not change:
        return ""
    if change[0] == "pop":
        return "POP(); "
    return ("BEGIN(yyc%s); " if change[0] == "begin" else "PUSH(yyc%s); ") % change[1]


def re2c_text(name, rule_list):
    r = Re2cRenderer(False)
    out = [RE2C_STATES_HEAD.format(name=name)]
    out += ["    <%s> %s { %sTOK(%d); }\n" % (",".join(_re2c_states(rule)), r.render(rule.tree),
                                            _re2c_change(rule.change), i + 1)
            for i, rule in enumerate(rule_list)]
    out += ["    <*> * { TOK(-1); }\n    <*> $ { TOK(0); }\n    */\n}\n"]
    return "".join(out).encode("latin-1")


# ---------------------------------------------------------------- the sample

def sample(rng, library_names, macro_names, snippets=800):
    idents = ["count", "buffer", "next", "node", "i", "j", "size_t", "result", "_tmp", "x1"]
    words = idents + library_names
    out = []
    for _ in range(snippets):
        kind = rng.below(9)
        if kind == 0:
            out.append("%s#%s%s %s%s\n" % (
                rng.pick(["", "  "]), rng.pick(["", " "]), rng.pick(["define", "undef"]),
                rng.pick(words), rng.pick(["", " (%s + 1)" % rng.pick(macro_names),
                                           " \\\n    %s /* %s */" % (rng.pick(PREDEFINED),
                                                                    rng.pick(words))])))
        elif kind == 1:
            out.append("#include %s // %s\n" % (
                rng.pick(["<stdio.h>", "<sys/types.h>", '"local.h"']), rng.pick(words)))
        elif kind == 2:
            out.append("#if defined(%s) && %s >= %d\n#%s\n" % (
                rng.pick(macro_names), rng.pick(PREDEFINED), rng.below(300),
                rng.pick(["endif", "else", "elif 1", "pragma once", "error \"no %d\""])))
        elif kind == 3:
            tags = " ".join("@" + rng.pick(DOC_TAGS) + " " + rng.pick(words)
                            for _ in range(1 + rng.below(3)))
            out.append("/**\n * %s\n * %s ** @ x\n */\n" % (tags, rng.pick(words)))
        elif kind == 4:
            fmt = "".join(rng.pick(["%d", "%-5s", "%08.3f", "%lld", "%zu", "%%", "%*d",
                                    "%.*e", "%#x", "%c", "%p", "% i", "%"])
                          + rng.pick(["", " ", ", ", "="]) for _ in range(1 + rng.below(4)))
            out.append('  printf("%s\\n", %s);\n' % (fmt, rng.pick(words)))
        elif kind == 5:
            out.append('  s = "tab\\t q\\" o\\101 h\\x7f u\\u00e9 U\\U0001F600 \\\nnext\\?";\n')
        elif kind == 6:
            out.append("  for (%s = 0x%XUL; %s <= %d.%de-%d; ++%s) %s(%s->%s, '\\n');\n" % (
                rng.pick(idents), rng.below(4096), rng.pick(idents), rng.below(100),
                rng.below(100), rng.below(9), rng.pick(idents), rng.pick(library_names),
                rng.pick(idents), rng.pick(idents)))
        elif kind == 7:
            out.append("  %s %%= %s; %s <<= 1; /* %s */ return .5f;\n" % (
                rng.pick(words), rng.pick(words), rng.pick(words), rng.pick(words)))
        else:
            out.append('  x = "unterminated %s\n  y = 017 ? %s : %s;\n' % (
                rng.pick(words), rng.pick(idents), rng.pick(macro_names)))
    return "".join(out).encode("latin-1")
