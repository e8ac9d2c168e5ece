#include "platform/CSpawnProcessLauncher.h"

#include <cerrno>
#include <csignal>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Holds the spawn attributes and file actions for one start and frees them in any case.
class CSpawnSetup
{
public:
    CSpawnSetup()
    {
        m_ok = posix_spawnattr_init(&m_attributes) == 0;
        if (posix_spawn_file_actions_init(&m_actions) == 0)
            m_actionsReady = true;
        else
            m_ok = false;
    }
    ~CSpawnSetup()
    {
        if (m_actionsReady)
            posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    CSpawnSetup(const CSpawnSetup&) = delete;
    CSpawnSetup& operator=(const CSpawnSetup&) = delete;

    bool prepare(const std::string& workingFolder)
    {
        if (!m_ok)
            return false;
        // A session of its own, every signal unblocked, and the signals a host commonly
        // ignores or catches back at their defaults.
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int signal : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGHUP, SIGTERM})
            sigaddset(&defaults, signal);
        short flags = POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        if (posix_spawnattr_setflags(&m_attributes, flags) != 0 ||
            posix_spawnattr_setsigmask(&m_attributes, &none) != 0 ||
            posix_spawnattr_setsigdefault(&m_attributes, &defaults) != 0)
            return false;
        // No open file of ours reaches the child beyond the three standard streams.
        if (posix_spawn_file_actions_addclosefrom_np(&m_actions, STDERR_FILENO + 1) != 0)
            return false;
        return workingFolder.empty() ||
               posix_spawn_file_actions_addchdir_np(&m_actions, workingFolder.c_str()) == 0;
    }

    const posix_spawnattr_t* attributes() const { return &m_attributes; }
    const posix_spawn_file_actions_t* actions() const { return &m_actions; }

private:
    posix_spawnattr_t m_attributes;
    posix_spawn_file_actions_t m_actions;
    bool m_ok = false;
    bool m_actionsReady = false;
};

// The child changes its folder before it runs the program, so a relative program path is
// made absolute against our folder first, where the caller found it.
std::string absoluteProgramPath(const std::string& program)
{
    if (program.empty() || program[0] == '/')
        return program;
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return program;
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data()) + "/" + program;
}

void reapLater(pid_t pid)
{
    try {
        std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // Without a thread the child still runs; it only stays a zombie after its end.
    }
}

} // namespace

bool CSpawnProcessLauncher::startDetached(const std::string& program,
                                          const std::vector<std::string>& arguments,
                                          const std::string& workingFolder)
{
    if (program.empty())
        return false;
    CSpawnSetup setup;
    if (!setup.prepare(workingFolder))
        return false;
    const std::string path = absoluteProgramPath(program);
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    // glibc's posix_spawn reports a failed chdir or exec in the child as its result.
    if (posix_spawn(&pid, path.c_str(), setup.actions(), setup.attributes(), argv.data(),
                    environ) != 0)
        return false;
    reapLater(pid);
    return true;
}
