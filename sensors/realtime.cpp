#include "sensors/realtime.h"

#include <pthread.h>
#include <sched.h>

namespace vantrel {

bool AskForRealtime(int priority) {
    sched_param param{};
    param.sched_priority = priority;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

}  // namespace vantrel
