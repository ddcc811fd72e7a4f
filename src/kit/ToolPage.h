#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

// The common frame of a tool tab: a heading, a one-line explanation, a body area that the
// tool fills (bodyLayout()) and, at the foot, a notice that says what the tab's last action
// could not do and why (showNotice()). GUI thread only.
class ToolPage : public QWidget {
    Q_OBJECT
public:
    ToolPage(const QString& heading, const QString& explanation, QWidget* parent = nullptr);

    QVBoxLayout* bodyLayout() const { return m_bodyLayout; }
    QString heading() const;

    // Shows the text at the foot of the tab (and logs it); an empty text hides the notice.
    void showNotice(const QString& text);
    // The text shown, or empty when the notice is hidden.
    QString notice() const;
    QLabel* noticeLabel() const { return m_notice; }

private:
    QLabel* m_heading = nullptr;
    QLabel* m_notice = nullptr;
    QVBoxLayout* m_bodyLayout = nullptr;
};
