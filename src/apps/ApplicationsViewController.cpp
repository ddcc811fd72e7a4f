#include "apps/ApplicationsViewController.h"

#include "apps/ApplicationCatalogue.h"
#include "apps/ApplicationListModel.h"
#include "common/BackgroundTask.h"
#include "kit/ImageButton.h"
#include "platform/desktop/ApplicationLauncher.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// A click on a row opens it this much later, as a double click would be too slow to ask for.
constexpr int openDelayMilliseconds = 300;
constexpr int rowHeight = 36;
} // namespace

ApplicationsViewController::ApplicationsViewController(QWidget* parent)
    : ToolPage(tr("Applications"),
               tr("Every installed application, searchable by name and opened with one click."),
               parent)
{
    auto* searchRow = new QHBoxLayout();
    m_textField = new QLineEdit(this);
    m_textField->setPlaceholderText(tr("Search"));
    m_textField->setAccessibleName(tr("Search applications"));
    m_closeBut = new ImageButton(QStringLiteral("ic_remove"), this);
    m_closeBut->setHoverImageName(QStringLiteral("ic_remove_hover"));
    m_closeBut->setFixedSize(20, 20);
    m_closeBut->setToolTip(tr("Clear the search"));
    m_closeBut->setAccessibleName(tr("Clear the search"));
    m_closeBut->hide();
    searchRow->addWidget(m_textField, 1);
    searchRow->addWidget(m_closeBut);
    bodyLayout()->addLayout(searchRow);

    m_model = new ApplicationListModel(this);
    m_listTableView = new QTableView(this);
    m_listTableView->setModel(m_model);
    m_listTableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listTableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listTableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listTableView->setShowGrid(false);
    m_listTableView->setFrameShape(QFrame::NoFrame);
    m_listTableView->setIconSize(QSize(24, 24));
    m_listTableView->horizontalHeader()->hide();
    m_listTableView->verticalHeader()->hide();
    m_listTableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_listTableView->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_listTableView->horizontalHeader()->setSectionResizeMode(ApplicationListModel::NameColumn,
                                                              QHeaderView::Stretch);
    m_listTableView->horizontalHeader()->setSectionResizeMode(ApplicationListModel::OpenColumn,
                                                              QHeaderView::Fixed);
    m_listTableView->horizontalHeader()->resizeSection(ApplicationListModel::OpenColumn, 40);
    m_listTableView->installEventFilter(this);
    // Tab leaves the list for the next control instead of walking its cells.
    m_listTableView->setTabKeyNavigation(false);
    bodyLayout()->addWidget(m_listTableView, 1);

    m_catalogue = new ApplicationCatalogue(this);
    connect(m_catalogue, &ApplicationCatalogue::batchFound, this,
            &ApplicationsViewController::addBatch);
    connect(m_catalogue, &ApplicationCatalogue::scanFinished, this,
            &ApplicationsViewController::finishScan);
    connect(m_listTableView, &QTableView::clicked, this, &ApplicationsViewController::rowClicked);
    connect(m_textField, &QLineEdit::textChanged, this, [this] {
        m_closeBut->setVisible(!m_textField->text().isEmpty());
        searchBarAction();
    });
    connect(m_textField, &QLineEdit::returnPressed, this, [this] { openRow(0); });
    connect(m_closeBut, &ImageButton::clicked, this,
            &ApplicationsViewController::closeButtonAction);
    getApplications();
}

void ApplicationsViewController::getApplications()
{
    m_textField->setEnabled(false);
    m_allApplications.clear();
    m_catalogue->getApplications();
}

void ApplicationsViewController::addBatch(const QList<AMAppItem>& items)
{
    m_allApplications.append(items);
    ApplicationCatalogue::sortByName(m_allApplications);
    showRows();
}

void ApplicationsViewController::finishScan()
{
    m_oldAllApplications = m_allApplications;
    m_textField->setEnabled(true);
    Q_EMIT scanFinished();
}

void ApplicationsViewController::searchBarAction()
{
    m_allApplications = ApplicationCatalogue::search(m_oldAllApplications, m_textField->text());
    showRows();
}

void ApplicationsViewController::closeButtonAction()
{
    m_closeBut->hide();
    m_textField->clear();
    m_textField->setFocus();
    searchBarAction();
}

void ApplicationsViewController::showRows()
{
    m_model->setApplications(m_allApplications);
}

void ApplicationsViewController::rowClicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    m_selectIndex = index.row();
    if (index.column() == ApplicationListModel::OpenColumn) {
        openItemsAction();
        return;
    }
    // The clicked application, not whatever holds the row when the delay ends: a batch of the
    // scan or a search may reorder the rows in between.
    m_clickedPath = m_allApplications.at(m_selectIndex).path;
    QTimer::singleShot(openDelayMilliseconds, this, &ApplicationsViewController::openApp);
}

bool ApplicationsViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listTableView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QModelIndex current = m_listTableView->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
            current.isValid()) {
            openRow(current.row());
            return true;
        }
    }
    return ToolPage::eventFilter(watched, event);
}

void ApplicationsViewController::openRow(int row)
{
    if (row < 0 || row >= m_allApplications.size())
        return;
    m_listTableView->setCurrentIndex(m_model->index(row, ApplicationListModel::NameColumn));
    m_selectIndex = row;
    openItemsAction();
}

void ApplicationsViewController::openApp()
{
    if (!m_clickedPath.isEmpty())
        launch(std::exchange(m_clickedPath, QString()));
    else if (m_selectIndex >= 0 && m_selectIndex < m_allApplications.size())
        launch(m_allApplications.at(m_selectIndex).path);
}

void ApplicationsViewController::openItemsAction()
{
    if (m_selectIndex < 0 || m_selectIndex >= m_allApplications.size())
        return;
    const QString path = m_allApplications.at(m_selectIndex).path;
    qDebug("---------------open::%s", qUtf8Printable(path));
    launch(path);
}

void ApplicationsViewController::launch(const QString& path)
{
    showNotice(QString());
    BackgroundTask::run(
        this, [path] { return ApplicationLauncher::launch(path).error; },
        [this, path](const QString& error) {
            showNotice(error);
            Q_EMIT launchFinished(path, error);
        });
}
