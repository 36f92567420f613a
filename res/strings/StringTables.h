#pragma once
// The string table files, compiled into the program as they are (UTF-8 text, one per
// language). The build generates the definition from res/strings/*.txt.
#include <cstddef>

struct EmbeddedStringTable {
    int langid;         // from the file's name: 1033.txt is 1033
    const char* utf8;   // the file's bytes
    std::size_t size;
};

// Every table, in ascending LANGID.
extern const EmbeddedStringTable kEmbeddedStringTables[];
extern const std::size_t kEmbeddedStringTableCount;
