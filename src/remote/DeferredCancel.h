#pragma once

#include <functional>
#include <utility>

// A cancel the technician asks for while an exchange step may be running (its
// waits keep the window responsive, so a click can come in the middle): acted on at
// once between steps, else as soon as the outermost step has unwound.
class DeferredCancel {
public:
    explicit DeferredCancel(std::function<void()> act) : act_(std::move(act)) {}

    // Marks a running step for its lifetime.
    class Step {
    public:
        explicit Step(DeferredCancel &cancel) : cancel_(cancel) { ++cancel_.depth_; }
        ~Step()
        {
            --cancel_.depth_;
            cancel_.actIfDue();
        }
        Step(const Step &) = delete;
        Step &operator=(const Step &) = delete;

    private:
        DeferredCancel &cancel_;
    };

    void request()
    {
        requested_ = true;
        actIfDue();
    }
    // Whether a cancel waits for the running step to unwind.
    bool requested() const { return requested_; }
    void clear() { requested_ = false; }

private:
    void actIfDue()
    {
        if (!requested_ || depth_ > 0)
            return;
        requested_ = false;
        act_();
    }

    std::function<void()> act_;
    int depth_ = 0;
    bool requested_ = false;
};
