#pragma once
#include <string>

// ShellExecuteW with a verb ("open") on a file or address; > 32 on success.
class Shell {
public:
    virtual ~Shell() = default;
    virtual int ShellExecuteW(const std::wstring& verb, const std::wstring& file,
                              int showCommand) = 0;
};

// The clipboard's CF_UNICODETEXT.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool SetText(const std::wstring& text) = 0;
    virtual std::wstring GetText() = 0;
};
