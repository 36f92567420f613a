#pragma once
// After each successful association check: does the adapter have a usable IPv4 address,
// does its default gateway answer, does a public internet host answer. Runs on the
// worker that checks the association, never on the dialog's thread.
#include <string>

// The public host the internet test sends its echo requests to.
inline constexpr const char* kPublicInternetHost = "8.8.8.8";
// The Windows XP gateway test's result file.
inline constexpr const wchar_t* kPingResultFile = L"C:\\Pingres.txt";

// Link states of CheckAdapterLinkstate.
enum LinkState { LinkNoAddress = 0, LinkNoGateway = 1, LinkGatewayAnswers = 2 };

// 0: the adapter is not in the IP configuration, has no address or no default gateway;
// 1: an automatic private address, or the gateway is silent; 2: the gateway answers (the
// internet test has then run and written g_bInternetOk).
int CheckAdapterLinkstate();

// One echo request to `destination` from `source` ("0.0.0.0": any), up to four attempts
// of two seconds each. True at the first reply with a success status.
bool SendIcmpEcho(const std::string& destination, const std::string& source);

bool CheckDefaultGWLinkstate(const std::string& gateway);
bool CheckDefaultGWLinkstateXP(const std::wstring& gateway);
bool CheckInternetLinkstate(const std::string& address);
// adapters: how many adapters have a usable address. More than one: the default route is
// forced through this adapter's gateway for the test, and every lease renewed after it.
void CheckInternetLinkstateXP(int adapters, const std::wstring& gateway);

// Runs "COMSPEC /c command arguments" hidden and waits for it to end.
void RunHiddenCommand(const std::wstring& command, const std::wstring& arguments);
