#include "kit/Announcer.h"

#include <QAccessible>
#include <QLabel>
#include <QTextDocumentFragment>

void Announcer::announce(QLabel* label, const QString& text, const QString& spoken)
{
    label->setText(text);
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    const QString name = !spoken.isEmpty() ? spoken
                         : rich            ? QTextDocumentFragment::fromHtml(text).toPlainText()
                                           : text;
    if (label->accessibleName() != name) {
        label->setAccessibleName(name); // sends the name change itself
        return;
    }
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
