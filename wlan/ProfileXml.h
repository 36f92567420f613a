#pragma once
// The wireless profile document handed to the wireless service before a connect: one
// line of XML in the service's WLAN profile schema, made from the SSID, the key and the
// authentication and cipher values of the network. Plain text work, no platform.
#include <string>

#include "app/Globals.h"
#include "platform/Win32Types.h"

// The document of the last successful MakeWLANProfileXml; the connect path empties it
// before the call and hands it to the service afterwards.
extern SharedText g_strProfileXml;

// The namespace name of the service's WLAN profile schema, version 1.
inline constexpr const wchar_t* kWlanProfileNamespace = L"http://www.microsoft.com/networking/WLAN/profile/v1";

// Escapes a text for the document: "&" first, then "'", the double quote, "<" and ">".
// Tab, line feed and carriage return become character references, so that the service
// reads them back as they were (a parser would turn a bare carriage return into a line
// feed). False, with `out` untouched, when the text holds a character that no XML
// document can carry (other control characters, U+FFFE, U+FFFF, surrogate halves).
bool EscapeProfileText(const std::wstring& text, std::wstring& out);

// Builds the document into `xml`. False for an empty SSID, for a keyed cipher with an
// empty key, and for an SSID or key that cannot be written into a well-formed document;
// `xml` is then left as it was. The key type is "networkKey" for a key of 64 characters
// as typed (a hexadecimal key) and for WEP, else "passPhrase".
bool BuildWLANProfileXml(const std::wstring& key, const std::wstring& ssid, DWORD cipher, DWORD auth,
                         std::wstring& xml);

// Builds the document into g_strProfileXml; true when a complete document is there.
bool MakeWLANProfileXml(const std::wstring& key, const std::wstring& ssid, DWORD cipher, DWORD auth);

// A key as the log may show it: one "*" per character, never the key itself.
std::wstring MaskedKey(const std::wstring& key);
