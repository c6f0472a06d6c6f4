#include "Rounding.h"

#include <cfenv>
#include <cmath>

double RoundHalfEven(double value) {
    const int previous = std::fegetround();
    if (previous != FE_TONEAREST) {
        std::fesetround(FE_TONEAREST);
    }
    const double rounded = std::nearbyint(value);
    if (previous != FE_TONEAREST) {
        std::fesetround(previous);
    }
    return rounded;
}

int CInt(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        throw OverflowError("Overflow");
    }
    return static_cast<int>(rounded);
}

qint32 CLng(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw OverflowError("Overflow");
    }
    return static_cast<qint32>(rounded);
}

int Int16(qint64 value) {
    if (value < -32768 || value > 32767) {
        throw OverflowError("Overflow");
    }
    return static_cast<int>(value);
}
