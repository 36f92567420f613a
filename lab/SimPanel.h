#pragma once
// The "Simulated PC" window beside the wizard in interactive runs: what the PC is, its
// clock, its adapter, services and other devices, the wireless world around it, and the
// world events it offers as buttons (plug and unplug the adapter, cut the internet or
// the gateway, take a network out of range and bring it back).
#include <QWidget>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace sim { class SimPC; }

namespace lab {

class SimPanel : public QWidget {
public:
    explicit SimPanel(sim::SimPC& pc);
    ~SimPanel() override;

private:
    void Refresh();
    QWidget* MakeNetworkTable();
    sim::SimPC& m_pc;
    QLabel* m_clock;
    QLabel* m_adapter;
    QPushButton* m_plug;
    QLabel* m_services;
    QLabel* m_wireless;
    QCheckBox* m_internet;
    QCheckBox* m_gateway;
    QTableWidget* m_networks = nullptr;
    std::vector<QPushButton*> m_rangeButtons;
    QLabel* m_commands;
    QLabel* m_opened;
    QLabel* m_clipboard;
};

}  // namespace lab
