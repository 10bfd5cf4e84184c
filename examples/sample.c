/* sample.c - a little of everything the C example reads.
 * A block comment runs over lines; stars ** inside it stay comment. */
#include <stdio.h>
  #  define GREETING "hello, \"world\"\n" /* a comment in a directive */
#define SUM(a, b) \
    ((a) + (b))
#if defined(DEBUG) && DEBUG >= 2
#endif

static const char *names[] = { "tab\there", "bell\a", "hex\x41\x42", "oct\101\0", "q\?" };

int main(void) {
    unsigned long count = 0x1Ful; // a line comment
    double ratio = 3.25e-2, half = .5f, big = 1e10, whole = 42.;
    char c = 'x', nl = '\n', quote = '\'';
    for (int i = 0; i < 10; ++i) {
        count += i << 2;
        count >>= 1;
        ratio *= half->next ? ratio : -ratio;
    }
    printf("%s: %lu\n", GREETING, count); # not a directive
    puts("a string that goes on \
over two lines");
    puts("unterminated);
    return count != 0 && ratio <= 1.0 ? 0 : 1;
}
#define BROKEN "no end
int after = 1;
/* the end of the file in a comment
