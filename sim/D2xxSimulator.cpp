// FTD2XX.DLL's stand-in: the demo unit (the devices of vornctl --simulate) behind the functions of the
// interface unit's USB driver, in real time, exported under the driver's ordinal numbers
// (D2xxSimulator.def). The tests load it in the driver's place to run the D2XX backend's whole
// sessions; put beside vornctl.exe as FTD2XX.DLL, it lets the program be tried without hardware.
// One unit per process, as one KDU on the USB: its devices keep what was written to them.
#include "link/UnitDriver.h"
#include "platform/Folders.h"
#include "platform/Win32.h"
#include "sim/DemoUnit.h"
#include "sim/RealTimeUnit.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string_view>
#include <thread>
#include <windows.h>

namespace {

using namespace vorn;
using Status = ULONG;

// The driver's statuses for the link's.
struct StatusRow {
    int driverStatus;
    Status status;
};
constexpr StatusRow Statuses[] = {
    {DriverOk, 0},           {DriverInvalidHandle, 1}, {DriverNotFound, 2},        {DriverBusy, 3},
    {DriverAccessDenied, 3}, {DriverIoError, 4},       {DriverInvalidArgument, 6},
};

Status StatusOf(int driverStatus) {
    for (const StatusRow& row : Statuses) {
        if (row.driverStatus == driverStatus) {
            return row.status;
        }
    }
    return 5; // insufficient resources: anything else
}

// How often the unit's clock is brought up to date to see whether a character has come.
constexpr Millis SignalInterval{2};

// This library's own path, whose folder leads to the installation's default configurations.
std::string LibraryPath() {
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&LibraryPath), &self);
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(self, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Narrow(std::wstring_view(path, length)) : std::string();
}

class Simulator {
public:
    // Made at the first call and kept to the end of the process: a thread of the library never meets
    // a unit being destroyed while the process ends.
    static Simulator& Instance() {
        static Simulator* simulator = new Simulator;
        return *simulator;
    }

    Status Open(const char* description, DWORD flags, void** handle) {
        std::lock_guard lock(mutex_);
        const int status = unit_.OpenByDescription(description != nullptr ? description : "", flags);
        if (status == DriverOk) {
            *handle = this;
        }
        return StatusOf(status);
    }

    Status Close(void* handle) {
        if (!Valid(handle)) {
            return StatusOf(DriverInvalidHandle);
        }
        StopSignalling();
        std::lock_guard lock(mutex_);
        unit_.ReleaseReceiveEvent();
        return StatusOf(unit_.Close());
    }

    // Runs a call of the unit under the lock, for a handle this library gave out.
    template <typename Call>
    Status Run(void* handle, Call call) {
        if (!Valid(handle)) {
            return StatusOf(DriverInvalidHandle);
        }
        std::lock_guard lock(mutex_);
        return StatusOf(call(unit_));
    }

    // Reads what has come, waiting up to the read time-out for the rest, as the driver does.
    Status Read(void* handle, std::uint8_t* buffer, DWORD count, DWORD* done) {
        *done = 0;
        const auto deadline = std::chrono::steady_clock::now() + Millis{readTimeoutMs_.load()};
        for (;;) {
            std::uint32_t got = 0;
            const Status status = Run(handle, [&](sim::RealTimeUnit& unit) {
                return unit.Read(buffer + *done, count - *done, got);
            });
            *done += got;
            if (status != 0 || *done >= count || std::chrono::steady_clock::now() >= deadline) {
                return status;
            }
            std::this_thread::sleep_for(SignalInterval);
        }
    }

    Status SetTimeouts(void* handle, ULONG readMs, ULONG writeMs) {
        readTimeoutMs_ = readMs;
        return Run(handle, [=](sim::RealTimeUnit& unit) { return unit.SetTimeouts(readMs, writeMs); });
    }

    // Registers the caller's event and signals it whenever a character arrives from now on.
    Status SetEventNotification(void* handle, DWORD mask, HANDLE event) {
        StopSignalling();
        const Status status = Run(handle, [&](sim::RealTimeUnit& unit) {
            if (event == nullptr || !unit.CreateReceiveEvent()) {
                return static_cast<int>(DriverInvalidArgument);
            }
            return unit.SetEventNotification(mask);
        });
        if (status == 0) {
            event_ = event;
            stop_ = false;
            signaller_ = std::thread([this] { Signal(); });
        }
        return status;
    }

private:
    Simulator() : unit_(sim::DemoScenario(InstallationFolder(LibraryPath()))) {}

    bool Valid(void* handle) const { return handle == this; }

    void Signal() {
        while (!stop_) {
            {
                std::lock_guard lock(mutex_);
                // A wait of no time: brings the unit's clock up to now and says whether a character came.
                if (unit_.WaitReceiveEvent(Millis{0}) == WaitOutcome::Signalled) {
                    ::SetEvent(event_);
                }
            }
            std::this_thread::sleep_for(SignalInterval);
        }
    }

    void StopSignalling() {
        stop_ = true;
        if (signaller_.joinable()) {
            signaller_.join();
        }
    }

    std::mutex mutex_;
    sim::RealTimeUnit unit_;
    std::thread signaller_;
    std::atomic<bool> stop_{true};
    std::atomic<ULONG> readTimeoutMs_{0};
    HANDLE event_ = nullptr;
};

Simulator& Unit() {
    return Simulator::Instance();
}

} // namespace

extern "C" {

__declspec(dllexport) Status WINAPI SimOpenByDescription(void* description, DWORD flags, void** handle) {
    return handle == nullptr ? StatusOf(DriverInvalidArgument)
                             : Unit().Open(static_cast<const char*>(description), flags, handle);
}

__declspec(dllexport) Status WINAPI SimClose(void* handle) {
    return Unit().Close(handle);
}

__declspec(dllexport) Status WINAPI SimRead(void* handle, void* buffer, DWORD count, DWORD* done) {
    return Unit().Read(handle, static_cast<std::uint8_t*>(buffer), count, done);
}

__declspec(dllexport) Status WINAPI SimWrite(void* handle, void* buffer, DWORD count, DWORD* done) {
    *done = 0;
    return Unit().Run(handle, [&](sim::RealTimeUnit& unit) {
        std::uint32_t put = 0;
        const int status = unit.Write(static_cast<const std::uint8_t*>(buffer), count, put);
        *done = put;
        return status;
    });
}

__declspec(dllexport) Status WINAPI SimSetBaudRate(void* handle, ULONG baud) {
    return Unit().Run(handle, [=](sim::RealTimeUnit& unit) { return unit.SetBaudRate(baud); });
}

__declspec(dllexport) Status WINAPI
    SimSetDataCharacteristics(void* handle, UCHAR wordLength, UCHAR stopBits, UCHAR parity) {
    return Unit().Run(handle, [=](sim::RealTimeUnit& unit) {
        return unit.SetDataCharacteristics(wordLength, stopBits, parity);
    });
}

__declspec(dllexport) Status WINAPI
    SimSetFlowControl(void* handle, USHORT flowControl, UCHAR xon, UCHAR xoff) {
    return Unit().Run(handle,
                      [=](sim::RealTimeUnit& unit) { return unit.SetFlowControl(flowControl, xon, xoff); });
}

__declspec(dllexport) Status WINAPI SimSetModemLine(void* handle) {
    return Unit().Run(handle, [](sim::RealTimeUnit& unit) { return unit.SetModemLinePulse(); });
}

__declspec(dllexport) Status WINAPI SimClearModemLine(void* handle) {
    return Unit().Run(handle, [](sim::RealTimeUnit& unit) { return unit.SetModemLineRest(); });
}

__declspec(dllexport) Status WINAPI SimSetTimeouts(void* handle, ULONG readMs, ULONG writeMs) {
    return Unit().SetTimeouts(handle, readMs, writeMs);
}

__declspec(dllexport) Status WINAPI SimGetQueueStatus(void* handle, DWORD* waiting) {
    *waiting = 0;
    return Unit().Run(handle, [&](sim::RealTimeUnit& unit) {
        std::uint32_t count = 0;
        const int status = unit.GetQueueStatus(count);
        *waiting = count;
        return status;
    });
}

__declspec(dllexport) Status WINAPI SimSetEventNotification(void* handle, DWORD mask, void* event) {
    return Unit().SetEventNotification(handle, mask, static_cast<HANDLE>(event));
}

} // extern "C"
