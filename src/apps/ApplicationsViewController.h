#pragma once

#include "kit/ToolPage.h"

// The "Applications" tab. Its tool arrives with its own subsystem; for now the page introduces it.
class ApplicationsViewController : public ToolPage {
    Q_OBJECT
public:
    explicit ApplicationsViewController(QWidget* parent = nullptr);
};
