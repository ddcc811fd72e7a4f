#pragma once

#include <QProxyStyle>

// The desktop's style with tool tips that appear after 0.3 s.
class ToolTipStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    static constexpr int kToolTipDelayMs = 300;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};
