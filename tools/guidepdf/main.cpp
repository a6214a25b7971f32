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

#include <QColor>
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
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>
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

// Qt's Markdown reader gives code the platform's fixed font, which without a
// desktop is the ordinary sans face: give code a monospaced face, code
// blocks a tint, and tables ruled cells with room.
void polish(QTextDocument *document)
{
    const QString mono = QStringLiteral("DejaVu Sans Mono");
    QTextCursor cursor(document);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const bool codeBlock = block.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage)
            || block.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
        if (codeBlock) {
            QTextBlockFormat format = block.blockFormat();
            format.setBackground(QColor(0xf0, 0xf0, 0xf0));
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            // Only code carries a font family of its own.
            if (!codeBlock && !fragment.charFormat().hasProperty(QTextFormat::FontFamily))
                continue;
            QTextCharFormat format;
            format.setFontFamily(mono);
            format.setFontPointSize(9);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(format);
        }
    }
    const auto frames = document->rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.setCellPadding(3);
            format.setCellSpacing(0);
            format.setBorder(1);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(QColor(0xaa, 0xaa, 0xaa));
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
    }
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
    // No ligatures: the PDF's text layer would carry "ﬀ" for "ff" ("Eﬀect"),
    // and a search for "Effect" in a PDF viewer would find nothing.
    QFont font(QStringLiteral("DejaVu Sans"), 10);
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    // Relative image paths resolve against the guide's own folder; the
    // document's own loader resolves them against its URL, not the base URL.
    const QUrl folder = QUrl::fromLocalFile(sourceInfo.absolutePath() + QLatin1Char('/'));
    document.setBaseUrl(folder);
    document.setMetaInformation(QTextDocument::DocumentUrl, folder.toString());
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    polish(&document);

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
