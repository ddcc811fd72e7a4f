#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

// The common frame of a tool tab: a heading, a one-line explanation and a body area that the
// tool fills (bodyLayout()).
class ToolPage : public QWidget {
    Q_OBJECT
public:
    ToolPage(const QString& heading, const QString& explanation, QWidget* parent = nullptr);

    QVBoxLayout* bodyLayout() const { return m_bodyLayout; }
    QString heading() const;

private:
    QLabel* m_heading = nullptr;
    QVBoxLayout* m_bodyLayout = nullptr;
};
