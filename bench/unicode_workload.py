"""The UTF-8 workload: examples/unicode.lex plus 200 keywords in six scripts.

Our form is a UTF-8 definition (the `%utf8` directive): the keyword rules
first, then the example's rule lines exactly as they stand in the example
(its <<EOF>> rule aside, which the peer has no counterpart for).  The re2c
form, for re2c's UTF-8 mode (`re2c -8`), states the same rules with every
class written out as code-point ranges: the general categories come from the
generator's committed Unicode tables (the `kXx[]` arrays of unicode_data.cc),
or from the unicode-data package's UnicodeData.txt where those tables are not
in the tree.  Negated classes are written as positive ranges without the
surrogates, since our classes never match those; non-ASCII characters are
written as \\u escapes, since re2c reads its source as bytes.  flex has no
UTF-8 mode, so there is no flex form.

`EXAMPLE_RULES` pairs each expression of the example with its re2c form; the
workload refuses to build when the example's rules no longer match it.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(REPO, "tools"))
import make_unicode_tables  # noqa: E402  (found through the path above)
from workload_common import RE2C_HEAD, Lcg  # noqa: E402

EXAMPLE = os.path.join(REPO, "examples", "unicode.lex")
UNICODE_DATA = "/usr/share/unicode/UnicodeData.txt"
MAX_CODE_POINT = 0x10FFFF
SURROGATES = (0xD800, 0xDFFF)
BOM = b"\xef\xbb\xbf"

GROUPS = {"L": ["Lu", "Ll", "Lt", "Lm", "Lo"], "M": ["Mn", "Mc", "Me"]}


# ---------------------------------------------------------------- code-point sets

def merge(ranges):
    """Sorted, disjoint, non-adjacent (low, high) pairs of any list of pairs."""
    return make_unicode_tables.merge(sorted(ranges))


def chars(text):
    return [(ord(c), ord(c)) for c in text]


def complement(ranges):
    """Every scalar value (no surrogates) outside `ranges`."""
    out, nxt = [], 0
    for lo, hi in merge(ranges + [SURROGATES]):
        if lo > nxt:
            out.append((nxt, lo - 1))
        nxt = hi + 1
    if nxt <= MAX_CODE_POINT:
        out.append((nxt, MAX_CODE_POINT))
    return out


def committed_tables():
    """{category: ranges} from the generator's unicode_data.cc, or None."""
    path = os.path.join(REPO, "generator", "unicode", "unicode_data.cc")
    if not os.path.exists(path):
        return None
    with open(path, encoding="utf-8") as f:
        text = f.read()
    tables = {}
    for name, body in re.findall(r"CodePointRange k([A-Z][a-z])\[\] = \{(.*?)\};", text, re.S):
        tables[name] = [(int(a, 16), int(b, 16))
                        for a, b in re.findall(r"\{0x([0-9A-Fa-f]+), 0x([0-9A-Fa-f]+)\}", body)]
    return tables or None


def package_tables(path=UNICODE_DATA):
    """{category: ranges} from UnicodeData.txt, read as the table generator reads it."""
    return make_unicode_tables.read_categories(path)


_TABLES = None


def category(name):
    """Ranges of a two-letter category or a one-letter group used by the example."""
    global _TABLES
    if _TABLES is None:
        _TABLES = committed_tables() or package_tables()
    return merge([r for n in GROUPS.get(name, [name]) for r in _TABLES[n]])


# ---------------------------------------------------------------- re2c text

def _re2c_char(cp):
    if cp < 0x80 and (chr(cp).isalnum() or chr(cp) == "_"):
        return chr(cp)
    return "\\u%04x" % cp if cp <= 0xFFFF else "\\U%08x" % cp


def re2c_class(ranges):
    return "[" + "".join(_re2c_char(lo) if lo == hi else _re2c_char(lo) + "-" + _re2c_char(hi)
                         for lo, hi in merge(ranges)) + "]"


def re2c_string(text):
    return '"' + "".join(_re2c_char(ord(c)) for c in text) + '"'


NEWLINE = chars("\n\r")  # our \n is line feed and carriage return both

# Each expression of examples/unicode.lex (without <<EOF>>) and its re2c form.
EXAMPLE_RULES = [
    ("[[:L:]_][[:L:][:M:][:Nd:]_]*",
     lambda: "%s%s*" % (re2c_class(category("L") + chars("_")),
                        re2c_class(category("L") + category("M") + category("Nd") + chars("_")))),
    ("[[:Nd:]]+(\\.[[:Nd:]]+)?",
     lambda: "%s+ (\".\" %s+)?" % (re2c_class(category("Nd")), re2c_class(category("Nd")))),
    ("«[^«»\\n]*»",
     lambda: "%s %s* %s" % (re2c_string("«"), re2c_class(complement(chars("«»") + NEWLINE)),
                            re2c_string("»"))),
    ("[-+*/=<>(),≤≥≠×÷→]", lambda: re2c_class(chars("-+*/=<>(),≤≥≠×÷→"))),
    ("[[:Zs:]\\t\\n]+", lambda: re2c_class(category("Zs") + chars("\t") + NEWLINE) + "+"),
]


def example_rule_lines(path=EXAMPLE):
    """The rule lines of the example, without comments, blank lines and <<EOF>>."""
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(BOM):
        data = data[len(BOM):]
    lines = data.decode("utf-8").replace("\r\n", "\n").split("\n")
    start = lines.index("%%") + 1
    end = lines.index("%%", start) if "%%" in lines[start:] else len(lines)
    return [l for l in lines[start:end]
            if l.strip() and not l.startswith(";") and not l.startswith("<<EOF>>")]


def expression_of(line):
    return line[:line.index("{")].strip()


# ---------------------------------------------------------------- keywords and sample

SCRIPTS = [
    "abcdefghijklmnopqrstuvwxyzäöüßéèêàçñø",            # Latin
    "αβγδεζηθικλμνξοπρστυφχψω",                          # Greek
    "абвгдежзийклмнопрстуфхцчшщыэюя",                    # Cyrillic
    "कखगघचछजझटठडढणतथदधनपफबभमयरलवशसह",               # Devanagari consonants
    "あいうえおかきくけこさしすせそたちつてとなにぬねの日本語文字列変数関数値型",  # kana, Han
    "ابتثجحخدذرزسشصضطظعغفقكلمنهوي",                      # Arabic
]
DEVANAGARI_SIGNS = "ािीुूेैोौ्ं"  # vowel signs (Mn, Mc), virama, anusvara
DIGITS = ["0123456789", "٠١٢٣٤٥٦٧٨٩", "०१२३४५६७८९"]
OPERATORS = list("-+*/=<>(),≤≥≠×÷→")
BLANKS = [" ", " ", " ", "\n", "\t", "\r\n", "\u00a0", "\u3000"]


def word(rng, script, length):
    letters = SCRIPTS[script]
    out = []
    for _ in range(length):
        out.append(rng.pick(letters))
        if script == 3 and rng.below(2):
            out.append(rng.pick(DEVANAGARI_SIGNS))
    return "".join(out)


def keyword_list(count=200):
    rng = Lcg(14)
    words, seen = [], set()
    while len(words) < count:
        script = len(words) % len(SCRIPTS)
        w = word(rng, script, 2 + rng.below(7))
        if w not in seen:
            seen.add(w)
            words.append(w)
    return words


def sample(words, items=3000):
    rng = Lcg(1414)
    parts = []
    for _ in range(items):
        kind = rng.below(20)
        if kind < 7:
            text = rng.pick(words)
        elif kind < 9:
            text = rng.pick(words) + word(rng, rng.below(len(SCRIPTS)), 1)  # a keyword prefix
        elif kind < 13:
            text = word(rng, rng.below(len(SCRIPTS)), 1 + rng.below(8))
            text += rng.pick(DIGITS[0]) if rng.below(3) == 0 else ""
        elif kind < 15:
            digits = rng.pick(DIGITS)
            text = "".join(rng.pick(digits) for _ in range(1 + rng.below(6)))
            if rng.below(3) == 0:
                text += "." + "".join(rng.pick(digits) for _ in range(1 + rng.below(3)))
        elif kind < 17:
            inner = "".join(rng.pick(rng.pick(SCRIPTS) + "  .!?") for _ in range(rng.below(15)))
            text = "«" + inner + "»"
        elif kind < 19:
            text = rng.pick(OPERATORS)
        else:
            text = rng.pick(["€", "@", "😀"])  # characters no rule names
        parts.append(text.encode("utf-8"))
        if rng.below(150) == 0:
            parts.append(rng.pick([b"\xe9", b"\xe2\x82", b"\xc0\xaf", b"\xed\xa0\x80"]))
        parts.append(rng.pick(BLANKS).encode("utf-8"))
    return BOM + b"".join(parts)


# ---------------------------------------------------------------- the workload

def texts(keywords):
    """(our definition, the re2c source, rule count) of the workload."""
    lines = example_rule_lines()
    expressions = [expression_of(l) for l in lines]
    if expressions != [e for e, _ in EXAMPLE_RULES]:
        raise ValueError("examples/unicode.lex changed: update EXAMPLE_RULES in "
                         "bench/unicode_workload.py (example: %r)" % expressions)
    ours = ["; benchmark workload unicode-%d: examples/unicode.lex and %d keywords"
            % (len(keywords), len(keywords)), "%utf8", "%%"]
    ours += ['"%s"  { ProcedureReturn §Kw%d }' % (k, i) for i, k in enumerate(keywords)]
    ours += lines + ["%%", ""]
    re2c = [RE2C_HEAD.format(name="unicode-%d" % len(keywords))]
    forms = [re2c_string(k) for k in keywords] + [make() for _, make in EXAMPLE_RULES]
    re2c += ["    %s { TOK(%d); }\n" % (f, i + 1) for i, f in enumerate(forms)]
    # A character no rule names is one error token, as in our UTF-8 scanners;
    # "*" is left for the bytes of malformed sequences.
    re2c += ["    [\\x00-\\uD7FF\\uE000-\\U0010FFFF] { TOK(-1); }\n    * { TOK(-1); }\n    $ { TOK(0); }\n    */\n}\n"]
    return "\n".join(ours).encode("utf-8"), "".join(re2c).encode("ascii"), len(forms)
