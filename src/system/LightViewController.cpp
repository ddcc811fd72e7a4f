#include "system/LightViewController.h"

#include "kit/ImageButton.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QThreadPool>

#include <cmath>

namespace {

// One worker for all backlight requests, so writes land in the order the slider made them. Never
// waited for: a slow logind must not hold up closing the panel.
QThreadPool* backlightWorker()
{
    static QThreadPool* pool = [] {
        auto* created = new QThreadPool;
        created->setMaxThreadCount(1);
        created->setExpiryTimeout(10000);
        return created;
    }();
    return pool;
}

} // namespace

LightViewController::LightViewController(QWidget* parent)
    : LightViewController(
          Backlight(qEnvironmentVariable("CORVELLA_SYSFS_ROOT", QStringLiteral("/"))), parent)
{}

LightViewController::LightViewController(const Backlight& backlight, QWidget* parent)
    : QWidget(parent), m_backlight(backlight)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    m_closeLightButton = new ImageButton(QStringLiteral("ic_brightness"), this);
    m_closeLightButton->setFixedSize(24, 24);
    m_closeLightButton->setToolTip(QStringLiteral("Darkest"));
    layout->addWidget(m_closeLightButton);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 100);
    m_slider->setMinimumWidth(180);
    layout->addWidget(m_slider);
    connect(m_slider, &QSlider::valueChanged, this, &LightViewController::changeLight);
    connect(m_closeLightButton, &ImageButton::clicked, this,
            &LightViewController::closeLightButtonAction);
    loadSoundValue();
}

void LightViewController::loadSoundValue()
{
    QPointer<LightViewController> view(this);
    const Backlight backlight = m_backlight;
    backlightWorker()->start([view, backlight] {
        const float brightness = backlight.get_brightness();
        qDebug("%f", double(brightness));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [view, brightness] {
                if (!view)
                    return;
                const QSignalBlocker blocker(view->m_slider);
                view->m_slider->setValue(brightness < 0.0f ? 0
                                                           : int(std::lround(brightness * 100.0f)));
                Q_EMIT view->brightnessLoaded(brightness);
            },
            Qt::QueuedConnection);
    });
}

void LightViewController::changeLight(int sliderValue)
{
    set_brightness(float(sliderValue) / 100.0f);
}

void LightViewController::closeLightButtonAction()
{
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(0);
    }
    set_brightness(0.0f);
}

void LightViewController::set_brightness(float brightness)
{
    QPointer<LightViewController> view(this);
    const Backlight backlight = m_backlight;
    backlightWorker()->start([view, backlight, brightness] {
        const QString error = backlight.set_brightness(brightness);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [view, error] {
                if (view)
                    Q_EMIT view->brightnessWritten(error);
            },
            Qt::QueuedConnection);
    });
}
