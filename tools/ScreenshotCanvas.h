#pragma once

#include <QImage>
#include <QString>

class QWidget;

// Where corvella-screenshots writes its PNGs, and how a window is laid on them: over a
// desktop-like gradient with a 40-pixel margin, so that a popup window's translucent background
// and outline show as they would on a desktop. Every save says on standard output which file it
// wrote, or on standard error that it could not write it. GUI thread only (it grabs widgets).
class ScreenshotCanvas {
public:
    // Makes the folder when it is missing.
    explicit ScreenshotCanvas(const QString& folder);

    // The window as it is drawn now, over the gradient, as FOLDER/fileName.
    bool save(QWidget* window, const QString& fileName) const;
    // An image already composed (a window with its dialog drawn over it), over the gradient.
    bool save(const QImage& window, const QString& fileName) const;
    // The image as it is, without the gradient: a tab drawn on its own opaque background.
    bool saveBare(const QImage& image, const QString& fileName) const;

    // The window's image on the gradient, the margin all round.
    static QImage overDesktop(const QImage& window);

private:
    QString m_folder;
};
