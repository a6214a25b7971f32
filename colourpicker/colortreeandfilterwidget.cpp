// SPDX-License-Identifier: GPL-3.0-or-later
#include "colortreeandfilterwidget.h"

#include "colorfileimporter.h"
#include "filterbox.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorlibrarytreeview.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSettings>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace OvrColorPickerLib {

namespace {
const QString kExportDirKey = QStringLiteral("colorPickerExportDir");

QToolButton *makeButton(QWidget *parent, const QString &name, const QString &text, QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(icon, nullptr, parent));
    button->setToolTip(text);
    button->setAccessibleName(text);
    button->setAutoRaise(true);
    return button;
}
} // namespace

ColorTreeAndFilterWidget::ColorTreeAndFilterWidget(QWidget *parent)
    : QWidget(parent)
    , m_filter(new OvrWidgetsLib::FilterBox(this))
    , m_tree(new OvrColorLibraryTreeView(this))
{
    m_filter->setObjectName(QStringLiteral("colorFilter"));
    m_filter->setPlaceholderText(tr("Filter colors"));
    m_filter->setAccessibleName(tr("Filter colours by name"));
    m_tree->setObjectName(QStringLiteral("colorTree"));
    m_newGroup = makeButton(this, QStringLiteral("newGroupButton"), tr("New Group"), QStyle::SP_FileDialogNewFolder);
    m_load = makeButton(this, QStringLiteral("loadFromFileButton"), tr("Load Colors from File..."),
                        QStyle::SP_DialogOpenButton);
    m_export = makeButton(this, QStringLiteral("exportButton"), tr("Export Colors..."), QStyle::SP_DialogSaveButton);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_filter, 1);
    top->addWidget(m_newGroup);
    top->addWidget(m_load);
    top->addWidget(m_export);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_tree, 1);
    setFocusProxy(m_tree);

    connect(m_filter, &OvrWidgetsLib::FilterBox::filterChanged, m_tree, &OvrColorLibraryTreeView::setFilterText);
    connect(m_newGroup, &QToolButton::clicked, this, &ColorTreeAndFilterWidget::createNewGroup);
    connect(m_load, &QToolButton::clicked, this, &ColorTreeAndFilterWidget::loadFromFile);
    connect(m_export, &QToolButton::clicked, m_tree, &OvrColorLibraryTreeView::exportSelected);
    connect(m_tree, &OvrColorLibraryTreeView::colorItemClicked, this, &ColorTreeAndFilterWidget::colorItemClicked);
}

QSize ColorTreeAndFilterWidget::sizeHint() const
{
    const QSize hint = QWidget::sizeHint();
    return QSize(qMax(minimumSizeHint().width(), qMin(hint.width(), 12 * fontMetrics().height())), hint.height());
}

QString ColorTreeAndFilterWidget::createNewGroup()
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const QString name = library->getNewColorListName(tr("New Group"));
    library->createColorList(name, true);
    selectList(name, true);
    return name;
}

void ColorTreeAndFilterWidget::selectList(const QString &listId, bool edit)
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    QModelIndex index = m_tree->viewIndex(library->getIndexOfList(listId));
    if (!index.isValid() && !m_tree->currentFilterText().isEmpty()) {
        m_filter->clearFilter(); // the filter hides it: show everything again
        index = m_tree->viewIndex(library->getIndexOfList(listId));
    }
    if (!index.isValid())
        return;
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    if (edit)
        m_tree->edit(index);
}

void ColorTreeAndFilterWidget::loadFromFile()
{
    QSettings settings;
    const QString dir = settings.value(kExportDirKey, QDir::homePath()).toString();
    const QString path = QFileDialog::getOpenFileName(this, tr("Load Colors from a File"), dir,
                                                      tr("Ovr Color Files (*.ovrcolors);;All Files (*.* *)"));
    if (path.isEmpty())
        return;
    loadFile(path);
}

bool ColorTreeAndFilterWidget::loadFile(const QString &path, bool showErrors)
{
    QString error;
    QStringList lists;
    if (!ColorFileImporter::importFile(path, &error, &lists)) {
        if (showErrors)
            QMessageBox::warning(this, tr("Load Colors"),
                                 tr("The colours of \"%1\" were not loaded.\n\n%2")
                                     .arg(QFileInfo(path).fileName(), error));
        return false;
    }
    if (!lists.isEmpty())
        selectList(lists.first(), false);
    return true;
}

} // namespace OvrColorPickerLib
