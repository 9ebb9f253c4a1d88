#include "framework/CrashReport.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <execinfo.h>
#include <fcntl.h>
#include <filesystem>
#include <link.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr int aSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int nMaxSignal = 32;
constexpr int nMaxFrames = 64;

// The state the handler reads: plain data, set up before any crash.
char g_aReportFile[4096] = "";
struct sigaction g_aPrevious[nMaxSignal];
bool g_bInstalled = false;

// The calling thread's stack, recorded where the thread starts: the handler
// cannot ask for it (the library's query reads files and allocates). The
// initial-exec model keeps the handler's access to it free of allocation.
struct StackBounds {
    std::uintptr_t uLow = 0;
    std::uintptr_t uHigh = 0;
};
thread_local StackBounds t_Bounds __attribute__((tls_model("initial-exec")));

void RecordStackBounds()
{
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0)
        return;
    void* p_low = nullptr;
    std::size_t u_size = 0;
    if (pthread_attr_getstack(&attr, &p_low, &u_size) == 0 && p_low != nullptr) {
        t_Bounds.uLow = reinterpret_cast<std::uintptr_t>(p_low);
        t_Bounds.uHigh = t_Bounds.uLow + u_size;
    }
    pthread_attr_destroy(&attr);
}

// ---- a line of the report, formatted without the C library's printf ----

class LineOut {
public:
    explicit LineOut(int i_fd) : iFd(i_fd) {}

    LineOut& Text(const char* p_text)
    {
        for (; p_text != nullptr && *p_text != '\0'; ++p_text)
            Char(*p_text);
        return *this;
    }
    // Upper-case hexadecimal, at least n_digits wide.
    LineOut& Hex(std::uint64_t u_value, int n_digits)
    {
        char a_digits[16];
        int n = 0;
        do {
            a_digits[n++] = "0123456789ABCDEF"[u_value & 0xF];
            u_value >>= 4;
        } while (u_value != 0 && n < 16);
        while (n < n_digits && n < 16)
            a_digits[n++] = '0';
        while (n > 0)
            Char(a_digits[--n]);
        return *this;
    }
    // Writes the line (a line is at most 1024 characters, longer text is cut).
    void End()
    {
        Char('\n');
        std::size_t u_done = 0;
        while (u_done < nUsed) {
            const ssize_t i = write(iFd, aLine + u_done, nUsed - u_done);
            if (i < 0 && errno == EINTR)
                continue;
            if (i <= 0)
                break;
            u_done += static_cast<std::size_t>(i);
        }
        nUsed = 0;
    }

private:
    void Char(char c)
    {
        if (nUsed < sizeof aLine - 1 || c == '\n')
            aLine[nUsed++] = c;
    }

    int iFd;
    char aLine[1024];
    std::size_t nUsed = 0;
};

// ---- where a code address lies ----

struct Where {
    const char* pModule = "";
    // The loadable segment of the module holding the address, from 1; 0
    // when none does.
    unsigned uSegment = 0;
    // The address's offset from the module's load address (what the
    // symbol tools take for shared objects and position-independent
    // programs).
    std::uintptr_t uOffset = 0;
    const char* pSymbol = nullptr;
    std::uintptr_t uSymbolOffset = 0;
};

// The segment number from the module's program headers, which lie in its
// first loaded page.
unsigned SegmentOf(const void* p_base, std::uintptr_t u_addr)
{
    const auto* p_header = static_cast<const ElfW(Ehdr)*>(p_base);
    if (p_header == nullptr || std::memcmp(p_header->e_ident, ELFMAG, SELFMAG) != 0)
        return 0;
    const auto* a_phdr = reinterpret_cast<const ElfW(Phdr)*>(static_cast<const char*>(p_base) + p_header->e_phoff);
    // Shared objects and position-independent programs are linked at 0 and
    // moved by their load address; fixed programs are loaded where linked.
    std::uintptr_t u_bias = reinterpret_cast<std::uintptr_t>(p_base);
    for (int i = 0; i < p_header->e_phnum; ++i) {
        if (a_phdr[i].p_type == PT_LOAD) {
            u_bias -= a_phdr[i].p_vaddr & ~(static_cast<std::uintptr_t>(a_phdr[i].p_align) - 1);
            break;
        }
    }
    unsigned u_segment = 0;
    for (int i = 0; i < p_header->e_phnum; ++i) {
        if (a_phdr[i].p_type != PT_LOAD)
            continue;
        ++u_segment;
        const std::uintptr_t u_start = u_bias + a_phdr[i].p_vaddr;
        const std::uintptr_t u_size = a_phdr[i].p_memsz > a_phdr[i].p_filesz ? a_phdr[i].p_memsz : a_phdr[i].p_filesz;
        if (u_addr >= u_start && u_addr <= u_start + u_size)
            return u_segment;
    }
    return 0;
}

bool Locate(std::uintptr_t u_addr, Where& where)
{
    Dl_info info{};
    if (u_addr == 0 || dladdr(reinterpret_cast<void*>(u_addr), &info) == 0 || info.dli_fbase == nullptr)
        return false;
    where.pModule = info.dli_fname != nullptr ? info.dli_fname : "";
    where.uOffset = u_addr - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
    where.uSegment = SegmentOf(info.dli_fbase, u_addr);
    if (info.dli_sname != nullptr && info.dli_saddr != nullptr) {
        where.pSymbol = info.dli_sname;
        where.uSymbolOffset = u_addr - reinterpret_cast<std::uintptr_t>(info.dli_saddr);
    }
    return true;
}

std::uintptr_t InstructionPointer(const ucontext_t* p_context)
{
    if (p_context == nullptr)
        return 0;
#if defined(__x86_64__)
    return static_cast<std::uintptr_t>(p_context->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
    return static_cast<std::uintptr_t>(p_context->uc_mcontext.pc);
#else
    return 0;
#endif
}

std::uintptr_t StackPointer(const ucontext_t* p_context)
{
    if (p_context == nullptr)
        return 0;
#if defined(__x86_64__)
    return static_cast<std::uintptr_t>(p_context->uc_mcontext.gregs[REG_RSP]);
#elif defined(__aarch64__)
    return static_cast<std::uintptr_t>(p_context->uc_mcontext.sp);
#else
    return 0;
#endif
}

void WriteRegisters(LineOut& out, const ucontext_t* p_context)
{
    out.End();
    out.Text("Registers:").End();
    if (p_context == nullptr) {
        out.Text("(none)").End();
        return;
    }
#if defined(__x86_64__)
    const greg_t* a = p_context->uc_mcontext.gregs;
    const struct {
        const char* pName;
        int iReg;
    } a_general[] = {
        {"RAX:", REG_RAX}, {"RBX:", REG_RBX}, {"RCX:", REG_RCX}, {"RDX:", REG_RDX}, {"RSI:", REG_RSI},
        {"RDI:", REG_RDI}, {"R8: ", REG_R8},  {"R9: ", REG_R9},  {"R10:", REG_R10}, {"R11:", REG_R11},
        {"R12:", REG_R12}, {"R13:", REG_R13}, {"R14:", REG_R14}, {"R15:", REG_R15},
    };
    for (const auto& r : a_general)
        out.Text(r.pName).Hex(static_cast<std::uint64_t>(a[r.iReg]), 16).End();
    // CS, GS, FS and (when the kernel saved it) SS share one word.
    const auto u_segs = static_cast<std::uint64_t>(a[REG_CSGSFS]);
    out.Text("CS:RIP:").Hex(u_segs & 0xFFFF, 4).Text(":").Hex(static_cast<std::uint64_t>(a[REG_RIP]), 16).End();
    out.Text("SS:RSP:")
        .Hex((u_segs >> 48) & 0xFFFF, 4)
        .Text(":")
        .Hex(static_cast<std::uint64_t>(a[REG_RSP]), 16)
        .Text("  RBP:")
        .Hex(static_cast<std::uint64_t>(a[REG_RBP]), 16)
        .End();
    out.Text("FS:").Hex((u_segs >> 32) & 0xFFFF, 4).Text("  GS:").Hex((u_segs >> 16) & 0xFFFF, 4).End();
    out.Text("Flags:").Hex(static_cast<std::uint64_t>(a[REG_EFL]), 8).End();
#elif defined(__aarch64__)
    const auto& m = p_context->uc_mcontext;
    for (int i = 0; i < 31; ++i) {
        const char a_name[] = {'X', static_cast<char>('0' + i / 10), static_cast<char>('0' + i % 10), ':', '\0'};
        out.Text(a_name).Hex(m.regs[i], 16).End();
    }
    out.Text("PC:").Hex(m.pc, 16).End();
    out.Text("SP:").Hex(m.sp, 16).End();
    out.Text("Flags:").Hex(m.pstate, 8).End();
#else
    out.Text("(not available on this machine)").End();
#endif
}

void WriteWhere(LineOut& out, std::uintptr_t u_addr)
{
    Where where;
    Locate(u_addr, where);
    out.Hex(where.uSegment, 2).Text(":").Hex(where.uOffset, 16).Text(" ").Text(where.pModule);
    if (where.pSymbol != nullptr)
        out.Text("  ").Text(where.pSymbol).Text("+").Hex(where.uSymbolOffset, 1);
}

bool IsStackOverflow(const siginfo_t* p_info, const ucontext_t* p_context)
{
    const auto u_fault = reinterpret_cast<std::uintptr_t>(p_info->si_addr);
    constexpr std::uintptr_t uReach = 1024 * 1024;
    // Below the thread's stack, in the guard the system keeps there.
    if (t_Bounds.uLow != 0 && u_fault < t_Bounds.uLow + 4096 && u_fault + uReach >= t_Bounds.uLow)
        return true;
    // A thread whose stack is not known: a fault right at the interrupted
    // stack pointer, where no valid access faults.
    const std::uintptr_t u_sp = StackPointer(p_context);
    return t_Bounds.uLow == 0 && u_sp != 0 && u_fault + 65536 >= u_sp && u_fault < u_sp + 65536;
}

void OnCrash(int i_signal, siginfo_t* p_info, void* p_raw)
{
    const int i_errno = errno;
    const auto* p_context = static_cast<const ucontext_t*>(p_raw);

    CrashContext context;
    context.iSignal = i_signal;
    context.iCode = p_info->si_code;
    context.bStackOverflow = i_signal == SIGSEGV && IsStackOverflow(p_info, p_context);
    context.pContext = p_context;

    // The handler's own frames come first: the stack starts at the
    // interrupted instruction.
    void* a_frames[nMaxFrames];
    const int n_frames = backtrace(a_frames, nMaxFrames);
    const std::uintptr_t u_pc = InstructionPointer(p_context);
    int i_first = 0;
    for (int i = 0; i < n_frames; ++i) {
        if (reinterpret_cast<std::uintptr_t>(a_frames[i]) == u_pc) {
            i_first = i;
            break;
        }
    }
    context.apFrames = a_frames + i_first;
    context.nFrames = n_frames - i_first;

    const int i_fd = open(g_aReportFile, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (i_fd >= 0) {
        WriteCrashReport(i_fd, context);
        fsync(i_fd);
        close(i_fd);
    }

    // The signal takes its course: a fault happens again when the handler
    // returns, a signal sent to the process is sent again.
    if (i_signal > 0 && i_signal < nMaxSignal)
        sigaction(i_signal, &g_aPrevious[i_signal], nullptr);
    if (p_info->si_code <= 0)
        raise(i_signal);
    errno = i_errno;
}

std::size_t AltStackSize()
{
    const long l_min = sysconf(_SC_MINSIGSTKSZ);
    std::size_t u_size = 256 * 1024;
    if (l_min > 0 && static_cast<std::size_t>(l_min) * 4 > u_size)
        u_size = static_cast<std::size_t>(l_min) * 4;
    return u_size;
}

} // namespace

const char* CrashCodeName(int i_signal, int i_code, bool b_stackOverflow)
{
    switch (i_signal) {
    case SIGSEGV: return b_stackOverflow ? "STACK_OVERFLOW" : "ACCESS_VIOLATION";
    case SIGBUS:
        if (i_code == BUS_ADRALN)
            return "DATATYPE_MISALIGNMENT";
        if (i_code == BUS_ADRERR || i_code == BUS_OBJERR)
            return "IN_PAGE_ERROR";
        break;
    case SIGFPE:
        switch (i_code) {
        case FPE_INTDIV: return "INT_DIVIDE_BY_ZERO";
        case FPE_INTOVF: return "INT_OVERFLOW";
        case FPE_FLTDIV: return "FLT_DIVIDE_BY_ZERO";
        case FPE_FLTOVF: return "FLT_OVERFLOW";
        case FPE_FLTUND: return "FLT_UNDERFLOW";
        case FPE_FLTRES: return "FLT_INEXACT_RESULT";
        case FPE_FLTINV: return "FLT_INVALID_OPERATION";
        case FPE_FLTSUB: return "ARRAY_BOUNDS_EXCEEDED";
        default: break;
        }
        break;
    case SIGILL: return i_code == ILL_PRVOPC || i_code == ILL_PRVREG ? "PRIV_INSTRUCTION" : "ILLEGAL_INSTRUCTION";
    case SIGTRAP: return i_code == TRAP_TRACE ? "SINGLE_STEP" : "BREAKPOINT";
    default: break;
    }
    const char* p_text = sigdescr_np(i_signal);
    return p_text != nullptr ? p_text : "";
}

void WriteCrashReport(int i_fd, const CrashContext& context)
{
    LineOut out(i_fd);
    out.Text("//=====================================================").End();
    out.Text("Exception code: ")
        .Hex(static_cast<std::uint32_t>(context.iSignal), 8)
        .Text(" ")
        .Text(CrashCodeName(context.iSignal, context.iCode, context.bStackOverflow))
        .End();

    const std::uintptr_t u_pc = InstructionPointer(context.pContext);
    out.Text("Fault address:  ").Hex(u_pc, 16).Text(" ");
    WriteWhere(out, u_pc);
    out.End();

    WriteRegisters(out, context.pContext);

    out.End();
    out.Text("Call stack:").End();
    out.Text("Address           Logical addr         Module  Symbol").End();
    for (int i = 0; i < context.nFrames; ++i) {
        const auto u_addr = reinterpret_cast<std::uintptr_t>(context.apFrames[i]);
        out.Hex(u_addr, 16).Text("  ");
        WriteWhere(out, u_addr);
        out.End();
    }
    out.End();
}

std::string CrashReportNameFor(const std::string& s_programFile)
{
    std::string s_name = std::filesystem::path(s_programFile).filename().string();
    const std::size_t u_dot = s_name.rfind('.');
    if (u_dot != std::string::npos && s_name.size() - u_dot - 1 >= 3)
        return s_name.substr(0, u_dot + 1) + "RPT";
    return s_name + ".RPT";
}

std::string DefaultCrashReportFolder()
{
    const char* p_state = std::getenv("XDG_STATE_HOME");
    if (p_state != nullptr && p_state[0] == '/')
        return std::string(p_state) + "/rotavex";
    const char* p_home = std::getenv("HOME");
    return std::string(p_home != nullptr ? p_home : "") + "/.local/state/rotavex";
}

bool SetCrashReportFile(const std::string& s_path)
{
    if (s_path.size() >= sizeof g_aReportFile)
        return false;
    std::memcpy(g_aReportFile, s_path.c_str(), s_path.size() + 1);
    return true;
}

std::string GetCrashReportFile() { return g_aReportFile; }

void InstallCrashReporter()
{
    if (g_bInstalled)
        return;
    if (g_aReportFile[0] == '\0') {
        char a_exe[4096];
        const ssize_t i = readlink("/proc/self/exe", a_exe, sizeof a_exe - 1);
        std::string s_program = i > 0 ? std::string(a_exe, static_cast<std::size_t>(i)) : std::string("rotavex");
        const std::string s_folder = DefaultCrashReportFolder();
        std::error_code error;
        std::filesystem::create_directories(s_folder, error);
        SetCrashReportFile(s_folder + "/" + CrashReportNameFor(s_program));
    }

    // The unwinder is loaded by its first use: not inside the handler.
    void* a_warm[2];
    backtrace(a_warm, 2);
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&InstallCrashReporter), &info);

    // The first thread's stack lives as long as the process.
    static CrashAltStack* p_mainStack = new CrashAltStack;
    (void)p_mainStack;

    struct sigaction action {};
    action.sa_sigaction = OnCrash;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int i_signal : aSignals)
        sigaction(i_signal, &action, &g_aPrevious[i_signal]);
    g_bInstalled = true;
}

void RemoveCrashReporter()
{
    if (!g_bInstalled)
        return;
    for (const int i_signal : aSignals)
        sigaction(i_signal, &g_aPrevious[i_signal], nullptr);
    g_bInstalled = false;
}

CrashAltStack::CrashAltStack()
{
    RecordStackBounds();
    const std::size_t u_size = AltStackSize();
    void* p = mmap(nullptr, u_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
    if (p == MAP_FAILED)
        return;
    stack_t stack{};
    stack.ss_sp = p;
    stack.ss_size = u_size;
    if (sigaltstack(&stack, nullptr) != 0) {
        munmap(p, u_size);
        return;
    }
    pStack = p;
    uSize = u_size;
}

CrashAltStack::~CrashAltStack()
{
    if (pStack == nullptr)
        return;
    stack_t stack{};
    stack.ss_flags = SS_DISABLE;
    sigaltstack(&stack, nullptr);
    munmap(pStack, uSize);
}
