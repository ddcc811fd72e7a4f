#pragma once

#include <QWidget>

class QSlider;

// The output volume slider shown in a pop-up menu of the main panel. The slider is wired to the
// platform's output volume control by the system-controls tool; here it shows the value it loaded.
// Told when the volume or mute state changes, so the owner can update its icon.
class SoundViewControllerDelegate {
public:
    virtual ~SoundViewControllerDelegate() = default;
    virtual void changeSoundIcon(int volume) = 0;
};

class SoundViewController : public QWidget {
    Q_OBJECT
public:
    explicit SoundViewController(QWidget* parent = nullptr);

    void loadSoundValue();
    QSlider* slider() const { return m_slider; }
    void setDelegate(SoundViewControllerDelegate* delegate) { m_delegate = delegate; }

private:
    QSlider* m_slider = nullptr;
    SoundViewControllerDelegate* m_delegate = nullptr;
};
