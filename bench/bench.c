/* Start-up benchmark: one run of the program against a statically linked C
   reference, interleaved so that the machine's drift hits both alike.
   Usage: bench RUNS REFERENCE -- PROGRAM [ARGS...]
   Prints min/median/max of each, the ratio of medians, and peak memory. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char **environ;

static long pic_kio; /* largest ru_maxrss of the program's runs */

static double lancer(char **argv, int mesurer_memoire)
{
    posix_spawn_file_actions_t f;
    posix_spawn_file_actions_init(&f);
    posix_spawn_file_actions_addopen(&f, 1, "/dev/null", O_WRONLY, 0);
    struct timespec a, b;
    clock_gettime(CLOCK_MONOTONIC, &a);
    pid_t p;
    if (posix_spawn(&p, argv[0], &f, NULL, argv, environ) != 0) {
        perror(argv[0]);
        exit(2);
    }
    int s;
    struct rusage u;
    wait4(p, &s, 0, &u);
    clock_gettime(CLOCK_MONOTONIC, &b);
    posix_spawn_file_actions_destroy(&f);
    if (!WIFEXITED(s) || WEXITSTATUS(s) != 0) {
        fprintf(stderr, "%s: status %d\n", argv[0], s);
        exit(2);
    }
    if (mesurer_memoire && u.ru_maxrss > pic_kio) pic_kio = u.ru_maxrss;
    return (b.tv_sec - a.tv_sec) * 1e6 + (b.tv_nsec - a.tv_nsec) / 1e3;
}

static int comparer(const void *x, const void *y)
{
    double a = *(const double *)x, b = *(const double *)y;
    return (a > b) - (a < b);
}

int main(int argc, char **argv)
{
    if (argc < 5 || strcmp(argv[3], "--") != 0) {
        fprintf(stderr, "usage: %s RUNS REFERENCE -- PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    int n = atoi(argv[1]);
    char *reference[] = {argv[2], NULL};
    double *r = malloc(sizeof(double) * (size_t)n), *p = malloc(sizeof(double) * (size_t)n);
    for (int i = 0; i < 10; ++i) { /* warm the page cache */
        lancer(reference, 0);
        lancer(argv + 4, 0);
    }
    for (int i = 0; i < n; ++i) {
        r[i] = lancer(reference, 0);
        p[i] = lancer(argv + 4, 1);
    }
    qsort(r, (size_t)n, sizeof *r, comparer);
    qsort(p, (size_t)n, sizeof *p, comparer);
    printf("%-28s min %6.0f  median %6.0f  max %7.0f us\n", argv[2], r[0], r[n / 2], r[n - 1]);
    printf("%-28s min %6.0f  median %6.0f  max %7.0f us  peak %ld KiB\n", argv[4], p[0], p[n / 2], p[n - 1],
           pic_kio);
    printf("ratio of medians %.3f (min %.3f, max %.3f)\n", p[n / 2] / r[n / 2], p[0] / r[0], p[n - 1] / r[n - 1]);
    return 0;
}
