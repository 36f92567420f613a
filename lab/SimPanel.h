#pragma once
// The "Simulated PC" window beside the wizard in interactive runs: what the PC is, its
// clock, its adapter, services and other devices, the wireless world around it, and the
// world events it offers as buttons (plug and unplug the adapter, cut the internet or
// the gateway, take a network out of range and bring it back, press a router's WPS
// button, type the wizard's PIN into a router).
#include <QWidget>
#include <vector>

#include "sim/SimHardware.h"

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
    QWidget* MakeWpsCell(int row, const sim::HardwareView::Network& network);
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
    // Per network, null where the router does not offer that WPS mode.
    std::vector<QPushButton*> m_wpsButtons;
    std::vector<QPushButton*> m_pinButtons;
    QLabel* m_commands;
    QLabel* m_opened;
    QLabel* m_clipboard;
};

}  // namespace lab
