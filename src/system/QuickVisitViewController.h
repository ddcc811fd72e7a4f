#pragma once

#include "kit/ToolPage.h"

// The "Quick Visit" tab. Its tool arrives with its own subsystem; for now the page introduces it.
class QuickVisitViewController : public ToolPage {
    Q_OBJECT
public:
    explicit QuickVisitViewController(QWidget* parent = nullptr);
};
