/* container-seccomp COMMAND [ARGUMENT]...: runs the command, and every process it starts, under
 * the personality(2) rules of Docker's and Podman's default seccomp profiles, which allow only
 * the personalities 0, PER_LINUX32, UNAME26 and both together, and the query 0xffffffff, and
 * refuse any other with EPERM: setarch --addr-no-randomize fails there. The profiles' other
 * rules refuse nothing the tests use. */
#include "../../scripts/lib/seccomp_exec.h"

#include <errno.h>

int main(int argc, char** argv) {
    (void)argc;
    struct sock_filter filter[] = {
        SECCOMP_LOAD(arch),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 0, 2),
        SECCOMP_LOAD(nr),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, X86_64_PERSONALITY, 3, 10),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_I386, 0, 9),
        SECCOMP_LOAD(nr),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, I386_PERSONALITY, 0, 7),
        /* the personality asked for: the low half of the first argument */
        SECCOMP_LOAD(args[0]),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 0x0, 5, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 0x8, 4, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 0x20000, 3, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 0x20008, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 0xffffffff, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    return exec_filtered("container-seccomp", filter, sizeof filter / sizeof *filter, argv);
}
