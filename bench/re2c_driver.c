/* Runs a re2c-built benchmark scanner (compiled into this file by
 * -DRE2C_SCANNER="path") over a file and prints its token stream.  The
 * input gets a NUL sentinel and YYLIMIT, so NUL bytes inside it are data.
 * With -DTP_UTF8 (a scanner built by re2c -8) columns count characters and
 * a leading byte-order mark is skipped, as tarnwick-scan --utf8 does. */
#include <stdio.h>
#include <stdlib.h>

#include "token_print.h"

#include RE2C_SCANNER

int main(int argc, char** argv) {
  FILE* f = argc == 2 ? fopen(argv[1], "rb") : NULL;
  if (!f) {
    fprintf(stderr, "usage: re2c-scan INPUT\n");
    return 2;
  }
  fseek(f, 0, SEEK_END);
  long size = ftell(f);
  fseek(f, 0, SEEK_SET);
  unsigned char* buffer = calloc((size_t)size + 1, 1);
  if (!buffer || fread(buffer, 1, (size_t)size, f) != (size_t)size) return 2;
  fclose(f);
  const unsigned char* cursor = buffer;
#ifdef TP_UTF8
  /* As yySetFile(name, #PB_UTF8): a leading byte-order mark is not input. */
  tp_limit = buffer + size;
  if (size >= 3 && buffer[0] == 0xEF && buffer[1] == 0xBB && buffer[2] == 0xBF) cursor += 3;
#endif
  for (;;) {
    const unsigned char* end = cursor;
    int result = lex(cursor, buffer + size, &end);
    if (result == 0) break;
    if (end == cursor) {
      /* An empty match away from the end would repeat forever; stop here. */
      printf("empty match at offset %ld\n", (long)(cursor - buffer));
      return 1;
    }
    tp_token(result, cursor, end - cursor);
    cursor = end;
  }
  tp_token(0, 0, 0);
  free(buffer);
  return 0;
}
