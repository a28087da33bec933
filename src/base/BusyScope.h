#pragma once

// Marks an operation as running for as long as the scope lives, so that a call made from inside it
// (an event pumped while it waits) can see that it must not start another one.
namespace vorn {

class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { busy_ = false; }

private:
    bool& busy_;
};

} // namespace vorn
