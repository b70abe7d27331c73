#include "report/statistics.h"

namespace velantro {

void RunsBelow::Finish()
{
    if (open_)
        runs_.Push(current_);
    open_ = false;
}

} // namespace velantro
