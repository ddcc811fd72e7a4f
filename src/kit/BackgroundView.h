#pragma once

#include <QColor>
#include <QWidget>

class QPainter;

// A plain view that fills its bounds with one colour, as a rounded rectangle when a corner radius
// is set. Subclasses that draw more override drawBackground() and may call the base for the
// bounds. Transparent outside the filled shape. Without a colour of its own (an invalid one, as
// a view made without a colour has) it fills with its palette's colour for its background role,
// and so follows the colour scheme.
class BackgroundView : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundView(QWidget* parent = nullptr);
    BackgroundView(const QColor& color, qreal cornerRadius, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return m_color; }
    void setCornerRadius(qreal radius);
    qreal cornerRadius() const { return m_cornerRadius; }

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void drawBackground(QPainter& painter);
    // Fills `area` with the view's colour, rounded with `radius` when it is above 0.
    void fillArea(QPainter& painter, const QRectF& area, qreal radius) const;

private:
    QColor m_color;
    qreal m_cornerRadius = 0;
};
