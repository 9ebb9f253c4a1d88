// A real print through the toolkit's print dialog into a PDF file, as a
// user without a printer prints, for GUI tests.
//
// PrintDialogAnswer answers the toolkit's own dialog through the toolkit's
// functions, looked up at run time: its print-to-file printer, a PDF file,
// then Print. Those internals may change with the toolkit's versions and
// print back-ends: where they have, ROTAVEX_PRINT_PDF=0 leaves such prints
// out (PrintToFileSkipped).
//
// RunTestInChild runs one test of the running test program again, in a
// process of its own under a time limit, so that a dialog that never ends
// (or an assertion, which aborts a GUI test program) cannot hold or break
// the other tests: the print runs in that child.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>
#include <wx/timer.h>

// Whether prints through the toolkit's dialog are switched off.
inline bool PrintToFileSkipped()
{
    const char* p_print = std::getenv("ROTAVEX_PRINT_PDF");
    return p_print != nullptr && std::string(p_print) == "0";
}

// What a command writes on its standard output, empty when it cannot run:
// the prints' tests read their PDF files back through poppler's tools.
inline std::string CommandOutput(const std::string& s_command)
{
    std::string s_out;
    if (FILE* p_pipe = popen(s_command.c_str(), "r")) {
        char a_buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(a_buffer, 1, sizeof a_buffer, p_pipe)) > 0)
            s_out.append(a_buffer, n);
        pclose(p_pipe);
    }
    return s_out;
}

// The text of a PDF file as pdftotext reads it; with the layout kept, a
// row's cells stay on one line.
inline std::string PdfText(const std::string& s_pdf, bool b_layout = true)
{
    return CommandOutput(std::string("pdftotext ") + (b_layout ? "-layout '" : "'") + s_pdf + "' -");
}

// Answers the toolkit's print dialog once it has listed its printers: the
// print-to-file printer, a PDF file at the path given, then Print. Start it
// (every 500 ms) before the print.
class PrintDialogAnswer : public wxTimer {
public:
    explicit PrintDialogAnswer(std::string s_pdf) : sPdf(std::move(s_pdf)) {}
    void Notify() override
    {
        using ListFn = void* (*)();
        using TypeNameFn = const char* (*)(std::size_t);
        using SettingsNewFn = void* (*)();
        using SetFn = void (*)(void*, const char*, const char*);
        using DialogSetFn = void (*)(void*, void*);
        using ResponseFn = void (*)(void*, int);
        auto p_list = reinterpret_cast<ListFn>(dlsym(RTLD_DEFAULT, "gtk_window_list_toplevels"));
        auto p_typeName = reinterpret_cast<TypeNameFn>(dlsym(RTLD_DEFAULT, "g_type_name"));
        auto p_new = reinterpret_cast<SettingsNewFn>(dlsym(RTLD_DEFAULT, "gtk_print_settings_new"));
        auto p_set = reinterpret_cast<SetFn>(dlsym(RTLD_DEFAULT, "gtk_print_settings_set"));
        auto p_dialogSet = reinterpret_cast<DialogSetFn>(dlsym(RTLD_DEFAULT, "gtk_print_unix_dialog_set_settings"));
        auto p_response = reinterpret_cast<ResponseFn>(dlsym(RTLD_DEFAULT, "gtk_dialog_response"));
        if (!p_list || !p_typeName || !p_new || !p_set || !p_dialogSet || !p_response)
            return;
        struct GList {
            void* data;
            GList* next;
            GList* prev;
        };
        for (auto* p_node = static_cast<GList*>(p_list()); p_node != nullptr; p_node = p_node->next) {
            // An instance starts with its class, which starts with its type.
            const std::size_t u_type = **static_cast<std::size_t**>(p_node->data);
            if (std::string(p_typeName(u_type)) != "GtkPrintUnixDialog")
                continue;
            if (++nSeen < 3)
                return; // let it list its printers first
            void* p_settings = p_new();
            p_set(p_settings, "printer", "Print to File");
            p_set(p_settings, "output-file-format", "pdf");
            p_set(p_settings, "output-uri", ("file://" + sPdf).c_str());
            p_dialogSet(p_node->data, p_settings);
            p_response(p_node->data, -5); // OK
            bAnswered = true;
            Stop();
            return;
        }
    }
    // Whether the dialog was answered.
    bool bAnswered = false;

private:
    std::string sPdf;
    int nSeen = 0;
};

// Runs the test s_test (a gtest filter) of this test program in a child
// process with the environment variables given, for at most i_seconds; the
// child's wait status, or -1 when it had to be killed.
inline int RunTestInChild(const std::string& s_test, const std::vector<std::pair<std::string, std::string>>& v_env,
                          int i_seconds = 60)
{
    std::fflush(nullptr);
    const pid_t i_child = fork();
    if (i_child < 0)
        return -1;
    if (i_child == 0) {
        for (const auto& [s_name, s_value] : v_env)
            setenv(s_name.c_str(), s_value.c_str(), 1);
        const std::string s_filter = "--gtest_filter=" + s_test;
        execl("/proc/self/exe", "print-child", s_filter.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int i_status = -1;
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(i_seconds);
    while (waitpid(i_child, &i_status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > t_end) {
            kill(i_child, SIGKILL);
            waitpid(i_child, &i_status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return i_status;
}

// Whether a child's wait status is that of a test program whose tests all
// passed.
inline bool ChildPassed(int i_status) { return i_status >= 0 && WIFEXITED(i_status) && WEXITSTATUS(i_status) == 0; }
