#pragma once

#include <QImage>
#include <QWidget>

// A frameless, translucent top-level window whose background is a faint white rounded rectangle
// of 480 by 600 at its bottom-left corner, painted once per size into an image. Presses that no
// child takes move the window (through the window manager). GUI thread only.
class MainBaseWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainBaseWindow(QWidget* parent = nullptr);

    const QImage& backgroundImage() const { return m_backgroundImage; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuildBackground();

    QImage m_backgroundImage;
};
