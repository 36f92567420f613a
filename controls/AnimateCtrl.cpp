#include "controls/AnimateCtrl.h"

#include <QPainter>

#include <algorithm>

#include "framework/Dialog.h"
#include "res/pictures/PictureResources.h"
#include "runtime/Runtime.h"

namespace {

constexpr std::uintptr_t kFrameTimer = 1;

class AnimateWidget : public QWidget {
public:
    AnimateWidget(QWidget* parent, CAnimateCtrl* control) : QWidget(parent), m_control(control)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (!(m_control->GetStyle() & ACS_TRANSPARENT)) p.fillRect(rect(), palette().window());
        const QImage& frame = m_control->CurrentImage();
        if (frame.isNull()) return;
        QRect at(QPoint(0, 0), frame.size());
        if (m_control->GetStyle() & ACS_CENTER) at.moveCenter(rect().center());
        p.drawImage(at, frame);
    }

private:
    CAnimateCtrl* m_control;
};

}  // namespace

CAnimateCtrl::CAnimateCtrl(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    m_pWidget = new AnimateWidget(owner->Widget(), this);
    m_pWidget->hide();
    m_pWidget->setObjectName(QString::number(id));
}

CAnimateCtrl::~CAnimateCtrl() { rt::KillUiTimer(this, kFrameTimer); }

bool CAnimateCtrl::Open(int aviId)
{
    Close();
    const int count = tc::pictures::aviFrameCount(aviId);
    for (int n = 0; n < count; ++n) {
        QImage frame(tc::pictures::aviFramePath(aviId, n));
        if (frame.isNull()) break;
        m_frames.push_back(frame);
    }
    if (m_frames.empty()) return false;
    if (m_dwStyle & ACS_AUTOPLAY) Play(0, -1, -1);
    m_pWidget->update();
    return true;
}

void CAnimateCtrl::Close()
{
    Stop();
    m_frames.clear();
    m_nFrame = 0;
    m_pWidget->update();
}

bool CAnimateCtrl::Play(int from, int to, int repeat)
{
    if (m_frames.empty()) return false;
    const int last = FrameCount() - 1;
    m_nFrom = std::clamp(from, 0, last);
    m_nTo = to < 0 ? last : std::clamp(to, m_nFrom, last);
    m_nPlaysLeft = repeat < 0 ? -1 : repeat;
    if (m_nPlaysLeft == 0) return true;  // nothing to play
    m_nFrame = m_nFrom;
    m_bPlaying = true;
    rt::SetUiTimer(this, kFrameTimer, kFramePeriodMs, [this] { Step(); });
    m_pWidget->update();
    return true;
}

void CAnimateCtrl::Stop()
{
    rt::KillUiTimer(this, kFrameTimer);
    m_bPlaying = false;
}

const QImage& CAnimateCtrl::CurrentImage() const
{
    static const QImage kNone;
    if (m_nFrame < 0 || m_nFrame >= FrameCount()) return kNone;
    return m_frames[static_cast<std::size_t>(m_nFrame)];
}

void CAnimateCtrl::Step()
{
    if (m_nFrame < m_nTo) {
        ++m_nFrame;
    } else if (m_nPlaysLeft > 0 && --m_nPlaysLeft == 0) {
        Stop();  // the last play ends on its last frame
    } else {
        m_nFrame = m_nFrom;
    }
    m_pWidget->update();
}
