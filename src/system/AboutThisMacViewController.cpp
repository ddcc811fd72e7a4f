#include "system/AboutThisMacViewController.h"

#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "kit/ImageButton.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace {

MachineInfo configuredMachine()
{
    return MachineInfo(qEnvironmentVariable("CORVELLA_SYSFS_ROOT", QStringLiteral("/")));
}

QLabel* makeLabel(QWidget* parent, qreal pixelSize, bool bold = false)
{
    auto* label = new QLabel(parent);
    QFont font = label->font();
    const QString family =
        bold ? PublicUtilities::getBoldFontName() : PublicUtilities::getLightFontName();
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(int(pixelSize));
    font.setBold(bold);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

AboutThisMacViewController* AboutThisMacViewController::shareInstall()
{
    // Lives for the whole run; never destroyed, so it never outlives the application object.
    static auto* shared =
        new AboutThisMacViewController(configuredMachine(), WithView::No, nullptr);
    return shared;
}

AboutThisMacViewController::AboutThisMacViewController(QWidget* parent)
    : AboutThisMacViewController(configuredMachine(), WithView::Yes, parent)
{}

AboutThisMacViewController::AboutThisMacViewController(MachineInfo machine, QWidget* parent)
    : AboutThisMacViewController(std::move(machine), WithView::Yes, parent)
{}

AboutThisMacViewController::AboutThisMacViewController(MachineInfo machine, WithView withView,
                                                       QWidget* parent)
    : QWidget(parent), m_machine(std::move(machine))
{
    setWindowTitle(tr("About This Computer"));
    // The model is a few small sysfs attributes, read at once so getMacModel can answer.
    m_macModel = m_machine.dmiAttribute(QStringLiteral("sys_vendor")) + u' ' +
                 m_machine.productName() + u' ' +
                 m_machine.dmiAttribute(QStringLiteral("product_version"));
    if (withView == WithView::No)
        return;
    buildView();
    loadMacInfo();
}

void AboutThisMacViewController::buildView()
{
    setFixedSize(440, 300);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    auto* top = new QHBoxLayout;
    auto* logo = new QLabel(this);
    logo->setPixmap(
        KitImages::pixmap(QStringLiteral("ic_about"), QSize(64, 64), devicePixelRatioF()));
    logo->setFixedSize(72, 72);
    top->addWidget(logo, 0, Qt::AlignTop);
    auto* facts = new QVBoxLayout;
    m_versionName = makeLabel(this, 20, true);
    m_version = makeLabel(this, 12);
    m_compterVerion = makeLabel(this, 12);
    m_cpuName = makeLabel(this, 12);
    m_grpName = makeLabel(this, 12);
    m_memorySize = makeLabel(this, 12);
    m_serName = makeLabel(this, 12);
    m_versionName->setText(QStringLiteral("Linux"));
    const QList<std::pair<QLabel*, const char*>> outlets = {
        {m_versionName, "versionName"}, {m_version, "version"}, {m_compterVerion, "compterVerion"},
        {m_cpuName, "cpuName"},         {m_grpName, "grpName"}, {m_memorySize, "memorySize"},
        {m_serName, "serName"},
    };
    for (const auto& [label, name] : outlets) {
        label->setObjectName(QLatin1StringView(name));
        facts->addWidget(label);
    }
    facts->addStretch(1);
    top->addLayout(facts, 1);
    layout->addLayout(top, 1);
    auto* close = new TextImageButton(tr("OK"), 12, this);
    close->setImageNames(QStringLiteral("btn_b_normal"), QStringLiteral("btn_b_hover"),
                         QStringLiteral("btn_b_hover"), QStringLiteral("btn_s_disable"));
    close->setFixedSize(90, 28);
    connect(close, &ImageButton::clicked, this, &AboutThisMacViewController::closeWindow);
    layout->addWidget(close, 0, Qt::AlignRight);
}

QLabel* AboutThisMacViewController::field(const QString& outletName) const
{
    return findChild<QLabel*>(outletName);
}

void AboutThisMacViewController::loadMacInfo()
{
    BackgroundTask::run(
        this, [machine = m_machine] { return SystemInformation::collect(machine, true); },
        [this](const SystemInformation& information) { showInformation(information); });
}

void AboutThisMacViewController::showInformation(const SystemInformation& information)
{
    m_information = information;
    m_versionName->setText(information.versionName);
    m_version->setText(information.version);
    m_compterVerion->setText(information.compterVerion);
    m_cpuName->setText(information.cpuName);
    m_grpName->setText(information.grpName);
    m_memorySize->setText(information.memorySize);
    m_serName->setText(information.serName);
    Q_EMIT informationLoaded();
}

bool AboutThisMacViewController::getMacModel() const
{
    return m_macModel.contains(QStringLiteral("mini"), Qt::CaseInsensitive);
}

bool AboutThisMacViewController::hasAdjustableDisplay() const
{
    return m_machine.hasBacklight();
}

void AboutThisMacViewController::closeWindow()
{
    if (m_superDelegate)
        m_superDelegate->close();
}
