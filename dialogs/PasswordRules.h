#pragma once
// The rules of the network password dialog that need no window: whether a key has the
// form its security asks for, and which authentication and cipher a security type
// choice gives. Values are those of the wireless service (authentication 1 open,
// 4 WPA-PSK, 7 RSNA-PSK; cipher 0 none, 2 TKIP, 4 CCMP, 257 WEP).
#include <string>

// The dialog's pages, by its mode.
enum PasswordDlgMode { PasswordModeSsid = 0, PasswordModeSecurity = 1, PasswordModePassword = 2 };

// The entries of the security type combo box, in this order.
enum SecuritySelection { SecurityWpa2 = 0, SecurityWpa = 1, SecurityWep = 2 };

// Whether the key may be used for a network with this authentication and cipher:
// empty only on the security page (a network without a key); WEP keys of 5 or 13
// characters, or 10 or 26 hexadecimal digits; any other open network takes any key;
// WPA and WPA2 take pass phrases of 8 to 63 characters or 64 hexadecimal digits.
bool IsKeyValid(const std::wstring& key, int mode, int auth, int cipher);

struct SecurityChoice {
    int auth;
    int cipher;
    bool operator==(const SecurityChoice&) const = default;
};

// While the security page is edited: what the chosen entry and the key give.
SecurityChoice SecurityFromSelection(const std::wstring& key, int selection);

struct ConnectTarget {
    int auth;
    int cipher;
    int linkChecks;  // how many link checks the connect worker makes
    bool operator==(const ConnectTarget&) const = default;
};

// On Next on the security page: the connection target of the chosen entry (Windows XP
// takes TKIP for WPA2 and CCMP for WPA, and polls the link longer).
ConnectTarget ConnectTargetForSecurityPage(const std::wstring& key, int selection, bool xp);

// The Next of the security page goes on only for an empty key or one of 5 or 8 to 64
// characters, and only for a key the chosen security accepts.
bool SecurityPageKeyAcceptable(const std::wstring& key, int selection);

// The title text with every "&" doubled, so that the label shows it as one.
std::wstring DoubleAmpersands(const std::wstring& text);
