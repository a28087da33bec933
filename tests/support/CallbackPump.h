#pragma once

#include "view/EventPump.h"

#include <functional>
#include <utility>

namespace vorn::test {

// An event pump that runs a test's function each time the core serves the view.
class CallbackPump : public EventPump {
public:
    explicit CallbackPump(std::function<void()> fn) : fn_(std::move(fn)) {}
    void ProcessPendingEvents() override { fn_(); }

private:
    std::function<void()> fn_;
};

} // namespace vorn::test
