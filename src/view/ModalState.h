#pragma once

#include <functional>
#include <utility>

// What every modal dialog's logic keeps of its own life: whether it is closed, the result it closed
// with, and the window to tell when that (or anything else the window shows) changes.
namespace vorn {

class ModalState {
public:
    static constexpr int ResultNone = 0;

    bool Closed() const { return closed_; }
    int Result() const { return result_; }
    // Called when the dialog closes or its state otherwise changes, so a view can follow it (and end
    // its modal loop).
    void SetStateObserver(std::function<void()> observer) { observer_ = std::move(observer); }

protected:
    // Shown anew: open, no result yet.
    void Open() {
        closed_ = false;
        result_ = ResultNone;
    }
    // Closes with the result and tells the window; once closed, nothing changes any more.
    void Finish(int result) {
        if (closed_) {
            return;
        }
        result_ = result;
        closed_ = true;
        Notify();
    }
    // Closed however the window came back, without a word to it (it has gone already).
    void MarkClosed() { closed_ = true; }
    void Notify() const {
        if (observer_) {
            observer_();
        }
    }

private:
    bool closed_ = true;
    int result_ = ResultNone;
    std::function<void()> observer_;
};

} // namespace vorn
