#pragma once

#include "platform/Clock.h"
#include "sim/KduFirmware.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace vorn::sim {

// The simulated unit behind a pseudo-terminal, so that a program opens it like a real serial port.
// The firmware's clock follows real time; the bridge keeps a descriptor of its own on the terminal so
// the port survives the host closing it between jobs, and unplugging the unit hangs the port up.
// Nothing the host does can block the bridge: the terminal is written without blocking, and what the
// host leaves unread waits in a bounded queue; beyond it the unit's bytes are lost, as on a real line.
class PtyBridge {
public:
    explicit PtyBridge(SimScenario scenario);
    PtyBridge(const PtyBridge&) = delete;
    PtyBridge& operator=(const PtyBridge&) = delete;
    ~PtyBridge();

    // Creates the pseudo-terminal; false and the reason when that is not possible.
    bool Open(std::string& error);
    // The path that the host opens (/dev/pts/N).
    const std::string& PortPath() const { return portPath_; }
    KduFirmware& Firmware() { return firmware_; }

    // Each command payload the unit receives, for a log.
    void SetCommandLog(std::function<void(std::string_view)> log) { log_ = std::move(log); }

    // Serves the host until stop is set or the unit has been unplugged (the terminal is then gone).
    void Run(const std::atomic<bool>& stop);

    // Bytes of the unit that waited for the host longest; beyond them, bytes are dropped.
    static constexpr std::size_t MaxQueuedBytes = 64 * 1024;
    // Bytes dropped because the host did not read them.
    std::size_t DroppedBytes() const { return dropped_; }

private:
    void Sync();
    void Send(std::string_view bytes);
    void Flush();
    void HangUp();

    VirtualClock clock_;
    KduFirmware firmware_;
    std::chrono::steady_clock::time_point start_;
    std::function<void(std::string_view)> log_;
    std::string portPath_;
    int master_ = -1;
    int keeper_ = -1;    // the bridge's own descriptor on the terminal
    std::string queued_; // the unit's bytes that the terminal did not take yet
    std::size_t dropped_ = 0;
};

} // namespace vorn::sim
