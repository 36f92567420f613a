#pragma once
// The program's names for the wireless service's authentication and cipher algorithm
// values, as the log shows them.
#include "platform/Win32Types.h"

// "OPEN" ... "RSNA_PSK", "IHV_START", "IHV_END"; any other value reads "OPEN".
const wchar_t* AuthAlgorithmName(DWORD value);
// "NONE" ... "WEP", "IHV_START", "IHV_END"; any other value reads "NONE".
const wchar_t* CipherAlgorithmName(DWORD value);
