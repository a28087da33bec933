#include "sim/PtyBridge.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace vorn::sim {

namespace {

// After an unplug the bytes already sent get this long to reach the host before the port goes away.
constexpr Millis HangUpDelay{20};
constexpr Millis IdlePoll{100};

} // namespace

PtyBridge::PtyBridge(SimScenario scenario)
    : firmware_(clock_, std::move(scenario), [this](std::string_view bytes) { Send(bytes); }),
      start_(std::chrono::steady_clock::now()) {}

PtyBridge::~PtyBridge() {
    HangUp();
}

bool PtyBridge::Open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    std::array<char, 128> name{};
    if (::ptsname_r(master_, name.data(), name.size()) != 0) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    portPath_ = name.data();
    keeper_ = ::open(portPath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (keeper_ < 0) {
        error = "cannot open " + portPath_ + ": " + std::strerror(errno);
        return false;
    }
    // Raw from the start, so nothing the unit sends is echoed or edited before the host sets it up.
    termios settings{};
    if (::tcgetattr(keeper_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(keeper_, TCSANOW, &settings);
    }
    return true;
}

void PtyBridge::Sync() {
    const auto elapsed = std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - start_);
    clock_.AdvanceTo(elapsed);
}

void PtyBridge::Send(std::string_view bytes) {
    const std::size_t room = MaxQueuedBytes - std::min(queued_.size(), MaxQueuedBytes);
    const std::size_t taken = std::min(room, bytes.size());
    queued_.append(bytes.substr(0, taken));
    dropped_ += bytes.size() - taken;
    Flush();
}

void PtyBridge::Flush() {
    while (master_ >= 0 && !queued_.empty()) {
        const ssize_t put = ::write(master_, queued_.data(), queued_.size());
        if (put > 0) {
            queued_.erase(0, static_cast<std::size_t>(put));
        } else if (put < 0 && errno == EINTR) {
            continue;
        } else {
            if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                // The terminal is gone: nobody will read these.
                dropped_ += queued_.size();
                queued_.clear();
            }
            return;
        }
    }
}

void PtyBridge::HangUp() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
    if (keeper_ >= 0) {
        ::close(keeper_);
        keeper_ = -1;
    }
}

void PtyBridge::Run(const std::atomic<bool>& stop) {
    std::array<char, 512> buffer{};
    std::size_t logged = 0;
    Millis unpluggedAt{-1};
    while (!stop.load() && master_ >= 0) {
        Sync();
        if (firmware_.Unplugged()) {
            if (unpluggedAt.count() < 0) {
                unpluggedAt = clock_.Now();
            } else if (clock_.Now() - unpluggedAt >= HangUpDelay) {
                HangUp();
                break;
            }
        }
        Millis wait = IdlePoll;
        if (const auto next = clock_.NextDue()) {
            wait = std::clamp(*next - clock_.Now(), Millis{0}, IdlePoll);
        }
        if (unpluggedAt.count() >= 0) {
            wait = std::min(wait, Millis{5});
        }
        const short events = static_cast<short>(POLLIN | (queued_.empty() ? 0 : POLLOUT));
        pollfd entry{master_, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(wait.count()));
        Sync();
        if (ready > 0 && (entry.revents & POLLOUT) != 0) {
            Flush();
        }
        if (ready > 0 && (entry.revents & POLLIN) != 0) {
            const ssize_t got = ::read(master_, buffer.data(), buffer.size());
            if (got > 0) {
                firmware_.Receive(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
            }
        }
        const auto& received = firmware_.ReceivedPayloads();
        for (; logged < received.size(); ++logged) {
            if (log_) {
                log_(received[logged]);
            }
        }
    }
}

} // namespace vorn::sim
