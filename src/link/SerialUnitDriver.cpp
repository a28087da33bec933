#include "link/SerialUnitDriver.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace vorn {

namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

struct BaudRow {
    std::uint32_t baud;
    speed_t speed;
};
constexpr std::array<BaudRow, 7> BaudRates{{
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
}};

// Flow-control values as the USB driver numbers them.
constexpr std::uint16_t FlowNone = 0x0000;
constexpr std::uint16_t FlowRtsCts = 0x0100;
constexpr std::uint16_t FlowXonXoff = 0x0400;

std::string ReadAttribute(const fs::path& path) {
    std::ifstream in(path);
    std::string value;
    std::getline(in, value);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r' || value.back() == ' ')) {
        value.pop_back();
    }
    return value;
}

int RemainingMs(SteadyClock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until the descriptor is ready for the events or the deadline passes; false on time-out or error.
bool PollUntil(int fd, short events, SteadyClock::time_point deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, RemainingMs(deadline));
        if (ready > 0) {
            return (entry.revents & events) != 0;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

} // namespace

SerialUnitDriver::SerialUnitDriver(SerialPortOptions options) : options_(std::move(options)) {}

SerialUnitDriver::~SerialUnitDriver() {
    if (fd_ >= 0) {
        Close();
    }
}

std::vector<std::string> SerialUnitDriver::FindPortsByProduct(const std::string& sysRoot,
                                                              const std::string& devRoot,
                                                              std::string_view product) {
    std::error_code error;
    const fs::path root = fs::weakly_canonical(sysRoot, error);
    const fs::path classTty = fs::path(sysRoot) / "class" / "tty";
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(classTty, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());

    std::vector<std::string> ports;
    for (const auto& name : names) {
        std::error_code linkError;
        const fs::path device = fs::canonical(classTty / name / "device", linkError);
        if (linkError) {
            continue; // a virtual terminal: no device behind it
        }
        // The USB device is the nearest directory above the tty's device that carries idVendor.
        for (fs::path dir = device; !dir.empty(); dir = dir.parent_path()) {
            std::error_code existsError;
            if (fs::exists(dir / "idVendor", existsError)) {
                if (ReadAttribute(dir / "product") == product) {
                    ports.push_back((fs::path(devRoot) / name).string());
                }
                break;
            }
            if (dir == root || dir == dir.parent_path()) {
                break;
            }
        }
    }
    return ports;
}

std::string SerialUnitDriver::DescribeOpenError(const std::string& path, int error) {
    switch (error) {
    case EACCES:
    case EPERM: {
        // Serial ports belong to the group "dialout"; a port set up otherwise is named with its group.
        std::string text =
            "Permission denied on " + path + ": this user may not use the interface unit's serial " +
            "port. Add the user to the group \"dialout\" (sudo usermod -aG dialout \"$USER\"), " +
            "then log out and in again.";
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && info.st_gid != 0) {
            const struct group* owner = ::getgrgid(info.st_gid);
            if (owner != nullptr && std::string_view(owner->gr_name) != "dialout") {
                text += std::string(" This port belongs to the group \"") + owner->gr_name + "\".";
            }
        }
        return text;
    }
    case ENOENT:
    case ENODEV:
    case ENXIO: return path + " does not exist: is the interface unit plugged in?";
    case EBUSY:
    case EWOULDBLOCK: return path + " is in use by another program.";
    default: return "Cannot open " + path + ": " + std::strerror(error) + ".";
    }
}

int SerialUnitDriver::StatusOfErrno(int error) const {
    switch (error) {
    case EACCES:
    case EPERM: return DriverAccessDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO: return DriverNotFound;
    case EBUSY:
    case EWOULDBLOCK: return DriverBusy;
    case EIO: return DriverIoError;
    case EINVAL: return DriverInvalidArgument;
    default: return DriverOtherError;
    }
}

int SerialUnitDriver::OpenByDescription(std::string_view description, std::uint32_t flags) {
    lastOpenError_.clear();
    lastOpenStatus_ = Search(description, flags);
    return lastOpenStatus_;
}

int SerialUnitDriver::Search(std::string_view description, std::uint32_t flags) {
    if (fd_ >= 0) {
        return DriverBusy;
    }
    if (flags != OpenByDescriptionFlag) {
        return DriverInvalidArgument;
    }
    std::vector<std::string> candidates;
    if (!options_.Port.empty()) {
        candidates.push_back(options_.Port);
    } else {
        candidates = FindPortsByProduct(options_.SysRoot, options_.DevRoot, description);
    }
    if (candidates.empty()) {
        lastOpenError_ = "No serial port belongs to a USB device named \"" + std::string(description) + "\".";
        return DriverNotFound;
    }
    int status = DriverNotFound;
    for (const auto& path : candidates) {
        status = OpenPort(path);
        if (status == DriverOk) {
            return DriverOk;
        }
    }
    return status;
}

int SerialUnitDriver::OpenPort(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        lastOpenError_ = DescribeOpenError(path, error);
        return StatusOfErrno(error);
    }
    const auto fail = [&](int error, std::string text) {
        ::close(fd);
        lastOpenError_ = std::move(text);
        return StatusOfErrno(error);
    };
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        return fail(ENODEV, path + " is not a serial port.");
    }
    // Exclusive: no second program (TIOCEXCL), and no second instance of this one, even as root.
    if (::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return fail(EBUSY, DescribeOpenError(path, EBUSY));
    }
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL | CRTSCTS);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        const int error = errno;
        ::ioctl(fd, TIOCNXCL);
        return fail(error, "Cannot set up " + path + ": " + std::strerror(error) + ".");
    }
    fd_ = fd;
    hungUp_ = false;
    openPath_ = path;
    return DriverOk;
}

int SerialUnitDriver::Close() {
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    // Clear the exclusive flag: it outlives the descriptor while another holds the tty open.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    eventExists_ = false;
    openPath_.clear();
    return DriverOk;
}

int SerialUnitDriver::SetBaudRate(std::uint32_t baud) {
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    const auto row =
        std::find_if(BaudRates.begin(), BaudRates.end(), [&](const BaudRow& r) { return r.baud == baud; });
    termios settings{};
    if (row == BaudRates.end()) {
        return DriverInvalidArgument;
    }
    if (::tcgetattr(fd_, &settings) != 0 || ::cfsetispeed(&settings, row->speed) != 0 ||
        ::cfsetospeed(&settings, row->speed) != 0 || ::tcsetattr(fd_, TCSANOW, &settings) != 0) {
        return StatusOfErrno(errno);
    }
    return DriverOk;
}

int SerialUnitDriver::SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                             std::uint8_t parity) {
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    tcflag_t size = 0;
    switch (wordLength) {
    case 7: size = CS7; break;
    case 8: size = CS8; break;
    default: return DriverInvalidArgument;
    }
    if ((stopBits != 1 && stopBits != 2) || parity > 2) {
        return DriverInvalidArgument;
    }
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0) {
        return StatusOfErrno(errno);
    }
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD);
    settings.c_cflag |= size;
    if (stopBits == 2) {
        settings.c_cflag |= CSTOPB;
    }
    if (parity == 1) {
        settings.c_cflag |= PARENB | PARODD;
    } else if (parity == 2) {
        settings.c_cflag |= PARENB;
    }
    return ::tcsetattr(fd_, TCSANOW, &settings) == 0 ? DriverOk : StatusOfErrno(errno);
}

int SerialUnitDriver::SetFlowControl(std::uint16_t flowControl, std::uint8_t xon, std::uint8_t xoff) {
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    if (flowControl != FlowNone && flowControl != FlowRtsCts && flowControl != FlowXonXoff) {
        return DriverInvalidArgument;
    }
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0) {
        return StatusOfErrno(errno);
    }
    settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (flowControl == FlowRtsCts) {
        settings.c_cflag |= CRTSCTS;
    } else if (flowControl == FlowXonXoff) {
        settings.c_iflag |= IXON | IXOFF;
        settings.c_cc[VSTART] = static_cast<cc_t>(xon);
        settings.c_cc[VSTOP] = static_cast<cc_t>(xoff);
    }
    return ::tcsetattr(fd_, TCSANOW, &settings) == 0 ? DriverOk : StatusOfErrno(errno);
}

int SerialUnitDriver::ModemLine(bool set) {
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    int line = TIOCM_DTR;
    if (::ioctl(fd_, set ? TIOCMBIS : TIOCMBIC, &line) == 0) {
        return DriverOk;
    }
    // A pseudo-terminal has no modem lines: nothing to drive, nothing failed.
    if (errno == ENOTTY || errno == EINVAL) {
        return DriverOk;
    }
    return StatusOfErrno(errno);
}

int SerialUnitDriver::SetModemLinePulse() {
    return ModemLine(true);
}

int SerialUnitDriver::SetModemLineRest() {
    return ModemLine(false);
}

int SerialUnitDriver::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    readTimeoutMs_ = readMs;
    writeTimeoutMs_ = writeMs;
    return DriverOk;
}

int SerialUnitDriver::GetQueueStatus(std::uint32_t& waiting) {
    waiting = 0;
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    int count = 0;
    if (::ioctl(fd_, FIONREAD, &count) != 0) {
        return StatusOfErrno(errno);
    }
    waiting = count > 0 ? static_cast<std::uint32_t>(count) : 0;
    return DriverOk;
}

bool SerialUnitDriver::CreateReceiveEvent() {
    eventExists_ = true;
    return true;
}

void SerialUnitDriver::ReleaseReceiveEvent() {
    eventExists_ = false;
}

int SerialUnitDriver::SetEventNotification(std::uint32_t) {
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    return eventExists_ ? DriverOk : DriverInvalidArgument;
}

WaitOutcome SerialUnitDriver::WaitReceiveEvent(Millis timeout) {
    if (fd_ < 0 || !eventExists_ || hungUp_) {
        return WaitOutcome::Failed;
    }
    const auto deadline = SteadyClock::now() + std::max(timeout, Millis{0});
    for (;;) {
        pollfd entry{fd_, POLLIN, 0};
        const int ready = ::poll(&entry, 1, RemainingMs(deadline));
        if (ready == 0) {
            return WaitOutcome::TimedOut;
        }
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return WaitOutcome::Failed;
        }
        std::uint32_t waiting = 0;
        if (GetQueueStatus(waiting) == DriverOk && waiting > 0) {
            return WaitOutcome::Signalled;
        }
        // Readable with nothing to read, or hung up: the unit has gone away.
        hungUp_ = true;
        return WaitOutcome::Failed;
    }
}

int SerialUnitDriver::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) {
    return Transfer(Direction::Read, count, done, [&](std::uint32_t at) {
        return static_cast<long>(::read(fd_, buffer + at, count - at));
    });
}

int SerialUnitDriver::Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) {
    return Transfer(Direction::Write, count, done,
                    [&](std::uint32_t at) { return static_cast<long>(::write(fd_, data + at, count - at)); });
}

int SerialUnitDriver::Transfer(Direction direction, std::uint32_t count, std::uint32_t& done,
                               const std::function<long(std::uint32_t)>& step) {
    done = 0;
    if (fd_ < 0) {
        return DriverInvalidHandle;
    }
    const bool reading = direction == Direction::Read;
    const auto deadline =
        SteadyClock::now() + std::chrono::milliseconds(reading ? readTimeoutMs_ : writeTimeoutMs_);
    while (done < count) {
        const long moved = step(done);
        if (moved > 0) {
            done += static_cast<std::uint32_t>(moved);
            continue;
        }
        if (moved == 0) {
            // The end of the input: the unit has hung up.
            hungUp_ = hungUp_ || reading;
            return done > 0 ? DriverOk : DriverIoError;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN) {
            if (!PollUntil(fd_, reading ? POLLIN : POLLOUT, deadline)) {
                break;
            }
            continue;
        }
        if (errno == EIO) {
            hungUp_ = true;
        }
        return done > 0 ? DriverOk : StatusOfErrno(errno);
    }
    return DriverOk;
}

} // namespace vorn
