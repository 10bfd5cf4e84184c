/* Prints one token line in tarnwick-scan's format ("rule N  line L  col C
 * "TEXT"", "error ...", "eof ...") and keeps the line and column, so that
 * the peer-built scanners' streams can be compared with ours line by line.
 * Shared by the flex and re2c drivers of the semantic check. */
#ifndef BENCH_TOKEN_PRINT_H_
#define BENCH_TOKEN_PRINT_H_

#include <stdio.h>

static long tp_line = 1, tp_col = 1;

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
    if (c == '\n') {
      ++tp_line;
      tp_col = 1;
    } else {
      ++tp_col;
    }
  }
  printf("\"\n");
}

#endif
