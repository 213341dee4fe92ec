// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowLook.h"

#include "CoreBridge.h"
#include "FieldTable.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QWidget>

namespace vormo {
namespace {

constexpr int kClientWidth = 528;
constexpr int kNarrowestStretch = 70;

bool sameRow(const QRect& a, const QRect& b)
{
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

// Pixels from the label's left edge to the nearest field or label to its right.
int captionRoom(const LabelDef& label)
{
    int right = kClientWidth;
    const QRect place = toQRect(label.geometry);
    auto consider = [&](const QRect& other) {
        if (other.x() > place.x() && sameRow(other, place))
            right = std::min(right, other.x());
    };
    for (const FieldDef& f : fields())
        consider(toQRect(f.geometry));
    for (const LabelDef& l : labels())
        consider(toQRect(l.geometry));
    return right - place.x();
}

// Whether every label's caption of that weight, drawn in font, ends before the next thing on
// its row.
bool captionsFit(const QFont& font, bool bold)
{
    QFont weighted = font;
    weighted.setBold(bold);
    const QFontMetrics metrics(weighted);
    for (const LabelDef& label : labels()) {
        if (label.bold == bold &&
            metrics.horizontalAdvance(QLatin1StringView(label.caption)) > captionRoom(label))
            return false;
    }
    return true;
}

QFont baseFont()
{
    QFont font;
    // A family that is not installed would still be looked up, with a search for stand-ins of
    // its own, at every stretch tried.
    QStringList families{QStringLiteral("DejaVu Sans")};
    if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif")))
        families.prepend(QStringLiteral("MS Sans Serif"));
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kEditorFontPixelSize);
    return font;
}

QFont withStretch(QFont font, int stretch)
{
    font.setStretch(stretch == 100 ? QFont::AnyStretch : stretch);
    return font;
}

// The widest stretch below tooWide at which fit holds, found by halving; it holds at fits.
template <typename Fit> int widestStretch(int fits, int tooWide, Fit fit)
{
    while (tooWide - fits > 1) {
        const int middle = (fits + tooWide) / 2;
        (fit(middle) ? fits : tooWide) = middle;
    }
    return fits;
}

// Where the captions fit in DejaVu Sans, the font nearly every Linux desktop has.
constexpr int kLikelyStretch = 81;

QFont fittedFont()
{
    const QFont font = baseFont();
    // Every stretch tried loads font engines of its own, which is most of what starting the
    // editor costs beyond a plain window. Where the captions usually fit, two stretches settle
    // it; elsewhere the search halves its way there. The few bold captions are measured only
    // at the stretch where the regular ones fit, and the search goes on below it if they do not.
    const auto fits = [&](int stretch, bool bold) {
        return captionsFit(withStretch(font, stretch), bold);
    };
    const auto regular = [&](int s) { return fits(s, false); };
    int stretch = regular(kLikelyStretch) && !regular(kLikelyStretch + 1)
                      ? kLikelyStretch
                      : widestStretch(kNarrowestStretch, 101, regular);
    if (!fits(stretch, true))
        stretch = widestStretch(kNarrowestStretch, stretch,
                                [&](int s) { return fits(s, false) && fits(s, true); });
    return stretch == 100 ? font : withStretch(font, stretch);
}

} // namespace

QFont editorFont()
{
    static const QFont font = fittedFont();
    return font;
}

QFont boldEditorFont()
{
    QFont font = editorFont();
    font.setBold(true);
    return font;
}

void useWindowLook(QWidget& window)
{
    window.setFont(editorFont());
    QPalette buttonFace = window.palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    window.setPalette(buttonFace);
    window.setAutoFillBackground(true);
}

} // namespace vormo
