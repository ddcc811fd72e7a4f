#include "tasks/TaskManagerViewController.h"

#include "common/PublicUtilities.h"
#include "kit/ApplicationIcon.h"
#include "kit/Color.h"
#include "kit/ColorScheme.h"
#include "kit/ConfirmationDialog.h"
#include "kit/KitImages.h"
#include "kit/TextImageButton.h"
#include "platform/x11/WindowSystem.h"
#include "tasks/TaskListModel.h"
#include "tasks/TaskMonitor.h"
#include "tasks/TaskTerminator.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSocketNotifier>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <cerrno>

namespace {

constexpr int NameColumn = TaskListModel::NameColumn;
constexpr int PidColumn = TaskListModel::PidColumn;
constexpr int CheckBoxColumn = TaskListModel::CheckBoxColumn;
constexpr int RefreshInterval = 2000;
constexpr int RowHeight = 34;

QLabel* captionLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    ColorScheme::setTextColor(label, ColorScheme::Text::Secondary);
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
    : ToolPage(tr("Task Manager"),
               tr("The running applications with their process IDs, and the machine's "
                  "CPU and memory load."),
               parent)
{
    m_model =
        new TaskListModel([this](const TaskManagerInfo& record) { return iconOf(record); }, this);
    m_listTableView = new QTableView(this);
    m_listTableView->setObjectName(QStringLiteral("listTableView"));
    m_listTableView->setAccessibleName(tr("Running applications"));
    // A refresh never hands the selection to a neighbour: when the selected application leaves,
    // nothing is selected (the view and its selection model would otherwise make the next row
    // current, and Enter would then toggle an application the user never chose). Connected
    // before the view takes the model, so that this runs before their own handlers.
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                const int current = m_listTableView->currentIndex().row();
                if (current >= first && current <= last)
                    m_listTableView->selectionModel()->clear();
            });
    m_listTableView->setModel(m_model);
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
    // Tab leaves the list for the next control instead of walking its cells.
    m_listTableView->setTabKeyNavigation(false);
    connect(m_listTableView, &QTableView::clicked, this, [this](const QModelIndex& index) {
        // Styles that activate on a single click toggle through activated() alone.
        if (index.column() == CheckBoxColumn &&
            !m_listTableView->style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick,
                                                 nullptr, m_listTableView))
            changeCloseButtonState();
    });
    // The keyboard's way to a check box: Enter on the current row.
    connect(m_listTableView, &QTableView::activated, this,
            [this](const QModelIndex&) { changeCloseButtonState(); });
    m_listTableView->installEventFilter(this);
    bodyLayout()->addWidget(m_listTableView, 1);

    m_messageLabel = new QLabel(this);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->hide();
    m_forceQuitBut = new TextImageButton(tr("Force Quit"), 14, this);
    m_forceQuitBut->setImageNames(QStringLiteral("btn_b_normal"), QStringLiteral("btn_b_hover"),
                                  QStringLiteral("btn_b_hover"), QStringLiteral("btn_s_disable"));
    m_forceQuitBut->setFixedSize(qMax(96, m_forceQuitBut->titleWidthHint()), 24);
    m_forceQuitBut->hide();
    connect(m_forceQuitBut, &TextImageButton::clicked, this, &TaskManagerViewController::forceQuit);
    auto* messageRow = new QHBoxLayout();
    messageRow->addWidget(m_messageLabel, 1);
    messageRow->addWidget(m_forceQuitBut, 0, Qt::AlignVCenter);
    bodyLayout()->addLayout(messageRow);

    // Only X11 shows one application the windows of others; elsewhere the list says what it
    // can do without them.
    m_sessionNoteLabel = captionLabel(
        tr("Needs an X11 session to see windows: under Wayland, applications are listed by "
           "process, and Close ends one without an X11 window with the termination signal, so "
           "it cannot offer to save."),
        this);
    m_sessionNoteLabel->setWordWrap(true);
    m_sessionNoteLabel->setVisible(!WindowSystem::instance().isX11());
    bodyLayout()->addWidget(m_sessionNoteLabel);

    m_cpuLabel = loadLabel(this);
    m_memoryLabel = loadLabel(this);
    m_cpuLabel->installEventFilter(this); // drawn again in a new colour scheme
    m_memoryLabel->installEventFilter(this);
    m_closeBut = new TextImageButton(tr("Close", "verb: quit the ticked applications"), 16, this);
    m_closeBut->setImageNames(QStringLiteral("btn_b_normal"), QStringLiteral("btn_b_hover"),
                              QStringLiteral("btn_b_hover"), QStringLiteral("btn_s_disable"));
    m_closeBut->setFixedSize(96, 24);
    m_closeBut->setButtonEnabled(true);
    connect(m_closeBut, &TextImageButton::clicked, this,
            &TaskManagerViewController::closeButtonAction);
    auto* loadRow = new QHBoxLayout();
    loadRow->addWidget(captionLabel(tr("CPU"), this));
    loadRow->addWidget(m_cpuLabel);
    loadRow->addSpacing(16);
    loadRow->addWidget(captionLabel(tr("Memory"), this));
    loadRow->addWidget(m_memoryLabel);
    loadRow->addStretch(1);
    loadRow->addWidget(m_closeBut, 0, Qt::AlignVCenter);
    bodyLayout()->addLayout(loadRow);

    TaskListBuilder::Options workerOptions = options;
    workerOptions.includeOwnProcess = true;
    m_monitor = std::make_shared<TaskMonitor>(workerOptions);
    m_queue.run(
        this, [monitor = m_monitor] { return monitor->windowChangeDescriptor(); },
        [this](int descriptor) { watchWindows(descriptor); });

    getAllProcess();
    updateSysStat();
    m_timer = new QTimer(this);
    m_timer->setInterval(RefreshInterval);
    connect(m_timer, &QTimer::timeout, this, &TaskManagerViewController::updateSysStat);
    m_timer->start();
}

TaskManagerViewController::~TaskManagerViewController()
{
    // The notifier goes before the jobs in hand can end and close the descriptor it watches.
    delete m_windowNotifier;
}

void TaskManagerViewController::getAllProcess()
{
    const quint64 generation = ++m_requestedGeneration;
    m_queue.run(
        this, [monitor = m_monitor] { return monitor->rebuild(); },
        [this, generation](const TaskMonitor::Rebuild& rebuild) {
            listBuilt(generation, rebuild.applications);
            if (rebuild.windowsChanged)
                getAllProcess();
        });
}

void TaskManagerViewController::updateSysStat()
{
    m_queue.run(
        this, [monitor = m_monitor] { return monitor->refresh(); },
        [this](const TaskMonitor::Refresh& refresh) {
            showLoad(refresh.load);
            if (refresh.applicationsChanged)
                getAllProcess();
        });
}

void TaskManagerViewController::watchWindows(int descriptor)
{
    if (descriptor < 0)
        return;
    m_windowNotifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(m_windowNotifier, &QSocketNotifier::activated, this,
            &TaskManagerViewController::windowsMayHaveChanged);
}

void TaskManagerViewController::windowsMayHaveChanged()
{
    // Quiet until the job has read the notices, or the descriptor stays readable meanwhile.
    m_windowNotifier->setEnabled(false);
    m_queue.run(
        this,
        [monitor = m_monitor] {
            const bool changed = monitor->takeWindowChange();
            return std::pair(changed, monitor->windowChangeDescriptor() >= 0);
        },
        [this](std::pair<bool, bool> outcome) {
            if (outcome.first)
                getAllProcess();
            // A display that went away leaves its socket readable for ever: stop listening.
            m_windowNotifier->setEnabled(outcome.second);
        });
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
    m_model->setApplications(applications);
    Q_EMIT applicationsReloaded();
}

const QList<TaskManagerInfo>& TaskManagerViewController::allApplications() const
{
    return m_model->applications();
}

QIcon TaskManagerViewController::iconOf(const TaskManagerInfo& record)
{
    // A process that no entry names shows the kit's own image: Corvella's for this process.
    const bool own = record.image.isEmpty() && record.pID == QCoreApplication::applicationPid();
    const QString fallback = own ? QStringLiteral("corvella") : QStringLiteral("ic_app");
    const QString key = record.image.isEmpty() ? u':' + fallback : record.image;
    if (const auto found = m_icons.constFind(key); found != m_icons.cend())
        return *found;
    const QIcon icon = ApplicationIcon::of(record.image, KitImages::icon(fallback));
    m_icons.insert(key, icon);
    return icon;
}

void TaskManagerViewController::updateCloseButton()
{
    m_closeBut->setButtonEnabled(m_model->anyTicked());
}

void TaskManagerViewController::changeCloseButtonState()
{
    if (m_model->toggle(m_listTableView->currentIndex().row()))
        updateCloseButton();
}

bool TaskManagerViewController::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_cpuLabel || watched == m_memoryLabel) &&
        event->type() == QEvent::PaletteChange && watched->property("loadPercent").isValid()) {
        auto* label = static_cast<QLabel*>(watched);
        updateLabel(label, label->property("loadPercent").toDouble());
    }
    if (watched == m_listTableView && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        changeCloseButtonState();
        return true;
    }
    return ToolPage::eventFilter(watched, event);
}

void TaskManagerViewController::closeButtonAction()
{
    QStringList names;
    for (const TaskManagerInfo& record : allApplications()) {
        if (record.bIsSelected)
            names.append(tr("“%1” (PID %2)").arg(record.shownName()).arg(record.pID));
    }
    if (names.isEmpty()) {
        m_closeBut->setButtonEnabled(false);
        return;
    }
    if (PublicUtilities::confirmsIrreversibleActions()) {
        const QString question =
            tr("Quit %n application(s)? Unsaved changes may be lost.", nullptr, names.size()) +
            u"\n\n" + names.join(u'\n');
        const QString detail =
            tr("Each is asked to close, as its own close button would, so it can offer to save. "
               "One without a window, or still running after %1 seconds, is sent the "
               "termination signal.")
                .arg(m_graceMilliseconds / 1000);
        if (!ConfirmationDialog::ask(this, question, detail, tr("Quit")))
            return;
    }
    m_closeBut->setButtonEnabled(false);
    // The ticks may have changed while the question was open: end what is ticked now.
    const QList<TaskManagerInfo> ending = m_model->takeTicked();
    if (ending.isEmpty())
        return;
    if (m_survivors.isEmpty())
        m_messageLabel->hide();
    ApplicationCloser::Options options;
    options.graceMilliseconds = m_graceMilliseconds;
    options.windows = [] {
        return TaskListBuilder::createWindowSource();
    };
    auto* closer = new ApplicationCloser(options, this);
    connect(closer, &ApplicationCloser::finished, this,
            &TaskManagerViewController::closingFinished);
    connect(closer, &ApplicationCloser::finished, closer, &QObject::deleteLater);
    closer->close(ending);
}

void TaskManagerViewController::closingFinished(const QList<ApplicationCloser::Result>& results)
{
    QStringList failures;
    QStringList gone;
    for (const ApplicationCloser::Result& result : results) {
        if (result.outcome == ApplicationCloser::Outcome::StillRunning)
            m_survivors.append(result.record);
        else if (result.outcome == ApplicationCloser::Outcome::Failed && result.error == ESRCH)
            gone.append(tr("“%1” (PID %2) had already quit.")
                            .arg(result.record.shownName())
                            .arg(result.record.pID));
        else if (result.outcome == ApplicationCloser::Outcome::Failed)
            failures.append(result.text());
    }
    QStringList lines = failures + gone;
    if (!m_survivors.isEmpty()) {
        QStringList names;
        for (const TaskManagerInfo& record : std::as_const(m_survivors))
            names.append(tr("“%1” (PID %2)").arg(record.shownName()).arg(record.pID));
        lines.append(tr("Still running after being asked to quit: %1.")
                         .arg(names.join(QStringLiteral(", "))));
        m_forceQuitBut->show();
    }
    if (!lines.isEmpty())
        showMessage(lines, !failures.isEmpty());
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
    ColorScheme::setTextColor(m_messageLabel,
                              failure ? ColorScheme::Text::Notice : ColorScheme::Text::Normal);
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
    // Shown as readable on the tab as the palette allows; the property keeps the load's colour.
    const QPalette& colors = label->palette();
    label->setText(getStringColor(SystemLoadSampler::percentText(percent),
                                  ColorScheme::readable(color, {colors.color(QPalette::Window),
                                                                colors.color(QPalette::Base)})));
    label->setProperty("loadColor", color);
    label->setProperty("loadPercent", percent);
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
        const QColor sign =
            ColorScheme::textColor(QApplication::palette(), ColorScheme::Text::Secondary);
        html += QStringLiteral("<span style=\"color:%1\">%</span>").arg(css(sign));
        html += QStringLiteral("<span style=\"color:%1\">%2</span>")
                    .arg(css(color), text.mid(percent + 1).toHtmlEscaped());
    }
    return html;
}
