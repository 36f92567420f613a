#pragma once
// The events that happen in the simulated PC's world, as a script's `world` line and a
// scenario's "events" name them: one table for both.
#include <span>
#include <string>
#include <string_view>

namespace sim {

enum class WorldEvent { Plug, Unplug, WpsButton, RouterPin, Internet, Gateway, NetworkOn, NetworkOff, Associate };

// What follows the event's word: nothing, one SSID in double quotes, or on/off.
enum class WorldEventArg { None, Ssid, OnOff };

struct WorldEventSpelling {
    std::string_view name;  // "wps-button"
    WorldEvent event;
    WorldEventArg arg;
};

std::span<const WorldEventSpelling> WorldEvents();
// The spelling of that name, or null.
const WorldEventSpelling* FindWorldEvent(std::string_view name);
std::string WorldEventName(WorldEvent event);  // "wps-button"

}  // namespace sim
