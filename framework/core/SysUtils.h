// Exceptions, string helpers and text conversion shared by the whole program.
// Strings are byte strings in the ANSI code page (GBK at run time); only ASCII
// letters are ever folded.
#pragma once
#include <cstdint>
#include <exception>
#include <string>

namespace tf {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    std::string Message;
};

#define TF_EXCEPTION(Name, Base) \
    class Name : public Base { public: using Base::Base; }

TF_EXCEPTION(EConvertError, Exception);
TF_EXCEPTION(EListError, Exception);
TF_EXCEPTION(EStreamError, Exception);
TF_EXCEPTION(EReadError, EStreamError);
TF_EXCEPTION(EWriteError, EStreamError);
TF_EXCEPTION(EFCreateError, EStreamError);
TF_EXCEPTION(EFOpenError, EStreamError);
TF_EXCEPTION(EAssertionFailed, Exception);
TF_EXCEPTION(EOSError, Exception);
TF_EXCEPTION(EInvalidOperation, Exception);
TF_EXCEPTION(EOutOfResources, Exception);
#undef TF_EXCEPTION

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Fails with EAssertionFailed("<message> (<unit>)") when cond is false.
void Assert(bool cond, const std::string& message, const char* unit);

std::string Trim(const std::string& s);       // drops bytes <= 32 at both ends
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
std::string LowerCaseAscii(std::string s);    // only A-Z are folded
std::string UpperCaseAscii(std::string s);    // only a-z are folded
bool SameTextAscii(const std::string& a, const std::string& b);
int CompareTextAscii(const std::string& a, const std::string& b);

// Integer conversion: optional leading blanks, optional sign, decimal digits
// or "$"/"0x" followed by hex digits; nothing may follow.
bool TryStrToInt(const std::string& s, int32_t& value);
int32_t StrToIntDef(const std::string& s, int32_t def);
int32_t StrToInt(const std::string& s);       // raises EConvertError
std::string IntToStr(int64_t v);

// Text from outside shown on one line: control characters (line breaks,
// tabs, DEL) become spaces. Multi-byte letters are left alone.
std::string OneLine(std::string text);

// Conversions between the ANSI code page and UTF-16.
std::wstring AnsiToWide(const std::string& s);
std::string WideToAnsi(const std::wstring& s);

} // namespace tf
