#pragma once

#include <QWidget>

// The card behind a disk box: a rounded rectangle at (15, 0), 380 by 112, in the panel's light
// grey.
class DiskLowView : public QWidget {
    Q_OBJECT
public:
    explicit DiskLowView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
