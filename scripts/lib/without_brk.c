/* without-brk COMMAND [ARGUMENT]...: runs the command, and every process it starts, with the
 * 64-bit brk(2) refused, so that glibc's malloc takes its heap from mmap(2), high in the
 * address space, from the start. lib/wine64 starts Wine's 64-bit loader under it where the
 * kernel refuses the loader a fixed address-space layout: the loader sits at 0x7d000000, the
 * kernel puts the start of the brk heap anywhere in the 1 GiB above, and a heap grown over
 * 0x7ffe0000 leaves Wine no room for the shared user data it must map there.
 *
 * The refused call returns 0, not an error: glibc's brk takes the return value for the new
 * break and reports a break below the one asked for as ENOMEM, whereas a negative error
 * number would pass for a break above it. */
#include "seccomp_exec.h"

int main(int argc, char** argv) {
    (void)argc;
    struct sock_filter filter[] = {
        SECCOMP_LOAD(arch),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 0, 3),
        SECCOMP_LOAD(nr),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, X86_64_BRK, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    return exec_filtered("without-brk", filter, sizeof filter / sizeof *filter, argv);
}
