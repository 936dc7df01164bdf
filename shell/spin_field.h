// The numeric spin fields: what a field's text stands for, the text a step writes back, and the
// characters that typing may put into it.
#pragma once

#include <string>
#include <string_view>

namespace tabulor {

// The window's spin fields' bounds and step: equal bounds mean that none applies.
struct TSpinFieldBounds {
    int MinValue;
    int MaxValue;
    int Increment;
};
inline constexpr TSpinFieldBounds SpinFieldBounds = {0, 0, 1};

// A field's value: the signed 32-bit integer its text holds (leading spaces, an optional sign,
// then decimal digits or hexadecimal ones after "$" or "0x", and nothing else), or minValue
// when the text is not one. The bounds are not applied here: a typed number stands as it is
// until the next step.
int SpinFieldValue(std::u16string_view text, int minValue);

// The text a step by increment writes into a field that holds text: the sum, which wraps around at
// the 32-bit limits, held within the bounds unless they are equal, which means that none applies.
std::u16string SteppedSpinFieldText(std::u16string_view text, int increment, int minValue,
                                    int maxValue);

// The text that a step up (+1) or down (-1) writes into one of the window's spin fields, by
// their increment and within their bounds.
std::u16string StepSpinField(std::u16string_view text, int direction);

// Whether a field takes c when it is typed: a digit, a sign, the decimal separator or a control
// character other than carriage return (backspace and the clipboard shortcuts). Pasting is not
// typing and is never filtered.
bool IsSpinFieldChar(char32_t c, char16_t decimalSeparator);

// The decimal separator from the user's regional settings' text for it: its first character,
// or a full stop when the settings give none.
char16_t DecimalSeparatorFrom(std::u16string_view localeText);

}  // namespace tabulor
