"""Helpers every workload module shares: the deterministic random numbers
and the head of a re2c source.  Workload modules import this one; it imports
none of them, so the imports run one way (workloads.py -> unicode_workload.py
-> workload_common.py).
"""


class Lcg:
    """64-bit LCG (Knuth's MMIX constants); the high bits are used."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFFFFFFFFFF

    def below(self, n):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) & 0xFFFFFFFFFFFFFFFF
        return (self.state >> 33) % n

    def pick(self, items):
        return items[self.below(len(items))]


RE2C_HEAD = """/* benchmark workload {name} */
#define TOK(n) do {{ *end = YYCURSOR; return (n); }} while (0)
int lex(const unsigned char *YYCURSOR, const unsigned char *YYLIMIT, const unsigned char **end)
{{
    const unsigned char *YYMARKER;
    /*!re2c
    re2c:define:YYCTYPE = "unsigned char";
    re2c:yyfill:enable = 0;
    re2c:eof = 0;
"""
