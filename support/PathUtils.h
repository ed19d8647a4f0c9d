// Path text helpers shared by the whole guard.
//
// Paths are ANSI strings (GBK, code page 936, at run time): a byte that leads
// a double-byte character is followed by a trail byte that may look like '\',
// ':' or '.' (0x5C, 0x3A, 0x2E) or like an ASCII letter. Every helper here
// looks for delimiters, and folds letter case, only at single-byte positions,
// so a trail byte never counts. Only the ASCII letters are ever folded.
//
// Portable: on Windows the lead bytes are those of the ANSI code page; on the
// host they are GBK's (0x81-0xFE).
#pragma once
#include <cstddef>
#include <string>

namespace tf {

bool IsAnsiLeadByte(unsigned char b);

// Index of the last byte of s at a single-byte position that is one of the
// (ASCII) delimiters; std::string::npos when there is none.
size_t LastDelimiter(const std::string& delimiters, const std::string& s);

// Up to and including the last '\' or ':' ("C:\a\b.exe" -> "C:\a\").
std::string ExtractFilePath(const std::string& path);
// What follows the last '\' or ':' ("C:\a\b.exe" -> "b.exe").
std::string ExtractFileName(const std::string& path);
// From the last '.' to the end, dot included, when no '\' or ':' follows that
// dot ("C:\dir.exe\file" -> ""); otherwise empty.
std::string ExtractFileExt(const std::string& path);

// Whether the last character is a single-byte '\'.
bool HasTrailingBackslash(const std::string& path);
// Appends '\' unless the last character already is one ("C:" -> "C:\").
std::string IncludeTrailingBackslash(const std::string& path);

// Upper-cases the ASCII letters at single-byte positions: two paths name the
// same file (as far as the guard compares them) when their folded forms are
// equal.
std::string FoldPathCase(const std::string& path);
bool SamePath(const std::string& a, const std::string& b);

// Whether '*' or '?' occurs at a single-byte position. Such a text is a search
// pattern, not the name of one file ('?' is also what the ANSI conversion
// leaves for a character the code page cannot hold).
bool HasWildcards(const std::string& path);

} // namespace tf
