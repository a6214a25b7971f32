// SPDX-License-Identifier: GPL-3.0-or-later
//
// guidepdf: prints the product guide, written in Markdown, to the PDF that
// the Help menu opens. Qt reads the Markdown and paginates it, so the build
// needs no outside document tool.
//
//   guidepdf GUIDE.md OUT.pdf
//
// Images are referenced relative to the Markdown file ("images/x.png").
// A picture that does not exist (yet) is left out with a warning instead of
// printing a broken-image box.

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

Q_LOGGING_CATEGORY(lcGuidePdf, "keypad.guidepdf")

namespace {

// Drops image references whose file is missing; keeps everything else.
QString withExistingImagesOnly(const QString &markdown, const QDir &base)
{
    static const QRegularExpression image(QStringLiteral(R"(!\[[^\]]*\]\(([^)\s]+)[^)]*\))"));
    QString out;
    qsizetype last = 0;
    auto it = image.globalMatch(markdown);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        out += markdown.mid(last, match.capturedStart() - last);
        if (QFileInfo::exists(base.filePath(match.captured(1))))
            out += match.captured(0);
        else
            qCWarning(lcGuidePdf) << "image not found, left out:" << match.captured(1);
        last = match.capturedEnd();
    }
    out += markdown.mid(last);
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts and images need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prints a Markdown guide to PDF."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("guide"), QStringLiteral("The Markdown file."));
    parser.addPositionalArgument(QStringLiteral("pdf"), QStringLiteral("The PDF to write."));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        parser.showHelp(1);

    QFile source(args.at(0));
    if (!source.open(QIODevice::ReadOnly)) {
        qCCritical(lcGuidePdf) << "cannot read" << args.at(0) << source.errorString();
        return 1;
    }
    const QFileInfo sourceInfo(source.fileName());
    const QString markdown = withExistingImagesOnly(QString::fromUtf8(source.readAll()), sourceInfo.absoluteDir());

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    // Relative image paths resolve against the guide's own folder.
    document.setBaseUrl(QUrl::fromLocalFile(sourceInfo.absolutePath() + QLatin1Char('/')));
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);

    QSaveFile out(args.at(1));
    if (!QDir().mkpath(QFileInfo(args.at(1)).absolutePath()) || !out.open(QIODevice::WriteOnly)) {
        qCCritical(lcGuidePdf) << "cannot write" << args.at(1) << out.errorString();
        return 1;
    }
    {
        QPdfWriter writer(&out);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle).isEmpty()
                            ? sourceInfo.completeBaseName()
                            : document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("guidepdf"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
        document.print(&writer);
    }
    if (!out.commit()) {
        qCCritical(lcGuidePdf) << "cannot write" << args.at(1) << out.errorString();
        return 1;
    }
    return 0;
}
