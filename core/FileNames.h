// File names and numbers: extensions, include masks, the increased names
// that make a copy's name unique, byte counts for display, free bytes, and
// numbers as text. Numbers are always written with a dot, whatever the
// user's locale.
#pragma once

#include <cstdint>
#include <string>

#include "core/Types.h"

// ---- extensions -------------------------------------------------------------------

// The text behind the last dot, when that dot stands behind the last
// backslash or slash; else false and "noext".
bool GetFileExtension(const std::string& path, std::string& extension);
bool GetFileExtensionAnsi(const std::string& path, std::string& extension);
// The text before that dot; else false and the path unchanged.
bool StripFileExtension(const std::string& path, std::string& text);

// Compares extensions only (the name part of the mask is not looked at),
// byte for byte and case-sensitive: "*" ends the comparison with a match,
// "?" stands for one character. "*.*" needs an extension; a mask without
// extension takes only names without one.
bool MatchFileMask(const std::string& mask, const std::string& name);

// ---- increased names --------------------------------------------------------------

// "xINC0000009" gives "xINC0000010"; a name that does not end in "INC" and
// seven digits gets "INC0000001" appended.
std::string MakeIncreasedFileName(const std::string& name);
// The same done `times` times over, at once.
std::string MakeIncreasedFileName(const std::string& name, std::uint64_t times);
// The next increased name of the file in its folder that nothing on disk
// has yet. After 30000 tries error box 0238 and the last candidate.
std::string MakeIncreasedCopyName(const std::string& path);

// ---- sizes and drives ---------------------------------------------------------------

// "512.00 Bytes", "1.50 KB", "3.25 MB", "1.00 GB"; `value` and `unit`
// (" Bytes", " KB", " MB", " GB") get the parts.
std::string FormatByteSize(std::uint64_t bytes, double& value, std::string& unit);
std::string FormatByteSize(std::uint64_t bytes);

// Bytes free to the user where the path lies (its drive when the path
// itself cannot be asked). `root` gets the drive's root ("C:\"), empty when
// the path has no drive letter. False, and 0 bytes, when the free space
// cannot be found out.
bool GetDriveFreeBytes(const std::string& path, std::string& root, std::uint64_t& bytes);
// The same; 0 when it cannot be found out.
std::uint64_t GetDriveFreeBytes(const std::string& path, std::string& root);

// ---- numbers as text ------------------------------------------------------------------

std::string NumToStr(std::uint32_t value);
std::string NumToStrVol03(std::uint32_t value);
std::string NumberToStdString(std::uint32_t value);
std::string UInt64ToStr(std::uint64_t value);
// Six significant digits, exponent form from 1e6 on ("1.23457e+06").
std::string DoubleToStr(double value);
// Fifteen significant digits: a count or a byte total shows in full
// ("1001234") up to 10^15.
std::string CounterToStr(double value);
// Zeros put in front up to the width; unchanged when already as long.
std::string PadWithZeros(const std::string& text, int width);
std::string IntToZeroPaddedStr(int value, int width);

// ---- lists ------------------------------------------------------------------------------

StringList CopyNonEmptyItems(const StringList& items);
// Lower-cased and trimmed (code 32 or less), empty ones dropped, each
// distinct item once where it first occurs.
StringList CollectMaskExtensions(const StringList& items);
StringList NormalizeMaskList(const StringList& items);
