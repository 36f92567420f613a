// The wizard's commands: Next, Back, Cancel, the links and the licence and language choices.
#include "wizard/SetupDlg.h"

#include "app/Environment.h"
#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/GrayDlg.h"
#include "controls/MyButton.h"
#include "controls/MyComboBox.h"
#include "controls/MyListCtrl.h"
#include "diag/LogMsg.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"

namespace {
constexpr const wchar_t* kCancelFunc = L"CSetupDlg::OnBnClickedButtonCancel";
}  // namespace

// ---- Navigation -------------------------------------------------------------------------

void CSetupDlg::OnBnClickedButtonNext()
{
    switch (m_nState) {
    case StateWelcome:
        WriteSetupMetrics();
        m_nState = StateCheckSystem;
        ShowStatePage();
        break;
    case StateNetworkList:
        ConnectSelectedNetwork();
        break;
    case StateConnectFailed:
        RetryConnection();
        break;
    case StateHiddenConnectFailed:
        RetryHiddenConnection();
        break;
    case StateSuccess:
    case StateSuccessNoInternet:
    case StateDriverFailed:
        EndDialog(IDOK);
        break;
    case StateWpsPin:
        // "Skip": the PIN join is given up for the network list.
        StopWpsPinJoin();
        rt::Sleep(500);
        KillTimer(TimerWpsPin);
        g_bWorkerRunning = 0;
        m_nState = StateNetworkList;
        ShowStatePage();
        break;
    case StateAdapterNotFound:
        m_nAnimationFrame = 0;
        m_nWpsTicks = 0;
        m_nState = StateInsertAdapter;
        StartInsertAdapterWorker();
        ShowStatePage();
        break;
    default:
        break;
    }
}

void CSetupDlg::OnBnClickedButtonBack()
{
    switch (m_nState) {
    case StateWpsPushButton:
    case StateConnectFailed:
        m_nState = StateNetworkList;
        ShowStatePage();
        break;
    case StateWpsPin:
        if (WpsPinAttemptRunning()) {
            EndWpsPinJoin();
            m_nState = StateWpsPushButton;
            ShowStatePage();
            break;
        }
        // The failure view's "Retry": the page's waiting view and a fresh round of attempts.
        for (int id : std::initializer_list<int>{IdStatus3, IdStatus4, IdInlineRetry, IdInlineSkip})
            GetDlgItem(id)->ShowWindow(SW_HIDE);
        GetDlgItem(IdStatus)->ShowWindow(SW_SHOW);
        for (int id : std::initializer_list<int>{IdBack, IdBack115Alt, IdBack115, IdBack93, IdBackAlt})
            GetDlgItem(id)->SetWindowTextW(LoadText(173));
        m_nWpsPinRetries = 0;
        m_WpsManager.m_nApCount = 0;
        m_WpsManager.ClearChosenAccessPoint();
        StartWpsPinAttempt();
        SetTimer(TimerWpsPin, kWorkerPollMs);
        break;
    default:
        break;
    }
}

void CSetupDlg::ShowGrayOverlay()
{
    if (g_pGrayDlg) return;
    g_pGrayDlg = new CGrayDlg(this);
    m_pGrayDlg = g_pGrayDlg;
    g_pGrayDlg->Create();
    g_pGrayDlg->ShowWindow(SW_SHOW);
}

void CSetupDlg::DestroyGrayOverlay()
{
    if (g_pGrayDlg) {
        g_pGrayDlg->ShowWindow(SW_HIDE);
        delete g_pGrayDlg;
        g_pGrayDlg = nullptr;
    }
    m_pGrayDlg = nullptr;
}

void CSetupDlg::PostFrameMessages()
{
    PostMessage(WM_NCACTIVATE, 1, 0);
    PostMessage(WM_NCPAINT, 1, 0);
}

bool CSetupDlg::AskQuit(const wchar_t* attempt, const wchar_t* declined)
{
    ShowGrayOverlay();
    g_LogMsg.addLog(attempt, kCancelFunc, LOG_FUNC);
    INT_PTR answer = m_QuitDlg.DoModal();
    if (answer == IDOK) return true;
    DestroyGrayOverlay();
    // At system shut-down the question simply goes; nobody declined it.
    if (rt::ShutdownRequested()) return false;
    g_LogMsg.addLog(declined, kCancelFunc, LOG_FUNC);
    PostFrameMessages();
    return false;
}

void CSetupDlg::CloseWizard() { OnOK(); }

void CSetupDlg::OnBnClickedButtonCancel()
{
    switch (m_nState) {
    case StateSuccess:
    case StateSuccessNoInternet:
    case StateDriverFailed:
    case StateXpUpdateRequired:
    case StateVistaUpdateRequired:
    case StateAdminRequired:
        g_LogMsg.addLog(L"Attempt to close Setup.", kCancelFunc, LOG_FUNC);
        CloseWizard();
        g_LogMsg.addLog(L"Setup was closed.", kCancelFunc, LOG_FUNC);
        g_LogMsg.m_bStopped = 1;
        break;
    case StateInsertAdapter:
        if (!AskQuit(L"Attempt to cancel insert adaptor.", L"Insert adaptor was not cancelled.")) return;
        DestroyGrayOverlay();
        KillTimer(TimerAdapterDetection);
        if (m_bInsertThreadRunning) {
            StopWorker(m_insertWorker);
            m_bInsertThreadRunning = 0;
        }
        CloseWizard();
        g_LogMsg.addLog(L"Insert adaptor was cancelled.", kCancelFunc, LOG_FUNC);
        g_LogMsg.m_bStopped = 1;
        break;
    case StateScanning:
        break;
    case StateWpsPin:
        if (!AskQuit(L"Attempt to cancel WPS PIN connect.", L"WPS PIN connect was not cancelled.")) return;
        if (g_bWorkerRunning) EndWpsPinJoin();
        DestroyGrayOverlay();
        CloseWizard();
        g_LogMsg.addLog(L"WPS PIN connect was cancelled.", kCancelFunc, LOG_FUNC);
        g_LogMsg.m_bStopped = 1;
        break;
    case StateConnecting:
        StopLinkWorker();
        m_nState = StateNetworkList;
        g_LogMsg.addLog(L"Manual connect was cancelled.", kCancelFunc, LOG_FUNC);
        ShowStatePage();
        break;
    default:
        if (!AskQuit(L"Attempt to cancel Setup.", L"Setup was not cancelled.")) return;
        DestroyGrayOverlay();
        CloseWizard();
        g_LogMsg.addLog(L"Setup was cancelled.", kCancelFunc, LOG_FUNC);
        g_LogMsg.m_bStopped = 1;
        PostFrameMessages();
        break;
    }
}

void CSetupDlg::OnWpsLink()
{
    m_nState = StateWpsPushButton;
    ShowStatePage();
}

void CSetupDlg::OnPinLink()
{
    m_nWpsPinRetries = 0;
    m_WpsManager.m_nApCount = 0;
    m_WpsManager.ClearChosenAccessPoint();
    m_nState = StateWpsPin;
    ShowStatePage();
    StartWpsPinAttempt();
    SetTimer(TimerWpsPin, kWorkerPollMs);
}

void CSetupDlg::OnRescanHover()
{
    // The rescan button's hint bubble follows the mouse resting on the button.
    bool show = g_bHoverLabel == 1 && m_nState == StateNetworkList;
    GetDlgItem(IdRefreshBubble)->ShowWindow(show ? SW_SHOW : SW_HIDE);
}
void CSetupDlg::OnBnClickedBtnWpsconnect()
{
    StartZeroConfig();
    ShowGrayOverlay();
    // On a connection the dialog moves the wizard on itself, before it closes.
    m_WpsConnectDlg.SetConnectedHandler([this](bool internet) {
        m_nState = internet ? StateSuccess : StateSuccessNoInternet;
        ShowStatePage();
    });
    const INT_PTR result = m_WpsConnectDlg.DoModal();
    // At system shut-down the dialog simply goes; no page is drawn.
    if (rt::ShutdownRequested()) {
        DestroyGrayOverlay();
        return;
    }
    if (result == IDOK && m_WpsConnectDlg.m_bWpsResult) {
        m_nState = g_bInternetOk ? StateSuccess : StateSuccessNoInternet;
        DestroyGrayOverlay();
    } else if (result == IDOK) {
        // Connected, but to another network than the one the router named.
        m_nState = StateConnectFailed;
        g_LogMsg.addLog(L"Tried to connect with WPS was failed.", L"CSetupDlg::OnBnClickedBtnWpsconnect", LOG_FUNC);
        DestroyGrayOverlay();
        ShowStatePage();
    } else {
        m_nState = StateNetworkList;
        DestroyGrayOverlay();
        ShowStatePage();
    }
    PostFrameMessages();
}

void CSetupDlg::OnLearnMoreLink()
{
    ShowGrayOverlay();
    m_LearnMoreDlg.DoModal();
    DestroyGrayOverlay();
    PostFrameMessages();
}
void CSetupDlg::OnViewDetailsLink()
{
    // The details take a veil of their own, apart from g_pGrayDlg: the WPS dialog opens
    // them too, over its own veil.
    if (g_pErrorGrayDlg) return;
    g_pErrorGrayDlg = new CGrayDlg(this);
    g_pErrorGrayDlg->Create();
    g_pErrorGrayDlg->ShowWindow(SW_SHOW);
    m_ErrorCodeDlg.DoModal();
    if (g_pErrorGrayDlg) {
        g_pErrorGrayDlg->ShowWindow(SW_HIDE);
        delete g_pErrorGrayDlg;
        g_pErrorGrayDlg = nullptr;
    }
    PostFrameMessages();
}

void CSetupDlg::OnNeedHelpLink() { Os().shell->ShellExecuteW(L"open", kSupportPageUrl, 0); }

void CSetupDlg::OnLicenceLink()
{
    int state = m_nState;
    if (state == StateWelcome) {
        // The licence is read over the veil, whatever the dialog returns.
        ShowGrayOverlay();
        m_EULADlg.DoModal();
        DestroyGrayOverlay();
        PostFrameMessages();
    } else if (state == StateXpUpdateRequired || state == StateVistaUpdateRequired) {
        Os().shell->ShellExecuteW(L"open", LoadText(268), 0);
    }
}

void CSetupDlg::OnLicenceChecked()
{
    m_bLicenceAccepted = 1;
    GetDlgItem(IdLicenceBoxTicked)->ShowWindow(SW_HIDE);
    GetDlgItem(IdLicenceBox)->ShowWindow(SW_SHOW);
    for (int id : std::initializer_list<int>{IdNext, IdNext93}) GetDlgItem(id)->EnableWindow(true);
    for (int id : std::initializer_list<int>{IdNext, IdNext93})
        if (GetDlgItem(id)->IsWindowVisible()) GetDlgItem(id)->SetFocus();
}

void CSetupDlg::OnLicenceUnchecked()
{
    m_bLicenceAccepted = 0;
    GetDlgItem(IdLicenceBox)->ShowWindow(SW_HIDE);
    GetDlgItem(IdLicenceBoxTicked)->ShowWindow(SW_SHOW);
    for (int id : std::initializer_list<int>{IdNext, IdNext93}) GetDlgItem(id)->EnableWindow(false);
}

void CSetupDlg::OnSelchangeLanguage()
{
    auto* combo = static_cast<CMyComboBox*>(GetDlgItem(IdLanguageCombo));
    int index = combo->GetCurSel();
    const auto& langs = UiLanguages();
    bool wasRtl = IsRtlLanguage(g_nUiLanguage);
    g_nUiLanguage = (index >= 0 && index < static_cast<int>(langs.size())) ? langs[index].langid : 1033;
    CreatePageFonts();
    // The window is minimised while the page is rebuilt, then restored.
    Widget()->showMinimized();
    FillLanguageCombo();
    HideAllPageControls();
    combo->SetCurSel(index);
    combo->ShowWindow(SW_SHOW);
    bool rtl = IsRtlLanguage(g_nUiLanguage);
    if (rtl) ApplyRtlStyles();
    else if (wasRtl) RemoveRtlStyles();
    SetWindowTextW(LoadText(207));
    PlaceNavigationButtons();
    MeasureTitleWidths();
    DrawWelcomePage();
    rt::Sleep(50);
    Widget()->showNormal();
    std::int32_t lang = g_nUiLanguage;
    g_LogMsg.addLog(reinterpret_cast<const wchar_t*>(&lang), nullptr, LOG_LOCALE);
}
