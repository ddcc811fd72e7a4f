#pragma once

#include <QString>

class QLabel;

// Tells a screen reader about a change of state the user did not move the focus to: a scan that
// finished, the progress of a removal, a failure. The text goes into `label` (shown or hidden as
// its owner decides) and becomes the label's accessible name, and a name change is sent even when
// the text repeats, so a second identical failure is heard too. Rich text is named by its plain
// text; `spoken`, when given, is said instead of the shown text (a bare "37%" shown, "Removing:
// 37%" said). GUI thread only.
class Announcer {
public:
    Announcer() = delete;

    static void announce(QLabel* label, const QString& text, const QString& spoken = {});
};
