#include "statwindow/statarea.h"

double statNumber(const StatValue &value)
{
    if (const double *number = std::get_if<double>(&value))
        return *number;
    return 0;
}
