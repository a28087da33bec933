#include "link/D2xxUnitDriver.h"

#include "platform/Paths.h"
#include "platform/Win32.h"

#include <algorithm>
#include <windows.h>

namespace vorn {

namespace {

// The library's calling convention and types: every function returns a status, 0 for success.
using Status = ULONG;
using OpenExFunction = Status(WINAPI*)(void* description, DWORD flags, void** handle);
using HandleFunction = Status(WINAPI*)(void* handle);
using TransferFunction = Status(WINAPI*)(void* handle, void* buffer, DWORD count, DWORD* done);
using BaudRateFunction = Status(WINAPI*)(void* handle, ULONG baud);
using DataCharacteristicsFunction = Status(WINAPI*)(void* handle, UCHAR wordLength, UCHAR stopBits,
                                                    UCHAR parity);
using FlowControlFunction = Status(WINAPI*)(void* handle, USHORT flowControl, UCHAR xon, UCHAR xoff);
using TimeoutsFunction = Status(WINAPI*)(void* handle, ULONG readMs, ULONG writeMs);
using QueueStatusFunction = Status(WINAPI*)(void* handle, DWORD* waiting);
using EventNotificationFunction = Status(WINAPI*)(void* handle, DWORD mask, void* event);

// The library's statuses and what they mean to the link.
struct StatusRow {
    Status status;
    int driverStatus;
};
constexpr StatusRow StatusRows[] = {
    {0, DriverOk},              // ok
    {1, DriverInvalidHandle},   // invalid handle
    {2, DriverNotFound},        // device not found
    {3, DriverBusy},            // device not opened: it is in use by another program
    {4, DriverIoError},         // input/output error: unplugged
    {5, DriverOtherError},      // insufficient resources
    {6, DriverInvalidArgument}, // invalid parameter
    {7, DriverInvalidArgument}, // invalid baud rate
};

template <typename Function>
Function As(void* entry) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}

} // namespace

const std::array<D2xxUnitDriver::Ordinal, D2xxUnitDriver::FunctionCount> D2xxUnitDriver::Ordinals{{
    {OpenEx, 27, "open by description"},
    {CloseUnit, 2, "close"},
    {ReadBytes, 3, "read"},
    {WriteBytes, 4, "write"},
    {BaudRate, 7, "set baud rate"},
    {DataCharacteristics, 8, "set data characteristics"},
    {FlowControl, 9, "set flow control"},
    {ModemLinePulse, 10, "modem line, first state"},
    {ModemLineRest, 11, "modem line, resting state"},
    {Timeouts, 17, "set time-outs"},
    {QueueStatus, 18, "get receive-queue status"},
    {EventNotification, 19, "set event notification"},
}};

D2xxUnitDriver::D2xxUnitDriver(std::string library) : library_(std::move(library)) {}

D2xxUnitDriver::~D2xxUnitDriver() {
    if (handle_ != nullptr) {
        Close();
    }
    ReleaseReceiveEvent();
    if (module_ != nullptr) {
        ::FreeLibrary(static_cast<HMODULE>(module_));
    }
}

bool D2xxUnitDriver::Load() {
    if (module_ != nullptr) {
        return true;
    }
    const std::wstring name = Widen(library_);
    // A bare name is looked for beside the program and in the system folder, never in the current
    // folder, where anybody could have put a library of that name.
    const bool bare = library_.find_first_of(PathSeparators) == std::string::npos;
    HMODULE module =
        ::LoadLibraryExW(name.c_str(), nullptr,
                         bare ? LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                              : LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        const DWORD error = ::GetLastError();
        lastOpenError_ =
            error == ERROR_MOD_NOT_FOUND
                ? library_ +
                      " was not found: the interface unit's USB driver is not installed. Install the "
                      "FTDI D2XX driver for the KDU (FTDI's \"CDM\" driver package, which brings " +
                      std::string(LibraryName) + "), then plug the unit in again."
                : "Cannot load " + library_ + ", the interface unit's USB driver: " + SystemErrorText(error) +
                      ". Install the FTDI D2XX driver for the KDU again.";
        return false;
    }
    std::array<void*, FunctionCount> entries{};
    for (const Ordinal& ordinal : Ordinals) {
        entries[ordinal.function] = reinterpret_cast<void*>(
            ::GetProcAddress(module, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(ordinal.number))));
        if (entries[ordinal.function] == nullptr) {
            ::FreeLibrary(module);
            lastOpenError_ = library_ + " has no function number " + std::to_string(ordinal.number) + " (" +
                             std::string(ordinal.role) +
                             "): it is not the FTDI D2XX driver the interface unit needs. Install the FTDI "
                             "D2XX driver for the KDU.";
            return false;
        }
    }
    module_ = module;
    entries_ = entries;
    return true;
}

int D2xxUnitDriver::Status(unsigned long status) const {
    for (const StatusRow& row : StatusRows) {
        if (row.status == status) {
            return row.driverStatus;
        }
    }
    return DriverOtherError;
}

int D2xxUnitDriver::OpenByDescription(std::string_view description, std::uint32_t flags) {
    lastOpenError_.clear();
    lastOpenStatus_ = DriverOk;
    if (handle_ != nullptr) {
        return DriverBusy;
    }
    if (!Load()) {
        lastOpenStatus_ = DriverNotFound;
        return lastOpenStatus_;
    }
    std::string name(description);
    void* handle = nullptr;
    lastOpenStatus_ = Status(As<OpenExFunction>(Entry(OpenEx))(name.data(), flags, &handle));
    if (lastOpenStatus_ == DriverOk && handle != nullptr) {
        handle_ = handle;
        return DriverOk;
    }
    if (lastOpenStatus_ == DriverOk) {
        lastOpenStatus_ = DriverOtherError;
    }
    lastOpenError_ = lastOpenStatus_ == DriverBusy
                         ? "The interface unit \"" + name + "\" is in use by another program."
                         : "No interface unit \"" + name + "\" is plugged in.";
    return lastOpenStatus_;
}

int D2xxUnitDriver::Close() {
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    const int status = Status(As<HandleFunction>(Entry(CloseUnit))(handle_));
    handle_ = nullptr;
    return status;
}

int D2xxUnitDriver::SetBaudRate(std::uint32_t baud) {
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    return Status(As<BaudRateFunction>(Entry(BaudRate))(handle_, baud));
}

int D2xxUnitDriver::SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                           std::uint8_t parity) {
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    return Status(
        As<DataCharacteristicsFunction>(Entry(DataCharacteristics))(handle_, wordLength, stopBits, parity));
}

int D2xxUnitDriver::SetFlowControl(std::uint16_t flowControl, std::uint8_t xon, std::uint8_t xoff) {
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    return Status(As<FlowControlFunction>(Entry(FlowControl))(handle_, flowControl, xon, xoff));
}

int D2xxUnitDriver::SetModemLinePulse() {
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    return Status(As<HandleFunction>(Entry(ModemLinePulse))(handle_));
}

int D2xxUnitDriver::SetModemLineRest() {
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    return Status(As<HandleFunction>(Entry(ModemLineRest))(handle_));
}

int D2xxUnitDriver::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    return Status(As<TimeoutsFunction>(Entry(Timeouts))(handle_, readMs, writeMs));
}

int D2xxUnitDriver::GetQueueStatus(std::uint32_t& waiting) {
    waiting = 0;
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    DWORD count = 0;
    const int status = Status(As<QueueStatusFunction>(Entry(QueueStatus))(handle_, &count));
    waiting = status == DriverOk ? count : 0;
    return status;
}

bool D2xxUnitDriver::CreateReceiveEvent() {
    ReleaseReceiveEvent();
    // Unnamed, auto-reset, not signalled.
    event_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return event_ != nullptr;
}

void D2xxUnitDriver::ReleaseReceiveEvent() {
    if (event_ != nullptr) {
        ::CloseHandle(static_cast<HANDLE>(event_));
        event_ = nullptr;
    }
}

int D2xxUnitDriver::SetEventNotification(std::uint32_t mask) {
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    if (event_ == nullptr) {
        return DriverInvalidArgument;
    }
    return Status(As<EventNotificationFunction>(Entry(EventNotification))(handle_, mask, event_));
}

WaitOutcome D2xxUnitDriver::WaitReceiveEvent(Millis timeout) {
    if (event_ == nullptr) {
        return WaitOutcome::Failed;
    }
    const auto ms = static_cast<DWORD>(std::clamp<Millis::rep>(timeout.count(), 0, INFINITE - 1));
    switch (::WaitForSingleObject(static_cast<HANDLE>(event_), ms)) {
    case WAIT_OBJECT_0: return WaitOutcome::Signalled;
    case WAIT_TIMEOUT: return WaitOutcome::TimedOut;
    default: return WaitOutcome::Failed;
    }
}

int D2xxUnitDriver::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) {
    done = 0;
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    DWORD got = 0;
    const int status = Status(As<TransferFunction>(Entry(ReadBytes))(handle_, buffer, count, &got));
    done = std::min<std::uint32_t>(got, count);
    return status;
}

int D2xxUnitDriver::Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) {
    done = 0;
    if (handle_ == nullptr) {
        return DriverInvalidHandle;
    }
    DWORD put = 0;
    const int status = Status(
        As<TransferFunction>(Entry(WriteBytes))(handle_, const_cast<std::uint8_t*>(data), count, &put));
    done = std::min<std::uint32_t>(put, count);
    return status;
}

} // namespace vorn
