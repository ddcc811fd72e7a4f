#include "tasks/TaskManagerViewController.h"

#include "kit/Color.h"
#include "kit/KitImages.h"
#include "kit/TextImageButton.h"
#include "tasks/TaskMonitorWorker.h"
#include "tasks/TaskTerminator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <cerrno>

namespace {

enum Column { NameColumn = 0, PidColumn = 1, CheckBoxColumn = 2 };
constexpr int RefreshInterval = 2000;
constexpr int SurvivorDelay = 5000;
constexpr int RowHeight = 34;

QLabel* captionLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: rgba(0, 0, 0, 0.6);"));
    return label;
}

QLabel* loadLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    QFont font = label->font();
    font.setPixelSize(20);
    font.setBold(true);
    label->setFont(font);
    label->setMinimumWidth(90);
    return label;
}

} // namespace

TaskManagerViewController::TaskManagerViewController(QWidget* parent)
    : TaskManagerViewController(TaskListBuilder::Options(), parent)
{}

TaskManagerViewController::TaskManagerViewController(const TaskListBuilder::Options& options,
                                                     QWidget* parent)
    : ToolPage(QStringLiteral("Task Manager"),
               QStringLiteral("The running applications with their process IDs, and the machine's "
                              "CPU and memory load."),
               parent)
{
    m_listTableView = new QTableWidget(0, 3, this);
    m_listTableView->setObjectName(QStringLiteral("listTableView"));
    m_listTableView->setHorizontalHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("ChcekBox")});
    m_listTableView->horizontalHeader()->hide();
    m_listTableView->verticalHeader()->hide();
    m_listTableView->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    m_listTableView->horizontalHeader()->setSectionResizeMode(CheckBoxColumn, QHeaderView::Fixed);
    m_listTableView->horizontalHeader()->setSectionResizeMode(PidColumn, QHeaderView::Fixed);
    m_listTableView->setColumnWidth(PidColumn, 72);
    m_listTableView->setColumnWidth(CheckBoxColumn, 44);
    m_listTableView->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_listTableView->setIconSize(QSize(24, 24));
    m_listTableView->setShowGrid(false);
    m_listTableView->setAlternatingRowColors(true);
    m_listTableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listTableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listTableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listTableView->setFocusPolicy(Qt::StrongFocus);
    connect(m_listTableView, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == CheckBoxColumn && row >= 0)
            changeCloseButtonState();
    });
    // The keyboard's way to a check box: Space or Enter on the current row.
    connect(m_listTableView, &QTableWidget::itemActivated, this,
            [this](QTableWidgetItem*) { changeCloseButtonState(); });
    bodyLayout()->addWidget(m_listTableView, 1);

    m_messageLabel = new QLabel(this);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->hide();
    m_forceQuitBut = new TextImageButton(QStringLiteral("Force Quit"), 14, this);
    m_forceQuitBut->setImageNames(QStringLiteral("btn_b_normal"), QStringLiteral("btn_b_hover"),
                                  QStringLiteral("btn_b_hover"), QStringLiteral("btn_s_disable"));
    m_forceQuitBut->setFixedSize(96, 24);
    m_forceQuitBut->hide();
    connect(m_forceQuitBut, &TextImageButton::clicked, this, &TaskManagerViewController::forceQuit);
    auto* messageRow = new QHBoxLayout();
    messageRow->addWidget(m_messageLabel, 1);
    messageRow->addWidget(m_forceQuitBut, 0, Qt::AlignVCenter);
    bodyLayout()->addLayout(messageRow);

    m_cpuLabel = loadLabel(this);
    m_memoryLabel = loadLabel(this);
    m_closeBut = new TextImageButton(QStringLiteral("Close"), 16, this);
    m_closeBut->setImageNames(QStringLiteral("btn_b_normal"), QStringLiteral("btn_b_hover"),
                              QStringLiteral("btn_b_hover"), QStringLiteral("btn_s_disable"));
    m_closeBut->setFixedSize(96, 24);
    m_closeBut->setButtonEnabled(true);
    connect(m_closeBut, &TextImageButton::clicked, this,
            &TaskManagerViewController::closeButtonAction);
    auto* loadRow = new QHBoxLayout();
    loadRow->addWidget(captionLabel(QStringLiteral("CPU"), this));
    loadRow->addWidget(m_cpuLabel);
    loadRow->addSpacing(16);
    loadRow->addWidget(captionLabel(QStringLiteral("Memory"), this));
    loadRow->addWidget(m_memoryLabel);
    loadRow->addStretch(1);
    loadRow->addWidget(m_closeBut, 0, Qt::AlignVCenter);
    bodyLayout()->addLayout(loadRow);

    TaskListBuilder::Options workerOptions = options;
    workerOptions.includeOwnProcess = true;
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("TaskManager"));
    m_worker = new TaskMonitorWorker(workerOptions);
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &TaskMonitorWorker::listBuilt, this, &TaskManagerViewController::listBuilt);
    connect(m_worker, &TaskMonitorWorker::loadRead, this, &TaskManagerViewController::showLoad);
    connect(m_worker, &TaskMonitorWorker::applicationsChanged, this,
            &TaskManagerViewController::getAllProcess);
    m_thread->start(QThread::LowPriority);

    m_survivorTimer = new QTimer(this);
    m_survivorTimer->setSingleShot(true);
    m_survivorTimer->setInterval(SurvivorDelay);
    connect(m_survivorTimer, &QTimer::timeout, this, &TaskManagerViewController::checkSurvivors);

    getAllProcess();
    updateSysStat();
    m_timer = new QTimer(this);
    m_timer->setInterval(RefreshInterval);
    connect(m_timer, &QTimer::timeout, this, &TaskManagerViewController::updateSysStat);
    m_timer->start();
}

TaskManagerViewController::~TaskManagerViewController()
{
    // The worker finishes at most the rebuild or reading in hand, a few milliseconds.
    m_thread->quit();
    m_thread->wait();
}

void TaskManagerViewController::getAllProcess()
{
    const quint64 generation = ++m_requestedGeneration;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, generation] { worker->rebuild(generation); },
        Qt::QueuedConnection);
}

void TaskManagerViewController::updateSysStat()
{
    QMetaObject::invokeMethod(m_worker, &TaskMonitorWorker::refresh, Qt::QueuedConnection);
}

void TaskManagerViewController::listBuilt(quint64 generation,
                                          const QList<TaskManagerInfo>& applications)
{
    // Rebuilds run one after another; a late one never replaces a newer list.
    if (generation < m_shownGeneration)
        return;
    m_shownGeneration = generation;
    setApplications(applications);
}

void TaskManagerViewController::setApplications(const QList<TaskManagerInfo>& applications)
{
    m_allApplications = applications;
    reloadTable();
    Q_EMIT applicationsReloaded();
}

QIcon TaskManagerViewController::iconOf(const TaskManagerInfo& record)
{
    QString key = record.image;
    if (key.isEmpty())
        key = record.pID == QCoreApplication::applicationPid() ? QStringLiteral(":corvella")
                                                               : QStringLiteral(":ic_app");
    if (const auto found = m_icons.constFind(key); found != m_icons.cend())
        return *found;
    QIcon icon;
    if (key.startsWith(u':'))
        icon = KitImages::icon(key.mid(1));
    else if (QFileInfo(key).isAbsolute())
        icon = QIcon(key);
    else
        icon = QIcon::fromTheme(key);
    if (icon.isNull())
        icon = KitImages::icon(QStringLiteral("ic_app"));
    m_icons.insert(key, icon);
    return icon;
}

void TaskManagerViewController::reloadTable()
{
    const int current = m_listTableView->currentRow();
    m_listTableView->setRowCount(int(m_allApplications.size()));
    const QIcon ticked = KitImages::icon(QStringLiteral("option_yes"));
    const QIcon unticked = KitImages::icon(QStringLiteral("option_no"));
    for (int row = 0; row < int(m_allApplications.size()); ++row) {
        const TaskManagerInfo& record = m_allApplications.at(row);
        auto* name = new QTableWidgetItem(iconOf(record), record.shownName());
        name->setToolTip(QStringLiteral("%1 — PID %2").arg(record.shownName()).arg(record.pID));
        m_listTableView->setItem(row, NameColumn, name);
        auto* pid = new QTableWidgetItem(QString::number(record.pID));
        pid->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        pid->setForeground(QColor(0, 0, 0, 140));
        m_listTableView->setItem(row, PidColumn, pid);
        auto* box = new QTableWidgetItem(record.bIsSelected ? ticked : unticked, QString());
        box->setData(Qt::AccessibleTextRole,
                     record.bIsSelected ? QStringLiteral("ticked") : QStringLiteral("not ticked"));
        m_listTableView->setItem(row, CheckBoxColumn, box);
    }
    if (current >= 0 && current < m_listTableView->rowCount())
        m_listTableView->setCurrentCell(current, m_listTableView->currentColumn());
}

void TaskManagerViewController::changeCloseButtonState()
{
    const int row = m_listTableView->currentRow();
    if (row < 0 || row >= m_allApplications.size())
        return;
    m_allApplications[row].bIsSelected = !m_allApplications[row].bIsSelected;
    reloadTable();
    const bool anyTicked =
        std::any_of(m_allApplications.cbegin(), m_allApplications.cend(),
                    [](const TaskManagerInfo& record) { return record.bIsSelected; });
    m_closeBut->setButtonEnabled(anyTicked);
}

void TaskManagerViewController::closeButtonAction()
{
    m_closeBut->setButtonEnabled(false);
    QList<TaskManagerInfo> survivors;
    QStringList failures;
    QStringList gone;
    for (const TaskManagerInfo& record : std::as_const(m_allApplications)) {
        if (!record.bIsSelected) {
            survivors.append(record);
            continue;
        }
        const int error = TaskTerminator::doCloseWithPID(record);
        if (error == 0) {
            m_ending.append(record);
        } else if (error == ESRCH) {
            gone.append(QStringLiteral("“%1” (PID %2) had already quit.")
                            .arg(record.shownName())
                            .arg(record.pID));
        } else {
            // Still running and out of reach: it stays listed, with the reason shown.
            failures.append(TaskTerminator::failureText(record, error));
            survivors.append(record);
        }
    }
    m_allApplications = survivors;
    reloadTable();
    if (!failures.isEmpty() || !gone.isEmpty())
        showMessage(failures + gone, !failures.isEmpty());
    else if (m_survivors.isEmpty())
        m_messageLabel->hide();
    if (!m_ending.isEmpty())
        m_survivorTimer->start();
}

void TaskManagerViewController::checkSurvivors()
{
    QList<TaskManagerInfo> stillRunning;
    for (const TaskManagerInfo& record : std::as_const(m_ending)) {
        if (TaskTerminator::isRunning(record))
            stillRunning.append(record);
    }
    m_ending.clear();
    m_survivors.append(stillRunning);
    if (!m_survivors.isEmpty()) {
        QStringList names;
        for (const TaskManagerInfo& record : std::as_const(m_survivors))
            names.append(QStringLiteral("“%1” (PID %2)").arg(record.shownName()).arg(record.pID));
        showMessage({QStringLiteral("Still running after being asked to quit: %1.")
                         .arg(names.join(QStringLiteral(", ")))},
                    false);
        m_forceQuitBut->show();
    }
    Q_EMIT survivorsChecked();
}

void TaskManagerViewController::forceQuit()
{
    QStringList failures;
    for (const TaskManagerInfo& record : std::as_const(m_survivors)) {
        const int error = TaskTerminator::forceQuit(record);
        if (error != 0 && error != ESRCH)
            failures.append(TaskTerminator::failureText(record, error));
    }
    m_survivors.clear();
    m_forceQuitBut->hide();
    if (failures.isEmpty())
        m_messageLabel->hide();
    else
        showMessage(failures, true);
}

void TaskManagerViewController::showMessage(const QStringList& lines, bool failure)
{
    m_messageLabel->setText(lines.join(u'\n'));
    m_messageLabel->setStyleSheet(failure ? QStringLiteral("color: rgb(200, 16, 46);") : QString());
    m_messageLabel->show();
}

void TaskManagerViewController::showLoad(const SystemLoadReading& reading)
{
    if (reading.cpuPercent)
        updateLabel(m_cpuLabel, *reading.cpuPercent);
    updateLabel(m_memoryLabel, reading.memoryPercent);
    Q_EMIT loadUpdated();
}

void TaskManagerViewController::updateLabel(QLabel* label, double percent)
{
    const QColor color = SystemLoadSampler::isHighLoad(percent) ? getColor(225, 16, 61, 0.8f)
                                                                : getColor(46, 127, 231, 0.8f);
    label->setText(getStringColor(SystemLoadSampler::percentText(percent), color));
    label->setProperty("loadColor", color);
}

QString TaskManagerViewController::getStringColor(const QString& text, const QColor& color)
{
    const auto css = [](const QColor& c) {
        return QStringLiteral("rgba(%1,%2,%3,%4)")
            .arg(c.red())
            .arg(c.green())
            .arg(c.blue())
            .arg(c.alphaF(), 0, 'f', 2);
    };
    const qsizetype percent = text.indexOf(u'%');
    const QString before = (percent < 0 ? text : text.left(percent)).toHtmlEscaped();
    QString html = QStringLiteral("<span style=\"color:%1\">%2</span>").arg(css(color), before);
    if (percent >= 0) {
        html += QStringLiteral("<span style=\"color:%1\">%</span>").arg(css(QColor(0, 0, 0, 153)));
        html += QStringLiteral("<span style=\"color:%1\">%2</span>")
                    .arg(css(color), text.mid(percent + 1).toHtmlEscaped());
    }
    return html;
}
