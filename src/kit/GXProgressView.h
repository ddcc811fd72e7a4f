#pragma once

#include <QWidget>

// A thin rounded progress bar taking a percentage from 0 to 100.
class GXProgressView : public QWidget {
    Q_OBJECT
public:
    explicit GXProgressView(QWidget* parent = nullptr);

    void changeProgressValue(double percent);
    double value() const { return m_value; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_value = 0;
};
