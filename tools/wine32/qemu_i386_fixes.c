/*
 * Preloaded into every 32-bit process of the private Wine root (through the root's
 * etc/ld.so.preload, so nothing outside it loads this). It works around two faults of
 * qemu 7.2's i386 user-mode emulation that break 32-bit Wine:
 *
 * 1. qemu writes trap number -1 into every signal frame. Wine tells a page fault from an
 *    unknown trap by that number, so every page fault (stack guard pages, access checks)
 *    became an illegal-instruction exception. The fault handlers Wine installs are
 *    wrapped, and the wrapper fills in the number the kernel would have given, from the
 *    signal and its si_code, before Wine looks.
 *
 * 2. qemu keeps one global descriptor table for all threads, so the per-thread TLS
 *    entries made with set_thread_area (glibc's %gs, Wine's %fs) hold the base of
 *    whichever thread set them last. Any segment reload (every return from a signal)
 *    then gives a thread another thread's TLS or thread block. Instead, each thread gets
 *    its own entry in the local descriptor table (shared by the process, as on Linux,
 *    but with one entry per thread) for %gs; Wine is refused set_thread_area, so it falls
 *    back to per-thread LDT selectors of its own for %fs. glibc builds a new thread's TLS
 *    entry from the creator's %gs, so %gs points at the global entry again, refreshed
 *    with the creator's base, while pthread_create runs.
 *
 * Nothing here may touch %gs-based storage (errno, stack protector) before Wine's own
 * handler has restored %gs: a fault can arrive while Windows code runs.
 */
#define _GNU_SOURCE
#include <asm/ldt.h>
#include <dlfcn.h>
#include <errno.h>
#include <pthread.h>
#include <semaphore.h>
#include <signal.h>
#include <stdarg.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

typedef long (*syscall_fn)(long, ...);
typedef int (*sigaction_fn)(int, const struct sigaction *, struct sigaction *);
typedef int (*pthread_create_fn)(pthread_t *, const pthread_attr_t *, void *(*)(void *), void *);

static syscall_fn real_syscall;
static sigaction_fn real_sigaction;
static pthread_create_fn real_pthread_create;

/* ---- 1. Trap numbers ------------------------------------------------------------ */

enum { TRAP_DIVIDE = 0, TRAP_SINGLE_STEP = 1, TRAP_BREAKPOINT = 3, TRAP_OVERFLOW = 4,
       TRAP_INVALID_OPCODE = 6, TRAP_PROTECTION = 13, TRAP_PAGE_FAULT = 14,
       TRAP_FLOATING_POINT = 16, TRAP_ALIGNMENT = 17 };

typedef void (*fault_handler)(int, siginfo_t *, void *);
static fault_handler volatile program_handlers[_NSIG];

static int is_fault_signal(int sig)
{
    return sig == SIGSEGV || sig == SIGBUS || sig == SIGILL || sig == SIGFPE || sig == SIGTRAP;
}

/* The trap the kernel reports for each kind of fault qemu raises. */
static int trap_number(int sig, const siginfo_t *info)
{
    switch (sig) {
    case SIGSEGV: return info->si_code == SI_KERNEL ? TRAP_PROTECTION : TRAP_PAGE_FAULT;
    case SIGBUS:  return info->si_code == BUS_ADRALN ? TRAP_ALIGNMENT : TRAP_PAGE_FAULT;
    case SIGILL:  return TRAP_INVALID_OPCODE;
    case SIGTRAP: return info->si_code == TRAP_TRACE ? TRAP_SINGLE_STEP : TRAP_BREAKPOINT;
    case SIGFPE:
        if (info->si_code == FPE_INTDIV) return TRAP_DIVIDE;
        if (info->si_code == FPE_INTOVF) return TRAP_OVERFLOW;
        return TRAP_FLOATING_POINT;
    }
    return -1;
}

static void fill_in_trap_number(int sig, siginfo_t *info, void *context)
{
    ucontext_t *uc = context;
    if (uc->uc_mcontext.gregs[REG_TRAPNO] == -1)
        uc->uc_mcontext.gregs[REG_TRAPNO] = trap_number(sig, info);
    program_handlers[sig](sig, info, context);
}

int sigaction(int sig, const struct sigaction *act, struct sigaction *old)
{
    if (!real_sigaction) real_sigaction = (sigaction_fn)dlsym(RTLD_NEXT, "sigaction");
    if (sig <= 0 || sig >= _NSIG || !is_fault_signal(sig))
        return real_sigaction(sig, act, old);

    fault_handler previous = program_handlers[sig];
    int rc;
    if (act && (act->sa_flags & SA_SIGINFO) && act->sa_handler != SIG_DFL &&
        act->sa_handler != SIG_IGN) {
        struct sigaction wrapped = *act;
        program_handlers[sig] = act->sa_sigaction;
        wrapped.sa_sigaction = fill_in_trap_number;
        rc = real_sigaction(sig, &wrapped, old);
    } else {
        rc = real_sigaction(sig, act, old);
    }
    /* The program sees its own handler, never the wrapper. */
    if (rc == 0 && old && (old->sa_flags & SA_SIGINFO) && old->sa_sigaction == fill_in_trap_number)
        old->sa_sigaction = previous;
    return rc;
}

/* ---- 2. Thread-local segments --------------------------------------------------- */

/* Wine allocates its own LDT entries from 512 up when %gs is already an LDT selector. */
enum { FIRST_GS_ENTRY = 1, GS_ENTRIES = 511 };

static unsigned short global_gs;          /* glibc's shared GDT selector, 0 when unused */
static unsigned char gs_entry_used[FIRST_GS_ENTRY + GS_ENTRIES];
static int next_gs_entry = FIRST_GS_ENTRY;
static pthread_key_t gs_entry_key;
static pthread_mutex_t creation_lock = PTHREAD_MUTEX_INITIALIZER;

static unsigned short get_gs(void) { unsigned short s; __asm__ volatile("movw %%gs,%0" : "=r"(s)); return s; }
static void set_gs(unsigned short s) { __asm__ volatile("movw %0,%%gs" : : "r"(s)); }
static void set_fs(unsigned short s) { __asm__ volatile("movw %0,%%fs" : : "r"(s)); }

/* glibc keeps the thread's own TCB address at %gs:0. */
static unsigned long thread_pointer(void)
{
    unsigned long self;
    __asm__ volatile("movl %%gs:0,%0" : "=r"(self));
    return self;
}

static struct user_desc tls_descriptor(unsigned entry, unsigned long base)
{
    struct user_desc d = { 0 };
    d.entry_number = entry;
    d.base_addr = base;
    d.limit = 0xfffff;
    d.seg_32bit = 1;
    d.limit_in_pages = 1;
    d.useable = 1;
    return d;
}

static void release_gs_entry(void *entry)
{
    __atomic_store_n(&gs_entry_used[(unsigned long)entry], 0, __ATOMIC_RELEASE);
}

/* Entries are handed out round the ring, so a freed one is reused only long after the
 * thread that held it (and still runs on it while it exits) has gone. Runs under the
 * creation lock or before any thread exists. */
static int take_gs_entry(void)
{
    for (int tried = 0; tried < GS_ENTRIES; ++tried) {
        int entry = next_gs_entry;
        next_gs_entry = entry + 1 < FIRST_GS_ENTRY + GS_ENTRIES ? entry + 1 : FIRST_GS_ENTRY;
        if (!__atomic_load_n(&gs_entry_used[entry], __ATOMIC_ACQUIRE)) {
            gs_entry_used[entry] = 1;
            return entry;
        }
    }
    return -1;
}

/* Moves the calling thread's %gs to an LDT entry of its own with the same base. */
static void use_own_gs_entry(void)
{
    int entry = take_gs_entry();
    if (entry < 0) return;
    struct user_desc d = tls_descriptor(entry, thread_pointer());
    if (real_syscall(SYS_modify_ldt, 0x11, &d, sizeof d) != 0) {
        gs_entry_used[entry] = 0;
        return;
    }
    set_gs((unsigned short)(entry << 3 | 7));
    pthread_setspecific(gs_entry_key, (void *)(unsigned long)entry);
}

long syscall(long number, ...)
{
    long a[6];
    va_list args;
    va_start(args, number);
    for (int i = 0; i < 6; ++i) a[i] = va_arg(args, long);
    va_end(args);
    /* Wine's %fs: without a GDT entry it makes a per-thread LDT selector. */
    if (number == SYS_set_thread_area && global_gs) {
        errno = ENOSYS;
        return -1;
    }
    return real_syscall(number, a[0], a[1], a[2], a[3], a[4], a[5]);
}

struct thread_start {
    void *(*routine)(void *);
    void *arg;
    sigset_t mask;
    sem_t switched;
};

static void *start_on_own_gs(void *p)
{
    struct thread_start *start = p;
    void *(*routine)(void *) = start->routine;
    void *arg = start->arg;
    sigset_t mask = start->mask;
    use_own_gs_entry();
    sem_post(&start->switched);  /* the creator's block is gone after this */
    pthread_sigmask(SIG_SETMASK, &mask, NULL);
    return routine(arg);
}

int pthread_create(pthread_t *thread, const pthread_attr_t *attr, void *(*routine)(void *), void *arg)
{
    if (!global_gs) return real_pthread_create(thread, attr, routine, arg);

    /* No signal may reload a segment register while %gs is the shared entry, in this
     * thread or in the new one before it has its own. */
    struct thread_start start = { .routine = routine, .arg = arg };
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &start.mask);
    sem_init(&start.switched, 0, 0);

    pthread_mutex_lock(&creation_lock);
    unsigned short own_gs = get_gs();
    struct user_desc d = tls_descriptor(global_gs >> 3, thread_pointer());
    real_syscall(SYS_set_thread_area, &d);
    set_gs(global_gs);
    int rc = real_pthread_create(thread, attr, start_on_own_gs, &start);
    set_gs(own_gs);
    if (rc == 0)
        while (sem_wait(&start.switched) != 0) {}
    pthread_mutex_unlock(&creation_lock);

    sem_destroy(&start.switched);
    pthread_sigmask(SIG_SETMASK, &start.mask, NULL);
    return rc;
}

__attribute__((constructor)) static void start_process(void)
{
    real_syscall = (syscall_fn)dlsym(RTLD_NEXT, "syscall");
    real_sigaction = (sigaction_fn)dlsym(RTLD_NEXT, "sigaction");
    real_pthread_create = (pthread_create_fn)dlsym(RTLD_NEXT, "pthread_create");
    pthread_key_create(&gs_entry_key, release_gs_entry);

    unsigned short gs = get_gs();
    if (!gs || (gs & 4)) return;  /* not glibc's GDT entry: nothing to work around */
    use_own_gs_entry();
    if (get_gs() == gs) return;
    global_gs = gs;
    /* The preloader's %fs is a shared GDT entry too: forget it, so Wine asks for one. */
    set_fs(0);
}
