// A message posted to a dialog reaches it while its window lives, and dies with the
// window: nothing posted to a destroyed window runs, on a later window of the same
// dialog or after the dialog has gone.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestApp.h"
#include "framework/Dialog.h"
#include "runtime/Runtime.h"

namespace {

constexpr UINT kPing = 0x8101;

// Counts the messages that reach any dialog of this kind, alive or not.
std::vector<std::string> g_received;

class CPingDlg : public CDialogEx {
public:
    explicit CPingDlg(std::string name) : CDialogEx(100), m_name(std::move(name)) {}
    const char* ClassName() const override { return "CPingDlg"; }

protected:
    LRESULT OnMessage(UINT msg, WPARAM, LPARAM) override
    {
        if (msg == kPing) g_received.push_back(m_name);
        return 0;
    }

private:
    std::string m_name;
};

class DialogPost : public ::testing::Test {
protected:
    void SetUp() override
    {
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
        ASSERT_NE(TestApp(), nullptr);
        g_received.clear();
    }
    void TearDown() override { rt::Shutdown(); }
    static void Pump()
    {
        for (int i = 0; i < 5; ++i) rt::PumpStep(false);
    }
};

}  // namespace

TEST_F(DialogPost, AMessageDiesWithItsWindow)
{
    struct Case {
        const char* name;
        // What happens between the post and the pump; the dialog may be replaced.
        std::function<void(std::unique_ptr<CPingDlg>&)> between;
        std::vector<std::string> received;
    };
    const std::vector<Case> cases = {
        {"the window lives", [](std::unique_ptr<CPingDlg>&) {}, {"first"}},
        {"the dialog is deleted", [](std::unique_ptr<CPingDlg>& d) { d.reset(); }, {}},
        {"the window is destroyed", [](std::unique_ptr<CPingDlg>& d) { d->DestroyWindow(); }, {}},
        {"the window is destroyed and made again",
         [](std::unique_ptr<CPingDlg>& d) {
             d->DestroyWindow();
             d->Create();
         },
         {}},
        {"the dialog is deleted and another takes its place",
         [](std::unique_ptr<CPingDlg>& d) {
             d.reset();
             d = std::make_unique<CPingDlg>("second");
             d->Create();
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_received.clear();
        auto dialog = std::make_unique<CPingDlg>("first");
        dialog->Create();
        dialog->PostMessage(kPing);
        c.between(dialog);
        Pump();
        EXPECT_EQ(g_received, c.received);
    }
}

TEST_F(DialogPost, AWorkersPostToADialogDeletedBeforeTheUiRunsItIsDropped)
{
    auto dialog = std::make_unique<CPingDlg>("worker's");
    dialog->Create();
    rt::Worker w;
    w.Start("poster", [&] { dialog->PostMessage(kPing); });
    w.Join();  // posted, not yet run: the UI thread has not pumped
    dialog.reset();
    Pump();
    EXPECT_TRUE(g_received.empty());
}

TEST_F(DialogPost, TheCaptionIsDrawnAsThePostedActivationSays)
{
    CPingDlg dialog("frame");
    dialog.Create();
    EXPECT_TRUE(dialog.CaptionActive());
    // A bare veil over the window posts FALSE; a dialog or the caller posts TRUE again.
    for (WPARAM active : {WPARAM(0), WPARAM(1), WPARAM(0), WPARAM(0), WPARAM(1)}) {
        dialog.PostMessage(WM_NCACTIVATE, active, 0);
        Pump();
        EXPECT_EQ(dialog.CaptionActive(), active != 0);
    }
    dialog.DestroyWindow();
}
