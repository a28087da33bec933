#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The program's debug output: fixed English lines from the link, the session engine and the band
// lists. Kept in memory (the newest lines, up to a capacity) so tests can read them, and echoed to
// stderr when asked for (--debug or VORN_DEBUG=1).
class TraceSink {
public:
    explicit TraceSink(std::size_t capacity = 20000) : capacity_(capacity == 0 ? 1 : capacity) {}

    void Write(std::string_view line);

    void SetEcho(bool echo) { echo_ = echo; }
    // Hears every line as it is written (the support trace takes them in their order among the frames);
    // one at a time, none when empty.
    void SetListener(std::function<void(std::string_view)> listener) { listener_ = std::move(listener); }

    std::vector<std::string> Lines() const { return {lines_.begin(), lines_.end()}; }
    std::size_t Count() const { return lines_.size(); }
    // Number of kept lines that contain the fragment.
    std::size_t CountContaining(std::string_view fragment) const;
    bool Contains(std::string_view fragment) const { return CountContaining(fragment) > 0; }
    void Clear() { lines_.clear(); }

    // True when the environment asks for the trace on stderr (VORN_DEBUG set to anything but "0").
    static bool EchoRequestedByEnvironment();

private:
    std::deque<std::string> lines_;
    std::size_t capacity_;
    bool echo_ = false;
    std::function<void(std::string_view)> listener_;
};

} // namespace vorn
