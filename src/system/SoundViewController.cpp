#include "system/SoundViewController.h"

#include "kit/ImageButton.h"
#include "platform/sound/PulseAudioMixer.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSlider>

SoundViewController::SoundViewController(QWidget* parent)
    : QWidget(parent), m_mixer(new PulseAudioMixer(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    m_closeSoundButton = new ImageButton(QStringLiteral("ic_volume_no"), this);
    m_closeSoundButton->setFixedSize(24, 24);
    m_closeSoundButton->setToolTip(tr("Quietest"));
    m_closeSoundButton->setAccessibleName(tr("Quietest"));
    layout->addWidget(m_closeSoundButton);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 100);
    m_slider->setMinimumWidth(180);
    m_slider->setAccessibleName(tr("Volume"));
    layout->addWidget(m_slider);

    connect(m_slider, &QSlider::valueChanged, this, &SoundViewController::changeSound);
    connect(m_closeSoundButton, &ImageButton::clicked, this,
            &SoundViewController::closeSoundButtonAction);
    connect(m_mixer, &PulseAudioMixer::masterVolumeRead, this,
            [this](bool found, double volume, bool, uint, const QString& error) {
                if (!found)
                    qWarning().noquote() << error;
                showVolume(found, volume);
            });
    connect(m_mixer, &PulseAudioMixer::masterVolumeWritten, this,
            &SoundViewController::soundValueWritten);
    connect(m_mixer, &PulseAudioMixer::sinkChanged, this, [this] {
        // Follow changes made elsewhere, but never pull the slider from under the user's hand.
        if (isVisible() && !m_slider->isSliderDown())
            m_mixer->requestMasterVolume();
    });
    loadSoundValue();
}

SoundViewController::~SoundViewController() = default;

void SoundViewController::loadSoundValue()
{
    m_mixer->requestMasterVolume();
}

void SoundViewController::showVolume(bool found, double volume)
{
    double percent = found ? volume * 100.0 : 0.0;
    if (percent < 1.0)
        percent = 0.0;
    changeSoundIcon(percent > 0.0);
    // Showing a value is not a change: a sink above its normal volume stays there.
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(int(std::lround(percent)));
    Q_EMIT soundValueLoaded();
}

void SoundViewController::changeSound(int sliderValue)
{
    double level = sliderValue / 100.0;
    if (level == 0.0)
        level = PulseAudioMixer::silentLevel;
    m_mixer->setMasterVolume(level);
    changeSoundIcon(level != PulseAudioMixer::silentLevel);
    update();
}

void SoundViewController::closeSoundButtonAction()
{
    m_mixer->setMasterVolume(PulseAudioMixer::silentLevel);
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(0);
    changeSoundIcon(false);
}

void SoundViewController::changeSoundIcon(bool soundOn)
{
    m_closeSoundButton->setImageName(soundOn ? QStringLiteral("ic_volume")
                                             : QStringLiteral("ic_volume_no"));
    if (m_delegate)
        m_delegate->changeSoundIcon(soundOn ? 1 : 0);
}
