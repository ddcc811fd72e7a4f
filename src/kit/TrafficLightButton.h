#pragma once

#include <QAbstractButton>
#include <QMetaObject>
#include <QString>

// One of the three round window buttons of a title bar, 12 by 12 pixels: identifier "close"
// (red), "minimize" (amber) or "zoom" (green). Any other identifier draws a grey button.
//
// After setup() the button follows the pointer over its bar: the bar posts
// "HMTrafficButtonMouseEnter" and "HMTrafficButtonMouseExit" on the default NotificationCenter
// with itself as object, and the button shows its glyph (×, − or +) between the two. Posts with
// any other object are ignored, so several bars can share the centre. The three known buttons
// are named for screen readers ("Close", "Minimize", "Zoom") unless the owner names them. GUI
// thread only.
class TrafficLightButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TrafficLightButton(QWidget* parent = nullptr);
    TrafficLightButton(const QString& identifier, QWidget* parent = nullptr);

    void setIdentifier(const QString& identifier);
    QString identifier() const { return m_identifier; }

    // Starts listening for the bar's notifications; the bar is the button's parent widget at the
    // time of each notification. Calling it again does not listen twice.
    void setup();
    bool isShowingHover() const { return m_showingHover; }

    QSize sizeHint() const override { return {12, 12}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void nameAfterIdentifier();
    void notificationPosted(const QString& name, QObject* object);

    QString m_identifier;
    bool m_showingHover = false;
    QMetaObject::Connection m_listening;
};
