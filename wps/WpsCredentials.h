#pragma once
// The credentials a router hands out in the WPS profile record, as the connect needs
// them: wide texts within the limits of the fields they go to.
#include <functional>
#include <string>

#include "platform/VendorWlan.h"

struct WpsCredentials {
    std::wstring ssid;     // at most 32 characters; empty when its text was too long
    std::wstring key;      // at most 64 characters; empty when its text was too long
    bool hasKey = false;   // the record's narrow key is not empty
    DWORD authType = 0;    // WPS numbering
    DWORD encryptionType = 0;
};

// Converts narrow text of the system code page to wide characters.
using CodePageToWide = std::function<std::wstring(const std::string&)>;

// Reads the record. The SSID field is 32 bytes, zero-terminated when shorter; the key
// runs to its terminator or to the end of the record. A converted SSID that needs more
// than 34 characters with its terminator, or a key that needs more than 128, is dropped.
WpsCredentials ReadWpsCredentials(const WpsProfileRecord& record, const CodePageToWide& toWide);

// The connect's algorithm values from WPS numbering: auth and cipher are changed only
// by the types they know; WEP forces open authentication.
void SecurityFromWpsTypes(DWORD authType, DWORD encryptionType, int& auth, int& cipher);
