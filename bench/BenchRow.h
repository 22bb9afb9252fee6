#pragma once

#include <cstdio>
#include <cstring>

// With --rows a benchmark prints, instead of its own report, one tab-separated line
// per operation for ostrakel-bench-all's common table: the operation, how its figure
// was had ("simulated" time or "measured"), the figure, its lower bound (0 for none)
// and the unit of both.
inline bool rowsWanted(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--rows") == 0)
            return true;
    return false;
}

inline void printBenchRow(const char *operation, const char *kind, double value, double bound, const char *unit)
{
    std::printf("%s\t%s\t%.6g\t%.6g\t%s\n", operation, kind, value, bound, unit);
}
