#pragma once

#include "kit/ToolPage.h"

// The "Cleanup" tab. Its tool arrives with its own subsystem; for now the page introduces it.
class CleanUpViewController : public ToolPage {
    Q_OBJECT
public:
    explicit CleanUpViewController(QWidget* parent = nullptr);
};
