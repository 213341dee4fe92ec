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

#include <sstream>

using namespace vormo;
using namespace vormo::test;

namespace {

std::u16string unit(char32_t c) { return std::u16string(1, static_cast<char16_t>(c)); }

} // namespace

TEST_CASE("Windows-1252 both ways as glibc's table has it, and one '?' for what it lacks")
{
    // Byte to character, from tests/data/cp1252.txt (see cp1252-from-glibc.sh). The five bytes
    // the code page leaves unassigned read as the control of that number, so that a plugin read
    // and saved again keeps them.
    std::u16string table(256, u'\0');
    std::iota(table.begin(), table.end(), u'\0');
    std::istringstream in(fixture("cp1252.txt"));
    int mapped = 0;
    for (unsigned byte = 0, character = 0; in >> std::hex >> byte >> character; ++mapped)
        table.at(byte) = static_cast<char16_t>(character);
    REQUIRE(mapped == 251);
    std::u16string wrong;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const std::size_t b = table.find(static_cast<char16_t>(c));
        const std::string byte = b == table.npos ? "?" : std::string(1, static_cast<char>(b));
        if ((c < 0xD800 || c > 0xDFFF) && (toWindows1252(unit(c)) != byte ||
                                           (b != table.npos && fromWindows1252(byte) != unit(c))))
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
    for (const auto& [lasts, stop] :
         {std::pair(u"-,.!)\" \n\t", u""), {u"/0?Ar\u00fc\u20ac", u"."}})
        for (const char16_t last : std::u16string_view(lasts))
            CHECK(withFullStop(u"error" + unit(last)) == u"error" + unit(last) + stop);
    CHECK(withFullStop(u"") == u"");
    CHECK(withFullStop(u"\U0001F600") == u"\U0001F600.");
}
