// The WPS PIN road (state 11): the PIN, the attempts under timer 4 with their restarts,
// the failure view with Retry and Skip, and the ways out of the page.
#include "wizard/SetupDlg.h"

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "diag/LogMsg.h"
#include "framework/Controls.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "wps/WpsPin.h"

namespace {

// An attempt has this many ticks of timer 4 (24 s), counted again from the choice of
// its access point; after this many restarts the failure view is shown.
constexpr int kWpsAttemptTicks = 120;
constexpr int kWpsRestarts = 3;
constexpr UINT kStringRetry = 215;
constexpr UINT kStringSkip = 261;
constexpr UINT kStringFailed = 260;
constexpr UINT kStringFailedSecondLine = 285;  // the sentence's end, for a second line
// The failure sentence: from the status line's start to the page's right margin.
constexpr int kFailureX = 272;
constexpr int kFailureY = 350;
constexpr int kFailureW = 708 - kFailureX;
constexpr int kFailureH = 58;  // two lines of the tallest script, above the button row
constexpr UINT kStringFailedLead = 283;       // "Registration failed. Click "
constexpr UINT kStringFailedRetryLead = 284;  // ... "to continue or "
const QColor kPinColour(64, 64, 64);

// Languages whose failure sentence takes a second line (1161).
bool FailureTakesSecondLine(int language)
{
    for (int l : {3084, 1036, 1029, 1030, 1043, 1035, 1031, 1026, 1057, 1032, 1038, 1044, 1045, 2070, 1049, 1034,
                  1053, 1055, 1046})
        if (l == language) return true;
    return false;
}

const int kBackButtons[] = {IdBack, IdBack115, IdBack115Alt, IdBack93, IdBackAlt};

// The sentence up to its gap (the run of blanks that holds an inline word).
std::wstring LeadBeforeGap(const std::wstring& sentence)
{
    std::size_t gap = sentence.find(L"  ");
    return gap == std::wstring::npos ? sentence : sentence.substr(0, gap + 1);
}

}  // namespace

void CSetupDlg::GenerateWPSPIN()
{
    // The runtime's random source: the system's on the real clock, never the time.
    std::string pin = MakeWpsPin([](void* buffer, std::size_t bytes) { rt::RandomBytes(buffer, bytes); });
    g_szWpsPin.Set(pin);
    std::wstring text = Os().system->MultiByteToWideChar(pin);
    LogF(LOG_FUNC, L"CSetupDlg::GenerateWPSPIN", L"PIN code = %ls.", text.c_str());
}

void CSetupDlg::ShowWpsPinInBox()
{
    CWnd* box = GetDlgItem(IdPinBox);
    box->SetFont(m_fonts[FontPin]);
    box->SetTextColor(kPinColour);
    box->SetWindowTextW(Os().system->MultiByteToWideChar(g_szWpsPin.Get()));
}

void CSetupDlg::StartWpsPinAttempt()
{
    // The box shows the PIN this attempt uses.
    ShowWpsPinInBox();
    m_nWpsTicks = 0;
    m_WpsManager.m_bDone = 0;
    m_WpsManager.StartJoinPin(this);
}

bool CSetupDlg::WpsPinAttemptRunning() const
{
    // Between a restart's stop and its start the worker flag is down for a moment while
    // the supervision goes on: the attempt still runs then.
    return g_bWorkerRunning || HasTimer(TimerWpsPin);
}

void CSetupDlg::StopWpsPinJoin()
{
    m_WpsManager.StopJoin();
    m_WpsManager.m_bDone = 1;
    m_WpsManager.FreeBssidList();
}

void CSetupDlg::EndWpsPinJoin()
{
    KillTimer(TimerWpsPin);
    StopWpsPinJoin();
    g_bWorkerRunning = 0;
}

// Timer 4: the PIN attempt's supervision.
void CSetupDlg::OnWpsPinTick()
{
    ShowAnimationFrame();
    if (g_bWorkerRunning) {
        if (++m_nWpsTicks <= kWpsAttemptTicks) {
            TimerTail();
            return;
        }
        // Credentials came: the connect is under way and takes its own time.
        if (g_bWpsProfileOk) {
            m_nWpsTicks = 0;
            return;
        }
        m_WpsManager.StopJoin();
        m_WpsManager.m_nApCount = 0;
        m_WpsManager.m_bDone = 0;
        // Out of restarts: the next tick shows the failure.
        if (m_nWpsPinRetries > kWpsRestarts) return;
        ++m_nWpsPinRetries;
        m_nWpsTicks = 0;
        StartWpsPinAttempt();
        TimerTail();
        return;
    }
    if (!m_WpsManager.m_bDone && m_nWpsPinRetries <= kWpsRestarts) {
        // The worker ended without a result: once more, with the next access point.
        m_WpsManager.StopJoin();
        m_WpsManager.AdvanceApIndex();
        m_WpsManager.m_bDone = 0;
        ++m_nWpsPinRetries;
        m_nWpsTicks = 0;
        StartWpsPinAttempt();
        TimerTail();
        return;
    }
    KillTimer(TimerWpsPin);
    if (g_bWpsProfileOk && g_szConnectedSsid.Get() == g_szTargetSsid.Get() && g_nLinkResult == 2) {
        g_LogMsg.addLog(L"WPS PIN Successful.", L"CSetupDlg::OnTimer", LOG_FUNC);
        m_nState = g_bInternetOk ? StateSuccess : StateSuccessNoInternet;
        ShowStatePage();
        TimerTail();
        return;
    }
    ShowWpsPinFailureView();
    StopWpsPinJoin();
    TimerTail();
}

void CSetupDlg::ShowWpsPinFailureView()
{
    GetDlgItem(IdStatus)->ShowWindow(SW_HIDE);
    GetDlgItem(IdStatus2)->ShowWindow(SW_HIDE);
    const bool onPage = m_nState == StateWpsPin;
    const bool secondLine = onPage && FailureTakesSecondLine(g_nUiLanguage);
    if (onPage) {
        // The sentence takes the status line's whole width (two lines of it); where the
        // language gives it a second line of its own, the first holds the rest.
        PlaceText(IdStatus3, kStringFailed, kFailureX, kFailureY, kFailureW, secondLine ? 40 : kFailureH, FontBody);
        if (secondLine) {
            std::wstring sentence = LoadText(kStringFailed);
            const std::wstring tail = LoadText(kStringFailedSecondLine);
            if (sentence.size() > tail.size() && sentence.ends_with(tail))
                GetDlgItem(IdStatus3)->SetWindowTextW(sentence.substr(0, sentence.size() - tail.size()));
            PlaceText(IdStatus4, kStringFailedSecondLine, kFailureX, kFailureY + 40, kFailureW, 24, FontBody);
        }
        g_LogMsg.addLog(L"WPS PIN code failed.", L"CSetupDlg::OnTimer", LOG_FUNC_DASH);
    }
    for (int id : kBackButtons) GetDlgItem(id)->SetWindowTextW(LoadText(kStringRetry));
    if (!onPage) return;
    // The inline words in the sentence's gaps: "Skip" in the first, "Retry" in the
    // second, which lies on the second line where the language needs one.
    PlaceWordInGap(IdStatus3, LoadText(kStringFailedLead), IdInlineSkip, kStringSkip);
    if (secondLine) {
        PlaceWordInGap(IdStatus4, LeadBeforeGap(GetDlgItem(IdStatus4)->GetWindowTextW()), IdInlineRetry, kStringRetry);
    } else {
        PlaceWordInGap(IdStatus3, LoadText(kStringFailedRetryLead), IdInlineRetry, kStringRetry);
    }
}

void CSetupDlg::PlaceWordInGap(int sentenceCtl, const std::wstring& lead, int wordCtl, UINT wordId)
{
    CWnd* sentence = GetDlgItem(sentenceCtl);
    std::wstring text = sentence->GetWindowTextW();
    PlaceInlineWord(sentenceCtl, text, lead, wordCtl, wordId, FontBodyBold);
    // A gap at a line's end does not wrap (it is blanks): the word would stand outside
    // the sentence. The gap then begins the next line.
    const QRect box = sentence->GetClientRectInParent();
    const QRect word = GetDlgItem(wordCtl)->GetClientRectInParent();
    if (word.left() >= box.left() && word.right() <= box.right()) return;
    if (text.compare(0, lead.size(), lead) != 0) return;
    std::size_t cut = lead.find_last_not_of(L' ');
    if (cut == std::wstring::npos) return;
    std::wstring broken = text.substr(0, cut + 1) + L"\r\n" + text.substr(lead.size());
    sentence->SetWindowTextW(broken);
    PlaceInlineWord(sentenceCtl, broken, text.substr(0, cut + 1) + L"\r\n", wordCtl, wordId, FontBodyBold);
}
