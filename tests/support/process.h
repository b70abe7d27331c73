#pragma once

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

extern char** environ;

namespace velantro::testing {

struct ProcessResult {
    int ExitCode = -1;
    std::string Out, Err;
};

// Runs a program with the environment changed by "NAME=value" entries and no
// standard input. Arguments are bytes, as a shell passes them, not text.
inline ProcessResult RunProcess(const std::vector<std::string>& command, const std::vector<std::string>& env = {})
{
    std::vector<std::string> environment = env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string name = std::string(*entry).substr(0, std::string(*entry).find('=') + 1);
        if (std::none_of(env.begin(), env.end(), [&](const std::string& e) { return e.starts_with(name); }))
            environment.push_back(*entry);
    }
    std::vector<char*> argv, envp;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    argv.push_back(nullptr), envp.push_back(nullptr);
    ProcessResult result;
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]), close(err[1]);
    // Both pipes at once, so that neither fills up while the other is read.
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.Out, &result.Err};
    char buffer[4096];
    for (int open = 2; open > 0 && poll(fds, 2, -1) > 0;)
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0)
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            else
                close(fds[i].fd), fds[i].fd = -1, --open;
        }
    int status = 0;
    if (spawned && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.ExitCode = WEXITSTATUS(status);
    return result;
}

} // namespace velantro::testing
