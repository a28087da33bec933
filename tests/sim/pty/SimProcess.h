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

    // The built simulator.
    static std::string Executable();

private:
    pid_t pid_ = -1;
    std::string port_;
};

} // namespace vorn::test
