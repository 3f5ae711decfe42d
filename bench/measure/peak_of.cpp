// peak_of OUTPUT ERRORS LIMIT PROGRAM [ARGUMENT...]
// Runs the program with its standard output and errors sent to the two files and, when LIMIT is
// not 0, under that open-file limit, then prints "<seconds> <peak resident KiB> <exit status>
// <processor seconds>", the last the program's user and system time on all its threads.
// The kernel counts a process's peak memory from before its exec too, so a program started
// straight from a large benchmark would be charged with the benchmark's own pages: started from
// this small process, it is charged with its own. Plain POSIX only, to keep this process small.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: peak_of OUTPUT ERRORS LIMIT PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const rlim_t limit = std::strtoul(argv[3], nullptr, 10);
    struct timespec start {}, end {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0) return 3;
    if (child == 0) {
        const int out = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const struct rlimit openFiles {limit, limit};
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
        if (limit != 0 && setrlimit(RLIMIT_NOFILE, &openFiles) != 0) _exit(125);
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    while (wait4(child, &status, 0, &usage) < 0)
        if (errno != EINTR) return 4;
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double seconds = static_cast<double>(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
    auto secondsOf = [](const struct timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
    std::printf("%.6f %ld %d %.6f\n", seconds, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : 128,
                secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime));
    return 0;
}
