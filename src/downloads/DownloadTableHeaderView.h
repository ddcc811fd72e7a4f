#pragma once

#include <QWidget>

// The strip above the Downloads tree's columns: a faint rounded fill, a hairline along its
// foot and a separator before the size column. Its children are the select-all box and the
// column titles.
class DownloadTableHeaderView : public QWidget {
    Q_OBJECT
public:
    explicit DownloadTableHeaderView(QWidget* parent = nullptr);

    // Where the size column starts.
    static constexpr int kSeparatorX = 385;

protected:
    void paintEvent(QPaintEvent* event) override;
};
