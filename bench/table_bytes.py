"""Table bytes as the compiled program holds them.

Ours: every value of the generated DataSection (the last one in the file)
times its Data type's size (Data.i 8 bytes on x64, Data.l 4, Data.u and
Data.w 2, Data.a and Data.b 1).  flex's: every `static const T yy_x[N]`
array of its C output, N times the size of T (flex_int16_t 2,
flex_int32_t 4, YY_CHAR and flex_uint8_t 1).
"""

import re

DATA_SIZES = {b"i": 8, b"q": 8, b"l": 4, b"u": 2, b"w": 2, b"a": 1, b"b": 1}
FLEX_SIZES = {"flex_int16_t": 2, "flex_int32_t": 4, "flex_uint8_t": 1, "YY_CHAR": 1,
              "flex_int8_t": 1, "flex_uint16_t": 2, "flex_uint32_t": 4}


def ours_table_bytes(path):
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    start = max((i for i, l in enumerate(lines) if l.strip() == b"DataSection"), default=None)
    if start is None:
        return None
    total = 0
    for raw in lines[start + 1:]:
        line = raw.strip()
        if line == b"EndDataSection":
            break
        if line.startswith(b"Data.") and len(line) > 6:
            total += DATA_SIZES[line[5:6]] * (line.count(b",") + 1)
    return total


FLEX_ARRAY = re.compile(r"static const (\w+) yy_\w+\[(\d+)\]")


def flex_table_bytes(path):
    with open(path, encoding="latin-1") as f:
        text = f.read()
    return sum(FLEX_SIZES[t] * int(n) for t, n in FLEX_ARRAY.findall(text))
