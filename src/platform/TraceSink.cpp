#include "platform/TraceSink.h"

#include <cstdio>
#include <cstdlib>

namespace vorn {

void TraceSink::Write(std::string_view line) {
    if (lines_.size() == capacity_) {
        lines_.pop_front();
    }
    lines_.emplace_back(line);
    if (echo_) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
    }
    if (listener_) {
        listener_(line);
    }
}

std::size_t TraceSink::CountContaining(std::string_view fragment) const {
    std::size_t count = 0;
    for (const auto& line : lines_) {
        if (line.find(fragment) != std::string::npos) {
            ++count;
        }
    }
    return count;
}

bool TraceSink::EchoRequestedByEnvironment() {
    const char* value = std::getenv("VORN_DEBUG");
    return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

} // namespace vorn
