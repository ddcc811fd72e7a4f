#pragma once

#include "kit/ConfirmationDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// Answers every confirmation question that opens while the object lives: the action's button
// when confirm is true, Cancel otherwise. asked() counts them; question() is the last one.
class ConfirmationAnswer {
public:
    explicit ConfirmationAnswer(bool confirm)
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, confirm] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->objectName() != QLatin1StringView(ConfirmationDialog::objectName))
                return;
            ++m_asked;
            m_question = box->text();
            QAbstractButton* cancel = box->button(QMessageBox::Cancel);
            m_cancelIsDefault = box->defaultButton() == cancel && box->escapeButton() == cancel;
            for (QAbstractButton* button : box->buttons()) {
                if ((box->buttonRole(button) == QMessageBox::DestructiveRole) == confirm)
                    button->click();
            }
        });
        m_poll.start(10);
    }

    int asked() const { return m_asked; }
    QString question() const { return m_question; }
    bool cancelIsDefault() const { return m_cancelIsDefault; }

private:
    QTimer m_poll;
    QString m_question;
    int m_asked = 0;
    bool m_cancelIsDefault = false;
};
