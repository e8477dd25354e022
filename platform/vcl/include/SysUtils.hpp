#pragma once
// Exceptions, number conversion with the system's decimal separator, and the
// string and file helpers of the toolkit's run-time library.
#include <System.hpp>

class Exception : public TObject {
 public:
  explicit Exception(const AnsiString& message) : Message(message) {}
  AnsiString Message;
};
class EConvertError : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EStringListError : public Exception { using Exception::Exception; };
class EFOpenError : public Exception { using Exception::Exception; };
class EInvalidGraphic : public Exception { using Exception::Exception; };

// The decimal separator of the system's number format; read by StrToFloat and
// FloatToStrF.
extern char DecimalSeparator;

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// Text to number with DecimalSeparator: optional blanks and sign, digits with
// at most one separator, optional exponent. Anything else raises EConvertError.
long double StrToFloat(const AnsiString& text);
AnsiString FloatToStrF(long double value, TFloatFormat format, int precision, int digits);
AnsiString IntToStr(int value);

// Copies at most `maxLength` characters of `source` and a NUL into `dest`.
char* StrLCopy(char* dest, const char* source, unsigned maxLength);

AnsiString Trim(const AnsiString& text);
// ASCII letters only.
AnsiString UpperCase(const AnsiString& text);
// Every letter of the ANSI code page (1252).
AnsiString AnsiUpperCase(const AnsiString& text);
// Compares ignoring letter case as the system does for ANSI text (code page
// 1252 capitals); 0 when equal.
int AnsiCompareText(const AnsiString& a, const AnsiString& b);

// A file (not a folder) exists at the Windows path.
bool FileExists(const AnsiString& fileName);
AnsiString ExtractFilePath(const AnsiString& fileName);
AnsiString ExtractFileName(const AnsiString& fileName);
