#pragma once

#include <QWidget>

class TrafficLightButton;

// Told when the title bar's close button is clicked, before the window closes.
class TabBarVDelegate {
public:
    virtual ~TabBarVDelegate() = default;
    virtual void closeWindowAction() {}
};

// The title bar with the close, minimise and zoom buttons. Hovering the bar posts
// "HMTrafficButtonMouseEnter" / "HMTrafficButtonMouseExit" with the bar as object, so all three
// buttons show their glyphs together.
class TabBarView : public QWidget {
    Q_OBJECT
public:
    explicit TabBarView(QWidget* parent = nullptr);

    void setDelegate(TabBarVDelegate* delegate) { m_delegate = delegate; }
    TabBarVDelegate* delegate() const { return m_delegate; }

    TrafficLightButton* closeButton() const { return m_closeButton; }
    TrafficLightButton* minButton() const { return m_minButton; }
    TrafficLightButton* zoomButton() const { return m_zoomButton; }

    void clickCloseButton();
    void clickMinimizeButton();
    void clickZoomButton();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TrafficLightButton* m_closeButton = nullptr;
    TrafficLightButton* m_minButton = nullptr;
    TrafficLightButton* m_zoomButton = nullptr;
    TabBarVDelegate* m_delegate = nullptr;
};
