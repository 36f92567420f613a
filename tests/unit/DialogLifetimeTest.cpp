// A control and its widget end together, the widget first: however a dialog goes (its
// window destroyed, the dialog deleted with its window up, its owner going first), no
// event of a widget (hide, focus out, leave) reaches a control that is gone.
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "runtime/Runtime.h"

#include "TestApp.h"

namespace {

using Journal = std::vector<std::string>;

// A widget that tells its control about the events that made the combo and the link
// call into freed controls; it writes to the journal before it calls, so the order can
// be read without touching a control that is gone.
class ProbeWidget;

class CProbeControl : public CWnd {
public:
    CProbeControl(CDialogEx* owner, int id, Journal* journal);
    ~CProbeControl() override { m_journal->push_back("control " + std::to_string(GetDlgCtrlID()) + " gone"); }
    void Heard() { ++m_heard; }

private:
    Journal* m_journal;
    int m_heard = 0;
};

class ProbeWidget : public QWidget {
public:
    ProbeWidget(QWidget* parent, CProbeControl* control, Journal* journal, int id)
        : QWidget(parent), m_control(control), m_journal(journal), m_id(id)
    {
        setFocusPolicy(Qt::StrongFocus);
    }
    ~ProbeWidget() override { m_journal->push_back("widget " + std::to_string(m_id) + " gone"); }

protected:
    void hideEvent(QHideEvent* e) override { Tell("hide"), QWidget::hideEvent(e); }
    void focusOutEvent(QFocusEvent* e) override { Tell("focus-out"), QWidget::focusOutEvent(e); }
    void leaveEvent(QEvent* e) override { Tell("leave"), QWidget::leaveEvent(e); }

private:
    void Tell(const char* what)
    {
        m_journal->push_back(std::string(what) + " " + std::to_string(m_id));
        m_control->Heard();
    }
    CProbeControl* m_control;
    Journal* m_journal;
    int m_id;
};

CProbeControl::CProbeControl(CDialogEx* owner, int id, Journal* journal) : CWnd(owner, id, nullptr), m_journal(journal)
{
    m_pWidget = new ProbeWidget(owner->Widget(), this, journal, id);
    m_pWidget->setGeometry(10 * id, 10, 8, 8);
}

class CProbeDialog : public CDialogEx {
public:
    CProbeDialog(Journal* journal, CDialogEx* owner = nullptr) : CDialogEx(100, owner), m_journal(journal) {}
    const char* ClassName() const override { return "CProbeDialog"; }
    void Open()
    {
        Create();
        MoveWindow(50, 50, 200, 100);
        ShowWindow(SW_SHOW);
        for (CWnd* c : Controls()) c->ShowWindow(SW_SHOW);
        GetDlgItem(2)->SetFocus();
    }

protected:
    void CreateControls() override
    {
        for (int id : {1, 2, 3}) AddControl<CProbeControl>(id, m_journal);
    }

private:
    Journal* m_journal;
};

// Every widget went before its control, and nothing was told to a control after it went.
void ExpectWidgetsFirst(const Journal& journal, std::vector<int> ids)
{
    std::string text;
    for (const auto& e : journal) text += e + "; ";
    for (int id : ids) {
        const std::string n = std::to_string(id);
        const auto control = std::find(journal.begin(), journal.end(), "control " + n + " gone");
        const auto widget = std::find(journal.begin(), journal.end(), "widget " + n + " gone");
        ASSERT_NE(control, journal.end()) << "control " << n << " never went: " << text;
        ASSERT_NE(widget, journal.end()) << "widget " << n << " never went: " << text;
        EXPECT_LT(widget, control) << "control " << n << " went before its widget: " << text;
        for (const char* event : {"hide ", "focus-out ", "leave "})
            EXPECT_EQ(std::find(control, journal.end(), event + n), journal.end())
                << event << n << " after its control went: " << text;
    }
}

class DialogLifetime : public ::testing::Test {
protected:
    void SetUp() override
    {
        rt::Init(rt::ClockMode::Virtual, 1000000, 1.0);
        if (!TestApp()) GTEST_SKIP() << "another test made a non-widget application first";
    }
    void TearDown() override { rt::Shutdown(); }
};

}  // namespace

TEST_F(DialogLifetime, DestroyingTheWindowEndsEachWidgetBeforeItsControl)
{
    Journal journal;
    CProbeDialog dialog(&journal);
    dialog.Open();
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.HasWindow());
    EXPECT_TRUE(dialog.Controls().empty());
    ExpectWidgetsFirst(journal, {1, 2, 3});
}

TEST_F(DialogLifetime, DeletingADialogWithItsWindowUpEndsEachWidgetBeforeItsControl)
{
    Journal journal;
    auto dialog = std::make_unique<CProbeDialog>(&journal);
    dialog->Open();
    dialog.reset();
    ExpectWidgetsFirst(journal, {1, 2, 3});
}

TEST_F(DialogLifetime, AnOwnedWindowEndsBeforeItsOwnerAndCanStillBeDeleted)
{
    Journal ownerJournal, ownedJournal;
    auto owner = std::make_unique<CProbeDialog>(&ownerJournal);
    owner->Open();
    CProbeDialog owned(&ownedJournal, owner.get());
    owned.Open();
    ASSERT_EQ(owned.Widget()->parentWidget(), owner->Widget()) << "an owned window is a child window of its owner's";
    EXPECT_TRUE(owned.Widget()->isWindow());
    owner->DestroyWindow();
    EXPECT_FALSE(owned.HasWindow()) << "the owner's end takes its owned windows with it";
    ExpectWidgetsFirst(ownedJournal, {1, 2, 3});
    ExpectWidgetsFirst(ownerJournal, {1, 2, 3});
}
