#pragma once
// Text values of a drawing: UTF-8 from release 2007 (AC1021) on, the code
// page of $DWGCODEPAGE before. The editor's API speaks code page 1252; a
// character it lacks is written \U+XXXX, as in the drawing editor.
#include <string>
#include <string_view>

namespace dxf {

struct Encoding {
  bool utf8 = false;
  std::string codePage = "CP1252";  // iconv's name of the drawing's code page
};

// From the header's $ACADVER and $DWGCODEPAGE ("ANSI_1251"); an unknown code page is 1252.
Encoding encodingOf(std::string_view acadver, std::string_view dwgcodepage);
// A value of the file as code page 1252.
std::string toCp1252(std::string_view value, const Encoding& encoding);
// A value of the file as UTF-8; \U+XXXX escapes stay as they are.
std::string toUtf8(std::string_view value, const Encoding& encoding);
// Code page 1252 text as a value of the file.
std::string fromCp1252(std::string_view text, const Encoding& encoding);

}  // namespace dxf
