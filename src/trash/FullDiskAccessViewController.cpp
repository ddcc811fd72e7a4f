#include "trash/FullDiskAccessViewController.h"

#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"
#include "trash/FullDiskAccessAuthorizer.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr QSize kViewSize{400, 220};
constexpr QSize kButtonSize{120, 32};

FullDiskAccessAuthorizer* orShared(FullDiskAccessAuthorizer* authorizer)
{
    return authorizer != nullptr ? authorizer : FullDiskAccessAuthorizer::sharedInstance();
}

QString explanation(const FullDiskAccessAuthorizer* authorizer)
{
    const QString sandbox = authorizer->sandboxName();
    const QString keeper =
        sandbox.isEmpty()
            ? QCoreApplication::translate("FullDiskAccessViewController", "Its sandbox")
            : QCoreApplication::translate("FullDiskAccessViewController", "The %1 sandbox")
                  .arg(sandbox);
    return QCoreApplication::translate(
               "FullDiskAccessViewController",
               "%1 keeps Corvella from your Trash folders, so it cannot empty them. "
               "Allow Corvella to reach your files in the application permissions, "
               "then empty the Trash again.")
        .arg(keeper);
}

TextImageButton* faceButton(const QString& title, const QString& face, QWidget* parent)
{
    auto* button = new TextImageButton(title, 13, parent);
    button->setImageNames(face == u"btn_sec" ? face : face + QStringLiteral("_normal"),
                          face + QStringLiteral("_press"), face + QStringLiteral("_hover"),
                          face + QStringLiteral("_disable"));
    button->setFixedSize(qMax(kButtonSize.width(), button->titleWidthHint()), kButtonSize.height());
    return button;
}

} // namespace

FullDiskAccessViewController::FullDiskAccessViewController(FullDiskAccessAuthorizer* authorizer,
                                                           QWidget* parent)
    : ToolPage(tr("Access to the Trash"), explanation(orShared(authorizer)), parent),
      m_authorizer(orShared(authorizer))
{
    setWindowTitle(tr("Access to the Trash"));
    setFixedSize(kViewSize);

    m_advice = new QLabel(this);
    m_advice->setWordWrap(true);
    m_advice->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_advice->hide();
    bodyLayout()->addWidget(m_advice);
    bodyLayout()->addStretch(1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    m_closeButton = faceButton(tr("Close"), QStringLiteral("btn_sec"), this);
    connect(m_closeButton, &TextImageButton::clicked, this,
            &FullDiskAccessViewController::closeWindow);
    buttons->addWidget(m_closeButton);
    m_openButton = faceButton(tr("Open Settings"), QStringLiteral("btn_pril"), this);
    connect(m_openButton, &TextImageButton::clicked, this,
            &FullDiskAccessViewController::openSetView);
    buttons->addWidget(m_openButton);
    bodyLayout()->addLayout(buttons);
}

void FullDiskAccessViewController::setSuperDelegate(StatusAttachedWindow* window)
{
    m_superDelegate = window;
}

StatusAttachedWindow* FullDiskAccessViewController::superDelegate() const
{
    return m_superDelegate;
}

QString FullDiskAccessViewController::adviceText() const
{
    return m_advice->isHidden() ? QString() : m_advice->text();
}

void FullDiskAccessViewController::openSetView()
{
    if (m_authorizer->requestAuthorization()) {
        m_advice->hide();
        return;
    }
    m_advice->setText(m_authorizer->accessAdvice());
    m_advice->show();
}

void FullDiskAccessViewController::closeWindow()
{
    if (m_superDelegate) {
        m_superDelegate->close();
    }
}
