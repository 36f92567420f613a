#pragma once
// The archive reader module, loaded the first time the program opens an archive and kept
// for the rest of the run (GMime is never unloaded).
#include <string>
#include <string_view>
#include <vector>

#include "mht/MhtArchive.h"

// The folders the module is looked for in, in order: the program's own folder (the build)
// and the library folder of an installed program.
std::vector<std::string> MhtReaderFolders();

// Loads the module from the first of `folders` that holds it. Null when none does or the
// module lacks its entry; `error` then says why.
MhtReadEntry* LoadMhtReader(const std::vector<std::string>& folders, std::string& error);

// ReadMhtArchive through the module. Without it the document has no page (the viewer shows
// its error page) and the reason is logged.
MhtDocument ReadMhtArchiveWithModule(std::string_view bytes);
