#include "simulate/NormalSample.h"

#include <boost/random/normal_distribution.hpp>

NormalSample DrawNormalSample(StudyGenerator& generator, int n, double mean, double sd)
{
    boost::random::normal_distribution<double> normal(mean, sd);
    double sum = 0;
    double sumSq = 0;
    for (int i = 0; i < n; ++i) {
        const double x = normal(generator);
        sum += x;
        sumSq += x * x;
    }
    const double m = sum / n;
    return {m, sumSq - n * m * m};
}
