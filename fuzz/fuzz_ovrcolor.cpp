// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: colour text, as stored in configuration files, the
// colour library and drag data, read by OvrColor. A colour that reads as
// valid must write itself (aName()) as text that reads back to the same
// text, since that text is all a saved colour is; and every view of it
// (the other colour models, the short names) must be safe to ask for.
#include "ovrcolor.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

volatile unsigned sink = 0;

[[noreturn]] void fail(const char *what, const QString &text, const QString &written, const QString &again)
{
    std::fprintf(stderr, "%s\n  input:   %s\n  written: %s\n  again:   %s\n", what, qPrintable(text),
                 qPrintable(written), qPrintable(again));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Colour text comes out of XML and settings as Unicode; Latin-1 reaches
    // every code path the text forms use.
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    const OvrColor color(text);
    if (!color.isValid())
        return 0;

    const QString written = color.aName();
    const OvrColor reread(written);
    if (!reread.isValid())
        fail("aName() of a valid colour reads back as an invalid colour", text, written, QString());
    const QString again = reread.aName();
    if (again != written)
        fail("aName() does not read back to the same text", text, written, again);
    // Only the Yxy form rounds (to six decimals); the others are exact.
    if (color.spec() != OvrColor::Yxy && !(reread == color))
        fail("aName() reads back as another colour", text, written, again);

    sink = sink + color.name().size() + color.name8().size() + color.nameFull8().size();
    sink = sink + color.rgba() + unsigned(color.hue8()) + unsigned(color.saturation8());
    for (OvrColor::Spec spec : {OvrColor::Rgb, OvrColor::Hsv, OvrColor::Yxy, OvrColor::NChannel}) {
        const OvrColor converted = color.convertTo(spec, ColorUtils::ConfigRGBW, ColorUtils::ProfileGenericRGBW);
        sink = sink + converted.aName().size();
    }
    return 0;
}
