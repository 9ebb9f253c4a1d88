// A wx application for GUI tests: started once before the tests, cleaned up
// after. A wx debug assertion fails the test run at once instead of opening
// a dialog nobody will answer.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

class WxTestEnvironment : public ::testing::Environment {
public:
    // The application object the tests run under: a plain one, or the
    // program's own (whose OnInit is then not run: tests start it
    // themselves, step by step).
    explicit WxTestEnvironment(wxApp* p_app = nullptr) : pApp(p_app) {}

    void SetUp() override
    {
        wxSetAssertHandler([](const wxString& s_file, int i_line, const wxString& s_func, const wxString& s_cond,
                              const wxString& s_msg) {
            std::fprintf(stderr, "wx assertion failed: %s:%d %s: %s %s\n", (const char*)s_file.utf8_str(), i_line,
                         (const char*)s_func.utf8_str(), (const char*)s_cond.utf8_str(), (const char*)s_msg.utf8_str());
            std::abort();
        });
        int argc = 1;
        static char a_name[] = "gui-test";
        char* argv[] = {a_name, nullptr};
        const bool b_plain = pApp == nullptr;
        if (!wxTheApp)
            wxApp::SetInstance(b_plain ? new wxApp : pApp);
        ASSERT_TRUE(wxEntryStart(argc, argv)) << "no display";
        if (b_plain)
            wxTheApp->CallOnInit();
        else
            AfterStart();
    }
    void TearDown() override { wxEntryCleanup(); }

protected:
    // What the program's application needs once wx has started.
    virtual void AfterStart() {}

private:
    wxApp* pApp;
};
