#pragma once

#include "platform/devices/Backlight.h"

#include <QWidget>

class ImageButton;
class QSlider;

// The display brightness slider and its darkest-button, shown in a pop-up menu of the main
// panel; made anew for each showing. The slider shows the first backlight's brightness in
// percent and sets every backlight when moved. Reading and writing run off the GUI thread, one
// request after the other (a BackgroundTask::Queue), so the GUI never waits on sysfs or logind. GUI
// thread only.
class LightViewController : public QWidget {
    Q_OBJECT
public:
    // The backlights under CORVELLA_SYSFS_ROOT (default "/"), written through the system bus.
    explicit LightViewController(QWidget* parent = nullptr);
    LightViewController(const Backlight& backlight, QWidget* parent);

    // Reads the brightness; the slider follows when the worker answers (brightnessLoaded).
    void loadSoundValue();
    void changeLight(int sliderValue);
    void closeLightButtonAction();

    QSlider* slider() const { return m_slider; }
    ImageButton* closeLightButton() const { return m_closeLightButton; }

Q_SIGNALS:
    // `brightness` is get_brightness(): -1.0 when no display reports one.
    void brightnessLoaded(float brightness);
    void brightnessWritten(const QString& error);

private:
    void set_brightness(float brightness);

    Backlight m_backlight;
    QSlider* m_slider = nullptr;
    ImageButton* m_closeLightButton = nullptr;
};
