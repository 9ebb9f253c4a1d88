// A recording stand-in of the desktop's mail composer: a script named like
// the tool, first on PATH for the stand-in's lifetime, that writes its
// arguments, one a line, to a file the test waits for.
#pragma once

#include "output/RecipientMail.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

class MailStandIn {
public:
    // b_install FALSE: PATH holds only an empty folder, so there is no
    // composer at all.
    explicit MailStandIn(bool b_install = true)
        : fsDir(std::filesystem::temp_directory_path() / ("rvx-mailstandin-" + std::to_string(getpid())))
    {
        std::filesystem::remove_all(fsDir);
        std::filesystem::create_directories(fsDir / "bin");
        if (b_install) {
            const std::filesystem::path p_tool = fsDir / "bin" / DesktopMailComposer::kTool;
            std::ofstream(p_tool) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \""
                                  << (fsDir / "args.tmp").string() << "\"\n/bin/mv \""
                                  << (fsDir / "args.tmp").string() << "\" \"" << ArgsFile().string() << "\"\n";
            std::filesystem::permissions(p_tool, std::filesystem::perms::owner_all);
        }
        if (const char* p = std::getenv("PATH"))
            sOldPath = p;
        setenv("PATH", (fsDir / "bin").string().c_str(), 1);
        DesktopMailComposer::ForgetAvailability();
    }
    ~MailStandIn()
    {
        setenv("PATH", sOldPath.c_str(), 1);
        DesktopMailComposer::ForgetAvailability();
        std::filesystem::remove_all(fsDir);
    }
    MailStandIn(const MailStandIn&) = delete;
    MailStandIn& operator=(const MailStandIn&) = delete;

    // The arguments of the last call (waiting up to ten seconds for it),
    // one a line; the record is taken, so the next call is seen afresh.
    std::string TakeArgs()
    {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!std::filesystem::exists(ArgsFile()) && std::chrono::steady_clock::now() < t_end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(ArgsFile());
        std::stringstream s;
        s << in.rdbuf();
        in.close();
        std::filesystem::remove(ArgsFile());
        return s.str();
    }
    bool HasArgs() const { return std::filesystem::exists(ArgsFile()); }

private:
    std::filesystem::path ArgsFile() const { return fsDir / "args"; }

    std::filesystem::path fsDir;
    std::string sOldPath;
};
