#include "system/LightViewController.h"

#include "common/BackgroundTask.h"
#include "kit/ImageButton.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace {

// One queue for all backlight requests (the slider is made anew for each showing), so writes land
// in the order the slider made them. Never waited for: a slow logind must not hold up closing the
// panel.
BackgroundTask::Queue& backlightRequests()
{
    static BackgroundTask::Queue queue;
    return queue;
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
    m_closeLightButton->setToolTip(tr("Darkest"));
    m_closeLightButton->setAccessibleName(tr("Darkest"));
    layout->addWidget(m_closeLightButton);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 100);
    m_slider->setMinimumWidth(180);
    m_slider->setAccessibleName(tr("Brightness"));
    layout->addWidget(m_slider);
    connect(m_slider, &QSlider::valueChanged, this, &LightViewController::changeLight);
    connect(m_closeLightButton, &ImageButton::clicked, this,
            &LightViewController::closeLightButtonAction);
    loadSoundValue();
}

void LightViewController::loadSoundValue()
{
    backlightRequests().run(
        this,
        [backlight = m_backlight] {
            const float brightness = backlight.get_brightness();
            qDebug("%f", double(brightness));
            return brightness;
        },
        [this](float brightness) {
            const QSignalBlocker blocker(m_slider);
            m_slider->setValue(brightness < 0.0f ? 0 : int(std::lround(brightness * 100.0f)));
            Q_EMIT brightnessLoaded(brightness);
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
    backlightRequests().run(
        this,
        [backlight = m_backlight, brightness] { return backlight.set_brightness(brightness); },
        [this](const QString& error) { Q_EMIT brightnessWritten(error); });
}
