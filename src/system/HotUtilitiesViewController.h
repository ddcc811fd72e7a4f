#pragma once

#include "kit/ToolPage.h"

// The "Hot Utilities" tab. Its tool arrives with its own subsystem; for now the page introduces it.
class HotUtilitiesViewController : public ToolPage {
    Q_OBJECT
public:
    explicit HotUtilitiesViewController(QWidget* parent = nullptr);
};
