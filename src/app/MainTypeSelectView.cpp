#include "app/MainTypeSelectView.h"

#include "kit/Color.h"

MainTypeSelectView::MainTypeSelectView(QWidget* parent)
    : BackgroundView(getColor(39, 124, 226, 1), 1.0, parent)
{}
