#pragma once
// Text conversion as the platform does it: UTF-8 to wide text and back
// (MultiByteToWideChar / WideCharToMultiByte with CP_UTF8), and the case folding the
// platform uses where it compares names without case (registry keys, file names).
#include <string>
#include <string_view>

// Malformed or overlong sequences and encoded surrogates each become U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
// Values that are not characters (surrogates, beyond U+10FFFF) become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);
// Unicode lower case, character by character.
std::wstring LowerCase(std::wstring_view text);
