#pragma once
// The "Simulated PC" window beside the wizard in interactive runs: what the PC is, its
// clock, and the world events it offers as buttons.
#include <QWidget>

class QLabel;

namespace sim { class SimPC; }

namespace lab {

class SimPanel : public QWidget {
public:
    explicit SimPanel(sim::SimPC& pc);
    ~SimPanel() override;

private:
    void Refresh();
    sim::SimPC& m_pc;
    QLabel* m_clock;
    QLabel* m_opened;
    QLabel* m_clipboard;
};

}  // namespace lab
