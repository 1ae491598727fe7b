#include "sim/scaling.h"

namespace tavimo::sim {

ScalingSetting identityScaling(double range, double fullScale)
{
    ScalingSetting s;
    setNoScaling(s, range, fullScale);
    return s;
}

void setNoScaling(ScalingSetting& s, double range, double fullScale)
{
    s.mode = 0;
    s.senseA = 0;
    s.scaleA = 0;
    s.senseB = range;
    s.scaleB = fullScale;
    s.inverted = 0;
}

namespace {

// Point B of a one-point scaling: the gain of the unscaled output, signed by
// the slope, through point A.
void placeOnePointB(ScalingSetting& s, double range, double fullScale)
{
    double gain = range > 0 ? fullScale / range : 1.0;
    double b = s.senseA != range ? range : 0.0;
    s.senseB = b;
    s.scaleB = s.scaleA + (s.slope ? -gain : gain) * (b - s.senseA);
    s.inverted = s.slope;
}

} // namespace

void setOnePoint(ScalingSetting& s, double sense, double offset, double range, double fullScale)
{
    s.mode = 1;
    s.senseA = sense;
    s.scaleA = offset;
    placeOnePointB(s, range, fullScale);
}

void setSlope(ScalingSetting& s, int slope, double range, double fullScale)
{
    s.slope = slope;
    if (s.mode == 1) placeOnePointB(s, range, fullScale);
}

void setTwoPoint(ScalingSetting& s, double senseA, double scaleA, double senseB, double scaleB)
{
    s.mode = 2;
    s.senseA = senseA;
    s.scaleA = scaleA;
    s.senseB = senseB;
    s.scaleB = scaleB;
    bool rising = senseA != senseB && (scaleB - scaleA) / (senseB - senseA) > 0;
    s.inverted = rising ? 0 : 1;
}

void setInversion(ScalingSetting& s, int flag, double range, double fullScale)
{
    setNoScaling(s, range, fullScale);
    s.mode = 3;
    s.inverted = flag;
    if (flag) {
        s.scaleA = fullScale;
        s.scaleB = 0;
    }
}

double applyScaling(const ScalingSetting& s, double distance)
{
    if (s.senseA == s.senseB) return s.scaleA;
    return s.scaleA + (distance - s.senseA) * (s.scaleB - s.scaleA) / (s.senseB - s.senseA);
}

} // namespace tavimo::sim
