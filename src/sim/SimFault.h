#pragma once

// A fault on demand: a count of the next events it strikes, -1 for every one from
// now on. True when this event is struck (the count is used up by one).
inline bool takeFault(int &count)
{
    if (count == 0)
        return false;
    if (count > 0)
        --count;
    return true;
}
