/* Token printing for the flex twins: every twin's actions call these, so its
   output has tarnwick-scan's layout (8-bit input: columns count bytes, a line
   feed starts a new line, text escaped as tarnwick-scan escapes it). The
   position is kept here from the printed texts, so a twin action that calls
   yyless() first prints the text that stays in the token. */
#ifndef TARNWICK_FLEX_TWIN_H
#define TARNWICK_FLEX_TWIN_H

#include <stdio.h>

static int twinLine = 1;
static int twinColumn = 1;

static void twin_text(const char* text, int length) {
  putchar('"');
  for (int i = 0; i < length; ++i) {
    unsigned char c = (unsigned char)text[i];
    switch (c) {
      case '"': fputs("\\\"", stdout); break;
      case '\\': fputs("\\\\", stdout); break;
      case '\n': fputs("\\n", stdout); break;
      case '\r': fputs("\\r", stdout); break;
      case '\t': fputs("\\t", stdout); break;
      default:
        if (c >= 0x20 && c < 0x7f) putchar(c);
        else printf("\\x%02x", c);
    }
  }
  putchar('"');
}

static void twin_advance(const char* text, int length) {
  for (int i = 0; i < length; ++i) {
    if (text[i] == '\n') {
      ++twinLine;
      twinColumn = 1;
    } else {
      ++twinColumn;
    }
  }
}

/* A match of rule `rule` (counted from 0 as tarnwick counts its rules). */
static void twin_rule(int rule, const char* text, int length) {
  printf("rule %d  line %d  col %d  ", rule, twinLine, twinColumn);
  twin_text(text, length);
  putchar('\n');
  twin_advance(text, length);
}

/* A byte no rule matches. */
static void twin_error(const char* text, int length) {
  printf("error  line %d  col %d  ", twinLine, twinColumn);
  twin_text(text, length);
  putchar('\n');
  twin_advance(text, length);
}

static void twin_end(void) { printf("eof  line %d  col %d\n", twinLine, twinColumn); }

/* In actions: TWIN_RULE(n) for a match of rule n, TWIN_ERROR in the last
   rule "<*>.|\n", and at the end of the input TWIN_END, or TWIN_END_RULE(n)
   for a definition's <<EOF>> rule n (an empty match, then the end). */
#define TWIN_RULE(n) twin_rule((n), yytext, (int)yyleng)
#define TWIN_ERROR twin_error(yytext, (int)yyleng)
#define TWIN_END \
  do {           \
    twin_end();  \
    return 0;    \
  } while (0)
#define TWIN_END_RULE(n)     \
  do {                       \
    twin_rule((n), "", 0);   \
    TWIN_END;                \
  } while (0)

int yylex(void);

/* The twin scans its standard input to the end. */
int main(void) {
  yylex();
  return 0;
}

#endif
