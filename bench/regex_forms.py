"""Regular expressions as small trees, written out in three lexer syntaxes.

A workload is described once, as trees of literals, byte classes and the
usual operators, and rendered to our definition syntax, to flex and to re2c,
so that the three files are equivalent by construction rather than by hand.

Our syntax has quirks the renderer must respect: a line is cut at the first
";" outside single or double quotes (escapes do not protect it), blanks are
ignored even between double quotes, "\\n" always means both line feed and
carriage return, and byte 0 cannot be written at all.  Byte sets are
therefore required to keep 10 and 13 together, a ";" is only ever written
between double quotes, and a set holding byte 0 is written as a complement.
`check_definition_line` replays the comment rule on the finished line so
that a rendering mistake fails here instead of silently truncating a rule.
"""

from dataclasses import dataclass

ALL_BYTES = frozenset(range(256))
NEWLINE = frozenset((10, 13))


@dataclass(frozen=True)
class Lit:
    text: bytes


@dataclass(frozen=True)
class Cls:
    members: frozenset


@dataclass(frozen=True)
class Cat:
    parts: tuple


@dataclass(frozen=True)
class Alt:
    choices: tuple


@dataclass(frozen=True)
class Star:
    body: object


@dataclass(frozen=True)
class Plus:
    body: object


@dataclass(frozen=True)
class Opt:
    body: object


def lit(text):
    return Lit(text.encode("latin-1") if isinstance(text, str) else bytes(text))


def cls(ranges="", extra=()):
    """A byte class from compact ranges: "a-z0-9_" style ranges plus bytes."""
    members = set(extra)
    i = 0
    while i < len(ranges):
        if i + 2 < len(ranges) and ranges[i + 1] == "-":
            members.update(range(ord(ranges[i]), ord(ranges[i + 2]) + 1))
            i += 3
        else:
            members.add(ord(ranges[i]))
            i += 1
    return Cls(frozenset(members))


def neg(c):
    return Cls(ALL_BYTES - c.members)


def cat(*parts):
    return Cat(tuple(parts))


def alt(*choices):
    return Alt(tuple(choices))


# Precedence levels shared by all three syntaxes.
_ALT, _CAT, _ATOM = 1, 2, 3


def _is_alnum(b):
    return 48 <= b <= 57 or 65 <= b <= 90 or 97 <= b <= 122


def _same_run_kind(lo, hi):
    for first, last in ((48, 57), (65, 90), (97, 122)):
        if first <= lo <= last and first <= hi <= last:
            return True
    return False


def _runs(members):
    """Consecutive runs of a sorted byte list as (low, high) pairs."""
    runs = []
    for b in sorted(members):
        if runs and runs[-1][1] == b - 1:
            runs[-1][1] = b
        else:
            runs.append([b, b])
    return runs


class _Renderer:
    def render(self, node):
        return self._node(node)[0]

    def _node(self, node):
        if isinstance(node, Lit):
            if len(node.text) == 0:
                raise ValueError("empty literal")
            return self.literal(node.text), _ATOM if len(node.text) == 1 else self.literal_prec
        if isinstance(node, Cls):
            return self.byte_class(node.members), _ATOM
        if isinstance(node, Cat):
            return "".join(self._wrap(p, _CAT) for p in node.parts), _CAT
        if isinstance(node, Alt):
            return "|".join(self._wrap(c, _ALT) for c in node.choices), _ALT
        for kind, op in ((Star, "*"), (Plus, "+"), (Opt, "?")):
            if isinstance(node, kind):
                return self._wrap(node.body, _ATOM) + op, _ATOM
        raise TypeError(node)

    def _wrap(self, node, need):
        text, prec = self._node(node)
        return text if prec >= need else "(" + text + ")"


class OursRenderer(_Renderer):
    # Characters are separate operands, so a literal is a concatenation.
    literal_prec = _CAT

    def literal(self, text):
        out = []
        for b in text:
            if b in (0, 10, 13):
                raise ValueError("byte %d cannot stand in a literal of our syntax" % b)
            out.append(self._atom_byte(b))
        return "".join(out)

    @staticmethod
    def _atom_byte(b):
        if _is_alnum(b):
            return chr(b)
        if b == 59:
            return '";"'
        if b == 9:
            return "\\t"
        return "\\" + chr(b)

    @staticmethod
    def _member(b):
        if _is_alnum(b):
            return chr(b)
        if b == 9:
            return "\\t"
        if b == 10:
            return "\\n"
        return "\\" + chr(b)

    def _members(self, members):
        out = []
        for lo, hi in _runs(members - {13}):
            if hi - lo >= 2 and _same_run_kind(lo, hi):
                out.append(chr(lo) + "-" + chr(hi))
            else:
                out.extend(self._member(b) for b in range(lo, hi + 1))
        return "".join(out)

    def byte_class(self, members):
        if (10 in members) != (13 in members):
            raise ValueError("our syntax cannot separate line feed from carriage return")
        if members == ALL_BYTES:
            return "[^]"
        if 0 in members:
            # A ";" member here is only safe behind an open quote earlier on
            # the line; check_definition_line rejects the rule otherwise.
            rest = ALL_BYTES - members
            return "[^" + self._members(rest) + "]"
        if 59 in members:
            rest = members - {59}
            if not rest:
                return '";"'
            return "([" + self._members(rest) + ']|";")'
        return "[" + self._members(members) + "]"


def _hex(b):
    return "\\x%02x" % b


def _c_string_byte(b):
    if b == 34 or b == 92:
        return "\\" + chr(b)
    if 32 <= b < 127:
        return chr(b)
    return _hex(b)


def _class_member(b):
    return chr(b) if _is_alnum(b) else _hex(b)


def _class_body(members):
    out = []
    for lo, hi in _runs(members):
        if hi == lo:
            out.append(_class_member(lo))
        else:
            out.append(_class_member(lo) + "-" + _class_member(hi))
    return "".join(out)


class FlexRenderer(_Renderer):
    literal_prec = _ATOM

    def literal(self, text):
        return '"' + "".join(_c_string_byte(b) for b in text) + '"'

    def byte_class(self, members):
        if not members:
            raise ValueError("flex has no empty class")
        return "[" + _class_body(members) + "]"


class Re2cRenderer(_Renderer):
    literal_prec = _ATOM

    def __init__(self, nocase):
        self.quote = "'" if nocase else '"'

    def literal(self, text):
        body = "".join("\\'" if b == 39 else _c_string_byte(b) for b in text)
        return self.quote + body + self.quote

    def byte_class(self, members):
        if not members:
            raise ValueError("empty class")
        return "[" + _class_body(members) + "]"


def find_outside_quotes(text, pattern):
    """Position (0-based) of pattern outside quotes, as our definition reader finds it."""
    in_double = in_single = False
    for i in range(len(text)):
        if not in_double and not in_single and text.startswith(pattern, i):
            return i
        if text[i] == '"' and not in_single:
            in_double = not in_double
        elif text[i] == "'" and not in_double:
            in_single = not in_single
    return -1


def check_definition_line(line):
    """Raise when the reader would cut the rule expression at a ';'."""
    cut = find_outside_quotes(line, ";")
    brace = line.find("  {")
    if cut >= 0 and (brace < 0 or cut < brace):
        raise ValueError("';' outside quotes would cut the rule: " + repr(line))
