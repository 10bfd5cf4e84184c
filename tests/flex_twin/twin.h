/* Token printing for the flex twins: every twin's actions print through
   these macros, so its output has tarnwick-scan's layout. The lines come from
   the benchmark's token_print.h (8-bit input: columns count bytes, a line
   feed starts a new line), which keeps the position from the printed texts,
   so a twin action that calls yyless() first prints the text that stays in
   the token. */
#ifndef TARNWICK_FLEX_TWIN_H
#define TARNWICK_FLEX_TWIN_H

#include "token_print.h"

/* In actions: TWIN_RULE(n) for a match of rule n (counted from 0 as tarnwick
   counts its rules), TWIN_ERROR in the last rule "<*>.|\n", and at the end
   of the input TWIN_END, or TWIN_END_RULE(n) for a definition's <<EOF>> rule
   n (an empty match, then the end). */
#define TWIN_RULE(n) tp_token((n) + 1, (const unsigned char*)yytext, (long)yyleng)
#define TWIN_ERROR tp_token(-1, (const unsigned char*)yytext, (long)yyleng)
#define TWIN_END       \
  do {                 \
    tp_token(0, 0, 0); \
    return 0;          \
  } while (0)
#define TWIN_END_RULE(n)                            \
  do {                                              \
    tp_token((n) + 1, (const unsigned char*)"", 0); \
    TWIN_END;                                       \
  } while (0)

int yylex(void);

/* The twin scans its standard input to the end. */
int main(void) {
  yylex();
  return 0;
}

#endif
