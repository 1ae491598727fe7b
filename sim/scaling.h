// One scaling (display SD or voltage output SV) of one memory. The controller
// holds every scaling as two points; the one-point and inversion forms are
// turned into two points when they are written.
#pragma once

namespace tavimo::sim {

struct ScalingSetting {
    int mode = 0; // 0 none, 1 one point, 2 two points, 3 inversion only
    double senseA = 0, scaleA = 0; // point A: detected mm, shown value
    double senseB = 0, scaleB = 0; // point B
    int slope = 0;    // LO: one-point slope, 0 "+", 1 "-"
    int inverted = 0; // inversion flag as read back
};

// `range` is the head's measuring range R; `fullScale` the value shown at R
// without scaling (R for the display, 5 V for the voltage output).
ScalingSetting identityScaling(double range, double fullScale);
void setNoScaling(ScalingSetting& s, double range, double fullScale);
void setOnePoint(ScalingSetting& s, double sense, double offset, double range, double fullScale);
void setSlope(ScalingSetting& s, int slope, double range, double fullScale);
void setTwoPoint(ScalingSetting& s, double senseA, double scaleA, double senseB, double scaleB);
void setInversion(ScalingSetting& s, int flag, double range, double fullScale);

// The shown value for a detected distance (the line through A and B).
double applyScaling(const ScalingSetting& s, double distance);

} // namespace tavimo::sim
