#pragma once

#include "kit/ToolPage.h"

// The "Task Manager" tab. Its tool arrives with its own subsystem; for now the page introduces it.
class TaskManagerViewController : public ToolPage {
    Q_OBJECT
public:
    explicit TaskManagerViewController(QWidget* parent = nullptr);
};
