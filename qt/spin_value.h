// The value rule of the numeric spin fields: what a field's text stands for, and the text a
// step writes back.
#pragma once

#include <QString>
#include <QStringView>

namespace tabulor {

// A field's value: the signed 32-bit integer its text holds (leading spaces, an optional sign,
// then decimal digits or hexadecimal ones after "$" or "0x", and nothing else), or minValue
// when the text is not one. The bounds are not applied here: a typed number stands as it is
// until the next step.
int SpinEditValue(QStringView text, int minValue);

// value held within the bounds, unless they are equal, which means that none applies.
int CheckSpinValue(int value, int minValue, int maxValue);

// The text a step by increment writes into a field that holds text. The sum wraps around
// at the 32-bit limits.
QString SteppedSpinText(QStringView text, int increment, int minValue, int maxValue);

}  // namespace tabulor
