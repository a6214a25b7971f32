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

#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QCoreApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QSvgRenderer>

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
    // Quality 0 asks the PNG writer for its strongest (still lossless)
    // compression.
    if (!image.save(pngPath, "PNG", 0)) {
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
