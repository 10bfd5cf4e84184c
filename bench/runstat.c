/* Runs one command and reports what the benchmark keeps of it: wall time,
 * user + system CPU time (microsecond resolution, unlike /usr/bin/time's
 * hundredths) and peak resident set, from wait4.  Forking from this small
 * program rather than from the Python harness matters: exec keeps the peak
 * resident mark of the image it replaces.
 * Usage: runstat OUTFILE COMMAND [ARG...]; writes "wall_s cpu_s maxrss_kb"
 * to OUTFILE and exits with the command's status (128 + signal if killed). */
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double seconds(struct timeval t) {
  return (double)t.tv_sec + (double)t.tv_usec / 1e6;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: runstat OUTFILE COMMAND [ARG...]\n");
    return 125;
  }
  struct timespec start, end;
  clock_gettime(CLOCK_MONOTONIC, &start);
  pid_t pid = fork();
  if (pid < 0) return 125;
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    perror(argv[2]);
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  if (wait4(pid, &status, 0, &usage) < 0) return 125;
  clock_gettime(CLOCK_MONOTONIC, &end);
  double wall = (double)(end.tv_sec - start.tv_sec) + (double)(end.tv_nsec - start.tv_nsec) / 1e9;
  FILE* out = fopen(argv[1], "w");
  if (!out) return 125;
  fprintf(out, "%.6f %.6f %ld\n", wall, seconds(usage.ru_utime) + seconds(usage.ru_stime),
          usage.ru_maxrss);
  fclose(out);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
