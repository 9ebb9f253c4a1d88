// Programs started and watched as the mail hand-off starts the desktop's
// tool: the exit status and error output of one that ends, a program that
// stays (taken as started, and not held up by the watch ending), one that
// hands over to a program that stays, one that is not there, and arguments
// that must reach the program untouched.
#include "framework/Desktop.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(WatchedProgram, TellsHowTheProgramEnded)
{
    struct Case {
        const char* pWhat;
        std::vector<std::string> vArgs;
        SpawnOutcome::Kind eKind;
        int iStatus;
        const char* pErrors;
        bool bSucceeded;
    } a_cases[] = {
        {"success", {"-c", "exit 0"}, SpawnOutcome::e_exited, 0, "", true},
        {"failure", {"-c", "echo tried >&2; echo 'no method available' >&2; exit 3"}, SpawnOutcome::e_exited, 3,
         "tried\nno method available\n", false},
        // The shell's "$(...)" and ";" in an argument are plain text.
        {"arguments", {"-c", "printf '%s|' \"$@\" >&2", "sh", "$(exit 9); exit 8", "two words"},
         SpawnOutcome::e_exited, 0, "$(exit 9); exit 8|two words|", true},
        // A tool that leaves a program running behind it ends all the same.
        {"hand-over", {"-c", "sleep 5 & exit 0"}, SpawnOutcome::e_exited, 0, "", true},
    };
    for (const Case& c : a_cases) {
        const auto t_start = std::chrono::steady_clock::now();
        const SpawnOutcome outcome = SpawnAndWatch("sh", c.vArgs, 10000);
        EXPECT_LT(std::chrono::steady_clock::now() - t_start, std::chrono::seconds(5)) << c.pWhat;
        EXPECT_EQ(outcome.eKind, c.eKind) << c.pWhat;
        EXPECT_EQ(outcome.iStatus, c.iStatus) << c.pWhat;
        EXPECT_EQ(outcome.sErrors, c.pErrors) << c.pWhat;
        EXPECT_EQ(outcome.Succeeded(), c.bSucceeded) << c.pWhat;
    }
}

TEST(WatchedProgram, AMissingProgramFailsAndOneThatStaysIsTakenAsStarted)
{
    const SpawnOutcome missing = SpawnAndWatch("rvx-no-such-program", {}, 10000);
    EXPECT_EQ(missing.eKind, SpawnOutcome::e_exited);
    EXPECT_EQ(missing.iStatus, 127);
    EXPECT_NE(missing.sErrors.find("rvx-no-such-program"), std::string::npos) << missing.sErrors;
    EXPECT_FALSE(missing.Succeeded());

    // It is watched on after a first wait, and ends in the second.
    std::unique_ptr<WatchedProgram> p_program = WatchedProgram::Start("sh", {"-c", "sleep 1; echo late >&2; exit 4"});
    ASSERT_NE(p_program, nullptr);
    const SpawnOutcome first = p_program->Wait(100);
    EXPECT_EQ(first.eKind, SpawnOutcome::e_running);
    EXPECT_TRUE(first.Succeeded());
    const SpawnOutcome second = p_program->Wait(10000);
    EXPECT_EQ(second.eKind, SpawnOutcome::e_exited);
    EXPECT_EQ(second.iStatus, 4);
    EXPECT_EQ(second.sErrors, "late\n");

    // One that stays past the wait: the watch ends on time and the program
    // goes on.
    const auto t_start = std::chrono::steady_clock::now();
    const SpawnOutcome staying = SpawnAndWatch("sleep", {"5"}, 300);
    EXPECT_LT(std::chrono::steady_clock::now() - t_start, std::chrono::seconds(3));
    EXPECT_EQ(staying.eKind, SpawnOutcome::e_running);
    EXPECT_TRUE(staying.Succeeded());
}

} // namespace
