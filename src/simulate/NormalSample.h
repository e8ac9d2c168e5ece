#pragma once

#include "simulate/StudyGenerator.h"

/// What a t test needs of a sample: its mean and its sum of squared deviations.
struct NormalSample
{
    double mean;
    double sumOfSquares;
};

/// Draws n normal values of the mean and SD and sums them up.
NormalSample DrawNormalSample(StudyGenerator& generator, int n, double mean, double sd);
