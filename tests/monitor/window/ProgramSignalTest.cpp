// The real program, headless, ended by a signal as a log-out or a service manager ends it: it
// stores its settings file again and every row it held reaches its log file. The program runs
// from a copy in a temporary folder (it writes its protocol file back beside itself), in a
// temporary working folder and data folder, with a port tab on a pty whose master the test holds.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "monitor/text/ProgramTexts.h"
#include "monitor/files/WholeFile.h"
#include "monitor/window/SettingsFile.h"
#include "monitor/window/MainWindow.h"
#include "tests/support/PtyPair.h"
#include "tests/support/NamedCase.h"
#include "tests/support/TempFolder.h"

extern char** environ;

namespace baudrill::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;
using test::PtyPair;

constexpr auto Limit = 30s;  // generous: the sanitizer builds start slowly

// Every log file under the data folder, one after the other.
std::string AllLogText(const fs::path& dataHome)
{
    std::string text;
    std::error_code error;
    for (fs::recursive_directory_iterator it(dataHome / "Baudrill" / "LOG", error), end; !error && it != end;
         it.increment(error)) {
        std::string bytes;
        if (it->is_regular_file() && ReadWholeFile(it->path().string(), bytes))
            text += bytes;
    }
    return text;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// True once the program holds the pty's slave open: the master no longer polls as hung up.
bool SlaveIsOpen(const PtyPair& pty)
{
    pollfd p{pty.MasterFd(), POLLOUT, 0};
    return poll(&p, 1, 0) == 1 && !(p.revents & POLLHUP);
}

template <typename Condition>
bool WaitFor(Condition done, std::chrono::milliseconds step = 10ms)
{
    const auto end = SteadyClock::now() + Limit;
    while (!done()) {
        if (SteadyClock::now() > end)
            return false;
        std::this_thread::sleep_for(step);
    }
    return true;
}

struct SignalCase : NamedCase {
    int signal;
};

class ProgramSignal : public ::testing::TestWithParam<SignalCase> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(temp.Path().empty());
        for (const fs::path& folder : {work, dataHome, bin})
            fs::create_directories(folder);
        // The program and the files it reads beside itself.
        const fs::path program = BAUDRILL_PROGRAM;
        for (const auto& entry : fs::directory_iterator(program.parent_path()))
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), bin / entry.path().filename());
        // The window of this process looks in the data folder too.
        const char* old = getenv("XDG_DATA_HOME");
        if (old)
            oldDataHome = old;
        hadDataHome = old != nullptr;
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    }
    void TearDown() override
    {
        if (hadDataHome)
            setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }

    // A settings file with one port tab on the pty, as a window with that tab stores it.
    std::string WriteSettings(const PtyPair& pty)
    {
        MainWindow window;
        window.storedVersion = VersionText;
        window.AddPort(pty.SlavePath());
        EXPECT_TRUE(StoreSettingsFile(window, (work / SettingsFileName).string()));
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile((work / SettingsFileName).string(), bytes));
        return bytes;  // the window goes now and lets go of the pty
    }

    // Starts the copied program in the working folder; its output goes to a file.
    pid_t Start()
    {
        std::vector<std::string> variables;
        for (char** v = environ; *v; ++v) {
            const std::string variable = *v;
            if (!variable.starts_with("XDG_DATA_HOME=") && !variable.starts_with("QT_QPA_PLATFORM="))
                variables.push_back(variable);
        }
        variables.push_back("XDG_DATA_HOME=" + dataHome.string());
        variables.push_back("QT_QPA_PLATFORM=offscreen");
        std::vector<char*> envp;
        for (std::string& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);

        const std::string program = (bin / fs::path(BAUDRILL_PROGRAM).filename()).string();
        const std::string output = (temp.Path() + "/output.txt");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, work.c_str());
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        // The program starts with the signals' default actions, whatever this process does.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t defaults, none;
        sigemptyset(&defaults);
        sigemptyset(&none);
        for (int s : {SIGTERM, SIGINT, SIGHUP})
            sigaddset(&defaults, s);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        pid_t pid = -1;
        if (posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, envp.data()) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        return pid;
    }

    // Waits for the program to end; its wait status, or -1 when it had to be killed.
    static int Wait(pid_t pid)
    {
        int status = 0;
        if (WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }))
            return status;
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }

    std::string Output() const
    {
        std::string text;
        ReadWholeFile(temp.Path() + "/output.txt", text);
        return text;
    }

    TempFolder temp;
    const fs::path work = fs::path(temp.Path()) / "work";
    const fs::path dataHome = fs::path(temp.Path()) / "data";
    const fs::path bin = fs::path(temp.Path()) / "bin";
    std::string oldDataHome;
    bool hadDataHome = false;
};

TEST_P(ProgramSignal, StoresTheSettingsAndLogsEveryRow)
{
    PtyPair pty;
    if (!pty.Ok())
        GTEST_SKIP() << "no pseudo-terminals here";
    const std::string original = WriteSettings(pty);
    ASSERT_FALSE(original.empty());
    ASSERT_FALSE(SlaveIsOpen(pty));

    const pid_t pid = Start();
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitFor([&] { return SlaveIsOpen(pty); })) << Output();

    // A row reaches the log file when the next one starts: once "<first>" is there, the
    // program holds later rows that only its shutdown logs. Each marker comes after the
    // program's quiet time, so each is a row of its own.
    std::vector<std::string> markers = {"<first>"};
    ASSERT_TRUE(pty.Send(markers[0]));
    const bool running = WaitFor(
        [&] {
            if (Contains(AllLogText(dataHome), markers[0]))
                return true;
            char next[16];
            std::snprintf(next, sizeof next, "<next%03zu>", markers.size());
            markers.push_back(next);
            return !pty.Send(markers.back());
        },
        300ms);
    if (!running)
        kill(pid, SIGKILL);
    ASSERT_TRUE(running) << Output();

    ASSERT_EQ(kill(pid, GetParam().signal), 0);
    const int status = Wait(pid);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status << "\n" << Output();
    EXPECT_EQ(WEXITSTATUS(status), 0);

    std::string stored;
    ASSERT_TRUE(ReadWholeFile((work / SettingsFileName).string(), stored));
    EXPECT_NE(stored, original);
    const std::string log = AllLogText(dataHome);
    std::size_t rowsStored = 0;
    for (const std::string& marker : markers) {
        if (!Contains(stored, marker))
            continue;  // written after the program's last read
        ++rowsStored;
        EXPECT_TRUE(Contains(log, marker)) << marker << " is a stored row but not in the log\n" << log;
    }
    EXPECT_GE(rowsStored, 2u);  // "<first>" and the row after it
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramSignal,
                         ::testing::Values(SignalCase{"Terminate", SIGTERM}, SignalCase{"Interrupt", SIGINT},
                                           SignalCase{"HangUp", SIGHUP}),
                         CaseName<SignalCase>);

}  // namespace
}  // namespace baudrill::test
