// Names the ANSI code page cannot hold. The guard keeps every path as an ANSI
// string and acts on files through the ANSI functions, but the system reports
// and lists names in UTF-16, and a name may hold characters that code page 936
// lacks (Thai, Korean, emoji, most accented Latin). The system's default
// conversion then picks a "best fit" look-alike ("ø" -> "o"), which may name a
// different file. These helpers never do: a name either converts exactly, or
// is replaced by its short (8.3) form, which the ANSI functions can open, or
// is not representable and must not be acted on. Windows only.
#pragma once
#include <string>

namespace tf {

// Converts without best fit. True when every character has an exact
// counterpart in the ANSI code page; otherwise out holds the text with '?'
// for each missing character (fit for display, never a usable name, since '?'
// cannot occur in a file name).
bool WideToAnsiExact(const std::wstring& wide, std::string& out);

// The ANSI path under which the guard may act on the file or folder at
// widePath (a full path): every component that converts exactly is kept,
// every other one is replaced by its short name. False when a component
// neither converts nor has a short name (the volume makes none, or the entry
// is gone); out then holds the display form with '?'. Components are looked up
// one at a time, so the same file always gets the same path, whether reported
// by the watcher or met by a search.
bool AnsiPathOf(const std::wstring& widePath, std::string& out);

// The ANSI name of a directory entry found by a search: its long name when it
// converts exactly, else its short name (empty when it has none). False when
// neither can be used; out then holds the display form.
bool AnsiEntryName(const std::wstring& longName, const std::wstring& shortName, std::string& out);

// Test seam: act as if the volume made no short names (as NTFS volumes may be
// set up), so that a name the code page cannot hold has no usable form.
// Returns the previous setting.
bool SetNoShortNames(bool none);

} // namespace tf
