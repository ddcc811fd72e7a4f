#pragma once

#include <QWidget>

class ImageButton;
class PulseAudioMixer;
class QSlider;

// Told when the speaker image changes, so the owner can update its own icon: 1 sound on, 0 silent.
class SoundViewControllerDelegate {
public:
    virtual ~SoundViewControllerDelegate() = default;
    virtual void changeSoundIcon(int volume) = 0;
};

// The output volume slider and speaker button shown in a pop-up menu of the main panel, on the
// default sink of the sound server. The slider shows the volume in percent; under one percent,
// or with no sound server or output device, it shows 0 and the silent speaker. Moving the slider
// sets the volume and unmutes (0 sets the quietest level rather than muting); the speaker button
// sets the quietest level. While the view is shown it follows changes made elsewhere. Nothing
// here waits for the sound server. GUI thread only.
class SoundViewController : public QWidget {
    Q_OBJECT
public:
    explicit SoundViewController(QWidget* parent = nullptr);
    ~SoundViewController() override;

    // Asks the sound server for the volume; the slider follows when it answers (soundValueLoaded).
    void loadSoundValue();
    void changeSound(int sliderValue);
    void closeSoundButtonAction();

    QSlider* slider() const { return m_slider; }
    ImageButton* closeSoundButton() const { return m_closeSoundButton; }
    void setDelegate(SoundViewControllerDelegate* delegate) { m_delegate = delegate; }

Q_SIGNALS:
    // The slider shows the sound server's answer (or 0 when there is none).
    void soundValueLoaded();
    // The sound server applied a change, or `error` says why not.
    void soundValueWritten(const QString& error);

private:
    void changeSoundIcon(bool soundOn);
    void showVolume(bool found, double volume);

    QSlider* m_slider = nullptr;
    ImageButton* m_closeSoundButton = nullptr;
    PulseAudioMixer* m_mixer = nullptr;
    SoundViewControllerDelegate* m_delegate = nullptr;
};
