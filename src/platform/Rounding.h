#pragma once

#include <QtGlobal>
#include <stdexcept>

// Conversions of measurements to whole numbers round to the nearest integer with halves to
// even, as the program's layout formulas expect. CInt stays within 16 bits and CLng within
// 32 bits; a value outside that range is an overflow.
class OverflowError : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

double RoundHalfEven(double value);
int CInt(double value);
qint32 CLng(double value);
// A 16-bit integer step of a layout: the value must fit, or it is an overflow.
int Int16(qint64 value);
