#include "trash/TrashViewController.h"

#include "common/PublicUtilities.h"
#include "common/SizeModeSetting.h"
#include "kit/Announcer.h"
#include "kit/ConfirmationDialog.h"
#include "kit/ImageButton.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"
#include "kit/TrafficLightButton.h"
#include "trash/TrashListModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTreeView>

namespace {

constexpr QRect kListFrame{16, 40, 668, 330};

TextImageButton* faceButton(const QString& title, const QString& face, QWidget* parent)
{
    auto* button = new TextImageButton(title, 12, parent);
    button->setImageNames(face + QStringLiteral("_normal"), face + QStringLiteral("_press"),
                          face + QStringLiteral("_hover"), face + QStringLiteral("_disable"));
    return button;
}

QLabel* smallLabel(QWidget* parent, const char* color)
{
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setPixelSize(11);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1StringView(color)));
    return label;
}

} // namespace

TrashViewController::TrashViewController(const TrashCleaner& cleaner, QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("Trash"));
    setFixedSize(kViewSize);

    auto* close = new TrafficLightButton(QStringLiteral("close"), this);
    close->setGeometry(14, 12, 12, 12);
    close->setup();
    connect(close, &TrafficLightButton::clicked, this, &TrashViewController::closeWindow);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TrashViewController::closeWindow);

    auto* title = new QLabel(QStringLiteral("Trash"), this);
    title->setGeometry(80, 8, kViewSize.width() - 160, 22);
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    if (const QString light = PublicUtilities::getLightFontName(); !light.isEmpty())
        titleFont.setFamily(light);
    titleFont.setPixelSize(14);
    title->setFont(titleFont);

    m_model = new TrashListModel(cleaner, this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(TrashListModel::SortRole);
    m_listView = new QTreeView(this);
    m_listView->setGeometry(kListFrame);
    m_listView->setRootIsDecorated(false);
    m_listView->setUniformRowHeights(true);
    m_listView->setAlternatingRowColors(true);
    m_listView->setAllColumnsShowFocus(true);
    m_listView->setSelectionMode(QAbstractItemView::NoSelection);
    m_listView->setTextElideMode(Qt::ElideMiddle);
    m_listView->setModel(m_sorted);
    m_listView->setSortingEnabled(true);
    m_listView->sortByColumn(TrashListModel::DateColumn, Qt::DescendingOrder);
    QHeaderView* header = m_listView->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(TrashListModel::LocationColumn, QHeaderView::Stretch);
    m_listView->setColumnWidth(TrashListModel::CheckColumn, 34);
    m_listView->setColumnWidth(TrashListModel::NameColumn, 200);
    m_listView->setColumnWidth(TrashListModel::DateColumn, 120);
    m_listView->setColumnWidth(TrashListModel::SizeColumn, 80);
    // A click anywhere on a row ticks it, as in the Downloads window.
    connect(m_listView, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == TrashListModel::CheckColumn)
            return;
        const QModelIndex box = m_sorted->index(index.row(), TrashListModel::CheckColumn);
        const bool checked = box.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        m_sorted->setData(box, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    });

    m_selectAllButton = new ImageButton(QStringLiteral("option_no"), header);
    m_selectAllButton->setGeometry(9, 5, 16, 16);
    m_selectAllButton->setToolTip(QStringLiteral("Select All"));
    m_selectAllButton->setAccessibleName(tr("Select All"));
    connect(m_selectAllButton, &ImageButton::clicked, this,
            &TrashViewController::setAllSelectOrNoSelect);

    m_placeholder = new QLabel(m_listView->viewport());
    m_placeholder->setGeometry(24, 40, kListFrame.width() - 48, 120);
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setWordWrap(true);
    m_placeholder->setStyleSheet(QStringLiteral("color: rgb(110, 116, 128);"));

    m_summaryLabel = smallLabel(this, "rgb(110, 116, 128)");
    m_summaryLabel->setGeometry(16, kListFrame.bottom() + 4, 420, 18);
    m_freedLabel = smallLabel(this, "rgb(40, 140, 70)");
    m_freedLabel->setGeometry(440, kListFrame.bottom() + 4, 244, 18);
    m_freedLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_failureLabel = smallLabel(this, "rgb(190, 50, 40)");
    m_failureLabel->setGeometry(16, kViewSize.height() - 50, 260, 42);
    m_failureLabel->setWordWrap(true);
    m_failureLabel->setTextFormat(Qt::RichText);
    connect(m_failureLabel, &QLabel::linkActivated, this, [this] {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Trash"), failureText(),
                        QMessageBox::Ok, this);
        box.setDetailedText(m_failureDetails.join(u'\n'));
        box.exec();
    });

    const int buttonTop = kViewSize.height() - 44;
    m_restoreButton = faceButton(QStringLiteral("Restore"), QStringLiteral("btn_secl"), this);
    m_restoreButton->setGeometry(300, buttonTop, 120, 30);
    connect(m_restoreButton, &TextImageButton::clicked, this,
            &TrashViewController::restoreButtonAction);
    m_deleteButton = faceButton(QStringLiteral("Delete"), QStringLiteral("btn_secl"), this);
    m_deleteButton->setGeometry(430, buttonTop, 120, 30);
    connect(m_deleteButton, &TextImageButton::clicked, this,
            &TrashViewController::deleteButtonAction);
    m_emptyButton = faceButton(QStringLiteral("Empty Trash"), QStringLiteral("btn_secl"), this);
    m_emptyButton->setGeometry(560, buttonTop, 124, 30);
    connect(m_emptyButton, &TextImageButton::clicked, this,
            &TrashViewController::emptyTrashButtonAction);

    connect(m_model, &TrashListModel::listed, this, [this] {
        // A trash that cannot be read is said, unless an action's outcome is being shown.
        if (m_failureDetails.isEmpty() || m_failureDetails == m_listingProblems) {
            m_listingProblems = m_model->problems();
            showFailures(m_listingProblems);
        }
        updateState();
    });
    connect(m_model, &TrashListModel::checkedChanged, this, &TrashViewController::updateState);
    connect(m_model, &TrashListModel::busyChanged, this, &TrashViewController::updateState);
    connect(m_model, &TrashListModel::restoreFinished, this,
            &TrashViewController::showRestoreOutcome);
    connect(m_model, &TrashListModel::deleteFinished, this,
            &TrashViewController::showDeleteOutcome);
    m_failureLabel->hide();
    updateState();
    m_model->refresh();
}

TrashViewController::~TrashViewController() = default;

void TrashViewController::setSuperDelegate(StatusAttachedWindow* window)
{
    if (m_superDelegate)
        disconnect(m_superDelegate, nullptr, this, nullptr);
    m_superDelegate = window;
}

void TrashViewController::closeWindow()
{
    if (m_superDelegate)
        m_superDelegate->close();
    else
        close();
}

QString TrashViewController::summaryText() const
{
    return m_summaryLabel->text();
}

QString TrashViewController::freedText() const
{
    return m_freedLabel->text();
}

QString TrashViewController::failureText() const
{
    return m_failureLabel->isHidden() ? QString() : m_failureLabel->text().section(u'<', 0, 0);
}

bool TrashViewController::actionButtonsEnabled() const
{
    return m_restoreButton->isEnabled() && m_deleteButton->isEnabled();
}

void TrashViewController::updateState()
{
    const int count = m_model->rowCount();
    const int checked = int(m_model->checkedItems().size());
    const bool busy = m_model->isBusy();
    const SizeMode mode = m_model->sizeMode();
    QString summary = QStringLiteral("%1, %2").arg(
        PublicUtilities::itemCount(count), SizeModeSetting::figure(m_model->totalBytes(), mode));
    if (checked > 0)
        summary += QStringLiteral(" — %1 selected (%2)")
                       .arg(checked)
                       .arg(PublicUtilities::longlongDiskSize(m_model->checkedBytes()));
    m_summaryLabel->setText(m_model->isLoaded() ? summary : QString());
    m_restoreButton->setEnabled(checked > 0 && !busy);
    m_deleteButton->setEnabled(checked > 0 && !busy);
    m_emptyButton->setEnabled(count > 0 && !busy);
    m_selectAllButton->setImageName(checked == 0       ? QStringLiteral("option_no")
                                    : checked == count ? QStringLiteral("option_yes")
                                                       : QStringLiteral("option_a"));
    const QString placeholder = !m_model->isLoaded() ? QStringLiteral("Reading the Trash…")
                                : count > 0          ? QString()
                                : m_model->problems().isEmpty()
                                    ? QStringLiteral("The Trash is empty.")
                                    : m_model->problems().join(u'\n');
    m_placeholder->setText(placeholder);
    m_placeholder->setVisible(!placeholder.isEmpty());
}

void TrashViewController::setAllSelectOrNoSelect()
{
    const qsizetype checked = m_model->checkedItems().size();
    m_model->setAllChecked(checked != m_model->rowCount());
}

bool TrashViewController::confirm(const QString& question, const QString& detail,
                                  const QString& action)
{
    return !PublicUtilities::confirmsIrreversibleActions() ||
           ConfirmationDialog::ask(this, question, detail, action);
}

void TrashViewController::restoreButtonAction()
{
    m_failureLabel->hide();
    m_model->restoreChecked();
    updateState();
}

void TrashViewController::deleteButtonAction()
{
    const TrashItems chosen = m_model->checkedItems();
    if (chosen.isEmpty() ||
        !confirm(QStringLiteral("Permanently erase %1 (%2)? This cannot be undone.")
                     .arg(PublicUtilities::itemCount(int(chosen.size())),
                          SizeModeSetting::figure(m_model->checkedBytes(), m_model->sizeMode())),
                 QStringLiteral("The chosen items are removed from the Trash for good."),
                 QStringLiteral("Delete")))
        return;
    m_failureLabel->hide();
    m_model->deleteChecked();
    updateState();
}

void TrashViewController::emptyTrashButtonAction()
{
    if (!confirm(QStringLiteral("Permanently erase %1 (%2) in the Trash? This cannot be undone.")
                     .arg(PublicUtilities::itemCount(m_model->rowCount()),
                          SizeModeSetting::figure(m_model->totalBytes(), m_model->sizeMode())),
                 QStringLiteral("This empties the Trash of your home folder and of every "
                                "mounted volume."),
                 QStringLiteral("Empty Trash")))
        return;
    m_failureLabel->hide();
    m_model->emptyTrash();
    updateState();
}

void TrashViewController::showRestoreOutcome(const TrashItems& items,
                                             const QList<TrashRestorer::Result>& results)
{
    QStringList failures;
    for (qsizetype index = 0; index < results.size(); ++index) {
        const TrashRestorer::Result& result = results[index];
        if (result.status == TrashRestorer::Status::Occupied) {
            const QString newName = QFile::decodeName(
                result.suggestedPath.mid(result.suggestedPath.lastIndexOf('/') + 1));
            if (ConfirmationDialog::ask(
                    this, result.message,
                    QStringLiteral("It can be restored next to it as “%1”.").arg(newName),
                    QStringLiteral("Restore as “%1”").arg(newName))) {
                m_model->restoreItemAs(items[index], result.suggestedPath);
                continue;
            }
        }
        if (!result.message.isEmpty())
            failures.append(result.message);
    }
    showFailures(failures);
    Q_EMIT actionFinished();
}

void TrashViewController::showDeleteOutcome(const TrashCleaner::Result& result)
{
    m_freedBytes += result.bytesFreed;
    Announcer::announce(
        m_freedLabel,
        QStringLiteral("Freed %1").arg(SizeModeSetting::figure(m_freedBytes, result.sizeMode)));
    showFailures(result.failures == 0
                     ? QStringList()
                     : QStringList{QStringLiteral("%1 could not be erased. %2")
                                       .arg(PublicUtilities::itemCount(result.failures),
                                            result.firstError)});
    Q_EMIT actionFinished();
}

void TrashViewController::showFailures(const QStringList& failures)
{
    m_failureDetails = failures;
    if (failures.isEmpty()) {
        m_failureLabel->hide();
        return;
    }
    const QString text =
        failures.size() == 1
            ? failures.first()
            : QStringLiteral("%1 items could not be handled.").arg(failures.size());
    Announcer::announce(m_failureLabel,
                        text.toHtmlEscaped() + QStringLiteral(" <a href=\"details\">Details</a>"),
                        text);
    m_failureLabel->setToolTip(failures.join(u'\n'));
    m_failureLabel->show();
}
