#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vorn::test {

// vorn-kdu-sim started as a child process; the pseudo-terminal path it prints is the port to open.
// Stopped (and waited for) at the end.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& arguments);
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess();

    // Empty when the simulator did not start.
    const std::string& Port() const { return port_; }
    // Waits for the simulator to end by itself; true when it did within the time.
    bool WaitForExit(std::chrono::milliseconds timeout);
    // Asks it to stop (SIGTERM); true when it ended within the time, else it is killed.
    bool Terminate(std::chrono::milliseconds timeout);
    // The exit status once it has ended (-1 while running or when a signal ended it).
    int ExitStatus() const { return exitStatus_; }

    // The built simulator.
    static std::string Executable();

private:
    pid_t pid_ = -1;
    std::string port_;
    int exitStatus_ = -1;
};

} // namespace vorn::test
