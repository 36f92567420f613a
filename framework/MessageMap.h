#pragma once
// A dialog's message map: one table naming every way into the dialog, dispatched here.
//
//   const CSetupDlg::Map CSetupDlg::kMessageMap[] = {
//       OnCommandId(1067, &CSetupDlg::OnBnClickedButtonNext),
//       OnMessageId(0x8011, &CSetupDlg::OnListItemClicked),
//   };
#include <cstddef>

#include "framework/Dialog.h"

template <class T>
struct MessageMapEntry {
    enum Kind { Command, Message } kind;
    UINT code;  // control ID or message number
    void (T::*onCommand)();
    LRESULT (T::*onMessage)(WPARAM, LPARAM);
};

template <class T>
constexpr MessageMapEntry<T> OnCommandId(int id, void (T::*fn)())
{
    return {MessageMapEntry<T>::Command, static_cast<UINT>(id), fn, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> OnMessageId(UINT msg, LRESULT (T::*fn)(WPARAM, LPARAM))
{
    return {MessageMapEntry<T>::Message, msg, nullptr, fn};
}

// Base for dialogs with a message map: T declares
//   using Map = MessageMapEntry<T>; static const Map kMessageMap[]; static const std::size_t kMessageMapSize;
template <class T>
class CMappedDialog : public CDialogEx {
public:
    using CDialogEx::CDialogEx;

protected:
    void OnCommand(int id) override
    {
        for (std::size_t i = 0; i < T::kMessageMapSize; ++i) {
            const auto& e = T::kMessageMap[i];
            if (e.kind == MessageMapEntry<T>::Command && e.code == static_cast<UINT>(id)) {
                (static_cast<T*>(this)->*e.onCommand)();
                return;
            }
        }
        CDialogEx::OnCommand(id);
    }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        for (std::size_t i = 0; i < T::kMessageMapSize; ++i) {
            const auto& e = T::kMessageMap[i];
            if (e.kind == MessageMapEntry<T>::Message && e.code == msg)
                return (static_cast<T*>(this)->*e.onMessage)(wParam, lParam);
        }
        return CDialogEx::OnMessage(msg, wParam, lParam);
    }
};
