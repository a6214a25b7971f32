// SPDX-License-Identifier: GPL-3.0-or-later
//
// imagegen: renders the program's SVG image sources to the PNG files that
// the resource file compiles in, each at its own size and at twice that size
// as the "@2x" file that Qt loads on high-density screens.
//
//   imagegen SRC_DIR OUT_DIR        every *.svg under SRC_DIR, same relative
//                                   path under OUT_DIR, as NAME.png and
//                                   NAME@2x.png
//   imagegen --scale S IN.svg OUT.png
//                                   one file at scale S (for previews)

#include <QByteArray>
#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QCoreApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <array>

Q_LOGGING_CATEGORY(lcImageGen, "keypad.imagegen")

namespace {

bool isOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

// PNG, written by hand rather than by QImageWriter so that every row is
// stored unfiltered (filter type 0) at zlib level 9. libpng spends most of
// its decoding time undoing the adaptive filters (Paeth above all) that its
// own writer picks; unfiltered rows decode two to three times faster for a
// file only a little larger, and the program decodes the panel's images on
// its start-up path.
quint32 crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xffffffffu;
    for (const char byte : bytes)
        c = table[(c ^ quint8(byte)) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

void appendBigEndian(QByteArray &out, quint32 value)
{
    out.append(char(value >> 24));
    out.append(char(value >> 16));
    out.append(char(value >> 8));
    out.append(char(value));
}

void appendChunk(QByteArray &out, const char *type, const QByteArray &data)
{
    appendBigEndian(out, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    out.append(typed);
    appendBigEndian(out, crc32(typed));
}

// image is Format_RGB32 (stored as 8-bit RGB) or Format_ARGB32 (stored as
// 8-bit RGBA, not premultiplied), the two forms Qt's own writer uses.
QByteArray encodePng(const QImage &image)
{
    const bool alpha = image.format() == QImage::Format_ARGB32;
    const int channels = alpha ? 4 : 3;

    QByteArray header;
    appendBigEndian(header, quint32(image.width()));
    appendBigEndian(header, quint32(image.height()));
    header.append(char(8));              // bits per channel
    header.append(char(alpha ? 6 : 2));  // colour type: RGBA or RGB
    header.append(char(0));              // deflate
    header.append(char(0));              // adaptive filtering (every row: none)
    header.append(char(0));              // not interlaced

    QByteArray rows;
    rows.reserve(image.height() * (1 + image.width() * channels));
    for (int y = 0; y < image.height(); ++y) {
        rows.append(char(0));
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            rows.append(char(qRed(line[x])));
            rows.append(char(qGreen(line[x])));
            rows.append(char(qBlue(line[x])));
            if (alpha)
                rows.append(char(qAlpha(line[x])));
        }
    }
    // qCompress puts the uncompressed size in front of the zlib stream.
    const QByteArray zlib = qCompress(rows, 9).mid(4);

    // The resolution Qt's writer records too (72 dpi), so the image reads
    // back with the same dots per metre.
    QByteArray physical;
    appendBigEndian(physical, quint32(image.dotsPerMeterX()));
    appendBigEndian(physical, quint32(image.dotsPerMeterY()));
    physical.append(char(1)); // unit: metre

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "pHYs", physical);
    appendChunk(png, "IDAT", zlib);
    appendChunk(png, "IEND", QByteArray());
    return png;
}

bool writePng(const QImage &image, const QString &pngPath)
{
    QSaveFile file(pngPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(encodePng(image));
    return file.commit();
}

bool render(const QString &svgPath, const QString &pngPath, qreal scale)
{
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        qCWarning(lcImageGen) << "cannot read" << svgPath;
        return false;
    }
    // The SVG's own width and height are the image's size at 100 %.
    const QSize size = (QSizeF(renderer.defaultSize()) * scale).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    // Opaque images are stored without an alpha channel: a third smaller.
    if (isOpaque(image))
        image = image.convertToFormat(QImage::Format_RGB32);

    QDir().mkpath(QFileInfo(pngPath).absolutePath());
    if (!writePng(image, pngPath)) {
        qCWarning(lcImageGen) << "cannot write" << pngPath;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // The sources carry their lettering as outlines, so painting them needs
    // neither fonts nor a window system: a core application is enough.
    QCoreApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders SVG image sources to PNG at 1x and 2x."));
    parser.addHelpOption();
    QCommandLineOption scaleOption(QStringLiteral("scale"),
                                   QStringLiteral("Render one file IN.svg to OUT.png at this scale."),
                                   QStringLiteral("S"));
    parser.addOption(scaleOption);
    parser.addPositionalArgument(QStringLiteral("source"), QStringLiteral("SRC_DIR or IN.svg"));
    parser.addPositionalArgument(QStringLiteral("target"), QStringLiteral("OUT_DIR or OUT.png"));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        parser.showHelp(2);

    if (parser.isSet(scaleOption)) {
        bool ok = false;
        const qreal scale = parser.value(scaleOption).toDouble(&ok);
        if (!ok || scale <= 0) {
            qCWarning(lcImageGen) << "bad scale" << parser.value(scaleOption);
            return 2;
        }
        return render(args.at(0), args.at(1), scale) ? 0 : 1;
    }

    const QDir source(QFileInfo(args.at(0)).absoluteFilePath());
    const QDir target(QFileInfo(args.at(1)).absoluteFilePath());
    if (!source.exists()) {
        qCWarning(lcImageGen) << "no such folder" << source.path();
        return 2;
    }
    QStringList files;
    QDirIterator it(source.path(), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();

    int failures = 0;
    for (const QString &svg : qAsConst(files)) {
        const QString relative = source.relativeFilePath(svg);
        const QString base = target.filePath(relative.left(relative.size() - 4));
        if (!render(svg, base + QStringLiteral(".png"), 1.0))
            ++failures;
        if (!render(svg, base + QStringLiteral("@2x.png"), 2.0))
            ++failures;
    }
    qCInfo(lcImageGen, "%d sources rendered, %d failures", int(files.size()), failures);
    return failures == 0 ? 0 : 1;
}
