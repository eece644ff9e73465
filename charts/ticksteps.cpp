#include "charts/ticksteps.h"

#include <cmath>
#include <initializer_list>

double RoundStep(double step)
{
    const double decade = std::pow(10.0, std::floor(std::log10(step)));
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * decade >= step)
            return factor * decade;
    return 10 * decade;
}
