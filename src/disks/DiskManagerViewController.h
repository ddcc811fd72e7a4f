#pragma once

#include "kit/ToolPage.h"

// The "Disk Manager" tab. Its tool arrives with its own subsystem; for now the page introduces it.
class DiskManagerViewController : public ToolPage {
    Q_OBJECT
public:
    explicit DiskManagerViewController(QWidget* parent = nullptr);
};
