// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;

/**
 * The product guide inside the program: the guide's Markdown with its
 * pictures, a list of its chapters and a search field. It needs no PDF
 * viewer; "Save Guide as PDF..." writes the printed guide where the user
 * wants it.
 */
class GuideWindow : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(GuideWindow)
public:
    /** The guide's Markdown under the program's data folder; its pictures lie beside it in images/. */
    static constexpr char guideFile[] = "help/ProductGuide.md";

    explicit GuideWindow(QWidget *parent = nullptr);
    ~GuideWindow() override;

    /** Reads the guide; false (and the window stays empty) when the file is missing. */
    bool load();
    /** The guide's file name as looked for (for messages when it is missing). */
    static QString guidePath();

    /** Scrolls to chapter @p number ("## 6. ..."); false when the guide has no such chapter. */
    bool showChapter(int number);
    /** The number of the chapter at the top of the view; 0 before the first. */
    int currentChapter() const;

    /** Finds @p text after the current match, from the top again at the end; whether it was found. */
    bool find(const QString &text);

    /** Writes the guide as PDF to @p fileName; false (reason in errorString()) when that fails. */
    bool savePdf(const QString &fileName);
    QString errorString() const { return m_error; }

private:
    void chooseChapter(QListWidgetItem *item);
    void askAndSavePdf();
    void scrollToPosition(int position);

    QLineEdit *m_search = nullptr;
    QLabel *m_searchStatus = nullptr;
    QListWidget *m_contents = nullptr;
    QTextBrowser *m_browser = nullptr;
    // Chapter number -> position of its heading in the document.
    QMap<int, int> m_chapters;
    QString m_error;
};
