#pragma once
// An animation control: plays the frames of one animation resource (":/avi/ID_N.png")
// in its rectangle, on the runtime's clock, over its parent's pixels.
#include <QImage>

#include <vector>

#include "framework/Wnd.h"

// Styles of the animation control.
constexpr DWORD ACS_CENTER = 0x0001;       // frames centred in the control's rectangle
constexpr DWORD ACS_TRANSPARENT = 0x0002;  // drawn over the parent's background
constexpr DWORD ACS_AUTOPLAY = 0x0004;     // plays endlessly as soon as it is opened

class CAnimateCtrl : public CWnd {
public:
    CAnimateCtrl(CDialogEx* owner, int id);
    ~CAnimateCtrl() override;

    // Loads the frames of animation `aviId`; false (and nothing open) when it has none.
    bool Open(int aviId);
    void Close();
    // Plays frames `from` to `to` (-1: the last frame), `repeat` times (-1: endlessly).
    bool Play(int from, int to, int repeat);
    void Stop();
    bool IsPlaying() const { return m_bPlaying; }
    bool IsOpen() const { return !m_frames.empty(); }
    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    int CurrentFrame() const { return m_nFrame; }
    const QImage& CurrentImage() const;

    // Time a frame stays on screen.
    static constexpr int kFramePeriodMs = 80;

private:
    void Step();

    std::vector<QImage> m_frames;
    int m_nFrame = 0;
    int m_nFrom = 0;
    int m_nTo = 0;
    int m_nPlaysLeft = 0;  // -1: endless
    bool m_bPlaying = false;
};
