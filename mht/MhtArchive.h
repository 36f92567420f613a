#pragma once
// Reads a web archive (.mht): a MIME document whose parts are one HTML page and the
// pictures it shows. The parts are read with GMime, which also undoes their
// quoted-printable or base64 transfer encoding. Plain C++, no widgets: what the licence
// viewer shows comes from here, and tests and the fuzzer call it directly.
//
// The reader (MhtReader.cpp) is also built as a module of its own: the program loads it
// the first time it opens an archive (dialogs/MhtReaderLoader.h), so GMime and the
// libraries it brings along cost a start that shows no archive nothing. The document
// and its lookups (MhtDocument.cpp) need no GMime and live in the program.
//
// A damaged archive gives what could be read and a list of what could not; nothing in
// an archive makes the reader fail, run anything, or reach outside the archive.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One part other than the page: a picture (or anything else the page refers to).
struct MhtResource {
    std::string contentType;  // "image/png", lower case
    std::string location;     // Content-Location, as written
    std::string contentId;    // Content-ID without its angle brackets
    std::string data;         // decoded bytes
};

// Why something of the archive is not shown.
enum class MhtProblem {
    NotMime,           // no MIME structure at all
    NoParts,           // a multipart without parts (wrong or missing boundary)
    NoPage,            // no HTML part (a plain-text part is shown instead when there is one)
    PartTooLarge,      // a part over the size limit was left out
    TooManyParts,      // parts beyond the count limit were left out
    PageCut,           // the page was longer than the limit and is cut
    UnknownCharset,    // the page's charset is unknown; read as UTF-8 or Windows-1252
    BadCharacters,     // bytes that are not text in the page's charset were replaced
    NotAPicture,       // an image part whose bytes are no known picture format
    ActiveContent,     // scripts, frames or embedded objects were removed from the page
};

struct MhtDocument {
    std::string html;          // the page as UTF-8 HTML (a plain-text part is converted)
    std::string htmlLocation;  // the page's Content-Location
    std::vector<MhtResource> resources;
    std::vector<MhtProblem> problems;

    bool HasPage() const { return !html.empty(); }
    bool Has(MhtProblem p) const;
    // The part a URL of the page names: by Content-ID ("cid:..."), by Content-Location
    // as written or resolved against the page's location, or by its file name when that
    // is unique. Null for anything else: the viewer fetches nothing outside the archive.
    const MhtResource* Find(std::string_view url) const;
};

struct MhtLimits {
    std::size_t maxPartBytes = 8u << 20;  // encoded size of one part
    std::size_t maxPageBytes = 2u << 20;  // the HTML page after decoding
    std::size_t maxParts = 256;
};

MhtDocument ReadMhtArchive(std::string_view bytes, const MhtLimits& limits = {});

// Removes what could run or fetch: script, iframe, frame, frameset, object, embed,
// applet and link elements (with their content where they have one). Returns how many
// were removed.
int RemoveActiveContent(std::string& html);

// The largest archive the viewer reads from disk.
constexpr std::size_t kMaxArchiveFileBytes = 64u << 20;

// The module's one entry point, looked up by name: reads `size` bytes at `bytes` into
// `out` (a default-constructed document) as ReadMhtArchive would.
extern "C" {
typedef void MhtReadEntry(const char* bytes, std::size_t size, const MhtLimits* limits, MhtDocument* out);
}
inline constexpr char kMhtReadEntryName[] = "tc_mht_read_archive";
// The module's file name: beside the program in the build, in its library folder when
// installed.
inline constexpr char kMhtModuleFileName[] = "tesraconnect-mht.so";
