/* Prints one token line in tarnwick-scan's format ("rule N  line L  col C
 * "TEXT"", "error ...", "eof ...") and keeps the line and column, so that
 * the peer-built scanners' streams can be compared with ours line by line.
 * Shared by the flex and re2c drivers of the semantic check.
 *
 * Built with -DTP_UTF8 it follows tarnwick-scan --utf8: columns count
 * characters (a well-formed UTF-8 sequence is one column, each byte of a
 * malformed one a column of its own, a byte inside a character keeps its
 * column) and well-formed multi-byte characters are printed as they are.
 * The driver then sets tp_limit to the end of the input. */
#ifndef BENCH_TOKEN_PRINT_H_
#define BENCH_TOKEN_PRINT_H_

#include <stdio.h>

static long tp_line = 1, tp_col = 1;

#ifdef TP_UTF8
static const unsigned char* tp_limit;
static long tp_pending = 0; /* bytes of the current character still to come */

/* Length of the well-formed sequence at p (2 to 4) before end, else 1. */
static long tp_utf8_length(const unsigned char* p, const unsigned char* end) {
  unsigned lead = p[0], low = 0x80, high = 0xBF;
  long count;
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (end - p < count) return 1;
  for (long i = 1; i < count; ++i) {
    if (p[i] < low || p[i] > high) return 1;
    low = 0x80;
    high = 0xBF;
  }
  return count;
}
#endif

static void tp_pass(const unsigned char* p) {
#ifdef TP_UTF8
  if (tp_pending > 0) {
    if (--tp_pending == 0) ++tp_col;
    return;
  }
#endif
  if (*p == '\n') {
    ++tp_line;
    tp_col = 1;
    return;
  }
#ifdef TP_UTF8
  tp_pending = tp_utf8_length(p, tp_limit) - 1;
  if (tp_pending > 0) return;
#endif
  ++tp_col;
}

static void tp_token(int result, const unsigned char* text, long length) {
  if (result == 0) {
    printf("eof  line %ld  col %ld\n", tp_line, tp_col);
    return;
  }
  if (result < 0)
    printf("error  line %ld  col %ld  \"", tp_line, tp_col);
  else
    printf("rule %d  line %ld  col %ld  \"", result - 1, tp_line, tp_col);
  for (long i = 0; i < length; ++i) {
    unsigned char c = text[i];
#ifdef TP_UTF8
    long n = tp_utf8_length(text + i, text + length);
    if (n > 1) {
      fwrite(text + i, 1, (size_t)n, stdout);
      for (long k = 0; k < n; ++k)
        tp_pass(text + i + k);
      i += n - 1;
      continue;
    }
#endif
    if (c == '"' || c == '\\')
      printf("\\%c", c);
    else if (c == '\n')
      printf("\\n");
    else if (c == '\r')
      printf("\\r");
    else if (c == '\t')
      printf("\\t");
    else if (c < 32 || c >= 127)
      printf("\\x%02x", c);
    else
      putchar(c);
    tp_pass(text + i);
  }
  printf("\"\n");
}

#endif
