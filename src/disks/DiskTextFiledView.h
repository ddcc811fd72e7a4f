#pragma once

#include <QLineEdit>

// The rename field: a line edit under a faint dark rounded tint (black at 12 %, radius 6).
class DiskTextFiledView : public QLineEdit {
    Q_OBJECT
public:
    explicit DiskTextFiledView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
