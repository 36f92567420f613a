// The wireless profile document: its exact text for the common networks, and over every
// authentication, cipher and key length, a document that parses back as well-formed XML
// with the SSID and key it was made from.
#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include <map>

#include "wlan/ProfileXml.h"

namespace {

const std::wstring kHead =
    L"<?xml version=\"1.0\" encoding=\"US-ASCII\"?><WLANProfile "
    L"xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\"><name>";

std::wstring Middle(const std::wstring& escapedSsid)
{
    return escapedSsid + L"</name><SSIDConfig><SSID><name>" + escapedSsid +
           L"</name></SSID><nonBroadcast>true</nonBroadcast></SSIDConfig><connectionType>ESS</connectionType>"
           L"<connectionMode>auto</connectionMode><autoSwitch>true</autoSwitch><MSM><security><authEncryption>"
           L"<authentication>";
}

// What a parser reads back from a document.
struct Parsed {
    bool wellFormed = false;
    std::map<std::string, std::wstring> values;  // element path -> text
    std::wstring ns;
};

Parsed Parse(const std::wstring& xml)
{
    Parsed out;
    QXmlStreamReader reader(QString::fromStdWString(xml));
    std::vector<std::string> path;
    QString text;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            path.push_back(reader.name().toString().toStdString());
            if (path.size() == 1) out.ns = reader.namespaceUri().toString().toStdWString();
            text.clear();
        } else if (reader.isCharacters()) {
            text += reader.text();
        } else if (reader.isEndElement()) {
            std::string key;
            for (const auto& p : path) key += "/" + p;
            if (!out.values.count(key)) out.values[key] = text.toStdWString();
            path.pop_back();
            text.clear();
        }
    }
    out.wellFormed = !reader.hasError();
    return out;
}

}  // namespace

TEST(ProfileXml, ExactDocumentsOfTheCommonNetworks)
{
    struct Case {
        std::wstring key, ssid;
        DWORD cipher, auth;
        std::wstring tail;  // after the authentication start tag
    };
    const std::wstring none = L"none</encryption><useOneX>false</useOneX></authEncryption></security></MSM></WLANProfile>";
    auto keyed = [](const wchar_t* enc, const wchar_t* type, const std::wstring& k) {
        return std::wstring(enc) + L"</encryption><useOneX>false</useOneX></authEncryption><sharedKey><keyType>" + type +
               L"</keyType><protected>false</protected><keyMaterial>" + k +
               L"</keyMaterial></sharedKey></security></MSM></WLANProfile>";
    };
    const std::wstring hex64(64, L'a');
    const Case cases[] = {
        {L"ignored key", L"Home", 0, 1, L"open</authentication><encryption>" + none},
        {L"correct hors", L"Home", 4, 7, L"WPA2PSK</authentication><encryption>" + keyed(L"AES", L"passPhrase", L"correct hors")},
        {hex64, L"Home", 4, 7, L"WPA2PSK</authentication><encryption>" + keyed(L"AES", L"networkKey", hex64)},
        {L"0123456789", L"Home", 257, 1, L"open</authentication><encryption>" + keyed(L"WEP", L"networkKey", L"0123456789")},
        {L"abcde", L"Home", 257, 1, L"open</authentication><encryption>" + keyed(L"WEP", L"networkKey", L"abcde")},
        {L"tkip pass", L"Home", 2, 4, L"WPAPSK</authentication><encryption>" + keyed(L"TKIP", L"passPhrase", L"tkip pass")},
        {L"enterprise", L"Home", 4, 6, L"WPA2</authentication><encryption>" + keyed(L"AES", L"passPhrase", L"enterprise")},
        {L"shared key", L"Home", 1, 2, L"shared</authentication><encryption>" + keyed(L"AES", L"passPhrase", L"shared key")},
        {L"k", L"Home", 3, 0, L"open</authentication><encryption>" + none},
        {L"k", L"Home", 258, 8, L"open</authentication><encryption>" + none},
    };
    for (const auto& c : cases) {
        std::wstring xml;
        ASSERT_TRUE(BuildWLANProfileXml(c.key, c.ssid, c.cipher, c.auth, xml)) << c.auth << "/" << c.cipher;
        EXPECT_EQ(xml, kHead + Middle(L"Home") + c.tail) << c.auth << "/" << c.cipher;
    }
}

TEST(ProfileXml, EscapesTheSsidAndTheKey)
{
    std::wstring xml;
    ASSERT_TRUE(BuildWLANProfileXml(L"a&b'c\"d<e>f", L"Bob's <&> \"net\"", 4, 7, xml));
    const std::wstring ssid = L"Bob&apos;s &lt;&amp;&gt; &quot;net&quot;";
    EXPECT_EQ(xml.substr(0, kHead.size() + Middle(ssid).size()), kHead + Middle(ssid));
    EXPECT_NE(xml.find(L"<keyMaterial>a&amp;b&apos;c&quot;d&lt;e&gt;f</keyMaterial>"), std::wstring::npos);
    // Non-ASCII characters stay as they are.
    ASSERT_TRUE(BuildWLANProfileXml(L"", L"Café ☃", 0, 1, xml));
    EXPECT_NE(xml.find(L"<name>Café ☃</name>"), std::wstring::npos);
}

TEST(ProfileXml, TheKeyTypeFollowsTheKeyAsTyped)
{
    // A 60-character pass phrase with one "&" grows to 64 characters by its escape; it is
    // still a pass phrase. 64 characters as typed are a network key.
    const std::wstring phrase = std::wstring(59, L'p') + L"&";
    std::wstring xml;
    ASSERT_TRUE(BuildWLANProfileXml(phrase, L"Home", 4, 7, xml));
    EXPECT_NE(xml.find(L"<keyType>passPhrase</keyType>"), std::wstring::npos);
    ASSERT_TRUE(BuildWLANProfileXml(std::wstring(64, L'F'), L"Home", 2, 4, xml));
    EXPECT_NE(xml.find(L"<keyType>networkKey</keyType>"), std::wstring::npos);
    ASSERT_TRUE(BuildWLANProfileXml(std::wstring(63, L'F'), L"Home", 2, 4, xml));
    EXPECT_NE(xml.find(L"<keyType>passPhrase</keyType>"), std::wstring::npos);
}

TEST(ProfileXml, RefusesWhatCannotMakeAUsableDocument)
{
    std::wstring xml = L"before";
    EXPECT_FALSE(BuildWLANProfileXml(L"key", L"", 4, 7, xml));       // no SSID
    EXPECT_FALSE(BuildWLANProfileXml(L"", L"Home", 4, 7, xml));      // keyed cipher, no key
    EXPECT_FALSE(BuildWLANProfileXml(L"", L"Home", 257, 1, xml));
    EXPECT_FALSE(BuildWLANProfileXml(L"", std::wstring(L"a\x01z"), 0, 1, xml));   // no XML can carry U+0001
    EXPECT_FALSE(BuildWLANProfileXml(std::wstring(L"k\x1Bkkkkkkk"), L"Home", 4, 7, xml));
    EXPECT_FALSE(BuildWLANProfileXml(L"", std::wstring(1, static_cast<wchar_t>(0xFFFE)), 0, 1, xml));
    EXPECT_EQ(xml, L"before");

    // The process-wide document is only replaced by a complete one.
    g_strProfileXml.Set(L"");
    EXPECT_FALSE(MakeWLANProfileXml(L"", L"Home", 4, 7));
    EXPECT_EQ(g_strProfileXml.Get(), L"");
    EXPECT_TRUE(MakeWLANProfileXml(L"", L"Home", 0, 1));
    EXPECT_EQ(Parse(g_strProfileXml.Get()).values["/WLANProfile/name"], L"Home");
    g_strProfileXml.Set(L"");
}

TEST(ProfileXml, EveryDocumentParsesBackWithItsSsidAndKey)
{
    const std::vector<std::wstring> ssids = {
        L"Home", L"x", std::wstring(32, L'S'), L"<&>'\"", L"a & b", L"tab\there", L"line\nfeed", L"cr\rreturn",
        L"]]>", L"Ünïcødé ネット", L"  spaced  ",
    };
    // Every character a keyboard gives, in keys of the lengths that matter.
    std::wstring keyboard;
    for (wchar_t c = 0x20; c < 0x7F; ++c) keyboard += c;
    std::vector<std::wstring> keys = {L"", L"abcde", L"abcdefgh", L"0123456789", std::wstring(13, L'&'),
                                      std::wstring(26, L'a'), std::wstring(63, L'<'), std::wstring(64, L'0'),
                                      keyboard.substr(0, 64), keyboard.substr(30, 64), L"pässwörd€"};
    const std::vector<DWORD> auths = {0, 1, 2, 3, 4, 5, 6, 7, 8, 100};
    const std::vector<DWORD> ciphers = {0, 1, 2, 3, 4, 5, 6, 255, 256, 257, 258, 0x1000};
    const std::map<DWORD, std::wstring> authText = {{2, L"shared"}, {3, L"WPA"},  {4, L"WPAPSK"},
                                                    {5, L"WPA"},    {6, L"WPA2"}, {7, L"WPA2PSK"}};
    const std::map<DWORD, std::wstring> encText = {{1, L"AES"}, {2, L"TKIP"}, {4, L"AES"},
                                                   {5, L"AES"}, {256, L"AES"}, {257, L"WEP"}};
    int documents = 0;
    for (const auto& ssid : ssids)
        for (const auto& key : keys)
            for (DWORD auth : auths)
                for (DWORD cipher : ciphers) {
                    std::wstring xml;
                    const bool keyed = encText.count(cipher) != 0;
                    const bool ok = BuildWLANProfileXml(key, ssid, cipher, auth, xml);
                    ASSERT_EQ(ok, !keyed || !key.empty());
                    if (!ok) continue;
                    ++documents;
                    EXPECT_EQ(xml.find(L'\n'), std::wstring::npos);
                    const Parsed p = Parse(xml);
                    ASSERT_TRUE(p.wellFormed) << QString::fromStdWString(xml).toStdString();
                    EXPECT_EQ(p.ns, kWlanProfileNamespace);
                    auto v = p.values;
                    EXPECT_EQ(v["/WLANProfile/name"], ssid);
                    EXPECT_EQ(v["/WLANProfile/SSIDConfig/SSID/name"], ssid);
                    EXPECT_EQ(v["/WLANProfile/SSIDConfig/nonBroadcast"], L"true");
                    auto a = authText.find(auth);
                    EXPECT_EQ(v["/WLANProfile/MSM/security/authEncryption/authentication"],
                              a == authText.end() ? L"open" : a->second);
                    auto e = encText.find(cipher);
                    EXPECT_EQ(v["/WLANProfile/MSM/security/authEncryption/encryption"],
                              e == encText.end() ? L"none" : e->second);
                    if (keyed) {
                        EXPECT_EQ(v["/WLANProfile/MSM/security/sharedKey/keyMaterial"], key);
                        const bool network = cipher == 257 || key.size() == 64;
                        EXPECT_EQ(v["/WLANProfile/MSM/security/sharedKey/keyType"],
                                  network ? L"networkKey" : L"passPhrase");
                        EXPECT_EQ(v["/WLANProfile/MSM/security/sharedKey/protected"], L"false");
                    } else {
                        EXPECT_EQ(v.count("/WLANProfile/MSM/security/sharedKey/keyMaterial"), 0u);
                    }
                }
    EXPECT_GT(documents, 1000);
}

TEST(ProfileXml, MaskedKeyHasOneStarPerCharacter)
{
    EXPECT_EQ(MaskedKey(L""), L"");
    EXPECT_EQ(MaskedKey(L"correct horse"), std::wstring(13, L'*'));
    EXPECT_EQ(MaskedKey(L"pä€"), L"***");
}
