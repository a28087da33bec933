#pragma once

// The view's event loop as the core sees it. The link, the sessions and the capture call it while they
// wait (at least every 50 ms), so the window keeps painting and takes the operator's keys; a front end
// without an event loop leaves it doing nothing.
namespace vorn {

class EventPump {
public:
    virtual ~EventPump() = default;
    // Processes the view's pending events once and returns.
    virtual void ProcessPendingEvents() = 0;
};

class SilentEventPump : public EventPump {
public:
    void ProcessPendingEvents() override {}
};

} // namespace vorn
