#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QString>

class QEnterEvent;

// A button drawn entirely from named images (see KitImages): a normal face, and optionally faces
// for hover, pressed, disabled and selected (checked). A face that is not set falls back to the
// normal one; without a disabled face the normal face is drawn faded.
//
// The button can carry a title, drawn with the regular font of the settings (the application
// font when the settings name none) at `fontSize` pixels. Over a face the title is white or dark,
// whichever reads on that face, unless a colour is set. It also carries an identifier string
// (a tab identifier, for example) that the button itself never interprets.
//
// By default a face is centred at its own size, scaled down (keeping its aspect ratio) when the
// button is smaller; setStretchFace(true) makes it fill the whole button, as faces under a title
// do. An icon-only button that its owner did not name is named after the first line of its first
// tooltip, so that a screen reader never meets it nameless. GUI thread only, like every widget.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent = nullptr);
    explicit ImageButton(const QString& imageName, QWidget* parent = nullptr);

    // The normal face.
    void setImageName(const QString& name);
    QString imageName() const { return m_imageName; }
    void setHoverImageName(const QString& name);
    QString hoverImageName() const { return m_hoverImageName; }
    void setPressedImageName(const QString& name);
    QString pressedImageName() const { return m_pressedImageName; }
    void setDisabledImageName(const QString& name);
    QString disabledImageName() const { return m_disabledImageName; }
    // Shown while the button is checked (setCheckable(true) first).
    void setSelectedImageName(const QString& name);
    QString selectedImageName() const { return m_selectedImageName; }
    // The four faces at once, in the order normal, pressed, hover, disabled.
    void setImageNames(const QString& normal, const QString& pressed, const QString& hover,
                       const QString& disabled);
    // The face for the current state: disabled, pressed, selected, hover, then normal.
    QString currentFaceName() const;

    void setIdentifier(const QString& identifier) { m_identifier = identifier; }
    QString identifier() const { return m_identifier; }

    void setTitle(const QString& title);
    QString title() const { return text(); }
    // Size of the title in pixels, the unit of the layouts' frames, so that a title fits the
    // frame it was laid out for whatever the screen's DPI; 0 keeps the application font's size.
    void setFontSize(qreal pixelSize);
    qreal fontSize() const { return m_fontSize; }
    // An invalid colour (the default) picks white or dark text to suit the face.
    void setTitleColor(const QColor& color);
    QColor titleColor() const { return m_titleColor; }
    QFont titleFont() const;

    void setStretchFace(bool stretch);
    bool stretchFace() const { return m_stretchFace; }
    void setTitleAlignment(Qt::Alignment alignment);
    Qt::Alignment titleAlignment() const { return m_titleAlignment; }

    void setButtonEnabled(bool enabled) { setEnabled(enabled); }
    bool isHovered() const { return m_hovered; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The width the title needs to show whole with its margins (a stretched face's own width left
    // out): what a button placed by hand must be given when a translation makes its title longer.
    virtual int titleWidthHint() const;
    // Widens the button to titleWidthHint(), never narrower than `minimumWidth`.
    void fitTitle(int minimumWidth);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Layout hooks for subclasses: where the face and the title are drawn.
    virtual QRect faceRect() const;
    virtual QRect titleRect() const;
    // The title colour when none is set; by default it contrasts with the face under the title.
    virtual QColor automaticTitleColor(const QString& faceName) const;
    QSize faceSize() const;

private:
    void faceChanged();

    QString m_imageName;
    QString m_hoverImageName;
    QString m_pressedImageName;
    QString m_disabledImageName;
    QString m_selectedImageName;
    QString m_identifier;
    qreal m_fontSize = 0;
    QColor m_titleColor;
    bool m_stretchFace = false;
    Qt::Alignment m_titleAlignment = Qt::AlignCenter;
    bool m_hovered = false;
    mutable QString m_fontFamily;
    mutable bool m_fontFamilyResolved = false;
};
