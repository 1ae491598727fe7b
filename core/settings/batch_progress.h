// The progress window of a batch operation as a counter: open for the
// lifetime of the object, never moving backwards, full at finish().
#pragma once

#include "shell/operator.h"

#include <algorithm>

namespace tavimo::settings {

class BatchProgress {
public:
    BatchProgress(shell::Operator& op, int max) : scope_(op, max), max_(max) {}
    void advance(int steps = 1) { setTo(value_ + steps); }
    void setTo(int value)
    {
        value = std::clamp(value, value_, max_);
        if (value == value_) return;
        value_ = value;
        scope_.set(value_);
    }
    void finish() { setTo(max_); }
    int value() const { return value_; }

private:
    shell::ProgressScope scope_;
    int max_;
    int value_ = 0;
};

} // namespace tavimo::settings
