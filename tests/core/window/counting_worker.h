// A worker control for tests that counts pauses and resumes and can refuse
// either.
#pragma once

#include "link/worker_control.h"

namespace tavimo::testkit {

struct CountingWorker : link::WorkerControl {
    int pauses = 0;
    int resumes = 0;
    bool refusePause = false;
    bool refuseResume = false;
    bool pauseWorker() override
    {
        ++pauses;
        return !refusePause;
    }
    bool resumeWorker() override
    {
        ++resumes;
        return !refuseResume;
    }
};

} // namespace tavimo::testkit
