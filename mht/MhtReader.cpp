#include "mht/MhtArchive.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <cctype>
#include <mutex>

namespace {

constexpr int kMaxDepth = 8;

void InitGMime()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// GLib objects and strings released at the end of their scope.
template <class T>
struct GObjectRef {
    T* p;
    explicit GObjectRef(T* object) : p(object) {}
    ~GObjectRef() { if (p) g_object_unref(p); }
    GObjectRef(const GObjectRef&) = delete;
    GObjectRef& operator=(const GObjectRef&) = delete;
};
struct GString8 {
    char* p;
    explicit GString8(char* s) : p(s) {}
    ~GString8() { g_free(p); }
    GString8(const GString8&) = delete;
    GString8& operator=(const GString8&) = delete;
    std::string str() const { return p ? std::string(p) : std::string(); }
};

std::string Trimmed(const char* value)
{
    std::string s = value ? value : "";
    std::size_t a = s.find_first_not_of(" \t\r\n");
    std::size_t b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool LooksLikePicture(const std::string& d)
{
    auto starts = [&](std::string_view sig) { return d.size() >= sig.size() && d.compare(0, sig.size(), sig) == 0; };
    return starts("\x89PNG\r\n\x1a\n") || starts("\xFF\xD8\xFF") || starts("GIF87a") || starts("GIF89a") ||
           starts("BM") || starts("<svg") || starts("<?xml");
}

bool ValidUtf8(const std::string& s) { return g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr); }

// Cuts at most `limit` bytes without splitting a UTF-8 sequence.
void CutUtf8(std::string& s, std::size_t limit)
{
    if (s.size() <= limit) return;
    std::size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    s.resize(n);
}

std::string EscapeHtml(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 64);
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

class Reader {
public:
    Reader(const MhtLimits& limits, MhtDocument& doc) : m_limits(limits), m_doc(doc) {}

    void Walk(GMimeObject* object, int depth)
    {
        if (!object || depth > kMaxDepth) return;
        if (GMIME_IS_MULTIPART(object)) {
            GMimeMultipart* multipart = GMIME_MULTIPART(object);
            int count = g_mime_multipart_get_count(multipart);
            if (count <= 0) Problem(MhtProblem::NoParts);
            for (int i = 0; i < count; ++i) {
                if (m_nParts >= m_limits.maxParts) {
                    Problem(MhtProblem::TooManyParts);
                    return;
                }
                Walk(g_mime_multipart_get_part(multipart, i), depth + 1);
            }
            return;
        }
        if (GMIME_IS_MESSAGE_PART(object)) {
            GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
            if (inner) Walk(g_mime_message_get_mime_part(inner), depth + 1);
            return;
        }
        if (GMIME_IS_PART(object)) Leaf(GMIME_PART(object));
    }

    void Finish()
    {
        if (m_doc.html.empty() && !m_plainText.empty()) {
            m_doc.html = "<html><body><pre style=\"white-space: pre-wrap\">" + EscapeHtml(m_plainText) +
                         "</pre></body></html>";
        }
        if (m_doc.html.empty()) Problem(MhtProblem::NoPage);
        if (RemoveActiveContent(m_doc.html) > 0) Problem(MhtProblem::ActiveContent);
        if (m_doc.html.size() > m_limits.maxPageBytes) {
            CutUtf8(m_doc.html, m_limits.maxPageBytes);
            Problem(MhtProblem::PageCut);
        }
    }

    void Problem(MhtProblem p)
    {
        if (!m_doc.Has(p)) m_doc.problems.push_back(p);
    }

private:
    void Leaf(GMimePart* part)
    {
        ++m_nParts;
        GMimeObject* object = GMIME_OBJECT(part);
        GMimeContentType* type = g_mime_object_get_content_type(object);
        std::string mimeType = type ? Lower(GString8(g_mime_content_type_get_mime_type(type)).str()) : "text/plain";
        GMimeDataWrapper* content = g_mime_part_get_content(part);
        if (!content) return;
        GMimeStream* encoded = g_mime_data_wrapper_get_stream(content);
        gint64 length = encoded ? g_mime_stream_length(encoded) : -1;
        if (length < 0 || static_cast<std::uint64_t>(length) > m_limits.maxPartBytes) {
            Problem(MhtProblem::PartTooLarge);
            return;
        }
        std::string data = Decode(content);
        const char* location = g_mime_object_get_header(object, "Content-Location");
        const char* cid = g_mime_object_get_content_id(object);

        const bool isPage = mimeType == "text/html" && m_doc.html.empty();
        if (isPage || (mimeType == "text/plain" && m_plainText.empty() && m_doc.html.empty())) {
            const char* charset = type ? g_mime_content_type_get_parameter(type, "charset") : nullptr;
            std::string text = ToUtf8(data, charset);
            if (isPage) {
                m_doc.html = std::move(text);
                m_doc.htmlLocation = Trimmed(location);
            } else {
                m_plainText = std::move(text);
            }
            return;
        }
        if (mimeType.rfind("image/", 0) == 0 && !LooksLikePicture(data)) {
            Problem(MhtProblem::NotAPicture);
            return;
        }
        MhtResource r;
        r.contentType = mimeType;
        r.location = Trimmed(location);
        r.contentId = Trimmed(cid);
        r.data = std::move(data);
        m_doc.resources.push_back(std::move(r));
    }

    static std::string Decode(GMimeDataWrapper* content)
    {
        GObjectRef<GMimeStream> out(g_mime_stream_mem_new());
        g_mime_data_wrapper_write_to_stream(content, out.p);
        GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.p));
        return bytes ? std::string(reinterpret_cast<const char*>(bytes->data), bytes->len) : std::string();
    }

    std::string Convert(const std::string& data, const char* from, bool& replaced)
    {
        gsize read = 0, written = 0;
        GError* error = nullptr;
        char* converted = g_convert_with_fallback(data.data(), static_cast<gssize>(data.size()), "UTF-8", from, "?",
                                                  &read, &written, &error);
        if (error) {
            replaced = true;
            g_error_free(error);
        }
        if (!converted) return {};
        std::string out(converted, written);
        g_free(converted);
        return out;
    }

    std::string ToUtf8(const std::string& data, const char* charset)
    {
        std::string name = charset && *charset ? charset : "";
        const char* iconvName = name.empty() ? nullptr : g_mime_charset_iconv_name(name.c_str());
        if (iconvName) {
            GIConv probe = g_iconv_open("UTF-8", iconvName);
            if (probe != reinterpret_cast<GIConv>(-1)) {
                g_iconv_close(probe);
                bool replaced = false;
                std::string out = Convert(data, iconvName, replaced);
                if (replaced || (out.empty() && !data.empty())) Problem(MhtProblem::BadCharacters);
                if (!out.empty() || data.empty()) return out;
            } else {
                Problem(MhtProblem::UnknownCharset);
            }
        }
        // Without a charset it can read: UTF-8 when the bytes are, else Windows-1252.
        if (ValidUtf8(data)) return data;
        bool replaced = false;
        std::string out = Convert(data, "WINDOWS-1252", replaced);
        if (replaced) Problem(MhtProblem::BadCharacters);
        return out;
    }

    const MhtLimits& m_limits;
    MhtDocument& m_doc;
    std::string m_plainText;
    std::size_t m_nParts = 0;
};

}  // namespace

MhtDocument ReadMhtArchive(std::string_view bytes, const MhtLimits& limits)
{
    InitGMime();
    MhtDocument doc;
    Reader reader(limits, doc);
    GObjectRef<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    GObjectRef<GMimeParser> parser(g_mime_parser_new_with_stream(stream.p));
    g_mime_parser_set_format(parser.p, GMIME_FORMAT_MESSAGE);
    GObjectRef<GMimeMessage> message(g_mime_parser_construct_message(parser.p, nullptr));
    if (!message.p || !g_mime_message_get_mime_part(message.p)) {
        reader.Problem(MhtProblem::NotMime);
        reader.Finish();
        return doc;
    }
    reader.Walk(g_mime_message_get_mime_part(message.p), 0);
    reader.Finish();
    return doc;
}
