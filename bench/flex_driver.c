/* Runs a flex-built benchmark scanner over a file and prints its token
 * stream; the workload's actions return rule number + 1, 0 at the end and
 * -1 from the default rule (its ECHO is redefined in the .l file). */
#include <stdio.h>

#include "token_print.h"

extern FILE* yyin;
extern char* yytext;
extern int yyleng;
int yylex(void);

int main(int argc, char** argv) {
  if (argc != 2 || !(yyin = fopen(argv[1], "rb"))) {
    fprintf(stderr, "usage: flex-scan INPUT\n");
    return 2;
  }
  int result;
  while ((result = yylex()) != 0)
    tp_token(result, (const unsigned char*)yytext, yyleng);
  tp_token(0, 0, 0);
  return 0;
}
