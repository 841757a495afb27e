/* Runs a command under a seccomp filter, as a container engine does: no new privileges, the
 * filter, then the command, which every process it starts inherits. For the small native
 * programs of the scripts and their tests, built with the machine's C compiler. */
#ifndef SECCOMP_EXEC_H
#define SECCOMP_EXEC_H

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <stdio.h>
#include <sys/prctl.h>
#include <unistd.h>

/* The x86 system call numbers, which <sys/syscall.h> gives only for the compiler's own ABI. */
enum { X86_64_BRK = 12, X86_64_PERSONALITY = 135, I386_PERSONALITY = 136 };

#define SECCOMP_LOAD(field) BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, field))

/* Starts argv[1] with the rest of argv under the filter; returns only on a failure, with
 * env(1)'s statuses: 125 if the filter was refused, 127 if the command could not be started. */
static int exec_filtered(const char* name, struct sock_filter* filter, size_t length, char** argv) {
    if (!argv[1]) {
        fprintf(stderr, "usage: %s COMMAND [ARGUMENT]...\n", name);
        return 125;
    }
    struct sock_fprog program = {(unsigned short)length, filter};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        perror(name);
        return 125;
    }
    execvp(argv[1], argv + 1);
    fprintf(stderr, "%s: ", name);
    perror(argv[1]);
    return 127;
}

#endif
