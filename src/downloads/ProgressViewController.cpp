#include "downloads/ProgressViewController.h"

#include "common/PublicUtilities.h"
#include "kit/Announcer.h"
#include "kit/BackgroundView.h"
#include "kit/ColorScheme.h"
#include "kit/GXProgressView.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"

#include <QLabel>
#include <QShortcut>

ProgressViewController::ProgressViewController(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(tr("Removing Downloads"));
    setFixedSize(400, 132);
    // An opaque card behind the text: the window's translucent frame stays around it, but what
    // lies behind the window never shows through the words.
    auto* card = new BackgroundView(this); // the palette's window colour
    card->setCornerRadius(8.0);
    card->setGeometry(rect());
    card->lower();
    m_titleLabel = new QLabel(QStringLiteral("Corvella"), this);
    m_titleLabel->setGeometry(20, 12, 360, 20);
    QFont titleFont = m_titleLabel->font();
    if (const QString light = PublicUtilities::getLightFontName(); !light.isEmpty())
        titleFont.setFamily(light);
    titleFont.setPixelSize(14);
    m_titleLabel->setFont(titleFont);

    m_pathLabel = new QLabel(this);
    m_pathLabel->setGeometry(20, 40, 360, 18);
    ColorScheme::setTextColor(m_pathLabel, ColorScheme::Text::Secondary);

    m_progressView = new GXProgressView(this);
    m_progressView->setGeometry(24, 70, 290, 6);
    m_progressLabel = new QLabel(tr("%1%", "percentage").arg(0), this);
    m_progressLabel->setGeometry(320, 62, 60, 22);
    m_progressLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* stop = new TextImageButton(tr("Stop"), 12, this);
    stop->setImageNames(QStringLiteral("btn_sec"), QStringLiteral("btn_sec_press"),
                        QStringLiteral("btn_sec_hover"), QStringLiteral("btn_sec_disable"));
    stop->setGeometry(290, 94, 90, 28);
    connect(stop, &TextImageButton::clicked, this, &ProgressViewController::stopButtonAction);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &ProgressViewController::stopButtonAction);
}

StatusAttachedWindow* ProgressViewController::superDelegate() const
{
    return m_superDelegate;
}

void ProgressViewController::setSuperDelegate(StatusAttachedWindow* window)
{
    if (m_superDelegate)
        disconnect(m_superDelegate, nullptr, this, nullptr);
    m_superDelegate = window;
    if (window) {
        connect(window, &StatusAttachedWindow::aboutToClose, this, [this] {
            if (!m_finished)
                stopButtonAction();
        });
    }
}

void ProgressViewController::changeProgressValue(int percent, const QString& path)
{
    m_pathLabel->setText(
        m_pathLabel->fontMetrics().elidedText(path, Qt::ElideMiddle, m_pathLabel->width()));
    m_pathLabel->setToolTip(path);
    m_progressView->changeProgressValue(percent);
    if (m_progressLabel->text() != tr("%1%", "percentage").arg(percent))
        Announcer::announce(m_progressLabel, tr("%1%", "percentage").arg(percent),
                            percent >= 100 ? tr("Removal finished")
                                           : tr("Removing: %1%").arg(percent));
    m_finished = percent >= 100;
    Q_EMIT progressChanged(percent, path);
    if (m_finished)
        closeWindow();
}

void ProgressViewController::stopButtonAction()
{
    if (m_delegate)
        m_delegate->stopRemove();
}

void ProgressViewController::closeWindow()
{
    if (m_superDelegate)
        m_superDelegate->close();
}

QString ProgressViewController::percentText() const
{
    return m_progressLabel->text();
}

QString ProgressViewController::pathText() const
{
    return m_pathLabel->toolTip();
}
