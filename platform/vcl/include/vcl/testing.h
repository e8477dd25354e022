#pragma once
// Test controls of the form toolkit.

namespace vcl {

// Changes the system's decimal separator, as a change of the user's regional
// settings does (DecimalSeparator follows it).
void SetSystemDecimalSeparator(char separator);
char SystemDecimalSeparator();

}  // namespace vcl
