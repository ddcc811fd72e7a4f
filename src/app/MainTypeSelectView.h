#pragma once

#include "kit/BackgroundView.h"

// The marker beside the selected tab button: a blue bar with barely rounded corners.
class MainTypeSelectView : public BackgroundView {
    Q_OBJECT
public:
    explicit MainTypeSelectView(QWidget* parent = nullptr);
};
