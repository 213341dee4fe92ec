// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Text as plugins and error boxes hold it: Windows-1252 against a table taken from glibc rather
// than from our own, the plugin text where a value depends on more than its own field, the
// document's lines, and the full stop of an error text.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "CoreTest.h"

#include "Errors.h"
#include "PluginDocument.h"
#include "PluginWriter.h"
#include "Windows1252.h"

#include <map>
#include <sstream>

using namespace vormo;
using namespace vormo::test;

namespace {

// Byte to character, from tests/data/cp1252.txt (see cp1252-from-glibc.sh).
std::map<unsigned, char16_t> referenceTable()
{
    std::istringstream in(fixture("cp1252.txt"));
    std::map<unsigned, char16_t> table;
    unsigned byte = 0, character = 0;
    while (in >> std::hex >> byte >> character)
        table[byte] = static_cast<char16_t>(character);
    return table;
}

std::u16string unit(char32_t c) { return std::u16string(1, static_cast<char16_t>(c)); }

} // namespace

TEST_CASE("every byte converts both ways as the reference table has it")
{
    const auto table = referenceTable();
    REQUIRE(table.size() == 251);
    for (unsigned b = 0; b < 256; ++b) {
        CAPTURE(b);
        // The five bytes the code page leaves unassigned read as the control of that number,
        // so that a plugin read and saved again keeps them.
        const auto it = table.find(b);
        const std::u16string character = unit(it != table.end() ? it->second : b);
        const std::string byte(1, static_cast<char>(b));
        CHECK(fromWindows1252(byte) == character);
        CHECK(toWindows1252(character) == byte);
    }
}

TEST_CASE("a character the code page lacks is written as one question mark")
{
    std::u16string encodable;
    for (unsigned b = 0; b < 256; ++b)
        encodable += fromWindows1252(std::string(1, static_cast<char>(b)));
    std::u16string wrong;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        if (!surrogate && encodable.find(static_cast<char16_t>(c)) == std::u16string::npos &&
            toWindows1252(unit(c)) != "?")
            wrong += unit(c);
    }
    CHECK(wrong == u"");

    const std::u16string high = unit(0xD83D), low = unit(0xDE00);
    // A pair is one character; lone halves are one each.
    const std::pair<std::u16string, std::string> rows[] = {
        {u"a\U0001F600b", "a?b"}, {high + high + low, "??"}, {low + u"x" + high, "?x?"}};
    for (const auto& [text, bytes] : rows)
        CHECK(toWindows1252(text) == bytes);
}

TEST_CASE("plugin values that depend on more than their own field's text")
{
    // Edits, and lines the plugin text then holds.
    const std::pair<std::u16string, std::u16string> rows[] = {
        {u"+LoopAnim", u"ANIMLOOP:0"},       // counts only while enabled
        {u"FirstFrame=7", u"ANIMSFRAME:-1"}, // a pixel bullet has no first frame
        {u"-BulletBox;FirstFrame=7;+LoopAnim;*LoopAnim", u"ANIMSFRAME:7;ANIMLOOP:1"},
        {u"DetType=13 typed;TrailType=x1;DetSnd=007;FireSnd=\u0663", // only ASCII digits
         u"CREATEONHIT:13;OTRAILTYPE:;SOUNDEXPLODE:007;SOUNDLAUNCH:"}};
    for (const auto& [edits, lines] : rows) {
        CAPTURE(edits);
        const std::vector<std::u16string> text = split(buildPluginText(edited(edits)), u'\n');
        for (const std::u16string& line : split(lines, u';'))
            CHECK(std::find(text.begin(), text.end(), line) != text.end());
    }
}

TEST_CASE("the document cuts text into lines within its capacity")
{
    // CR LF, LF and CR each end a line; LF CR and CR CR LF are two breaks; a break at the end
    // adds no line.
    PluginDocument doc;
    doc.setText(u"old\nlines");
    doc.setText(u"a\r\nb\nc\rd\n\re\r\r\nf\n");
    CHECK(doc.lines() == std::vector<std::string>{"a", "b", "c", "d", "", "e", "", "f"});

    // Two lines filling the capacity exactly, counting two characters per line end.
    const std::u16string full =
        std::u16string(40000, u'x') + u'\n' + std::u16string(65535 - 40002 - 2, u'y');
    doc.setText(full);
    CHECK(doc.bytes().size() == PluginDocument::kCapacity);
    CHECK(errorOf([&] { doc.setText(full + u'z'); }) == u"RichEdit line insertion error");
    CHECK(doc.lines() == std::vector<std::string>{std::string(40000, 'x')}); // earlier lines stay
}

TEST_CASE("an error text gets a full stop only after a character that sorts after '.'")
{
    // '-' and ',' sort just before '.', '/' just after.
    for (const char16_t last : std::u16string_view(u"-,.!)\" \n\t"))
        CHECK(withFullStop(u"error" + unit(last)) == u"error" + unit(last));
    for (const char16_t last : std::u16string_view(u"/0?Ar\u00fc\u20ac"))
        CHECK(withFullStop(u"error" + unit(last)) == u"error" + unit(last) + u'.');
    CHECK(withFullStop(u"") == u"");
    CHECK(withFullStop(u"\U0001F600") == u"\U0001F600.");
}
