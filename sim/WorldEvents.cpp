#include "sim/WorldEvents.h"

namespace sim {
namespace {

constexpr WorldEventSpelling kEvents[] = {
    {"plug", WorldEvent::Plug, WorldEventArg::None},
    {"unplug", WorldEvent::Unplug, WorldEventArg::None},
    {"wps-button", WorldEvent::WpsButton, WorldEventArg::Ssid},
    {"router-pin", WorldEvent::RouterPin, WorldEventArg::Ssid},
    {"internet", WorldEvent::Internet, WorldEventArg::OnOff},
    {"gateway", WorldEvent::Gateway, WorldEventArg::OnOff},
    {"network-on", WorldEvent::NetworkOn, WorldEventArg::Ssid},
    {"network-off", WorldEvent::NetworkOff, WorldEventArg::Ssid},
    {"associate", WorldEvent::Associate, WorldEventArg::Ssid},
};

}  // namespace

std::span<const WorldEventSpelling> WorldEvents() { return kEvents; }

const WorldEventSpelling* FindWorldEvent(std::string_view name)
{
    for (const WorldEventSpelling& e : kEvents)
        if (e.name == name) return &e;
    return nullptr;
}

std::string WorldEventName(WorldEvent event)
{
    for (const WorldEventSpelling& e : kEvents)
        if (e.event == event) return std::string(e.name);
    return "event " + std::to_string(static_cast<int>(event));
}

}  // namespace sim
