#include "system/LightViewController.h"

#include <QHBoxLayout>
#include <QSlider>

LightViewController::LightViewController(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 100);
    m_slider->setMinimumWidth(180);
    layout->addWidget(m_slider);
    loadSoundValue();
}

void LightViewController::loadSoundValue()
{
    m_slider->setEnabled(false);
}
