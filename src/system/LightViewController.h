#pragma once

#include <QWidget>

class QSlider;

// The display brightness slider shown in a pop-up menu of the main panel. The slider is wired to
// the platform's display brightness control by the system-controls tool; here it shows the value it
// loaded.
class LightViewController : public QWidget {
    Q_OBJECT
public:
    explicit LightViewController(QWidget* parent = nullptr);

    void loadSoundValue();
    QSlider* slider() const { return m_slider; }

private:
    QSlider* m_slider = nullptr;
};
