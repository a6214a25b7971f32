// SPDX-License-Identifier: GPL-3.0-or-later
#include "guidewindow.h"

#include "ovrdatafiles.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

const char printedGuide[] = "help/LumetraKeypad_ProductGuide.pdf";

} // namespace

GuideWindow::GuideWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("GuideWindow"));
    setWindowTitle(tr("Lumetra Keypad Effect Manager Guide"));

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    m_search->setPlaceholderText(tr("Search the guide"));
    m_search->setClearButtonEnabled(true);
    m_searchStatus = new QLabel(this);
    m_searchStatus->setObjectName(QStringLiteral("searchStatusLabel"));
    auto *savePdf = new QPushButton(tr("Save Guide as PDF..."), this);
    savePdf->setObjectName(QStringLiteral("savePdfButton"));

    m_contents = new QListWidget(this);
    m_contents->setObjectName(QStringLiteral("contentsList"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("guideBrowser"));
    m_browser->setOpenExternalLinks(true);

    auto *split = new QSplitter(this);
    split->addWidget(m_contents);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);
    split->setSizes({fontMetrics().averageCharWidth() * 32, fontMetrics().averageCharWidth() * 90});

    auto *top = new QHBoxLayout;
    top->addWidget(m_search, 1);
    top->addWidget(m_searchStatus);
    top->addWidget(savePdf);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);

    connect(m_contents, &QListWidget::itemActivated, this, &GuideWindow::chooseChapter);
    connect(m_contents, &QListWidget::itemClicked, this, &GuideWindow::chooseChapter);
    // Typing searches from the top; Enter goes on to the next match.
    connect(m_search, &QLineEdit::textEdited, this, [this](const QString &text) {
        QTextCursor start(m_browser->document());
        m_browser->setTextCursor(start);
        find(text);
    });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { find(m_search->text()); });
    connect(savePdf, &QPushButton::clicked, this, &GuideWindow::askAndSavePdf);

    resize(fontMetrics().averageCharWidth() * 130, fontMetrics().height() * 45);
}

GuideWindow::~GuideWindow() = default;

QString GuideWindow::guidePath()
{
    return OvrDataFiles::locate(QLatin1String(guideFile));
}

bool GuideWindow::load()
{
    const QString path = guidePath();
    if (!QFileInfo::exists(path))
        return false;
    // Pictures ("images/x.png") resolve against the guide's own folder.
    m_browser->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);

    m_contents->clear();
    m_chapters.clear();
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)\\.\\s"));
    for (QTextBlock block = m_browser->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 2)
            continue;
        const QString title = block.text().trimmed();
        const QRegularExpressionMatch match = numbered.match(title);
        if (!match.hasMatch())
            continue; // "Contents": the list beside it is the contents
        const int number = match.captured(1).toInt();
        m_chapters.insert(number, block.position());
        auto *item = new QListWidgetItem(title, m_contents);
        item->setData(Qt::UserRole, number);
    }
    // Every chapter title readable whole.
    m_contents->setMinimumWidth(m_contents->sizeHintForColumn(0) + 2 * m_contents->frameWidth()
                                + m_contents->verticalScrollBar()->sizeHint().width());
    return true;
}

void GuideWindow::scrollToPosition(int position)
{
    // The whole document laid out first, so the scroll range reaches the block.
    m_browser->document()->documentLayout()->documentSize();
    const QTextBlock block = m_browser->document()->findBlock(position);
    QTextCursor cursor(block);
    m_browser->setTextCursor(cursor);
    const QRectF rect = m_browser->document()->documentLayout()->blockBoundingRect(block);
    m_browser->verticalScrollBar()->setValue(int(rect.top()));
}

bool GuideWindow::showChapter(int number)
{
    const auto it = m_chapters.constFind(number);
    if (it == m_chapters.cend())
        return false;
    scrollToPosition(it.value());
    for (int row = 0; row < m_contents->count(); ++row) {
        if (m_contents->item(row)->data(Qt::UserRole).toInt() == number)
            m_contents->setCurrentRow(row);
    }
    return true;
}

int GuideWindow::currentChapter() const
{
    // The last chapter whose heading lies at or above the top of the view.
    const int top = m_browser->verticalScrollBar()->value();
    int current = 0;
    for (auto it = m_chapters.cbegin(); it != m_chapters.cend(); ++it) {
        const QTextBlock block = m_browser->document()->findBlock(it.value());
        if (m_browser->document()->documentLayout()->blockBoundingRect(block).top() <= top + 1)
            current = it.key();
    }
    return current;
}

void GuideWindow::chooseChapter(QListWidgetItem *item)
{
    if (item)
        showChapter(item->data(Qt::UserRole).toInt());
}

bool GuideWindow::find(const QString &text)
{
    if (text.isEmpty()) {
        m_searchStatus->clear();
        return false;
    }
    bool found = m_browser->find(text);
    if (!found) {
        // From the top again.
        m_browser->setTextCursor(QTextCursor(m_browser->document()));
        found = m_browser->find(text);
    }
    m_searchStatus->setText(found ? QString() : tr("Not found"));
    return found;
}

bool GuideWindow::savePdf(const QString &fileName)
{
    m_error.clear();
    const QString source = OvrDataFiles::locate(QLatin1String(printedGuide));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        m_error = tr("The printed guide %1 cannot be read: %2").arg(source, in.errorString());
        return false;
    }
    // Written whole beside the target and renamed over it.
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(in.readAll()) < 0 || !out.commit()) {
        m_error = tr("Cannot write file %1: %2").arg(fileName, out.errorString());
        return false;
    }
    return true;
}

void GuideWindow::askAndSavePdf()
{
    QFileDialog dialog(this, tr("Save Guide as PDF"), QString(), tr("PDF Files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QFileInfo(QLatin1String(printedGuide)).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().constFirst();
    if (savePdf(fileName))
        m_searchStatus->setText(tr("Saved to %1").arg(QFileInfo(fileName).fileName()));
    else
        QMessageBox::warning(this, tr("Save Error"), m_error);
}
