#include "app/ModelMarker.h"

#include <algorithm>
#include <cstring>

bool HasSiblingMarker(const std::string& bytes)
{
    char buffer[513] = {};
    std::memcpy(buffer, bytes.data(), std::min<std::size_t>(bytes.size(), 512));
    return std::strstr(buffer, "QW2100QW2600") != nullptr;
}
