#pragma once
// The model variant's marker in HWID.ini beside the program.
#include <string>

// True when the first 512 bytes of HWID.ini carry the sibling-model marker (the search
// stops at the first zero byte).
bool HasSiblingMarker(const std::string& bytes);
